#include "formats/metadata/item_line.h"

#include <gtest/gtest.h>

#include "formats/metadata/CBLDCParamInfo.h"
#include "formats/metadata/CParamItemInfo.h"

namespace tarsel {
namespace {

TEST(ItemLine, ConsecutiveSeparatorsCountAsOne) {
    EXPECT_EQ(metadata::SplitItemLine("|a||b| |c|"), (std::vector<std::string>{"a", "b", " ", "c"}));
    EXPECT_TRUE(metadata::SplitItemLine("").empty());
    EXPECT_TRUE(metadata::SplitItemLine("|||").empty());
}

TEST(ItemLine, NumbersConvertLikeTheCLibrary) {
    EXPECT_EQ(metadata::ParseDecimal(" -12x"), -12);
    EXPECT_EQ(metadata::ParseDecimal("+7"), 7);
    EXPECT_EQ(metadata::ParseDecimal("x"), 0);
    EXPECT_EQ(metadata::ParseDecimal("99999999999"), INT32_MAX);
    EXPECT_EQ(metadata::ParseDecimal("-99999999999"), INT32_MIN);
    EXPECT_DOUBLE_EQ(metadata::ParseReal(" 0.25"), 0.25);
    EXPECT_DOUBLE_EQ(metadata::ParseReal("-1e2x"), -100.0);
    EXPECT_DOUBLE_EQ(metadata::ParseReal("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(metadata::ParseReal("abc"), 0.0);
}

TEST(ParamItemInfo, ParsesAndTrimsItsTokens) {
    CParamItemInfo item;
    item.Parse("Jog Speed   |  [pps]  |1|2500000|5000");
    EXPECT_EQ(item.name, "Jog Speed");
    EXPECT_EQ(item.field, "[pps]");
    EXPECT_EQ(item.minimum, 1);
    EXPECT_EQ(item.maximum, 2500000);
    EXPECT_EQ(item.default_value, 5000);
    EXPECT_TRUE(item.IsInRange(1));
    EXPECT_TRUE(item.IsInRange(2500000));
    EXPECT_FALSE(item.IsInRange(0));
    EXPECT_FALSE(item.IsInRange(2500001));
}

TEST(ParamItemInfo, MissingTokensAndLongTextsAreHandled) {
    CParamItemInfo item;
    item.Parse("A name that is far longer than the field allows|a very long field|5");
    EXPECT_EQ(item.name, "A name that is far longer t");  // 27 characters
    EXPECT_EQ(item.field, "a very long");                 // 11 characters
    EXPECT_EQ(item.minimum, 5);
    EXPECT_EQ(item.maximum, 0);
    EXPECT_EQ(item.default_value, 0);

    CParamItemInfo empty;
    empty.Parse("");
    EXPECT_TRUE(empty.name.empty());
    EXPECT_TRUE(empty.IsInRange(0));
    EXPECT_FALSE(empty.IsInRange(1));
}

TEST(BLDCParamInfo, ParsesAllTokens) {
    CBLDCParamInfo info;
    info.Parse("Phase Resistance |[ohm]|RO|/|1000|0|100|-3");
    EXPECT_EQ(info.name, "Phase Resistance");
    EXPECT_EQ(info.field, "[ohm]");
    EXPECT_TRUE(info.read_only);
    EXPECT_FALSE(info.hidden);
    EXPECT_EQ(info.op, '/');
    EXPECT_EQ(info.factor, 1000);
    EXPECT_DOUBLE_EQ(info.minimum, 0.0);
    EXPECT_DOUBLE_EQ(info.maximum, 100.0);
    EXPECT_TRUE(info.has_rounding);
    EXPECT_EQ(info.rounding_digits, -3);
    EXPECT_TRUE(info.IsInRange(99.5));
    EXPECT_FALSE(info.IsInRange(100.001));
}

TEST(BLDCParamInfo, AccessOperatorFactorAndRounding) {
    CBLDCParamInfo hidden;
    hidden.Parse("Trigger|[t]|H| *|0|0|1");
    EXPECT_TRUE(hidden.hidden);
    EXPECT_FALSE(hidden.read_only);
    EXPECT_EQ(hidden.op, '*');
    EXPECT_EQ(hidden.factor, 1);  // 0 acts as 1
    EXPECT_FALSE(hidden.has_rounding);

    CBLDCParamInfo rw;
    rw.Parse("Gain|[%]|RW| |10|0.5|2.5|0");
    EXPECT_FALSE(rw.hidden);
    EXPECT_FALSE(rw.read_only);
    EXPECT_EQ(rw.op, '\0');  // a blank operator token
    EXPECT_DOUBLE_EQ(rw.minimum, 0.5);
    EXPECT_TRUE(rw.has_rounding);
    EXPECT_EQ(rw.rounding_digits, 0);
}

}  // namespace
}  // namespace tarsel
