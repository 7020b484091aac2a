// The drivesim program: publishes its line in the ports directory, serves six demo drives,
// removes its entry when stopped and keeps its state between runs.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "comm/platform/ports.h"
#include "comm/result_codes.h"
#include "tests/sim/sim_fixture.h"

extern char** environ;

namespace tarsel::sim::testing {
namespace {

// Runs drivesim with `args` (ports directory from the environment) until Stop.
class Program {
public:
    explicit Program(std::vector<std::string> args) {
        std::vector<char*> argv;
        args.insert(args.begin(), DRIVESIM_PATH);
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, DRIVESIM_PATH, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Program() { Stop(); }
    bool Running() const { return pid_ > 0; }
    int Stop() {
        if (pid_ <= 0) return -1;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
};

class DrivesimProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("TARSEL_PORTS_DIR", (ports.Path() + "/ports").c_str(), 1); }
    void TearDown() override { ::unsetenv("TARSEL_PORTS_DIR"); }

    bool WaitForEntry(unsigned port, bool present) {
        return WaitFor(
            [&] { return (::access(platform::PortEntryPath(port).c_str(), F_OK) == 0) == present; },
            std::chrono::milliseconds(5000));
    }

    TempDir ports;
};

TEST_F(DrivesimProgramTest, DemoLineIsFoundByAScanAndItsEntryGoesAtExit) {
    Program program({"--demo", "--port", "97"});
    ASSERT_TRUE(program.Running());
    ASSERT_TRUE(WaitForEntry(97, true));

    CRs232CB port(TransportConfig::Library());
    ASSERT_TRUE(port.OpenPort(97, 115200)) << port.LastOpenErrorText();
    port.SetLogEnabled(false);
    std::vector<uint16_t> models;
    for (uint8_t slave = 0; slave <= 15; ++slave) {
        uint8_t info[70] = {};
        const uint8_t rc = port.DoSendCommand(slave, 0x01, nullptr, 0, info, sizeof(info), 30, true);
        if (rc == 0) {
            models.push_back(GetU16(info + 38));
        } else {
            EXPECT_EQ(rc, kResultTimeout) << "slave " << int{slave};
        }
    }
    EXPECT_EQ(models, (std::vector<uint16_t>{1, 10, 20, 30, 40, 110}));
    port.ClosePort();

    EXPECT_EQ(program.Stop(), 0);
    EXPECT_TRUE(WaitForEntry(97, false));
}

TEST_F(DrivesimProgramTest, LineFileDrivesAndStateDirectory) {
    TempDir state;
    const std::string lineFile = state.Path() + "/line.ini";
    std::ofstream(lineFile) << "[Line]\nBaud=57600\n\n[Slave4]\nModel=20\nVersion=3.1\nMotorName=STEP-1\n";
    {
        Program program(
            {"--line", lineFile, "--port", "96", "--state", state.Path(), "--data", ports.Path()});
        ASSERT_TRUE(WaitForEntry(96, true));
        CRs232CB port(TransportConfig::Library());
        ASSERT_TRUE(port.OpenPort(96, 57600));
        port.SetLogEnabled(false);
        uint8_t info[70] = {};
        ASSERT_EQ(port.DoSendCommand(4, 0x01, nullptr, 0, info, sizeof(info), 100, true), 0);
        EXPECT_EQ(GetU16(info + 38), 20);
        EXPECT_EQ(GetU16(info), 3);
        EXPECT_STREQ(reinterpret_cast<const char*>(info + 42), "STEP-1");
        const uint8_t write[] = {2, 55, 0, 0, 0};
        ASSERT_EQ(port.DoSendCommand(4, 0x12, write, sizeof(write), nullptr, 0, 100), 0);
        ASSERT_EQ(port.DoSendCommand(4, 0x10, nullptr, 0, nullptr, 0, 500), 0);
        port.ClosePort();
        EXPECT_EQ(program.Stop(), 0);
    }
    EXPECT_EQ(::access((state.Path() + "/drive-4.ini").c_str(), F_OK), 0);
    Program again({"--line", lineFile, "--port", "96", "--state", state.Path(), "--data", ports.Path()});
    ASSERT_TRUE(WaitForEntry(96, true));
    CRs232CB port(TransportConfig::Library());
    ASSERT_TRUE(port.OpenPort(96, 57600));
    port.SetLogEnabled(false);
    const uint8_t number = 2;
    uint8_t value[4] = {};
    ASSERT_EQ(port.DoSendCommand(4, 0x13, &number, 1, value, 4, 100), 0);
    EXPECT_EQ(GetS32(value), 55);
}

}  // namespace
}  // namespace tarsel::sim::testing
