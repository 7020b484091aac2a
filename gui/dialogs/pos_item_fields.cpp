#include "gui/dialogs/pos_item_fields.h"

#include <cstring>

#include "gui/model/board/board_type_info.h"

namespace tarsel::postable {

namespace {

template <typename T>
T Get(const PosTableItem& r, std::size_t offset) {
    T v{};
    std::memcpy(&v, r.data() + offset, sizeof(T));  // the drive and this program are little-endian
    return v;
}

template <typename T>
void Put(PosTableItem& r, std::size_t offset, T v) {
    std::memcpy(r.data() + offset, &v, sizeof(T));
}

}  // namespace

PosItemFields Decode(const PosTableItem& r) {
    PosItemFields f;
    f.position = Get<int32_t>(r, 0);
    f.lowSpeed = Get<uint32_t>(r, 4);
    f.highSpeed = Get<uint32_t>(r, 8);
    f.accel = Get<uint16_t>(r, 12);
    f.decel = Get<uint16_t>(r, 14);
    f.command = Get<uint16_t>(r, 16);
    f.waitTime = Get<uint16_t>(r, 18);
    f.continuous = Get<uint16_t>(r, 20);
    f.jump = Get<uint16_t>(r, 22);
    for (int k = 0; k < 3; ++k) f.jpt[k] = Get<uint16_t>(r, 24 + 2 * k);
    f.loopCount = Get<uint16_t>(r, 30);
    f.loopJump = Get<uint16_t>(r, 32);
    f.ptSet = Get<uint16_t>(r, 34);
    f.loopClear = Get<uint16_t>(r, 36);
    f.checkInpos = Get<uint16_t>(r, 38);
    return f;
}

void Encode(const PosItemFields& f, PosTableItem& r) {
    Put(r, 0, f.position);
    Put(r, 4, f.lowSpeed);
    Put(r, 8, f.highSpeed);
    Put(r, 12, f.accel);
    Put(r, 14, f.decel);
    Put(r, 16, f.command);
    Put(r, 18, f.waitTime);
    Put(r, 20, f.continuous);
    Put(r, 22, f.jump);
    for (int k = 0; k < 3; ++k) Put(r, 24 + 2 * k, f.jpt[k]);
    Put(r, 30, f.loopCount);
    Put(r, 32, f.loopJump);
    Put(r, 34, f.ptSet);
    Put(r, 36, f.loopClear);
    Put(r, 38, f.checkInpos);
}

MotionUse UsedFields(uint16_t command) {
    switch (command) {
        case 0:
        case 4:
            return {true, true, false, false, false};
        case 1:
        case 5:
            return {true, false, true, false, false};
        case 2:
        case 6:
            return {true, true, true, false, true};
        case 3:
        case 7:
            return {true, true, true, true, true};
        case kMoveOrigin:
            return {false, true, true, true, true};
        case kClearPosition:
            return {true, false, false, false, false};
        default:
            return {};
    }
}

bool IsValidJump(uint16_t value, uint16_t itemCount) {
    return value < itemCount || (value >= kJumpBase && value - kJumpBase < itemCount);
}

bool IsLoopCounted(uint16_t loopCount) {
    return loopCount >= 1 && loopCount <= kMaxLoopCount;
}

bool HasPt3(uint8_t boardType) {
    return boardType == board_type::kAbsServo || boardType == board_type::kBldc;
}

uint16_t EndSignBit(uint8_t boardType) {
    return HasPt3(boardType) ? 0x10 : 0x08;
}

uint16_t PtOutputMask(uint8_t boardType) {
    return HasPt3(boardType) ? 0x0F : 0x07;
}

bool HasPtOutput(uint16_t ptSet, uint8_t boardType) {
    return ptSet != 0 && ptSet != EndSignBit(boardType);
}

bool HasInposColumn(uint8_t boardType) {
    return boardType != board_type::kStepper;
}

bool OffersInposCheck(uint8_t boardType) {
    switch (boardType) {
        case board_type::kServo:
        case board_type::kMotionController:
        case board_type::kAbsServo:
        case board_type::kBldc:
        case board_type::kMotionController2:
            return true;
        default:
            return false;
    }
}

std::array<std::string, 17> CellTexts(const PosItemFields& f, uint16_t count, bool loaded) {
    std::array<std::string, 17> t;
    if (!loaded || f.IsEmpty()) return t;
    const MotionUse use = UsedFields(f.command);
    t[0] = std::to_string(f.command);
    if (use.position) t[1] = std::to_string(f.position);
    if (use.lowSpeed) t[2] = std::to_string(f.lowSpeed);
    if (use.highSpeed) t[3] = std::to_string(f.highSpeed);
    if (use.accel) t[4] = std::to_string(f.accel);
    if (use.decel) t[5] = std::to_string(f.decel);
    t[6] = std::to_string(f.waitTime);
    t[7] = std::to_string(f.continuous);
    const auto jump = [count](uint16_t v) {
        return IsValidJump(v, count) ? std::to_string(v) : std::string();
    };
    t[8] = jump(f.jump);
    for (int k = 0; k < 3; ++k) t[9 + k] = jump(f.jpt[k]);
    if (IsLoopCounted(f.loopCount)) {
        t[12] = std::to_string(f.loopCount);
        t[13] = jump(f.loopJump);
    }
    t[14] = std::to_string(f.ptSet);
    if (f.loopClear < count) t[15] = std::to_string(f.loopClear);
    if (f.command != kClearPosition && f.checkInpos <= 1) t[16] = std::to_string(f.checkInpos);
    return t;
}

bool IsAbsolute(uint16_t command) {
    return command <= 3;
}

}  // namespace tarsel::postable
