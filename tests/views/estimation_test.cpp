// The estimation dialogs of the BLDC drive against the simulator, which estimates the inertia
// ratio after two moves and R and L after a configurable time.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "gui/dialogs/inertia_dialog.h"
#include "gui/dialogs/rl_dialog.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"
#include "tests/views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

using app::BoxAnswer;
using app::BoxButtons;
using app::DialogKind;
using dialogs::CDlgInertiaEstimation;
using dialogs::CDlgRLEstimation;

constexpr uint8_t kBldc = 2;
const QString kServoOffText =
    QStringLiteral("It's SERVO OFF status. This function works when it's  SERVO ON.");
const QString kFailedText = QStringLiteral("Failed to estimate Inertia Ratio.");

class EstimationTest : public ViewsTest {
protected:
    void SetUp() override {
        ViewsTest::SetUp();
        dialogs::RegisterInertiaDialog(views_);
        dialogs::RegisterRLDialog(views_);
    }
    // A servo and a BLDC drive; the BLDC drive's estimations give `ratio`, R 1.25 and L 2.5.
    void StartBldc(bool servoOn, double ratio = 4.5) {
        sim::DriveConfig bldc = SupportedDrive(kBldc, sim::model::kBldc);
        bldc.inertiaRatio = ratio;
        bldc.windingR = 1.25;
        bldc.windingL = 2.5;
        bldc.rlEstimationMs = 700;
        Start({SupportedDrive(0, sim::model::kServo), bldc});
        ASSERT_TRUE(line_.SetServoOn(kBldc, servoOn));
        servoOn_ = servoOn;
    }
    template <class Dialog>
    Dialog* Open(DialogKind kind, const char* body) {
        frame_->OpenDialog(kind, kPort, kBldc);
        Dialog* dialog = nullptr;
        const bool ready = WaitFor([&] {
            dialog = dynamic_cast<Dialog*>(frame_->Dialog(kind));
            return dialog != nullptr &&
                   dialog->template findChild<QWidget*>(QString::fromLatin1(body))->isEnabled() &&
                   BoardOf(kBldc)->IsMotorOn() == servoOn_;  // the dialog watches the drive
        });
        return ready ? dialog : nullptr;
    }
    CDlgInertiaEstimation* OpenInertia() {
        return Open<CDlgInertiaEstimation>(DialogKind::InertiaEstimate, "inertiaBody");
    }
    CDlgRLEstimation* OpenRL() { return Open<CDlgRLEstimation>(DialogKind::RlEstimate, "rlBody"); }

    // Positions 0 and 2000, fast, no delay unless asked, `count` passes.
    void Configure(CDlgInertiaEstimation* dialog, const char* count, const char* delay = "0") {
        const std::pair<CDlgInertiaEstimation::Field, const char*> values[] = {
            {CDlgInertiaEstimation::kPosition1, "0"},
            {CDlgInertiaEstimation::kPosition2, "2000"},
            {CDlgInertiaEstimation::kMoveSpeed, "200000"},
            {CDlgInertiaEstimation::kDelay, delay},
            {CDlgInertiaEstimation::kRepeat, count}};
        for (const auto& [field, text] : values) {
            dialog->Edit(field)->setText(QString::fromLatin1(text));
            EXPECT_FALSE(widgets::IsMarkedInvalid(dialog->Edit(field))) << text;
        }
    }
    static QPushButton* Run(QWidget* dialog) { return Child<QPushButton>(dialog, "runButton"); }
    static QString Text(QWidget* dialog, const char* name) { return Child<QLineEdit>(dialog, name)->text(); }
    static bool Ended(CDlgInertiaEstimation* dialog) {
        return !dialog->Worker().Exists() && !Run(dialog)->isChecked() && Run(dialog)->isEnabled();
    }
    int Boxes(const QString& text) const { return static_cast<int>(dialogs_.Texts().count(text)); }
    std::optional<int32_t> Trigger(uint32_t category, uint32_t number) {
        return line_.GetBldcParameter(kBldc, static_cast<uint8_t>(category), number);
    }

    bool servoOn_ = false;
};

TEST_F(EstimationTest, InertiaDialogKeepsItsInputsInTheBoardAndCountsAsAWatcher) {
    StartBldc(false);
    CDlgInertiaEstimation* dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("CDlgInertiaEstimation"));
    EXPECT_EQ(BoardOf(kBldc)->WatchCount(CBoardInterface::kWatchOther), 1u);
    Configure(dialog, "2", "15");
    dialog->Edit(CDlgInertiaEstimation::kPosition2)->setText(QStringLiteral("12x"));
    EXPECT_TRUE(widgets::IsMarkedInvalid(dialog->Edit(CDlgInertiaEstimation::kPosition2)));
    EXPECT_EQ(BoardOf(kBldc)->repeatPosition2.load(), 2000);

    // Servo off: the message, and "RUN" released without a run.
    Run(dialog)->click();
    EXPECT_EQ(Boxes(kServoOffText), 1);
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Error"));
    EXPECT_FALSE(Run(dialog)->isChecked());
    EXPECT_FALSE(dialog->Worker().Exists());
    // The press wrote the values taken back into the edits.
    EXPECT_EQ(dialog->Edit(CDlgInertiaEstimation::kPosition2)->text(), QStringLiteral("2000"));

    QPointer<CDlgInertiaEstimation> guard(dialog);
    Click(dialog, "closeButton");
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }));
    EXPECT_EQ(BoardOf(kBldc)->WatchCount(CBoardInterface::kWatchOther), 0u);
    EXPECT_EQ(frame_->Dialog(DialogKind::InertiaEstimate), nullptr);

    // A new dialog for the drive shows the last inputs.
    dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Edit(CDlgInertiaEstimation::kDelay)->text(), QStringLiteral("15"));
    EXPECT_EQ(dialog->Edit(CDlgInertiaEstimation::kRepeat)->text(), QStringLiteral("2"));
}

TEST_F(EstimationTest, InertiaRunEndsWithTheRatioShownAndWriteRomStoresIt) {
    StartBldc(true);
    CDlgInertiaEstimation* dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    const QString before = Text(dialog, "inertiaRatioValue");
    EXPECT_EQ(before, QStringLiteral("0"));  // the drive's value until a run
    Configure(dialog, "1");
    Run(dialog)->click();
    ASSERT_TRUE(dialog->Worker().Exists());
    EXPECT_FALSE(Child<QPushButton>(dialog, "movePos1Button")->isEnabled());
    EXPECT_FALSE(dialog->Selector()->PreviousButton()->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return Ended(dialog); }, 8000));
    ASSERT_TRUE(WaitFor([&] { return Text(dialog, "inertiaRatioValue") == QStringLiteral("4.5"); }));
    EXPECT_EQ(Boxes(kFailedText), 0);
    EXPECT_EQ(Trigger(4, 6), 0);
    EXPECT_EQ(Text(dialog, "repeatCountValue"), QStringLiteral("1"));
    EXPECT_TRUE(Child<QPushButton>(dialog, "movePos1Button")->isEnabled());

    // "Write ROM": asked first; No leaves the ROM alone, Yes stores and says so.
    dialogs_.answers = {BoxAnswer::No};
    Click(dialog, "writeRomButton");
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Do you really want to save it?"));
    EXPECT_EQ(dialogs_.boxes.back().buttons, BoxButtons::YesNo);
    EXPECT_EQ(dialogs_.boxes.size(), 1u);
    Click(dialog, "writeRomButton");
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Saving is done."));
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Save BLDC Parameters to ROM"));
}

TEST_F(EstimationTest, ReleasingRunEndsAnEndlessRunAfterItsPassAndStillEstimates) {
    StartBldc(true);
    CDlgInertiaEstimation* dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    Configure(dialog, "0", "150");
    Run(dialog)->click();
    ASSERT_TRUE(WaitFor([&] { return Text(dialog, "repeatCountValue") == QStringLiteral("2"); }, 8000));
    Run(dialog)->click();  // released
    EXPECT_FALSE(Run(dialog)->isEnabled());
    EXPECT_TRUE(dialog->Worker().Exists());
    ASSERT_TRUE(WaitFor([&] { return Ended(dialog); }, 8000));
    // The pass ended at the first position; the estimate came.
    EXPECT_EQ(Axis(kBldc)->commandPosition, 0);
    EXPECT_EQ(Text(dialog, "repeatCountValue"), QStringLiteral("2"));
    ASSERT_TRUE(WaitFor([&] { return Text(dialog, "inertiaRatioValue") == QStringLiteral("4.5"); }));
    EXPECT_EQ(Boxes(kFailedText), 0);
}

TEST_F(EstimationTest, StopEndsARunAtOnceAsAFailure) {
    StartBldc(true);
    CDlgInertiaEstimation* dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    Configure(dialog, "0", "8000");
    Run(dialog)->click();
    // Resting at the second position: the delay runs.
    ASSERT_TRUE(WaitFor([&] { return Axis(kBldc)->commandPosition == 2000 && !Moving(kBldc); }, 5000));
    QElapsedTimer timer;
    timer.start();
    Click(dialog, "stopButton");
    EXPECT_FALSE(Run(dialog)->isChecked());
    ASSERT_TRUE(WaitFor([&] { return Ended(dialog) && Boxes(kFailedText) == 1; }, 3000));
    EXPECT_LT(timer.elapsed(), 1500);
    EXPECT_EQ(Axis(kBldc)->commandPosition, 2000);  // no move back
    EXPECT_EQ(Text(dialog, "inertiaRatioValue"), QStringLiteral("0"));
}

TEST_F(EstimationTest, ClosingDuringARunStopsItWithinTheBound) {
    StartBldc(true);
    CDlgInertiaEstimation* dialog = OpenInertia();
    ASSERT_NE(dialog, nullptr);
    Configure(dialog, "0", "5000");
    Run(dialog)->click();
    ASSERT_TRUE(WaitFor([&] { return BoardOf(kBldc)->IsRepeatRunning(); }));
    QPointer<CDlgInertiaEstimation> guard(dialog);
    QElapsedTimer timer;
    timer.start();
    dialog->close();
    EXPECT_LT(timer.elapsed(), CDlgInertiaEstimation::kCloseWait.count() + 150);
    ASSERT_TRUE(WaitFor([&] { return guard.isNull(); }, 3000));
    EXPECT_FALSE(BoardOf(kBldc)->IsRepeatRunning());
    EXPECT_EQ(BoardOf(kBldc)->WatchCount(CBoardInterface::kWatchOther), 0u);
    EXPECT_EQ(frame_->Dialog(DialogKind::InertiaEstimate), nullptr);
}

TEST_F(EstimationTest, RLAnsweredNoLeavesTheServoOnAndTheButtonEnabled) {
    StartBldc(true);
    CDlgRLEstimation* dialog = OpenRL();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->objectName(), QStringLiteral("CDlgRLEstimation"));
    dialogs_.answers = {BoxAnswer::No};
    Click(dialog, "estimateButton");
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("RL Estimation"));
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("It's SERVO ON status. This function works when it's  "
                                                     "SERVO OFF. Do you want to set SERVO OFF and proceed?"));
    EXPECT_EQ(dialogs_.boxes[0].buttons, BoxButtons::YesNo);
    Pump(100);
    EXPECT_TRUE(Axis(kBldc)->servoOn);
    EXPECT_EQ(Trigger(2, 18), 0);
    auto* button = Child<QPushButton>(dialog, "estimateButton");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("Estimate"));
    EXPECT_FALSE(dialog->Estimating());
}

TEST_F(EstimationTest, RLAnsweredYesSwitchesTheServoOffCountsAndShowsRAndL) {
    StartBldc(true);
    CDlgRLEstimation* dialog = OpenRL();
    ASSERT_NE(dialog, nullptr);
    auto* button = Child<QPushButton>(dialog, "estimateButton");
    QElapsedTimer timer;
    timer.start();
    button->click();
    EXPECT_FALSE(button->isEnabled());
    EXPECT_FALSE(Axis(kBldc)->servoOn);
    // The trigger goes out only after the servo-off wait; the event loop runs meanwhile.
    EXPECT_EQ(Trigger(2, 18), 0);
    QStringList texts;
    ASSERT_TRUE(WaitFor(
        [&] {
            if (texts.isEmpty() || texts.back() != button->text()) texts << button->text();
            return !dialog->Estimating();
        },
        5000));
    EXPECT_GE(timer.elapsed(), CDlgRLEstimation::kServoOffWaitMs + 600);
    EXPECT_TRUE(texts.contains(QStringLiteral("Estimating.. (0)")))
        << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Text(dialog, "rValue"), QStringLiteral("1.25"));
    EXPECT_EQ(Text(dialog, "lValue"), QStringLiteral("2.5"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("Estimate"));
    EXPECT_EQ(dialogs_.boxes.size(), 1u);  // the question only
}

}  // namespace
}  // namespace tarsel::views::testing
