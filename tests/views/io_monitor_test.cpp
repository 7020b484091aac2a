// The I/O monitor against simulated drives: which rows and pins it shows, how it follows the
// drive's words and assignments, and what it sends.
#include <QCheckBox>
#include <QLabel>

#include "tests/views/io_views_fixture.h"

namespace tarsel::views::testing {
namespace {

constexpr uint8_t kSetOutputs = 0x20;
constexpr uint8_t kSetInputs = 0x21;

bool Shown(const QWidget* w) {
    return w != nullptr && !w->isHidden();
}

// The slot of the row whose check box a pin indicator replaced.
QString SlotOf(const CPinIndicator* pin) {
    return pin->parentWidget() != nullptr ? pin->parentWidget()->objectName() : QString();
}

TEST_F(IoViewsTest, PulseControllerShowsExactlyItsPinsAndSignals) {
    // The pulse-output controller: 10 input pins, 2 output pins, 32 input and 24 output signals.
    Start({{0, sim::model::kMotionController}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);

    for (int pin = 0; pin < CViewIOMonitor::kInputPins; ++pin)
        EXPECT_EQ(Shown(view->PinIndicator(false, pin)), pin < 10) << "input pin " << pin;
    for (int pin = 0; pin < CViewIOMonitor::kOutputPins; ++pin)
        EXPECT_EQ(Shown(view->PinIndicator(true, pin)), pin < 2) << "output pin " << pin;
    for (int n = 1; n <= CViewIOMonitor::kInputRows; ++n)
        EXPECT_EQ(Shown(view->SignalName(false, n)), n <= 32) << "input row " << n;
    for (int n = 1; n <= CViewIOMonitor::kOutputRows; ++n)
        EXPECT_EQ(Shown(view->SignalName(true, n)), n <= 24) << "output row " << n;
    for (int n = 33; n <= 40; ++n) EXPECT_FALSE(Shown(view->SignalCheck(false, n)));

    // Signal 11 is "Reserved" on this type; the others are named and enabled.
    EXPECT_EQ(view->SignalName(false, 11)->text(), QStringLiteral("Reserved"));
    EXPECT_FALSE(view->SignalName(false, 11)->isEnabled());
    EXPECT_EQ(view->SignalName(false, 13)->text(), QStringLiteral("PT Start"));
    EXPECT_TRUE(view->SignalName(false, 13)->isEnabled());

    // Each pin's indicator sits where the check box of its signal was: pins 0..2 carry the fixed
    // signals 1..3, pin 3 carries "PT A0" (5); signal 4 has no pin and keeps its check box.
    EXPECT_EQ(view->PinIndicator(false, 0)->text(), QStringLiteral("LMT+"));
    EXPECT_EQ(SlotOf(view->PinIndicator(false, 0)), QStringLiteral("inputSlot1"));
    EXPECT_EQ(SlotOf(view->PinIndicator(false, 3)), QStringLiteral("inputSlot5"));
    EXPECT_EQ(view->PinIndicator(false, 3)->text(), QStringLiteral("IN 1"));
    EXPECT_FALSE(Shown(view->SignalCheck(false, 1)));
    EXPECT_FALSE(Shown(view->SignalCheck(false, 5)));
    EXPECT_TRUE(Shown(view->SignalCheck(false, 4)));
    EXPECT_EQ(view->PinIndicator(true, 0)->text(), QStringLiteral("COMP"));
}

TEST_F(IoViewsTest, ASecondDriveWithMoreSignalsGetsItsRowsBack) {
    Start({{0, sim::model::kMotionController}, {1, sim::model::kServo}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);
    ASSERT_FALSE(Shown(view->SignalCheck(false, 33)));

    frame_->Frame(FrameKind::IoMonitor)->Serve(kPort, 1, sim::model::kServo);
    const BoardRef servo = LookupBoard(master_, kPort, 1);
    ASSERT_TRUE(
        WaitFor([&] { return view->Slave() == 1 && servo->ioLoaded.load() && !frame_->Loader().Running(); }));
    Pump(60);
    // The servo has 35 input signals: 33..35 come back with their check boxes, 36..40 stay hidden.
    for (int n = 33; n <= 35; ++n) EXPECT_TRUE(Shown(view->SignalCheck(false, n))) << n;
    EXPECT_FALSE(Shown(view->SignalName(false, 36)));
    EXPECT_EQ(view->SignalName(false, 11)->text(), QStringLiteral("PT A6"));
    EXPECT_TRUE(view->SignalName(false, 11)->isEnabled());
    for (int pin = 10; pin < 12; ++pin) EXPECT_TRUE(Shown(view->PinIndicator(false, pin)));
}

TEST_F(IoViewsTest, InputPinLightsWhenTheDriveSeesIt) {
    Start({{0, sim::model::kServo}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);
    CPinIndicator* pin3 = view->PinIndicator(false, 3);
    ASSERT_EQ(view->CoveredSignal(false, 3), 5);
    EXPECT_FALSE(pin3->Lit());
    EXPECT_EQ(pin3->palette().color(QPalette::Window), QColor(0xFE, 0xFE, 0xFE));

    ASSERT_TRUE(line_.SetInputPins(0, 1u << 3));
    EXPECT_TRUE(WaitFor([&] { return pin3->Lit(); }, 2000));
    EXPECT_EQ(pin3->palette().color(QPalette::Window), QColor(0x50, 0xFF, 0x50));
    EXPECT_FALSE(view->PinIndicator(false, 4)->Lit());

    ASSERT_TRUE(line_.SetInputPins(0, 0));
    EXPECT_TRUE(WaitFor([&] { return !pin3->Lit(); }, 2000));
    // The record kept both changes of the input word.
    EXPECT_GE(view->Record().Size(), 3u);
}

TEST_F(IoViewsTest, SoftwareInputSendsOnlyItsBitAndHighSignalsStayApart) {
    Start({{0, sim::model::kServo}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);
    QCheckBox* check33 = view->SignalCheck(false, 33);
    ASSERT_TRUE(Shown(check33));
    ASSERT_EQ(view->CoveredSignal(false, 0), 1);

    line_.ClearRequestLog();
    check33->click();
    const auto sent = Requests(kSetInputs);
    ASSERT_EQ(sent.size(), 1u);
    // Set mask, then clear mask, 40 bits each: only bit 32 (signal 33) is set.
    const std::vector<uint8_t> expected{0, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(sent[0].data, expected);

    // The drive's word comes back through the polling thread; signal 1 (bit 0) stays dark.
    EXPECT_TRUE(WaitFor([&] { return (line_.GetInputStatus(0).value_or(0) >> 32) & 1u; }));
    Pump(400);
    EXPECT_TRUE(check33->isChecked());
    EXPECT_FALSE(view->PinIndicator(false, 0)->Lit());
    EXPECT_FALSE(view->SignalCheck(false, 1)->isChecked());

    line_.ClearRequestLog();
    check33->click();
    const auto cleared = Requests(kSetInputs);
    ASSERT_EQ(cleared.size(), 1u);
    const std::vector<uint8_t> clearing{0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(cleared[0].data, clearing);
    EXPECT_TRUE(WaitFor([&] { return ((line_.GetInputStatus(0).value_or(1ull << 32) >> 32) & 1u) == 0; }));
}

TEST_F(IoViewsTest, OutputPinClickTogglesOnlyUserOutputs) {
    Start({{0, sim::model::kServo}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);
    // Output pin 0 carries "Comp. Out" (signal 1), pin 8 "User OUT 0" (signal 16).
    ASSERT_EQ(view->CoveredSignal(true, 0), 1);
    ASSERT_EQ(view->CoveredSignal(true, 8), 16);

    line_.ClearRequestLog();
    emit view->PinIndicator(true, 0)->clicked();
    emit view->PinIndicator(true, 9)->clicked();  // carries nothing
    EXPECT_TRUE(Requests(kSetOutputs).empty());

    emit view->PinIndicator(true, 8)->clicked();
    auto sent = Requests(kSetOutputs);
    ASSERT_EQ(sent.size(), 1u);
    const std::vector<uint8_t> setting{0x00, 0x80, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(sent[0].data, setting);
    ASSERT_TRUE(WaitFor([&] { return view->PinIndicator(true, 8)->Lit(); }, 2000));

    // A second click clears it again, from the cached word.
    line_.ClearRequestLog();
    emit view->PinIndicator(true, 8)->clicked();
    sent = Requests(kSetOutputs);
    ASSERT_EQ(sent.size(), 1u);
    const std::vector<uint8_t> clearing{0, 0, 0, 0, 0x00, 0x80, 0, 0};
    EXPECT_EQ(sent[0].data, clearing);
    EXPECT_TRUE(WaitFor([&] { return !view->PinIndicator(true, 8)->Lit(); }, 2000));
}

TEST_F(IoViewsTest, SlaveSelectionWatchAndDriveGoingAway) {
    Start({{0, sim::model::kServo}, {2, sim::model::kStepper}});
    CViewIOMonitor* view = OpenMonitor(0);
    ASSERT_NE(view, nullptr);
    CChildFrame* child = frame_->Frame(FrameKind::IoMonitor);
    const BoardRef first = LookupBoard(master_, kPort, 0);
    const BoardRef second = LookupBoard(master_, kPort, 2);
    EXPECT_EQ(first->WatchCount(CBoardInterface::kWatchIo), 1u);

    // A number the registry does not know keeps the drive shown.
    child->Serve(kPort, 7, 0);
    Pump(100);
    EXPECT_EQ(view->Slave(), 0);
    EXPECT_EQ(first->WatchCount(CBoardInterface::kWatchIo), 1u);

    child->Serve(kPort, 2, sim::model::kStepper);
    ASSERT_TRUE(WaitFor([&] { return view->Slave() == 2; }));
    EXPECT_EQ(first->WatchCount(CBoardInterface::kWatchIo), 0u);
    EXPECT_EQ(second->WatchCount(CBoardInterface::kWatchIo), 1u);

    // Another drive going away leaves the window open; its own closes it and ends the watch.
    child->Deliver(Message::Drive(MsgKind::DriveGoingAway, kPort, 0));
    Pump(50);
    ASSERT_NE(frame_->Frame(FrameKind::IoMonitor), nullptr);
    child->Deliver(Message::Drive(MsgKind::DriveGoingAway, kPort, 2));
    EXPECT_TRUE(WaitFor([&] { return frame_->Frame(FrameKind::IoMonitor) == nullptr; }));
    EXPECT_EQ(second->WatchCount(CBoardInterface::kWatchIo), 0u);
}

TEST_F(IoViewsTest, LogicSettingButtonOpensTheSettingWindowForTheSameDrive) {
    Start({{0, sim::model::kServo}, {1, sim::model::kServo}});
    CViewIOMonitor* view = OpenMonitor(1);
    ASSERT_NE(view, nullptr);
    view->findChild<QPushButton*>(QStringLiteral("ioLogicSettingButton"))->click();
    ASSERT_TRUE(WaitFor([&] { return frame_->Frame(FrameKind::IoSetting) != nullptr; }));
    EXPECT_EQ(frame_->Frame(FrameKind::IoSetting)->Slave(), 1);
}

TEST_F(IoViewsTest, ReassignedPinMovesItsIndicatorInTheOpenMonitor) {
    Start({{0, sim::model::kServo}});
    CViewIOMonitor* monitor = OpenMonitor(0);
    CViewIOSetting* setting = OpenSetting(0);
    ASSERT_NE(monitor, nullptr);
    ASSERT_NE(setting, nullptr);
    frame_->Mdi()->setActiveSubWindow(frame_->Frame(FrameKind::IoSetting));
    ASSERT_EQ(monitor->CoveredSignal(false, 3), 5);
    ASSERT_TRUE(Shown(monitor->SignalCheck(false, 33)));
    ASSERT_FALSE(Shown(monitor->SignalCheck(false, 5)));

    // Input pin 3 (the first assignable one) gets "User IN 6" (signal 33 = entry 30).
    Choose(setting->LogicList(false, 3), 30);
    ASSERT_EQ(InputSignal(0, 3), 33);
    ASSERT_TRUE(WaitFor([&] { return monitor->CoveredSignal(false, 3) == 33; }));
    EXPECT_EQ(SlotOf(monitor->PinIndicator(false, 3)), QStringLiteral("inputSlot33"));
    EXPECT_FALSE(Shown(monitor->SignalCheck(false, 33)));
    EXPECT_TRUE(Shown(monitor->SignalCheck(false, 5)));
}

}  // namespace
}  // namespace tarsel::views::testing
