// The motion test view against simulated drives that move in real time.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

#include "gui/widgets/invalid_edit.h"
#include "tests/views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

constexpr uint8_t kServo = 0;
constexpr uint8_t kStepper = 1;
constexpr uint8_t kBldc = 4;

// Parameter writes (frame type 0x12) of `number` the drive received.
std::size_t ParameterWrites(const sim::SimLine& line, uint8_t slave, uint8_t number) {
    std::size_t count = 0;
    for (const auto& r : line.RequestLog()) {
        if (r.slave == slave && r.frameType == 0x12 && !r.data.empty() && r.data[0] == number) ++count;
    }
    return count;
}

bool Lit(QWidget* view, const char* name) {
    return view->findChild<QLabel*>(QString::fromLatin1(name))->property("lit").toBool();
}

class MotionViewTest : public ViewsTest {
protected:
    CViewMotion* StartServo() {
        Start({SupportedDrive(kServo, sim::model::kServo)});
        EXPECT_TRUE(line_.SetServoOn(kServo, true));
        return OpenMotion(kServo);
    }
};

TEST_F(MotionViewTest, JogRunsWhileTheButtonIsHeldAndOnlyTheJogButtonsStayEnabled) {
    CViewMotion* view = StartServo();
    ASSERT_NE(view, nullptr);
    auto* jogPlus = Child<QPushButton>(view, "jogPlusButton");
    auto* jogMinus = Child<QPushButton>(view, "jogMinusButton");
    auto* absMove = Child<QPushButton>(view, "absMoveButton");
    QTest::mousePress(jogPlus, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return Moving(kServo) && Axis(kServo)->actualVelocity > 0; }));
    ASSERT_TRUE(WaitFor([&] { return !absMove->isEnabled(); }));
    EXPECT_TRUE(jogPlus->isEnabled());
    EXPECT_TRUE(jogMinus->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(view, "originButton")->isEnabled());
    QTest::mouseRelease(jogPlus, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return !Moving(kServo); }));
    ASSERT_TRUE(WaitFor([&] { return absMove->isEnabled(); }));
}

TEST_F(MotionViewTest, AbsoluteAndRelativeMovesUseTheKeptPosition) {
    CViewMotion* view = StartServo();
    ASSERT_NE(view, nullptr);
    view->Edit(CViewMotion::kCmdPos)->setText(QStringLiteral("5000"));
    Click(view, "absMoveButton");
    ASSERT_TRUE(WaitFor([&] { return Axis(kServo)->commandPosition == 5000 && !Moving(kServo); }));
    ASSERT_TRUE(WaitFor([&] { return Lit(view, "statusLamp19"); }));  // "Inposition"
    EXPECT_EQ(Child<QLineEdit>(view, "cmdPosValue")->text(), QStringLiteral("5000"));

    view->Edit(CViewMotion::kCmdPos)->setText(QStringLiteral("2000"));
    ASSERT_TRUE(WaitFor([&] { return Child<QPushButton>(view, "decMoveButton")->isEnabled(); }));
    Click(view, "decMoveButton");
    ASSERT_TRUE(WaitFor([&] { return Axis(kServo)->commandPosition == 3000 && !Moving(kServo); }));
    ASSERT_TRUE(WaitFor([&] { return Child<QPushButton>(view, "incMoveButton")->isEnabled(); }));
    Click(view, "incMoveButton");
    ASSERT_TRUE(WaitFor([&] { return Axis(kServo)->commandPosition == 5000 && !Moving(kServo); }));
}

TEST_F(MotionViewTest, FieldsAreCheckedAgainstTheirParameterAndOnlyBoundOnesAreWritten) {
    CViewMotion* view = StartServo();
    ASSERT_NE(view, nullptr);
    QLineEdit* moveSpeed = view->Edit(CViewMotion::kMoveSpeed);
    // Parameter 1's range starts at 1: 0 is refused and the kept speed stays.
    moveSpeed->setText(QStringLiteral("0"));
    EXPECT_TRUE(widgets::IsMarkedInvalid(moveSpeed));
    EXPECT_EQ(view->KeptMoveSpeed(), 100000);
    moveSpeed->setText(QStringLiteral("250000"));
    EXPECT_FALSE(widgets::IsMarkedInvalid(moveSpeed));
    EXPECT_EQ(view->KeptMoveSpeed(), 250000);
    EXPECT_EQ(ParameterWrites(line_, kServo, 1), 0u);  // the move speed is only kept

    QLineEdit* startSpeed = view->Edit(CViewMotion::kStartSpeed);
    for (const char* bad : {"", "12a", "-", "99999999999", "36000"}) {
        startSpeed->setText(QString::fromLatin1(bad));
        EXPECT_TRUE(widgets::IsMarkedInvalid(startSpeed)) << bad;
    }
    startSpeed->setText(QStringLiteral("200"));
    EXPECT_FALSE(widgets::IsMarkedInvalid(startSpeed));
    Pump(300);  // the write's notice comes back through the main frame
    EXPECT_EQ(line_.GetParameter(kServo, 2), 200);
    EXPECT_EQ(ParameterWrites(line_, kServo, 2), 1u);

    // The origin method is written as its list index.
    auto* method = Child<QComboBox>(view, "originMethodCombo");
    EXPECT_EQ(method->count(), 5);
    method->setCurrentIndex(2);
    EXPECT_EQ(line_.GetParameter(kServo, 20), 2);

    // A parameter changed elsewhere is redrawn without being written back (the main frame passes
    // the notice on to every window but the active one, which made the change).
    ASSERT_TRUE(BoardOf(kServo)->SetParameter(3, 321));
    frame_->Frame(FrameKind::Motion)->Deliver(Message::Drive(MsgKind::ParameterChanged, kPort, kServo, 3));
    EXPECT_EQ(view->Edit(CViewMotion::kAccelTime)->text(), QStringLiteral("321"));
    EXPECT_EQ(ParameterWrites(line_, kServo, 3), 1u);
}

TEST_F(MotionViewTest, StatusRedrawTouchesOnlyWhatChanged) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    CViewMotion* view = OpenMotion(kServo);
    ASSERT_NE(view, nullptr);
    Pump(300);
    ASSERT_FALSE(Lit(view, "servoLamp"));
    EXPECT_EQ(Child<QPushButton>(view, "enableButton")->text(), QStringLiteral("SERVO ON"));
    const CViewMotion::Redraws before = view->RedrawCounts();
    Pump(400);  // nothing changes: nothing is redrawn
    EXPECT_EQ(view->RedrawCounts().lamps, before.lamps);
    EXPECT_EQ(view->RedrawCounts().statusText, before.statusText);
    EXPECT_EQ(view->RedrawCounts().positions, before.positions);

    // Servo on at rest changes bit 20 ("Servo On") and bit 19 ("Inposition").
    Click(view, "enableButton");
    ASSERT_TRUE(WaitFor([&] { return Lit(view, "servoLamp"); }));
    Pump(300);
    const CViewMotion::Redraws after = view->RedrawCounts();
    EXPECT_EQ(after.lamps - before.lamps, 2);
    EXPECT_EQ(after.servoLamp - before.servoLamp, 1);
    EXPECT_EQ(after.enableCaption - before.enableCaption, 1);
    EXPECT_EQ(after.positions, before.positions);
    EXPECT_TRUE(Lit(view, "statusLamp20"));
    EXPECT_EQ(Child<QPushButton>(view, "enableButton")->text(), QStringLiteral("SERVO OFF"));
    EXPECT_EQ(Child<QLineEdit>(view, "statusValue")->text(),
              QString::asprintf("0x%08X", BoardOf(kServo)->GetAxisStatus()));
}

TEST_F(MotionViewTest, AlarmTypeShowsTheNameAndCode) {
    Start({SupportedDrive(kServo, sim::model::kServo)});
    CViewMotion* view = OpenMotion(kServo);
    ASSERT_NE(view, nullptr);
    auto* alarm = Child<QLineEdit>(view, "alarmType");
    const struct {
        uint8_t code;
        const char* text;
    } cases[] = {{3, "Position Tracking [3]"}, {13, "13"}, {16, "Position Changed [16]"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(line_.InjectAlarm(kServo, c.code));
        EXPECT_TRUE(WaitFor([&] { return alarm->text() == QString::fromLatin1(c.text); }))
            << int(c.code) << " shows " << alarm->text().toStdString();
        ASSERT_TRUE(line_.InjectAlarm(kServo, 0));
        ASSERT_TRUE(WaitFor([&] { return alarm->text().isEmpty(); }));
    }
    EXPECT_EQ(AlarmText(17), "17");
}

TEST_F(MotionViewTest, BrakeFollowsTheDriveWithoutAFailureBox) {
    CViewMotion* view = StartServo();
    ASSERT_NE(view, nullptr);
    auto* brake = Child<QPushButton>(view, "brakeButton");
    EXPECT_TRUE(brake->isVisibleTo(view));
    Click(view, "brakeButton");
    ASSERT_TRUE(WaitFor([&] { return brake->text() == QStringLiteral("BRAKE OFF"); }));
    EXPECT_TRUE(Axis(kServo)->brakeOn);
    Click(view, "brakeButton");
    ASSERT_TRUE(WaitFor([&] { return brake->text() == QStringLiteral("BRAKE ON"); }));
    EXPECT_FALSE(Axis(kServo)->brakeOn);
    EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.Texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(MotionViewTest, FamiliesPickTheirViewCaptionsAndParameters) {
    sim::DriveConfig bldc = SupportedDrive(kBldc, sim::model::kBldc);
    Start({SupportedDrive(kServo, sim::model::kServo), SupportedDrive(kStepper, sim::model::kStepper), bldc});
    ASSERT_TRUE(line_.SetServoOn(kStepper, false));  // the stepper's motor is free
    ASSERT_TRUE(line_.SetParameter(kBldc, 1, 1234));

    CViewMotion* stepper = OpenMotion(kStepper);
    ASSERT_NE(stepper, nullptr);
    EXPECT_EQ(stepper->ClassName(), QStringLiteral("CViewMotion2"));
    ASSERT_TRUE(WaitFor([&] { return Child<QPushButton>(stepper, "enableButton")->text() == "STEP ON"; }));
    EXPECT_FALSE(Child<QPushButton>(stepper, "brakeButton")->isVisibleTo(stepper));
    EXPECT_EQ(Child<QComboBox>(stepper, "originMethodCombo")->count(), 3);
    EXPECT_EQ(Child<QLabel>(stepper, "statusLabel7")->text(), QStringLiteral("Err Step Alarm"));
    // The button switches the motor on: the alarm-reset input is released.
    Click(stepper, "enableButton");
    ASSERT_TRUE(WaitFor([&] { return Child<QPushButton>(stepper, "enableButton")->text() == "STEP OFF"; }));
    EXPECT_TRUE(Axis(kStepper)->servoOn);

    // Moving to the BLDC drive in the same frame exchanges the view again.
    frame_->Post(Message::Open(MsgKind::MotionFrame, kPort, kBldc));
    CViewMotion* view = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        view = dynamic_cast<CViewMotion*>(frame_->Frame(FrameKind::Motion)->View());
        return view != nullptr && view->ClassName() == QStringLiteral("CViewMotion6") && view->HasDrive() &&
               view->Edit(CViewMotion::kStartSpeed)->text() == QStringLiteral("1234");
    }));
    EXPECT_EQ(Child<QComboBox>(view, "originMethodCombo")->count(), 6);
    view->Edit(CViewMotion::kStartSpeed)->setText(QStringLiteral("1500"));
    EXPECT_EQ(line_.GetParameter(kBldc, 1), 1500);
    EXPECT_EQ(BoardOf(kStepper)->WatchCount(CBoardInterface::kWatchMotion), 0u);
    EXPECT_EQ(BoardOf(kBldc)->WatchCount(CBoardInterface::kWatchMotion), 1u);
}

TEST_F(MotionViewTest, WatchCountFollowsTheShownDrive) {
    Start({SupportedDrive(kServo, sim::model::kServo), SupportedDrive(2, sim::model::kServo)});
    CViewMotion* view = OpenMotion(kServo);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(BoardOf(kServo)->WatchCount(CBoardInterface::kWatchMotion), 1u);
    Child<QAbstractButton>(view, "slaveNext")->click();
    ASSERT_TRUE(WaitFor([&] { return view->Slave() == 2; }));
    EXPECT_EQ(BoardOf(kServo)->WatchCount(CBoardInterface::kWatchMotion), 0u);
    EXPECT_EQ(BoardOf(2)->WatchCount(CBoardInterface::kWatchMotion), 1u);
    Click(view, "closeButton");
    ASSERT_TRUE(WaitFor([&] { return frame_->Frame(FrameKind::Motion) == nullptr; }));
    EXPECT_EQ(BoardOf(2)->WatchCount(CBoardInterface::kWatchMotion), 0u);
}

}  // namespace
}  // namespace tarsel::views::testing
