// Messages as values, their way across threads, and the loading sequence.
#include <QObject>
#include <QTimer>
#include <atomic>
#include <stop_token>
#include <thread>

#include "gui/app/loading_sequence.h"
#include "gui/app/message_event.h"
#include "gui/model/board/main_frame_sink.h"
#include "gui/widgets/progress_dialog.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::app::testing {
namespace {

TEST(Messages, DriveMessagesOfTheModelKeepSlaveAndArgument) {
    const auto going = FromModel(kMsgDriveGoingAway, 5, 0, 9);
    ASSERT_TRUE(going);
    EXPECT_EQ(going->kind, MsgKind::DriveGoingAway);
    EXPECT_EQ(going->port, 9);
    EXPECT_EQ(going->slave, 5);

    const auto pin = FromModel(kMsgIoLevelChanged, 2, PinParam(17, true), 9);
    ASSERT_TRUE(pin);
    EXPECT_EQ(pin->Pin(), 17u);
    EXPECT_TRUE(pin->Output());
    EXPECT_FALSE(pin->AllPins());

    const auto bldc = FromModel(kMsgBldcParamChanged, 4, BldcParam(3, 41), 9);
    ASSERT_TRUE(bldc);
    EXPECT_EQ(bldc->Category(), 3u);
    EXPECT_EQ(bldc->BldcNumber(), 41u);

    EXPECT_FALSE(FromModel(kMsgCommandLine, 0, 0, 9));  // lines come as text of their own
    EXPECT_FALSE(FromModel(kWmUser + 22, 0, 0, 9));
    EXPECT_FALSE(FromModel(kWmUser, 0, 0, 9));
}

TEST(Messages, DrivePackingPutsThePortLowAndTheSlaveHigh) {
    EXPECT_EQ(PackDrive(99, 5), 0x00050063u);
    EXPECT_EQ(PackedPort(PackDrive(255, 15)), 255);
    EXPECT_EQ(PackedSlave(PackDrive(255, 15)), 15);
}

// Counts the messages it handles on the GUI thread.
class Receiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() != MessageEvent::EventType()) return QObject::event(e);
        auto* me = static_cast<MessageEvent*>(e);
        if (me->Wanted()) {
            handled.push_back(me->message());
            handledOnThread = QThread::currentThread() == thread();
        }
        return true;
    }
    std::vector<Message> handled;
    bool handledOnThread = false;
};

TEST(MessageEvents, SendFromAnotherThreadWaitsUntilHandledOnTheGuiThread) {
    Receiver receiver;
    std::atomic<int> result{-1};
    std::jthread sender(
        [&] { result = SendAppMessage(&receiver, Message::Drive(MsgKind::DriveGoingAway, 1, 2)) ? 1 : 0; });
    ASSERT_TRUE(WaitFor([&] { return result.load() != -1; }));
    EXPECT_EQ(result.load(), 1);
    ASSERT_EQ(receiver.handled.size(), 1u);
    EXPECT_TRUE(receiver.handledOnThread);
}

TEST(MessageEvents, SendGivesUpWhenItsStopTokenFires) {
    Receiver receiver;
    std::stop_source stop;
    std::atomic<int> result{-1};
    std::jthread sender([&] {
        result = SendAppMessage(&receiver, Message::Drive(MsgKind::DriveGoingAway, 1, 2), stop.get_token())
                     ? 1
                     : 0;
    });
    // The GUI thread does not run its queue: only the stop request can end the wait.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(result.load(), -1);
    stop.request_stop();
    sender.join();
    EXPECT_EQ(result.load(), 0);
    // The abandoned message is skipped when the queue runs later.
    Pump(20);
    EXPECT_TRUE(receiver.handled.empty());
}

TEST(MessageEvents, PostFromAnotherThreadArrivesInOrder) {
    Receiver receiver;
    std::jthread poster([&] {
        for (int i = 0; i < 50; ++i)
            PostAppMessage(&receiver, Message::Drive(MsgKind::ParameterChanged, 1, 0, i));
    });
    poster.join();
    ASSERT_TRUE(WaitFor([&] { return receiver.handled.size() == 50; }));
    for (int i = 0; i < 50; ++i) EXPECT_EQ(receiver.handled[i].value, i);
}

class LoadingTest : public ShellTest {};

// Only the BLDC bit for a drive that is not a BLDC drive: the dialog comes and goes, the windows
// hear that the data was reloaded.
TEST_F(LoadingTest, BldcBitForAnotherDriveShowsAndClosesTheDialog) {
    StartLine({SupportedDrive(0, sim::model::kServo)});
    MakeFrame();
    Connect();
    bool shown = false;
    bool done = false, loaded = false;
    frame_->LoadData(kPort, 0, kLoadBldc, [&](bool ok) {
        done = true;
        loaded = ok;
    });
    shown = frame_->Loader().Running() || done;
    ASSERT_TRUE(WaitFor([&] { return done; }));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(frame_->Loader().Dialog(), nullptr);
    RecordingView* boards = ViewOf(frame_->Frame(FrameKind::BoardList));
    ASSERT_NE(boards, nullptr);
    EXPECT_TRUE(WaitFor([&] {
        return std::any_of(boards->received.begin(), boards->received.end(),
                           [](const Message& m) { return m.kind == MsgKind::DataReloaded; });
    }));
}

// Parameters and I/O map of a servo drive: the sequence waits while the polling thread reads,
// keeps the event loop running and ends with everything loaded.
TEST_F(LoadingTest, WaitsForThePollingThreadWithoutBlockingTheEventLoop) {
    StartLine({SupportedDrive(0, sim::model::kServo)});
    MakeFrame();
    Connect();
    BoardRef board = LookupBoard(master_, kPort, 0);
    ASSERT_NE(board, nullptr);
    board->RequestLoad(load_bit::kParameters | load_bit::kIoAssign);
    bool done = false, loaded = false;
    frame_->LoadData(kPort, 0, kLoadParameters | kLoadIoMap, [&](bool ok) {
        done = true;
        loaded = ok;
    });
    ASSERT_NE(frame_->Loader().Dialog(), nullptr);
    EXPECT_EQ(frame_->Loader().Dialog()->Status(), QStringLiteral("Reading Parameters"));
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(5);
    ASSERT_TRUE(WaitFor([&] { return done; }, 8000));
    EXPECT_TRUE(loaded);
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(board->GetLoadOutcome().Loaded(load_bit::kParameters | load_bit::kIoAssign));
}

// A part whose reload ends without data (the request was served, nothing was loaded) ends the
// wait instead of hanging.
TEST_F(LoadingTest, EndsWhenAReloadEndsWithoutData) {
    StartLine({SupportedDrive(0, sim::model::kServo)});
    MakeFrame();
    Connect();
    BoardRef board = LookupBoard(master_, kPort, 0);
    ASSERT_NE(board, nullptr);
    // The drive stops answering: the reload the window asks for ends without data.
    line_.InjectFault(sim::FaultSpec{sim::FaultKind::Silent, 0}, 0);
    board->RequestLoad(load_bit::kPosTable);
    bool done = false, loaded = true;
    frame_->LoadData(kPort, 0, kLoadPosTable, [&](bool ok) {
        done = true;
        loaded = ok;
    });
    ASSERT_TRUE(WaitFor([&] { return done; }, 8000));
    EXPECT_FALSE(loaded);
    line_.ClearFaults();
}

}  // namespace
}  // namespace tarsel::app::testing
