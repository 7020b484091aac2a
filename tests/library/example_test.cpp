// The C example program against the drive simulator: it finds the drives, moves one and sees
// the move end.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "sim/simulator.h"
#include "tests/library/scripted_line.h"

namespace tarsel::testing {
namespace {

TEST(ExampleProgram, ListsDrivesAndMovesAnAxis) {
    TestPortsDirectory();  // exports TARSEL_PORTS_DIR to the program
    sim::SimLine line;
    ASSERT_TRUE(line.Start());
    for (uint8_t slave = 0; slave < 16; ++slave) {
        sim::DriveConfig drive;
        drive.slave = slave;
        drive.modelCode = slave == 2 ? sim::model::kStepper : sim::model::kServo;
        // The others run firmware the library refuses.
        drive.version = slave == 0 || slave == 2 ? std::array<uint16_t, 4>{8, 0, 1, 0}
                                                 : std::array<uint16_t, 4>{2, 1, 0, 0};
        ASSERT_TRUE(line.AddDrive(drive));
    }
    ASSERT_TRUE(line.Publish(240));

    const std::string command = std::string(TARSEL_EXAMPLE_PROGRAM) + " 240 115200 3000 60000 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe)) output += buffer;
    const int status = ::pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(WEXITSTATUS(status), 0) << output;

    EXPECT_NE(output.find("slave 0: " + sim::ModelName(sim::model::kServo) + " type 1 version 8.0.1.0"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("slave 2: " + sim::ModelName(sim::model::kStepper) + " type 20"), std::string::npos)
        << output;
    EXPECT_EQ(output.find("slave 1:"), std::string::npos) << output;
    EXPECT_NE(output.find("move ended"), std::string::npos) << output;
    const auto state = line.GetAxisState(0);
    ASSERT_TRUE(state.has_value());
    EXPECT_TRUE(state->servoOn);
    EXPECT_EQ(state->commandPosition, 3000);
}

}  // namespace
}  // namespace tarsel::testing
