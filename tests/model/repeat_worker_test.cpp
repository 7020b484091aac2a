// The repeat test's worker against the simulated line: live settings, stops that cut a delay
// short, and a worker that never outlives its owner or hangs when the drive goes away.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "gui/model/board/CRepeatWorker.h"
#include "tests/model/model_fixture.h"

namespace tarsel::test {
namespace {

using namespace std::chrono_literals;
constexpr uint8_t kSlave = 1;

class RepeatWorkerTest : public ModelTest {
protected:
    std::shared_ptr<CBoardInterface> ServoOn() {
        EXPECT_EQ(ConnectWith({Drive(kSlave, sim::model::kServo)}), 0);
        auto board = master_.GetBoard(port_, kSlave);
        EXPECT_NE(board, nullptr);
        if (board != nullptr) {
            EXPECT_TRUE(board->ServoEnable(true));
        }
        return board;
    }
    void Configure(CRepeatWorker& worker, int32_t second, uint32_t delayMs, uint32_t count) {
        auto& s = worker.Settings();
        s.positions[0] = 0;
        s.positions[1] = second;
        s.speed = 400000;
        s.delayMs = delayMs;
        s.repeatCount = count;
    }
    int32_t CommandPosition() { return line_.GetAxisState(kSlave)->commandPosition; }
    bool Moving() { return (line_.GetAxisState(kSlave)->status & axis_bit::kMoving) != 0; }
};

TEST_F(RepeatWorkerTest, StopDuringADelayEndsTheRunWithoutAnotherMove) {
    auto board = ServoOn();
    ASSERT_NE(board, nullptr);
    CRepeatWorker worker;
    Configure(worker, 4000, 20000, 0);
    ASSERT_TRUE(worker.Start(board));
    EXPECT_FALSE(worker.Start(board));  // one worker at a time
    // The axis rests at the second position for the delay.
    ASSERT_TRUE(WaitUntil([&] { return CommandPosition() == 4000 && !Moving(); }));
    const auto stopAt = std::chrono::steady_clock::now();
    ASSERT_TRUE(board->MoveStop(false));
    ASSERT_TRUE(worker.Finish(500ms));
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, 500ms);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_FALSE(board->IsRepeatRunning());
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(CommandPosition(), 4000);  // no move back to the first position after the stop
    EXPECT_EQ(worker.Cycles(), 1u);
}

TEST_F(RepeatWorkerTest, SettingsChangedDuringTheRunApplyFromTheNextCycle) {
    auto board = ServoOn();
    ASSERT_NE(board, nullptr);
    CRepeatWorker worker;
    Configure(worker, 3000, 0, 0);
    ASSERT_TRUE(worker.Start(board));
    ASSERT_TRUE(WaitUntil([&] { return worker.Cycles() >= 1; }));
    worker.Settings().repeatCount = 2;  // read again at the end of cycle 1
    worker.Settings().positions[1] = 5000;
    ASSERT_TRUE(worker.Finish(10s));
    EXPECT_EQ(worker.Cycles(), 2u);
    EXPECT_EQ(CommandPosition(), 0);
    EXPECT_GT(worker.StartTimeMs(), 0u);
    // Cycle 2 went to the new second position (absolute move, frame type 0x34, position first).
    bool sawNewTarget = false;
    for (const auto& r : line_.RequestLog()) {
        if (r.slave == kSlave && r.frameType == 0x34 && r.data.size() >= 4) {
            const int32_t target = static_cast<int32_t>(r.data[0] | (r.data[1] << 8) | (r.data[2] << 16) |
                                                        (static_cast<uint32_t>(r.data[3]) << 24));
            sawNewTarget = sawNewTarget || target == 5000;
        }
    }
    EXPECT_TRUE(sawNewTarget);
}

TEST_F(RepeatWorkerTest, DestroyingTheWorkerDuringAMoveStopsAndJoinsIt) {
    auto board = ServoOn();
    ASSERT_NE(board, nullptr);
    auto worker = std::make_unique<CRepeatWorker>();
    // A long slow move: the sequence is inside its wait for the end of the motion.
    Configure(*worker, 2'000'000, 0, 0);
    worker->Settings().speed = 20000;
    ASSERT_TRUE(worker->Start(board));
    ASSERT_TRUE(WaitUntil([&] { return Moving(); }));
    const auto start = std::chrono::steady_clock::now();
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(board->IsRepeatRunning());
    board->MoveStop(false);
}

// The line goes away during a run (adapter pulled, port disconnected): the worker ends by itself,
// its board is released, and nothing hangs.
class RepeatWorkerLossTest : public RepeatWorkerTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RepeatWorkerLossTest, RunEndsWhenTheDriveGoesAway) {
    const bool pull = GetParam();
    auto board = ServoOn();
    ASSERT_NE(board, nullptr);
    CRepeatWorker worker;
    Configure(worker, 50000, 0, 0);
    ASSERT_TRUE(worker.Start(board));
    ASSERT_TRUE(WaitUntil([&] { return worker.Cycles() >= 1; }));
    std::weak_ptr<CBoardInterface> weak = board;
    board.reset();
    if (pull) {
        line_.HangUp();
    } else {
        master_.Disconnect(port_);
    }
    ASSERT_TRUE(worker.Finish(10s));
    EXPECT_FALSE(worker.IsRunning());
    if (!pull) {
        EXPECT_TRUE(weak.expired());  // the detached board went with the worker
    }
}

INSTANTIATE_TEST_SUITE_P(PulledOrDisconnected, RepeatWorkerLossTest, ::testing::Bool());

// The window asks for the stop while the worker thread has not yet begun the sequence (it had not
// been scheduled, or a hook was still on the line): the sequence must not clear that request.
TEST_F(RepeatWorkerTest, AStopAskedBeforeTheSequenceBeginsEndsItWithoutAMove) {
    auto board = ServoOn();
    ASSERT_NE(board, nullptr);
    CRepeatWorker worker;
    Configure(worker, 4000, 0, 0);  // until stopped
    worker.Settings().positions[0] = 1500;
    std::atomic<bool> stopAsked{false};
    CRepeatWorker::Hooks hooks;
    hooks.before = [&](CBoardInterface&) { return WaitUntil([&] { return stopAsked.load(); }); };
    ASSERT_TRUE(worker.Start(board, hooks));
    worker.RequestStop();
    stopAsked = true;
    EXPECT_TRUE(worker.Finish(3s));
    EXPECT_FALSE(board->IsRepeatRunning());
    EXPECT_EQ(CommandPosition(), 0);  // not even the move to the first position
}

}  // namespace
}  // namespace tarsel::test
