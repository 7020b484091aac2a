// The family table of the motion views and the number rules of the test views' edits.
#include <gtest/gtest.h>

#include "gui/views/motion_family.h"
#include "gui/views/number_text.h"

namespace tarsel::views {
namespace {

TEST(MotionFamilyTest, EachBoardTypeGetsItsRow) {
    const struct {
        uint8_t type;
        const char* className;
        std::size_t methods;
        bool brake;
        uint8_t startSpeed, originMethod;
    } rows[] = {{1, "CViewMotion", 5, true, 2, 20},    {20, "CViewMotion2", 3, false, 2, 20},
                {10, "CViewMotion3", 3, false, 2, 20}, {30, "CViewMotion5", 5, true, 2, 20},
                {40, "CViewMotion6", 6, true, 1, 19},  {110, "CViewMotion7", 3, false, 2, 17},
                {0, "CViewMotion", 5, true, 2, 20},    {77, "CViewMotion", 5, true, 2, 20}};
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.type));
        const MotionFamily& f = MotionFamilyOf(r.type);
        EXPECT_STREQ(f.className, r.className);
        EXPECT_EQ(f.originMethods.size(), r.methods);
        EXPECT_EQ(f.brake, r.brake);
        EXPECT_EQ(f.params.startSpeed, r.startSpeed);
        EXPECT_EQ(f.params.originMethod, r.originMethod);
    }
    EXPECT_STREQ(MotionFamilyOf(40).originMethods.back(), "Set Origin");
    EXPECT_STREQ(MotionFamilyOf(10).lampLabels[0], "Err Servo Alarm");
    EXPECT_STREQ(MotionFamilyOf(110).lampLabels[15], "Reserved");
    EXPECT_STREQ(MotionFamilyOf(20).lampLabels[21], "Alarm Reset");
    EXPECT_STREQ(MotionFamilyOf(1).lampLabels[31], "Motion Constant");
}

TEST(MotionFamilyTest, EnableStateCaptionAndCommand) {
    const MotionFamily& servo = MotionFamilyOf(1);
    const MotionFamily& stepper = MotionFamilyOf(20);
    EXPECT_TRUE(servo.EnableState(1u << 20));
    EXPECT_FALSE(servo.EnableState(1u << 21));
    EXPECT_STREQ(servo.EnableCaption(true), "SERVO OFF");
    EXPECT_STREQ(servo.EnableCaption(false), "SERVO ON");
    EXPECT_FALSE(servo.MotorEnableArgument(true));  // on: switch off
    // The stepper's state is its free motor: "Alarm Reset" or "Err Step Alarm".
    EXPECT_TRUE(stepper.EnableState(1u << 21));
    EXPECT_TRUE(stepper.EnableState(1u << 7));
    EXPECT_FALSE(stepper.EnableState(1u << 20));
    EXPECT_STREQ(stepper.EnableCaption(true), "STEP ON");
    EXPECT_STREQ(stepper.EnableCaption(false), "STEP OFF");
    EXPECT_TRUE(stepper.MotorEnableArgument(true));  // free: switch the motor on
}

TEST(MotionFamilyTest, AlarmTextAndButtonState) {
    EXPECT_EQ(AlarmText(0), "");
    EXPECT_EQ(AlarmText(3), "Position Tracking [3]");
    EXPECT_EQ(AlarmText(13), "13");
    EXPECT_EQ(AlarmText(16), "Position Changed [16]");
    EXPECT_EQ(AlarmText(200), "200");

    EXPECT_EQ(ButtonState(false, false, false, true), MotionButtons::Idle);
    EXPECT_EQ(ButtonState(true, false, false, false), MotionButtons::Busy);
    EXPECT_EQ(ButtonState(false, true, false, false), MotionButtons::Busy);
    EXPECT_EQ(ButtonState(false, false, true, false), MotionButtons::Busy);
    EXPECT_EQ(ButtonState(true, false, false, true), MotionButtons::BusyJog);
}

TEST(NumberTextTest, WholeDecimalNumbersOnly) {
    const struct {
        const char* text;
        std::optional<int32_t> signedValue;
        std::optional<uint32_t> unsignedValue;
    } cases[] = {{"0", 0, 0u},
                 {"10000", 10000, 10000u},
                 {"-42", -42, std::nullopt},
                 {"2147483647", 2147483647, 2147483647u},
                 {"2147483648", std::nullopt, 2147483648u},
                 {"-2147483648", INT32_MIN, std::nullopt},
                 {"4294967296", std::nullopt, std::nullopt},
                 {"", std::nullopt, std::nullopt},
                 {"-", std::nullopt, std::nullopt},
                 {"+5", std::nullopt, std::nullopt},
                 {" 5", std::nullopt, std::nullopt},
                 {"5.0", std::nullopt, std::nullopt},
                 {"1e3", std::nullopt, std::nullopt},
                 {"0x10", std::nullopt, std::nullopt},
                 {"99999999999999", std::nullopt, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseSigned(QString::fromLatin1(c.text)), c.signedValue);
        EXPECT_EQ(ParseUnsigned(QString::fromLatin1(c.text)), c.unsignedValue);
    }
}

}  // namespace
}  // namespace tarsel::views
