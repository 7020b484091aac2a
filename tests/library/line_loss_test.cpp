// A line that goes away and comes back while the program keeps running: the library reports the
// loss, and a connect on the dead port connects it afresh.
#include <gtest/gtest.h>

#include "TarselTevra.h"
#include "sim/simulator.h"
#include "tests/library/scripted_line.h"

namespace tarsel::testing {
namespace {

constexpr int kPort = 233;

sim::DriveConfig Servo(uint8_t slave, uint16_t major) {
    sim::DriveConfig drive;
    drive.slave = slave;
    drive.version = {major, 0, 0, 0};
    return drive;
}

// Every slave number answers, so that a scan is quick: slave 1 with firmware the library
// takes, the others with firmware it refuses.
void FillLine(sim::SimLine& line) {
    for (uint8_t slave = 0; slave < 16; ++slave) line.AddDrive(Servo(slave, slave == 1 ? 8 : 7));
}

// Puts a drive with the given major version at `slave` in place of the one there.
void Replace(sim::SimLine& line, uint8_t slave, uint16_t major) {
    line.RemoveDrive(slave);
    line.AddDrive(Servo(slave, major));
}

class LineLossTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestPortsDirectory();
        ASSERT_TRUE(line.Start());
        FillLine(line);
        ASSERT_TRUE(line.Publish(kPort));
        ASSERT_TRUE(ZEL_Connect(kPort, 115200));
    }
    void TearDown() override { ZEL_Close(kPort); }

    // Unplugs the adapter: every call fails with 5 and the port closes itself.
    void Unplug() {
        line.HangUp();
        int32_t value = 0;
        // The kernel may take a moment to hang the terminal up; until then the drive is silent.
        int rc = ZEL_GetParameter(kPort, 1, 3, &value);
        for (int i = 0; i < 10 && rc == 6; ++i) rc = ZEL_GetParameter(kPort, 1, 3, &value);
        ASSERT_EQ(rc, 5);
        ASSERT_EQ(ZEL_GetParameter(kPort, 1, 3, &value), 5) << "the closed port stays closed";
    }
    // Plugs it in again: the line comes back (on a new device) under the same port number.
    void Replug() {
        line.Stop();
        ASSERT_TRUE(line.Start());
        ASSERT_TRUE(line.Publish(kPort));
    }

    sim::SimLine line;
};

TEST_F(LineLossTest, ConnectAfterTheLineCameBackConnectsAfresh) {
    Unplug();
    EXPECT_FALSE(ZEL_Connect(kPort, 115200)) << "the line is still gone";
    int32_t value = 0;
    EXPECT_EQ(ZEL_GetParameter(kPort, 1, 3, &value), 5) << "still registered, still closed";

    Replug();
    // A drive was added while the line was down; the fresh scan finds it, and it is the
    // drives as they are now that count.
    Replace(line, 4, 8);
    Replace(line, 1, 7);
    ASSERT_TRUE(line.SetParameter(4, 3, 77));
    EXPECT_TRUE(ZEL_Connect(kPort, 115200));
    EXPECT_EQ(ZEL_GetParameter(kPort, 4, 3, &value), 0);
    EXPECT_EQ(value, 77);
    EXPECT_EQ(ZEL_GetParameter(kPort, 1, 3, &value), 3) << "slave 1 is no longer on the line";
    EXPECT_TRUE(ZEL_Connect(kPort, 115200)) << "connected: true at once";
}

TEST_F(LineLossTest, ConnectToADeadPortWithoutSupportedDrivesReportsFalse) {
    Unplug();
    Replug();
    Replace(line, 1, 7);
    EXPECT_FALSE(ZEL_Connect(kPort, 115200));
    int32_t value = 0;
    EXPECT_EQ(ZEL_GetParameter(kPort, 1, 3, &value), 5) << "the port stays as it was: closed";
    EXPECT_EQ(ZEL_GetParameter(kPort, 2, 3, &value), 3);
    // ZEL_Close and ZEL_Connect still work as before.
    ZEL_Close(kPort);
    EXPECT_FALSE(ZEL_Connect(kPort, 115200));
    EXPECT_EQ(ZEL_GetParameter(kPort, 1, 3, &value), 1);
}

}  // namespace
}  // namespace tarsel::testing
