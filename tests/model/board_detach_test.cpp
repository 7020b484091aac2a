// A port lets go of a board while another thread is inside a command on it (a repeat run, a
// monitoring run): the port is destroyed right after, so letting go must wait for that command.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/board_classes.h"
#include "gui/model/board/detached_port.h"
#include "tests/model/model_fixture.h"

namespace tarsel::test {
namespace {

using namespace std::chrono_literals;

// Holds every thread that passes it until the test lets go.
class Gate {
public:
    void Pass() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++passes_;
        inside_ = true;
        cv_.notify_all();
        cv_.wait(lock, [&] { return released_; });
        inside_ = false;
    }
    void WaitInside() {
        std::unique_lock<std::mutex> lock(mutex_);
        ASSERT_TRUE(cv_.wait_for(lock, 5s, [&] { return inside_; }));
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
        cv_.notify_all();
    }
    bool Inside() {
        std::lock_guard<std::mutex> lock(mutex_);
        return inside_;
    }
    int Passes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return passes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool inside_ = false;
    bool released_ = false;
    int passes_ = 0;
};

// A port whose stop command stays on the line until the test lets it finish.
class HeldPort : public DetachedPort {
public:
    HeldPort() : DetachedPort(7) {}
    bool IsPortOpen() const override { return true; }
    uint8_t MoveStop(uint8_t) override {
        gate.Pass();
        return 0;
    }
    Gate gate;
};

// `start` runs on a worker until it is held in `gate`; Detach must not return before the gate
// lets it go, because what it holds (the port, the main frame) may go right after.
void ExpectDetachWaitsFor(CBoardInterface& board, Gate& gate, const std::function<void()>& start) {
    std::thread worker(start);
    gate.WaitInside();
    std::atomic<bool> detached{false};
    bool doneWhenDetached = false;
    std::thread detach([&] {
        board.Detach();
        doneWhenDetached = !gate.Inside();
        detached = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(detached.load());

    gate.Release();
    worker.join();
    detach.join();
    EXPECT_TRUE(doneWhenDetached);
}

TEST(BoardDetachTest, LettingGoWaitsForTheCommandInFlightAndNothingReachesThePortAfter) {
    HeldPort port;
    SlaveInfo info{};
    std::unique_ptr<CBoardInterface> board = CreateBoard(1, 0, port, &info, nullptr, BoardContext{});

    ExpectDetachWaitsFor(*board, port.gate, [&] { board->MoveStop(false); });

    EXPECT_FALSE(board->MoveStop(false));
    EXPECT_EQ(port.gate.Passes(), 1);
}

TEST(BoardDetachTest, LettingGoWithNothingInFlightReturnsAtOnce) {
    HeldPort port;
    SlaveInfo info{};
    std::unique_ptr<CBoardInterface> board = CreateBoard(1, 0, port, &info, nullptr, BoardContext{});
    board->Detach();
    EXPECT_TRUE(board->IsDetached());
    EXPECT_FALSE(board->MoveStop(false));
    EXPECT_EQ(port.gate.Passes(), 0);
}

// A main frame that holds the messages handed to it until the test lets go.
class HeldSink : public RecordingSink {
public:
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        gate.Pass();
        RecordingSink::Post(message, wParam, lParam);
    }
    Gate gate;
};

std::unique_ptr<CBoardInterface> BldcBoard(IBoardCommands& port, IMainFrameSink& sink) {
    SlaveInfo info{};
    info.inputCount = 4;
    info.outputCount = 4;
    return CreateBoard(board_type::kBldc, 0, port, &info, nullptr, BoardContext{&sink, nullptr, nullptr});
}

// A worker that outlived its window (a board task, a monitoring run) goes on calling its board
// after the port let go of it, until after the main frame is gone: the board must not reach it.
TEST(BoardDetachTest, ADetachedBoardTellsTheMainFrameNothing) {
    HeldPort port;
    RecordingSink sink;
    std::unique_ptr<CBoardInterface> board = BldcBoard(port, sink);
    auto* bldc = dynamic_cast<CBoardDorrinTevraBLDC*>(board.get());
    ASSERT_NE(bldc, nullptr);
    bldc->ReadBLDCParameter(4, 6);
    ASSERT_FALSE(sink.Messages().empty());  // attached, even a failed read redraws the windows
    board->Detach();
    sink.Clear();

    bldc->ReadBLDCParameter(4, 6);
    bldc->WriteBLDCParameter(4, 6, 1);
    board->SetInputPinLevel(0, 1);
    board->SetOutputPinLevel(1, 1);
    board->ServoEnable(true);
    board->MoveSingleAxisIncPos(100, 1000, false);
    EXPECT_TRUE(sink.Messages().empty());
}

TEST(BoardDetachTest, LettingGoWaitsForAMessageBeingHandedToTheMainFrame) {
    HeldPort port;
    HeldSink sink;
    std::unique_ptr<CBoardInterface> board = BldcBoard(port, sink);
    auto* bldc = dynamic_cast<CBoardDorrinTevraBLDC*>(board.get());
    ASSERT_NE(bldc, nullptr);

    ExpectDetachWaitsFor(*board, sink.gate, [&] { bldc->ReadBLDCParameter(4, 6); });
}

}  // namespace
}  // namespace tarsel::test
