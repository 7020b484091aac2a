// The drivesim program: publishes its line in the ports directory, serves six demo drives,
// removes its entry when stopped and keeps its state between runs.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "comm/platform/port_entry_lock.h"
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
    // Ends it the hard way: no signal handler runs, the entry stays behind.
    void Kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
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

TEST_F(DrivesimProgramTest, EntryLeftByAKilledSimulatorIsNotUsed) {
    Program program({"--drive", "0:1", "--port", "40"});
    ASSERT_TRUE(WaitForEntry(40, true));
    const std::string entry = platform::PortEntryPath(40);
    program.Kill();

    // A later line takes a pseudo-terminal; when it is the one the old entry names, port 40
    // would silently reach its drives.  Make sure the entry names it, as a reused device would.
    SimLine later;
    ASSERT_TRUE(later.Start());
    DriveConfig drive;
    drive.slave = 3;
    ASSERT_TRUE(later.AddDrive(drive));
    ASSERT_TRUE(later.Publish(41));
    char target[512] = {};
    ASSERT_GT(::readlink(entry.c_str(), target, sizeof(target) - 1), 0);
    if (later.DevicePath() != target) {
        ::unlink(entry.c_str());
        ASSERT_EQ(::symlink(later.DevicePath().c_str(), entry.c_str()), 0);
        std::ofstream(platform::PortEntryLockPath(entry), std::ios::trunc) << later.DevicePath();
    }

    EXPECT_EQ(platform::ResolvePortDevice(40), "");
    std::vector<unsigned> ports;
    platform::EnumeratePorts(ports);
    EXPECT_EQ(std::count(ports.begin(), ports.end(), 40u), 0);
    EXPECT_EQ(std::count(ports.begin(), ports.end(), 41u), 1);
    CRs232CB port(TransportConfig::Library());
    EXPECT_FALSE(port.OpenPort(40, 115200));

    // Publishing port 40 again takes the entry over; a second live publisher is refused.
    SimLine again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(again.Publish(40));
    EXPECT_FALSE(later.Publish(40));
    EXPECT_NE(platform::ResolvePortDevice(40), "");
    again.Stop();
    EXPECT_NE(::access(platform::PortEntryLockPath(entry).c_str(), F_OK), 0) << "the lock file goes too";

    // A link made by hand (no lock file) is the user's choice and is used.
    ASSERT_EQ(::symlink(later.DevicePath().c_str(), entry.c_str()), 0);
    EXPECT_NE(platform::ResolvePortDevice(40), "");
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
