// Position table of a simulated drive: 64-byte items, ROM copy, and the executor that runs
// the items one after another (motion, wait time, jumps, counting loops, PT outputs).
#include <algorithm>
#include <cstring>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

// Field offsets of an item.
constexpr std::size_t kPosition = 0, kLowSpeed = 4, kHighSpeed = 8, kAccel = 12, kDecel = 14, kCommand = 16,
                      kWaitTime = 18, kContinuous = 20, kJump = 22, kJpt0 = 24, kLoopCount = 30,
                      kLoopJump = 32, kPtSet = 34, kLoopClear = 36;
constexpr uint16_t kJumpOffset = 10000;
constexpr uint16_t kEmptyCommand = 10;
constexpr std::size_t kBitmapBytes = 32;
constexpr std::size_t kHistoryLimit = 20000;  // an endless table keeps only its recent items

}  // namespace

uint16_t Drive::ItemField(const TableItem& item, std::size_t offset) const {
    return GetU16(item.data() + offset);
}

bool Drive::ItemHasData(uint16_t item) const {
    return item < table_.size() && ItemField(table_[item], kCommand) < kEmptyCommand;
}

bool Drive::ValidJump(uint16_t value, uint16_t& target) const {
    const uint16_t count = static_cast<uint16_t>(table_.size());
    if (value < count) {
        target = value;
        return true;
    }
    if (value >= kJumpOffset && value < kJumpOffset + count) {
        target = static_cast<uint16_t>(value - kJumpOffset);
        return true;
    }
    return false;
}

void Drive::SetPtOutputs(uint16_t ptSet, bool endOfItem) {
    const uint16_t endFlag = traits_.hasPt3 ? 0x10 : 0x08;
    const uint16_t bits = ptSet & (traits_.hasPt3 ? 0x0F : 0x07);
    if (bits == 0 || ((ptSet & endFlag) != 0) != endOfItem) return;
    uint32_t outputs = 0, mask = 0;
    for (int k = 0; k < (traits_.hasPt3 ? 4 : 3); ++k) {
        mask |= 1u << (traits_.outPt0 - 1 + k);
        if (bits & (1u << k)) outputs |= 1u << (traits_.outPt0 - 1 + k);
    }
    ptOutputs_ = (ptOutputs_ & ~mask) | outputs;
}

void Drive::StartTable(uint16_t item, bool singleStep, Clock::time_point now) {
    run_.running = true;
    run_.singleStep = singleStep;
    run_.hasNext = false;
    run_.waiting = false;
    StartItem(item, now);
}

void Drive::EndTable() {
    run_.running = false;
    run_.waiting = false;
}

void Drive::StartItem(uint16_t index, Clock::time_point now) {
    run_.item = index;
    run_.waiting = false;
    if (index >= table_.size() || !ItemHasData(index)) {
        EndTable();
        return;
    }
    tableHistory_.push_back(index);
    if (tableHistory_.size() > kHistoryLimit)
        tableHistory_.erase(tableHistory_.begin(), tableHistory_.begin() + kHistoryLimit / 2);
    const TableItem& item = table_[index];
    const uint16_t clear = ItemField(item, kLoopClear);
    if (clear < run_.loopCounters.size()) run_.loopCounters[clear] = 0;
    SetPtOutputs(ItemField(item, kPtSet), false);

    const uint16_t command = ItemField(item, kCommand);
    const double position = GetS32(item.data() + kPosition);
    const double low = GetU32(item.data() + kLowSpeed), high = GetU32(item.data() + kHighSpeed);
    MoveShape shape;
    shape.accelSeconds = ItemField(item, kAccel) / 1000.0;
    shape.decelSeconds = ItemField(item, kDecel) / 1000.0;
    switch (command % 4) {
        case 0:
            shape = {low, low, low, 0, 0};
            break;  // only low speed
        case 1:
            shape = {high, high, high, 0, 0};
            break;  // only high speed
        case 2:
            shape.startSpeed = shape.maxSpeed = high;  // high speed, decelerating to low
            shape.endSpeed = low;
            shape.accelSeconds = 0;
            break;
        default:
            shape.startSpeed = low, shape.maxSpeed = high, shape.endSpeed = low;
            break;
    }
    uint8_t result = 0;
    if (command == 8) {
        MoveShape origin{low, high, low, shape.accelSeconds, shape.decelSeconds};
        result = StartOrigin(now, origin);
    } else if (command == 9) {
        if (Moving())
            result = 0x85;
        else
            ForcePositions(static_cast<int32_t>(position), static_cast<int32_t>(position));
    } else if (shape.maxSpeed <= 0) {
        result = kStatusDataError;
    } else if ((result = CheckMotionAllowed(now)) == 0) {
        double target = command < 4 ? position : position_ + position;
        result = StartMove(target, shape, now);
    }
    if (result != 0) EndTable();
}

void Drive::AdvanceTable(Clock::time_point now) {
    if (!run_.running) return;
    const TableItem& item = table_[run_.item];
    if (!run_.waiting) {
        if (Moving()) return;
        SetPtOutputs(ItemField(item, kPtSet), true);
        const bool continuous = ItemField(item, kContinuous) == 1;
        run_.waiting = true;
        run_.waitUntil = now + std::chrono::milliseconds(continuous ? 0 : ItemField(item, kWaitTime));
    }
    if (now < run_.waitUntil) return;

    // Where to continue: a jump input first, then the counting loop, then the jump item.
    uint16_t next = 0;
    bool hasNext = false;
    const uint64_t inputs = InputStatus(now);
    for (int k = 0; k < 3 && !hasNext; ++k)
        if ((inputs >> (in::kJptIn0 - 1 + k)) & 1u) hasNext = ValidJump(ItemField(item, kJpt0 + 2 * k), next);
    if (!hasNext) {
        const uint16_t loops = ItemField(item, kLoopCount);
        uint16_t& counter = run_.loopCounters[run_.item];
        if (loops >= 1 && loops <= 100 && ++counter >= loops) {
            counter = 0;
            hasNext = ValidJump(ItemField(item, kLoopJump), next);
        } else {
            hasNext = ValidJump(ItemField(item, kJump), next);
        }
    }
    if (run_.singleStep) {
        run_.hasNext = hasNext;
        run_.next = next;
        EndTable();
    } else if (hasNext) {
        StartItem(next, now);
    } else {
        EndTable();
    }
}

std::optional<TableItem> Drive::Item(uint16_t item) const {
    if (item >= table_.size()) return std::nullopt;
    return table_[item];
}

bool Drive::ForceItem(uint16_t item, const TableItem& data) {
    if (item >= table_.size()) return false;
    table_[item] = data;
    return true;
}

DriveResponse Drive::HandleTable(uint8_t type, const uint8_t* data, std::size_t length,
                                 Clock::time_point now) {
    auto itemArg = [&](std::size_t offset, uint16_t& item) {
        item = GetU16(data + offset);
        return item < table_.size();
    };
    uint16_t item = 0;
    switch (type) {
        case 0x60: {
            if (length < 2) return Status(kStatusPacketError);
            if (!itemArg(0, item)) return Status(kStatusDataError);
            DriveResponse r;
            r.data.assign(table_[item].begin(), table_[item].end());
            return r;
        }
        case 0x61:
            if (length < 2 + kItemSize) return Status(kStatusPacketError);
            if (!itemArg(0, item)) return Status(kStatusDataError);
            std::memcpy(table_[item].data(), data + 2, kItemSize);
            return WithU8(1);
        case 0x62:
            table_ = romTable_;
            return WithU8(0);
        case 0x63:
            romTable_ = table_;
            return WithU8(0);
        case 0x64:
            if (length < 2) return Status(kStatusPacketError);
            if (!itemArg(0, item)) return Status(kStatusDataError);
            if (!ItemHasData(item) || Moving() || !MotorReady()) return Status(0x85);
            StartTable(item, false, now);
            return Status(run_.running ? 0 : 0x85);
        case 0x65: {
            DriveResponse r;
            r.data.assign(kBitmapBytes, 0);
            for (uint16_t i = 0; i < table_.size() && i < kBitmapBytes * 8; ++i)
                if (ItemHasData(i)) r.data[i / 8] |= static_cast<uint8_t>(1u << (i % 8));
            return r;
        }
        case 0x68: {
            if (length < 3) return Status(kStatusPacketError);
            if (!itemArg(1, item)) return Status(kStatusDataError);
            if (data[0] && run_.hasNext) item = run_.next;  // continue with the step that follows
            if (!ItemHasData(item) || Moving() || !MotorReady()) return Status(0x85);
            StartTable(item, true, now);
            return Status(run_.running ? 0 : 0x85);
        }
        case 0x69:
            // Nonzero once a single-step sequence has no further item.
            return WithU8(!run_.running && !run_.hasNext ? 1 : 0);
        case 0x6A:
        case 0x6B: {
            if (length < (type == 0x6A ? 4u : 8u)) return Status(kStatusPacketError);
            if (!itemArg(0, item)) return Status(kStatusDataError);
            const uint16_t offset = GetU16(data + 2);  // byte offset of the 32-bit value in the item
            if (offset > kItemSize - 4) return Status(kStatusDataError);
            if (type == 0x6A) return WithS32(GetS32(table_[item].data() + offset));
            std::memcpy(table_[item].data() + offset, data + 4, 4);
            return {};
        }
    }
    return Status(kStatusFrameTypeError);
}

std::vector<uint8_t> Drive::RomTableBytes() const {
    std::vector<uint8_t> bytes;
    for (const TableItem& item : romTable_) bytes.insert(bytes.end(), item.begin(), item.end());
    return bytes;
}

void Drive::LoadRomTable(const std::vector<uint8_t>& bytes) {
    for (std::size_t i = 0; i < romTable_.size() && (i + 1) * kItemSize <= bytes.size(); ++i)
        std::memcpy(romTable_[i].data(), bytes.data() + i * kItemSize, kItemSize);
    table_ = romTable_;
}

}  // namespace tarsel::sim
