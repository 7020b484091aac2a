// A port lets go of a board while another thread is inside a command on it (a repeat run, a
// monitoring run): the port is destroyed right after, so letting go must wait for that command.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "gui/model/board/board_classes.h"
#include "gui/model/board/detached_port.h"

namespace tarsel::test {
namespace {

using namespace std::chrono_literals;

// A port whose stop command stays on the line until the test lets it finish.
class HeldPort : public DetachedPort {
public:
    HeldPort() : DetachedPort(7) {}
    bool IsPortOpen() const override { return true; }
    uint8_t MoveStop(uint8_t) override {
        std::unique_lock<std::mutex> lock(mutex_);
        ++calls_;
        inside_ = true;
        cv_.notify_all();
        cv_.wait(lock, [&] { return released_; });
        inside_ = false;
        return 0;
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
    int Calls() {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool inside_ = false;
    bool released_ = false;
    int calls_ = 0;
};

TEST(BoardDetachTest, LettingGoWaitsForTheCommandInFlightAndNothingReachesThePortAfter) {
    HeldPort port;
    SlaveInfo info{};
    std::unique_ptr<CBoardInterface> board = CreateBoard(1, 0, port, &info, nullptr, BoardContext{});

    std::thread command([&] { board->MoveStop(false); });
    port.WaitInside();

    std::atomic<bool> detached{false};
    bool commandDoneWhenDetached = false;
    std::thread detach([&] {
        board->Detach();
        commandDoneWhenDetached = !port.Inside();
        detached = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(detached.load());  // the port must stay alive while the stop is on the line

    port.Release();
    command.join();
    detach.join();
    EXPECT_TRUE(commandDoneWhenDetached);

    EXPECT_FALSE(board->MoveStop(false));
    EXPECT_EQ(port.Calls(), 1);
}

TEST(BoardDetachTest, LettingGoWithNothingInFlightReturnsAtOnce) {
    HeldPort port;
    SlaveInfo info{};
    std::unique_ptr<CBoardInterface> board = CreateBoard(1, 0, port, &info, nullptr, BoardContext{});
    board->Detach();
    EXPECT_TRUE(board->IsDetached());
    EXPECT_FALSE(board->MoveStop(false));
    EXPECT_EQ(port.Calls(), 0);
}

}  // namespace
}  // namespace tarsel::test
