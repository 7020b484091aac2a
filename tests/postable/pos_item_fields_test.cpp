// Item records and the list's blanking rules.
#include <gtest/gtest.h>

#include "gui/dialogs/pos_item_fields.h"

namespace tarsel::postable {
namespace {

TEST(PosItemFields, EncodeKeepsTheRecordTailAndDecodesBack) {
    PosTableItem record;
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i);
    PosItemFields f;
    f.position = -123456;
    f.lowSpeed = 7;
    f.highSpeed = 2500000;
    f.command = 9;
    f.jpt = {1, 10002, kNoItem};
    f.checkInpos = 1;
    Encode(f, record);
    EXPECT_EQ(Decode(record), f);
    EXPECT_EQ(record[16], 9);  // the command lies at byte 16
    for (std::size_t i = 40; i < record.size(); ++i) EXPECT_EQ(record[i], i) << i;
}

TEST(PosItemFields, JumpRule) {
    struct Case {
        uint16_t value;
        bool valid;
    };
    for (const Case c : {Case{0, true}, Case{15, true}, Case{16, false}, Case{9999, false}, Case{10000, true},
                         Case{10015, true}, Case{10016, false}, Case{kNoItem, false}}) {
        EXPECT_EQ(IsValidJump(c.value, 16), c.valid) << c.value;
    }
}

TEST(PosItemFields, CellsFollowTheCommandTable) {
    struct Case {
        uint16_t command;
        const char* motion;  // which of position, low, high, accel, decel show
    };
    for (const Case c : {Case{0, "PL..."}, Case{5, "P.H.."}, Case{2, "PLH.D"}, Case{7, "PLHAD"},
                         Case{8, ".LHAD"}, Case{9, "P...."}}) {
        PosItemFields f;
        f.command = c.command;
        f.position = 1, f.lowSpeed = 2, f.highSpeed = 3, f.accel = 4, f.decel = 5;
        const auto t = CellTexts(f, 16, true);
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(!t[1 + k].empty(), c.motion[k] != '.') << c.command << " field " << k;
        EXPECT_EQ(t[16].empty(), c.command == 9) << c.command;  // no in-position check for a clear
    }
}

TEST(PosItemFields, CellsBlankEmptyUnloadedAndOutOfRangeValues) {
    PosItemFields f;
    f.command = 3;
    f.loopCount = 100;
    f.loopJump = 10003;
    f.loopClear = 16;
    f.checkInpos = 2;
    auto t = CellTexts(f, 16, true);
    EXPECT_EQ(t[12], "100");
    EXPECT_EQ(t[13], "10003");
    EXPECT_EQ(t[15], "");  // loop clear must be below the count
    EXPECT_EQ(t[16], "");  // only 0 or 1 shows
    f.loopCount = 0;
    t = CellTexts(f, 16, true);
    EXPECT_EQ(t[12], "");
    EXPECT_EQ(t[13], "");
    for (const auto& cell : CellTexts(f, 16, false)) EXPECT_EQ(cell, "");
    f.command = 10;
    for (const auto& cell : CellTexts(f, 16, true)) EXPECT_EQ(cell, "");
}

TEST(PosItemFields, PtBitsByBoardType) {
    struct Case {
        uint8_t type;
        bool pt3;
        uint16_t endSign;
    };
    for (const Case c : {Case{1, false, 0x08}, Case{10, false, 0x08}, Case{20, false, 0x08},
                         Case{30, true, 0x10}, Case{40, true, 0x10}, Case{110, false, 0x08}}) {
        EXPECT_EQ(HasPt3(c.type), c.pt3) << int(c.type);
        EXPECT_EQ(EndSignBit(c.type), c.endSign) << int(c.type);
        EXPECT_FALSE(HasPtOutput(c.endSign, c.type));
        EXPECT_TRUE(HasPtOutput(c.endSign | 1, c.type));
    }
}

}  // namespace
}  // namespace tarsel::postable
