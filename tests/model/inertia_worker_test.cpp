// The inertia estimation's worker against the simulated BLDC drive, which estimates after two
// moves once its trigger was written and clears the trigger then.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/CInertiaWorker.h"
#include "tests/model/model_fixture.h"

namespace tarsel::test {
namespace {

using namespace std::chrono_literals;
constexpr uint8_t kSlave = 4;

class InertiaWorkerTest : public ModelTest {
protected:
    // The BLDC drive with the servo on; its BLDC parameters loaded when `load`.
    std::shared_ptr<CBoardDorrinTevraBLDC> Board(bool load) {
        sim::DriveConfig config = Drive(kSlave, sim::model::kBldc);
        config.inertiaRatio = 4.5;
        EXPECT_EQ(ConnectWith({config}), CCommMaster::kConnected);
        auto board = std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(port_, kSlave));
        if (board == nullptr) return nullptr;
        EXPECT_TRUE(board->ServoEnable(true));
        if (load) {
            board->bldcReloadRequest = true;
            EXPECT_TRUE(WaitUntil([&] { return board->bldcLoaded.load(); }));
        }
        auto& s = worker_.Settings();
        s.positions[0] = 0;
        s.positions[1] = 3000;
        s.speed = 400000;
        s.repeatCount = 1;
        return board;
    }
    std::optional<bool> Outcome() {
        EXPECT_TRUE(worker_.Finish(5s));
        return worker_.TakeOutcome();
    }
    std::optional<int32_t> Sim(uint8_t category, uint32_t number) {
        return line_.GetBldcParameter(kSlave, category, number);
    }
    // The estimated ratio the drive holds, as the board converts it.
    double Ratio(const CBoardDorrinTevraBLDC& board) {
        return board.BLDCRawToDisplay(4, 5, Sim(4, 5).value_or(-1));
    }

    CInertiaWorker worker_;
};

TEST_F(InertiaWorkerTest, RunWritesTheTriggerMovesAndSucceedsOnceTheDriveClearsIt) {
    auto board = Board(true);
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(worker_.Start(board));
    EXPECT_FALSE(worker_.Start(board));  // one run at a time
    EXPECT_EQ(Outcome(), std::optional<bool>(true));
    EXPECT_EQ(worker_.TakeOutcome(), std::nullopt);  // handed out once
    EXPECT_EQ(Sim(4, 6), 0);
    EXPECT_EQ(Ratio(*board), 4.5);
    EXPECT_EQ(worker_.Cycles(), 1u);
    EXPECT_EQ(line_.GetAxisState(kSlave)->commandPosition, 0);
}

TEST_F(InertiaWorkerTest, ATriggerTheBoardCannotWriteFailsTheRunWithoutMoving) {
    // BLDC parameters not loaded: the board refuses the write, and the trigger reading 0 must
    // not pass for a finished estimation.
    auto board = Board(false);
    ASSERT_NE(board, nullptr);
    ASSERT_FALSE(board->bldcLoaded.load());
    ASSERT_TRUE(worker_.Start(board));
    EXPECT_EQ(Outcome(), std::optional<bool>(false));
    EXPECT_EQ(CountRequests(line_, kSlave, 0x34), 0u);  // no move
    EXPECT_EQ(Ratio(*board), 0.0);
}

TEST_F(InertiaWorkerTest, AStaleCachedTriggerIsStillWrittenToTheDrive) {
    auto board = Board(true);
    ASSERT_NE(board, nullptr);
    // The cache holds 1 from an earlier start while the drive holds 0.
    const auto one = static_cast<int32_t>(board->BLDCDisplayToRaw(4, 6, 1.0));
    ASSERT_TRUE(board->WriteBLDCParameter(4, 6, one));
    ASSERT_TRUE(line_.SetBldcParameter(kSlave, 4, 6, 0));
    ASSERT_TRUE(line_.SetBldcParameter(kSlave, 4, 5, 0));
    ASSERT_TRUE(worker_.Start(board));
    EXPECT_EQ(Outcome(), std::optional<bool>(true));
    EXPECT_EQ(Ratio(*board), 4.5);  // the drive did estimate
}

TEST_F(InertiaWorkerTest, StopEndsAnEndlessRunAsAFailureWithoutReadingTheTrigger) {
    auto board = Board(true);
    ASSERT_NE(board, nullptr);
    worker_.Settings().repeatCount = 0;
    worker_.Settings().delayMs = 20000;
    ASSERT_TRUE(worker_.Start(board));
    ASSERT_TRUE(WaitUntil([&] { return line_.GetAxisState(kSlave)->commandPosition == 3000; }));
    line_.ClearRequestLog();
    worker_.RequestStop();
    EXPECT_EQ(Outcome(), std::optional<bool>(false));
    EXPECT_EQ(CountRequests(line_, kSlave, 0x84), 0u);  // no trigger read after the stop
}

}  // namespace
}  // namespace tarsel::test
