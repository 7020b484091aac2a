// The polling thread: removal of drives that went away, the presence probe of unwatched drives,
// background reloads, and the stop procedure.
#include <atomic>
#include <thread>

#include "model_fixture.h"

namespace tarsel::test {
namespace {

using sim::model::kServo;
using sim::model::kStepper;

bool Has(const std::vector<Message>& messages, uint32_t message, uintptr_t slave) {
    for (const auto& m : messages) {
        if (m.message == message && m.wParam == slave) return true;
    }
    return false;
}

TEST_F(ModelTest, UnpluggedDriveIsRemovedAfterSixTimeoutsWithNoticeBeforeAndAfter) {
    ASSERT_EQ(ConnectWith({Drive(1, kServo), Drive(2, kServo)}), CCommMaster::kConnected);
    CCommPort* port = master_.GetPort(port_);
    auto board = master_.GetBoard(port_, 2);
    ASSERT_NE(board, nullptr);
    board->AddWatch(CBoardInterface::kWatchMotion);

    std::atomic<bool> boardPresentAtNotice{false};
    std::atomic<int> timeoutsAtNotice{-1};
    sink_.SetOnSend([&](const Message& m, const std::stop_token&) {
        if (m.message == kMsgDriveGoingAway) {
            boardPresentAtNotice = master_.GetBoard(port_, 2) != nullptr;
            timeoutsAtNotice = port->TimeoutCount(2);
        }
        return true;
    });
    sim::FaultSpec silent;
    silent.kind = sim::FaultKind::Silent;
    line_.InjectFault(silent, 2);

    ASSERT_TRUE(sink_.WaitFor([](const auto& m) { return Has(m, kMsgDataReloaded, 2); }));
    const auto messages = sink_.Messages();
    std::size_t goingAway = messages.size(), reloaded = messages.size();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        if (messages[i].message == kMsgDriveGoingAway && messages[i].wParam == 2 &&
            goingAway == messages.size())
            goingAway = i;
        if (messages[i].message == kMsgDataReloaded && messages[i].wParam == 2) reloaded = i;
    }
    ASSERT_LT(goingAway, messages.size());
    EXPECT_LT(goingAway, reloaded);
    EXPECT_TRUE(messages[goingAway].sent);
    EXPECT_FALSE(messages[reloaded].sent);
    EXPECT_TRUE(boardPresentAtNotice);
    EXPECT_GE(timeoutsAtNotice.load(), 6);
    EXPECT_EQ(master_.GetBoard(port_, 2), nullptr);
    EXPECT_NE(master_.GetBoard(port_, 1), nullptr);
    EXPECT_TRUE(master_.IsPortOpen(port_));
    EXPECT_EQ(sink_.Of(kMsgDriveGoingAway).size(), 1u);
    // The polling thread's failures show no box and write no command line.
    EXPECT_TRUE(reporter_.Boxes().empty());
    EXPECT_TRUE(sink_.Of(kMsgCommandLine).empty());
}

TEST_F(ModelTest, SingleTimeoutDoesNotRemoveADrive) {
    ASSERT_EQ(ConnectWith({Drive(4, kServo)}), CCommMaster::kConnected);
    master_.GetBoard(port_, 4)->AddWatch(CBoardInterface::kWatchIo);
    sim::FaultSpec drop;
    drop.kind = sim::FaultKind::DropRequest;
    drop.count = 1;
    line_.InjectFault(drop, 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_NE(master_.GetBoard(port_, 4), nullptr);
    EXPECT_TRUE(sink_.Of(kMsgDriveGoingAway).empty());
}

TEST_F(ModelTest, RemovingTheOnlyDriveClosesThePortAndEndsTheThread) {
    ASSERT_EQ(ConnectWith({Drive(6, kStepper)}), CCommMaster::kConnected);
    CCommPort* port = master_.GetPort(port_);
    sim::FaultSpec silent;
    silent.kind = sim::FaultKind::Silent;
    line_.InjectFault(silent, 6);  // unwatched: found by the presence probe
    ASSERT_TRUE(
        sink_.WaitFor([](const auto& m) { return Has(m, kMsgDataReloaded, 6); }, std::chrono::seconds(20)));
    EXPECT_TRUE(WaitUntil([&] { return !port->IsPolling(); }));
    EXPECT_FALSE(master_.IsPortOpen(port_));
    EXPECT_TRUE(master_.IsConnected(port_));  // the watchdog of the main frame disconnects it
    EXPECT_EQ(port->GetBoardCount(), 0);
}

TEST_F(ModelTest, UnwatchedDriveSeesOneProbeEverySixthStep) {
    PortOptions quiet;
    quiet.pollPeriod = std::chrono::hours(1);  // the test takes the polling steps itself
    master_.SetPortOptions(quiet);
    ASSERT_EQ(ConnectWith({Drive(3, kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 3);
    line_.ClearRequestLog();
    for (int step = 1; step <= 18; ++step) {
        EXPECT_EQ(board->UpdateStatus(), 0);
        EXPECT_EQ(line_.RequestLog().size(), static_cast<std::size_t>(step / 6)) << "step " << step;
    }
    EXPECT_EQ(CountRequests(line_, 3, 0x51), 3u);

    // A watching window turns the step into a status read (plus the brake query of a servo).
    board->AddWatch(CBoardInterface::kWatchPosTable);
    line_.ClearRequestLog();
    EXPECT_EQ(board->UpdateStatus(), 0);
    EXPECT_EQ(CountRequests(line_, 3, 0x43), 1u);
    EXPECT_EQ(CountRequests(line_, 3, 0x2D), 1u);
    EXPECT_EQ(CountRequests(line_, 3, 0x51), 0u);
}

TEST_F(ModelTest, ReloadRequestsFillTheCachesWithTheirCounters) {
    ASSERT_EQ(ConnectWith({Drive(0, kStepper)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 0);
    ASSERT_GT(board->GetParameterCount(), 20);
    ASSERT_TRUE(line_.SetParameter(0, 5, 4321));
    std::array<uint8_t, 64> item{};
    item[0] = 0x10;  // position 16
    item[16] = 3;    // command 3
    ASSERT_TRUE(line_.SetTableItem(0, 2, item));

    board->paramReloadRequest = true;
    board->ioReloadRequest = true;
    board->posTableReloadRequest = true;
    ASSERT_TRUE(WaitUntil([&] { return board->paramLoaded && board->ioLoaded && board->posTableLoaded; }));
    EXPECT_EQ(board->paramReadCount.load(), board->GetParameterCount());
    const CIOInfo io = board->GetIOInfo();
    EXPECT_EQ(board->ioReadCount.load(), io.input.PinCount() + io.output.PinCount());
    EXPECT_EQ(board->posTableReadCount.load(), board->GetPosTableItemCount());
    EXPECT_EQ(board->GetParameterValue(5), 4321);
    EXPECT_EQ(*board->GetPosTableItem(2), item);
    EXPECT_TRUE(WaitUntil([&] { return !board->paramReloadRequest && !board->posTableReloadRequest; }));
    for (uint8_t pin = 0; pin < io.input.PinCount(); ++pin) {
        EXPECT_EQ(io.input.SignalOnPin(pin), line_.GetInputAssignment(0, pin)->first) << "pin " << int(pin);
    }
}

TEST_F(ModelTest, StopAbandonsANoticeTheMainFrameCannotTake) {
    ASSERT_EQ(ConnectWith({Drive(1, kServo)}), CCommMaster::kConnected);
    std::atomic<bool> blocked{false};
    // A main frame busy with the stop itself: the notice waits until it is given up.
    sink_.SetOnSend([&](const Message& m, const std::stop_token& stop) {
        if (m.message != kMsgDriveGoingAway) return true;
        blocked = true;
        while (!stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return false;
    });
    master_.GetBoard(port_, 1)->AddWatch(CBoardInterface::kWatchMotion);
    sim::FaultSpec silent;
    silent.kind = sim::FaultKind::Silent;
    line_.InjectFault(silent, 1);
    ASSERT_TRUE(WaitUntil([&] { return blocked.load(); }));
    CCommPort* port = master_.GetPort(port_);
    EXPECT_TRUE(port->StopPolling());
    EXPECT_FALSE(port->IsPolling());
    EXPECT_TRUE(sink_.Of(kMsgDataReloaded).empty());
    EXPECT_NE(master_.GetBoard(port_, 1), nullptr);  // the port destroys it with itself
}

TEST_F(ModelTest, ThreadThatIgnoresTheStopIsGivenUpOnWithoutHoldingThePort) {
    ASSERT_EQ(ConnectWith({Drive(1, kServo)}), CCommMaster::kConnected);
    std::atomic<bool> blocked{false};
    sink_.SetOnSend([&](const Message& m, const std::stop_token&) {
        if (m.message != kMsgDriveGoingAway) return true;
        blocked = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(700));  // deaf to the stop
        return true;
    });
    master_.GetBoard(port_, 1)->AddWatch(CBoardInterface::kWatchMotion);
    sim::FaultSpec silent;
    silent.kind = sim::FaultKind::Silent;
    line_.InjectFault(silent, 1);
    ASSERT_TRUE(WaitUntil([&] { return blocked.load(); }));
    CCommPort* port = master_.GetPort(port_);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(port->StopPolling());  // nine 50 ms waits were not enough
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(400));
    EXPECT_FALSE(port->IsPolling());
    std::unique_lock<std::mutex> portLock(port->PortMutex(), std::try_to_lock);
    EXPECT_TRUE(portLock.owns_lock());
}

}  // namespace
}  // namespace tarsel::test
