// The seventeen fields of a position table item and the rules the position table windows apply
// to them: which columns a command uses, which jump values mean an item, the PT output bits of
// each board type and the absolute-position items teaching works on.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "gui/model/board/board_commands.h"

namespace tarsel::postable {

constexpr uint16_t kNoItem = 0xFFFF;
constexpr uint16_t kEmptyCommand = 10;  // a command of 10 or more marks an empty item
constexpr uint16_t kMoveOrigin = 8;
constexpr uint16_t kClearPosition = 9;
constexpr uint16_t kJumpBase = 10000;  // jump values 10000.. name items too
constexpr uint16_t kMaxLoopCount = 100;

// The first 40 bytes of the 64-byte record, little-endian, in this order.
struct PosItemFields {
    int32_t position = 0;
    uint32_t lowSpeed = 0;
    uint32_t highSpeed = 0;
    uint16_t accel = 0;
    uint16_t decel = 0;
    uint16_t command = kEmptyCommand;
    uint16_t waitTime = 0;
    uint16_t continuous = 0;
    uint16_t jump = kNoItem;
    std::array<uint16_t, 3> jpt{kNoItem, kNoItem, kNoItem};
    uint16_t loopCount = 0;
    uint16_t loopJump = kNoItem;
    uint16_t ptSet = 0;
    uint16_t loopClear = kNoItem;
    uint16_t checkInpos = 0;

    bool IsEmpty() const { return command >= kEmptyCommand; }
    bool operator==(const PosItemFields&) const = default;
};

PosItemFields Decode(const PosTableItem& record);
// Writes the fields into the first 40 bytes; the rest of the record is kept.
void Encode(const PosItemFields& fields, PosTableItem& record);

// The motion fields a command uses (list columns and editor fields).
struct MotionUse {
    bool position = false, lowSpeed = false, highSpeed = false, accel = false, decel = false;
};
MotionUse UsedFields(uint16_t command);

// A jump names an item when it is below the count or 10000 .. 10000 + count - 1.
bool IsValidJump(uint16_t value, uint16_t itemCount);
bool IsLoopCounted(uint16_t loopCount);

// PT output bits: PT 0..2 everywhere, PT 3 on the absolute servo and the BLDC drive, whose end
// sign then moves from bit 3 to bit 4.
bool HasPt3(uint8_t boardType);
uint16_t EndSignBit(uint8_t boardType);
uint16_t PtOutputMask(uint8_t boardType);
// True when the value drives any PT output (not 0 and not the sign flag alone).
bool HasPtOutput(uint16_t ptSet, uint8_t boardType);

// Whether the in-position check exists on this board type (the stepper has none).
bool HasInposColumn(uint8_t boardType);
// Whether the editor offers the in-position check for this board type.
bool OffersInposCheck(uint8_t boardType);

// The list's texts for columns "CMD" .. "Check Inpos" (17 columns; blank where the rules hide
// a value).  `loaded` false blanks every column.
std::array<std::string, 17> CellTexts(const PosItemFields& item, uint16_t itemCount, bool loaded);

// Teaching works on the absolute-position commands 0..3.
bool IsAbsolute(uint16_t command);

}  // namespace tarsel::postable
