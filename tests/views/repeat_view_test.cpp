// The repeat test view against simulated drives that move in real time.
#include <QCheckBox>
#include <QElapsedTimer>
#include <set>

#include "gui/widgets/invalid_edit.h"
#include "tests/views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

constexpr uint8_t kServo = 0;
constexpr uint8_t kStepper = 1;
constexpr uint8_t kAbsServo = 3;

class RepeatViewTest : public ViewsTest {
protected:
    void Set(CViewRepeat* view, CViewRepeat::Field field, const char* text) {
        view->Edit(field)->setText(QString::fromLatin1(text));
        EXPECT_FALSE(widgets::IsMarkedInvalid(view->Edit(field))) << text;
    }
    // Positions 0 and `second` at `speed`, `delay` ms, `count` cycles.
    void Configure(CViewRepeat* view, const char* second, const char* speed, const char* delay,
                   const char* count) {
        Set(view, CViewRepeat::kPosition1, "0");
        Set(view, CViewRepeat::kPosition2, second);
        Set(view, CViewRepeat::kMoveSpeed, speed);
        Set(view, CViewRepeat::kDelay, delay);
        Set(view, CViewRepeat::kRepeat, count);
    }
    QPushButton* RepeatButton(CViewRepeat* view) { return Child<QPushButton>(view, "repeatButton"); }
    QString Shown(CViewRepeat* view, const char* name) { return Child<QLineEdit>(view, name)->text(); }
    // Opens the repeat test once the drive's cached status shows the servo on.
    CViewRepeat* OpenServoOn(uint8_t slave) {
        CViewRepeat* view = OpenRepeat(slave);
        if (view != nullptr && !WaitFor([&] { return BoardOf(slave)->IsMotorOn(); })) return nullptr;
        return view;
    }
    bool Ended(CViewRepeat* view) { return !view->Worker().Exists() && !RepeatButton(view)->isChecked(); }
};

TEST_F(RepeatViewTest, CountedRunShowsEveryCycleAndEndsAtTheFirstPosition) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    ASSERT_TRUE(line_.SetServoOn(kServo, true));
    CViewRepeat* view = OpenServoOn(kServo);
    ASSERT_NE(view, nullptr);
    Configure(view, "20000", "100000", "0", "3");
    RepeatButton(view)->click();
    ASSERT_TRUE(view->Worker().Exists());
    EXPECT_TRUE(RepeatButton(view)->isEnabled());  // pressed again, it ends the run
    EXPECT_FALSE(Child<QPushButton>(view, "movePos1Button")->isEnabled());
    std::set<QString> counts;
    ASSERT_TRUE(WaitFor(
        [&] {
            counts.insert(Shown(view, "repeatCountValue"));
            return Ended(view);
        },
        10000));
    EXPECT_EQ(counts, (std::set<QString>{"0", "1", "2", "3"}));
    EXPECT_EQ(Axis(kServo)->commandPosition, 0);
    EXPECT_GT(Shown(view, "cycleTimeValue").toInt(), 0);
    EXPECT_TRUE(Child<QPushButton>(view, "movePos1Button")->isEnabled());
}

TEST_F(RepeatViewTest, StopEndsAnEndlessRunDuringItsDelayWithinOneTick) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    ASSERT_TRUE(line_.SetServoOn(kServo, true));
    CViewRepeat* view = OpenServoOn(kServo);
    ASSERT_NE(view, nullptr);
    Configure(view, "3000", "200000", "8000", "0");
    RepeatButton(view)->click();
    // Resting at the second position: the delay runs.
    ASSERT_TRUE(WaitFor([&] { return Axis(kServo)->commandPosition == 3000 && !Moving(kServo); }));
    QElapsedTimer timer;
    timer.start();
    Click(view, "stopButton");
    EXPECT_FALSE(RepeatButton(view)->isChecked());
    ASSERT_TRUE(WaitFor([&] { return Ended(view); }, 2000));
    EXPECT_LT(timer.elapsed(), 2 * CViewRepeat::kRedrawMs + 100);
    EXPECT_FALSE(BoardOf(kServo)->IsRepeatRunning());
    EXPECT_EQ(Axis(kServo)->commandPosition, 3000);
}

TEST_F(RepeatViewTest, ReleasingRepeatEndsTheRunAfterTheCurrentCycle) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    ASSERT_TRUE(line_.SetServoOn(kServo, true));
    CViewRepeat* view = OpenServoOn(kServo);
    ASSERT_NE(view, nullptr);
    Configure(view, "20000", "100000", "0", "0");
    RepeatButton(view)->click();
    ASSERT_TRUE(WaitFor([&] { return view->Worker().Cycles() >= 2; }, 5000));
    // Changed during the run: taken by the worker and kept for the drive.
    Set(view, CViewRepeat::kDelay, "50");
    EXPECT_EQ(view->Worker().Settings().delayMs.load(), 50u);
    EXPECT_EQ(BoardOf(kServo)->repeatDelayMs.load(), 50u);
    const uint32_t releasedIn = view->Worker().Cycles();
    RepeatButton(view)->click();  // released
    EXPECT_FALSE(RepeatButton(view)->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return Ended(view); }, 5000));
    EXPECT_GE(view->Worker().Cycles(), releasedIn);
    EXPECT_LE(view->Worker().Cycles(), releasedIn + 1);
    EXPECT_EQ(Axis(kServo)->commandPosition, 0);
    ASSERT_TRUE(WaitFor([&] { return RepeatButton(view)->isEnabled(); }));
    // The count left behind by the release is not the one of the next run.
    EXPECT_EQ(view->Edit(CViewRepeat::kRepeat)->text(), QStringLiteral("0"));
}

TEST_F(RepeatViewTest, StartingWithTheMotorOffShowsWhyAndReleasesTheButton) {
    Start({SupportedDrive(kServo, sim::model::kServo), SupportedDrive(kStepper, sim::model::kStepper)});
    ASSERT_TRUE(line_.SetServoOn(kStepper, false));
    const struct {
        uint8_t slave;
        const char* text;
    } cases[] = {{kServo, "It's SERVO OFF status. This function works when it's  SERVO ON."},
                 {kStepper, "It's Alarm Reset status. This function works when the Alarm Reset is off."}};
    for (const auto& c : cases) {
        CViewRepeat* view = OpenRepeat(c.slave);
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(WaitFor([&] { return BoardOf(c.slave)->GetAxisStatus() != 0; }));  // status read
        dialogs_.boxes.clear();
        RepeatButton(view)->click();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, QString::fromLatin1(c.text));
        EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_FALSE(RepeatButton(view)->isChecked());
        EXPECT_FALSE(view->Worker().Exists());
    }
}

TEST_F(RepeatViewTest, SettingsStayWithTheDriveAndTheFormFollowsItsFamily) {
    Start({SupportedDrive(kServo, sim::model::kServo), SupportedDrive(kStepper, sim::model::kStepper),
           SupportedDrive(kAbsServo, sim::model::kAbsServo)});
    CViewRepeat* first = OpenRepeat(kServo);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Edit(CViewRepeat::kPosition2)->text(), QStringLiteral("10000"));  // the board's defaults
    EXPECT_EQ(first->Edit(CViewRepeat::kMoveSpeed)->text(), QStringLiteral("10000"));
    Set(first, CViewRepeat::kPosition2, "7777");
    Child<QCheckBox>(first, "position3Check")->setChecked(true);
    first->Edit(CViewRepeat::kMoveSpeed)->setText(QStringLiteral("0"));  // parameter 1 refuses 0
    EXPECT_TRUE(widgets::IsMarkedInvalid(first->Edit(CViewRepeat::kMoveSpeed)));
    first->Edit(CViewRepeat::kDelay)->setText(QStringLiteral("-5"));
    EXPECT_TRUE(widgets::IsMarkedInvalid(first->Edit(CViewRepeat::kDelay)));
    Click(first, "closeButton");
    ASSERT_TRUE(WaitFor([&] { return frame_->RepeatFrames().empty(); }));

    CViewRepeat* second = OpenRepeat(kServo);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Edit(CViewRepeat::kPosition2)->text(), QStringLiteral("7777"));
    EXPECT_EQ(second->Edit(CViewRepeat::kMoveSpeed)->text(), QStringLiteral("10000"));
    EXPECT_EQ(second->Edit(CViewRepeat::kDelay)->text(), QStringLiteral("0"));
    EXPECT_TRUE(Child<QCheckBox>(second, "position3Check")->isChecked());
    EXPECT_TRUE(second->Edit(CViewRepeat::kPosition3)->isEnabled());

    const struct {
        uint8_t slave;
        bool inPosition, clearStatus, actualPos;
    } forms[] = {{kServo, true, true, true}, {kStepper, false, true, false}, {kAbsServo, true, false, true}};
    for (const auto& f : forms) {
        CViewRepeat* view = OpenRepeat(f.slave);
        ASSERT_NE(view, nullptr);
        SCOPED_TRACE(int(f.slave));
        EXPECT_EQ(Child<QCheckBox>(view, "checkInpositionCheck")->isVisibleTo(view), f.inPosition);
        EXPECT_EQ(Child<QPushButton>(view, "clearStatusButton")->isVisibleTo(view), f.clearStatus);
        EXPECT_EQ(Child<QLineEdit>(view, "actualPosValue")->isVisibleTo(view), f.actualPos);
        EXPECT_EQ(Child<QLineEdit>(view, "posErrorValue")->isVisibleTo(view), f.actualPos);
        EXPECT_EQ(BoardOf(f.slave)->WatchCount(CBoardInterface::kWatchOther), f.slave == kServo ? 2u : 1u);
    }
}

TEST_F(RepeatViewTest, TwoDrivesRunAtOnceAndClosingStopsARun) {
    Start({SupportedDrive(kServo, sim::model::kServo), SupportedDrive(kAbsServo, sim::model::kAbsServo)});
    ASSERT_TRUE(line_.SetServoOn(kServo, true));
    ASSERT_TRUE(line_.SetServoOn(kAbsServo, true));
    CViewRepeat* a = OpenServoOn(kServo);
    CViewRepeat* b = OpenServoOn(kAbsServo);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    Configure(a, "30000", "100000", "0", "0");
    Configure(b, "-30000", "100000", "0", "0");
    RepeatButton(a)->click();
    RepeatButton(b)->click();
    ASSERT_TRUE(WaitFor([&] { return a->Worker().Cycles() >= 1 && b->Worker().Cycles() >= 1; }, 5000));
    EXPECT_TRUE(a->Worker().IsRunning());
    EXPECT_TRUE(b->Worker().IsRunning());

    Click(a, "closeButton");
    ASSERT_TRUE(WaitFor([&] { return frame_->RepeatFrames().size() == 1; }, 2000));
    EXPECT_FALSE(BoardOf(kServo)->IsRepeatRunning());
    EXPECT_EQ(BoardOf(kServo)->WatchCount(CBoardInterface::kWatchOther), 0u);
    EXPECT_TRUE(b->Worker().IsRunning());
    Click(b, "eStopButton");
    ASSERT_TRUE(WaitFor([&] { return Ended(b); }, 2000));
}

// The adapter is pulled during a run: the window closes with its drive, the worker ends, nothing
// hangs, and the lost connection is reported.
TEST_F(RepeatViewTest, PullingTheLineDuringARunClosesTheWindow) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    ASSERT_TRUE(line_.SetServoOn(kServo, true));
    CViewRepeat* view = OpenServoOn(kServo);
    ASSERT_NE(view, nullptr);
    Configure(view, "50000", "100000", "0", "0");
    RepeatButton(view)->click();
    ASSERT_TRUE(WaitFor([&] { return view->Worker().Cycles() >= 1; }));
    line_.HangUp();
    ASSERT_TRUE(WaitFor([&] { return frame_->RepeatFrames().empty() && !frame_->IsConnected(); }, 8000));
    ASSERT_TRUE(WaitFor([&] { return frame_->findChildren<CViewRepeat*>().isEmpty(); }, 3000));
    EXPECT_TRUE(dialogs_.Texts().contains(QStringLiteral("Serial communication was disconnected.")));
}

}  // namespace
}  // namespace tarsel::views::testing
