// A window's watch handle against a simulated line: one count per handle and drive, released on
// a change of drive, on Release and on destruction, and never taken from a board it did not count.
#include "gui/app/board_watch.h"

#include <QTemporaryDir>
#include <cstdlib>

#include "tests/model/model_fixture.h"

namespace tarsel::app {
namespace {

constexpr uint8_t kPort = 41;
constexpr auto kMotion = CBoardInterface::kWatchMotion;

class BoardWatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(portsDir_.isValid());
        ::setenv("TARSEL_PORTS_DIR", portsDir_.path().toLocal8Bit().constData(), 1);
        for (uint8_t slave : {1, 2}) {
            sim::DriveConfig drive;
            drive.slave = slave;
            drive.modelCode = sim::model::kServo;
            ASSERT_TRUE(line_.AddDrive(drive));
        }
        ASSERT_TRUE(line_.Start());
        ASSERT_TRUE(line_.Publish(kPort));
        PortOptions quiet;
        quiet.pollPeriod = std::chrono::hours(1);  // no polling pass needed
        quiet.stopWait = std::chrono::milliseconds(50);
        master_.SetPortOptions(quiet);
        master_.SetMainFrame(&sink_, &reporter_);
        master_.SetLogEnabled(false);
        master_.LoadDefaultTables(TARSEL_TEST_DATA_DIR);
        ASSERT_EQ(master_.Connect(kPort, 115200), CCommMaster::kConnected);
    }
    void TearDown() override {
        master_.Disconnect(kPort);
        line_.Stop();
    }
    uint32_t Count(uint8_t slave, CBoardInterface::Watch kind = kMotion) const {
        const BoardRef board = master_.GetBoard(kPort, slave);
        return board ? board->WatchCount(kind) : 0u;
    }

    QTemporaryDir portsDir_;
    sim::SimLine line_;
    test::RecordingSink sink_;
    test::ScriptedReporter reporter_;
    CCommMaster master_;
};

TEST_F(BoardWatchTest, HoldsOneCountForTheDriveItWatchesUntilReleasedOrDestroyed) {
    BoardWatch other(master_, kMotion);  // a second window on drive 1
    other.Watch(kPort, 1);
    {
        BoardWatch watch(master_, kMotion);
        watch.Watch(kPort, 1);
        watch.Watch(kPort, 1);  // the same drive served again: still one count
        EXPECT_EQ(Count(1), 2u);
        EXPECT_EQ(Count(1, CBoardInterface::kWatchIo), 0u);  // only its own kind

        watch.Watch(kPort, 2);  // another drive: the first one is let go
        EXPECT_EQ(Count(1), 1u);
        EXPECT_EQ(Count(2), 1u);
        ASSERT_TRUE(watch.Watched());
        EXPECT_EQ(*watch.Watched(), std::make_pair(kPort, uint8_t{2}));

        watch.Watch(kPort, 9);  // no drive there: watches nothing, holds nothing
        EXPECT_EQ(Count(2), 0u);
        EXPECT_FALSE(watch.Watched());

        watch.Watch(kPort, 1);
        watch.Release();
        watch.Release();  // a second release takes nothing from the other window
        EXPECT_EQ(Count(1), 1u);
        watch.Watch(kPort, 2);
    }
    EXPECT_EQ(Count(2), 0u);  // destroyed while watching
    EXPECT_EQ(Count(1), 1u);
}

TEST_F(BoardWatchTest, ADriveFoundAgainIsANewBoardWhoseCountsTheOldHandleLeavesAlone) {
    BoardWatch stale(master_, kMotion);
    stale.Watch(kPort, 1);
    const std::weak_ptr<CBoardInterface> old = master_.GetBoard(kPort, 1);

    master_.Disconnect(kPort);  // the line is connected again: every board is replaced
    ASSERT_EQ(master_.Connect(kPort, 115200), CCommMaster::kConnected);
    ASSERT_NE(master_.GetBoard(kPort, 1), old.lock());
    BoardWatch fresh(master_, kMotion);  // a window opened since
    fresh.Watch(kPort, 1);
    ASSERT_EQ(Count(1), 1u);

    stale.Release();
    EXPECT_EQ(Count(1), 1u);

    stale.Watch(kPort, 1);  // served again, same numbers: counts up the new board
    EXPECT_EQ(Count(1), 2u);
}

}  // namespace
}  // namespace tarsel::app
