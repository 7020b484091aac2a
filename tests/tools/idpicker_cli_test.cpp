// The command-line modes of the idpicker program, run as a separate process against the drive
// simulator: their exit codes and what they print.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_drives.h"
#include "tools/idpicker/command_line.h"

extern char** environ;

namespace {

using tarsel::testing::SimDrive;

constexpr unsigned kPort = 43;

struct Result {
    int code = -1;
    std::string out;
};

class IdPickerProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/idpicker-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        ::setenv("TARSEL_PORTS_DIR", (dir_ + "/ports").c_str(), 1);
        ASSERT_TRUE(line_.Start());
        ASSERT_TRUE(line_.Publish(kPort));
    }
    void TearDown() override {
        line_.Stop();
        std::filesystem::remove_all(dir_);
    }

    Result Run(std::vector<std::string> args) {
        const std::string outPath = dir_ + "/out.txt";
        args.insert(args.begin(), IDPICKER_PATH);
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        pid_t pid = 0;
        Result result;
        if (posix_spawn(&pid, IDPICKER_PATH, &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        std::ifstream file(outPath);
        std::stringstream text;
        text << file.rdbuf();
        result.out = text.str();
        return result;
    }

    std::string dir_;
    tarsel::sim::SimLine line_;
};

TEST_F(IdPickerProgram, ScanPrintsTheSlavesOrFails) {
    const std::string port = std::to_string(kPort);
    Result r = Run({"--port", port, "--timeout", "30", "--scan"});
    EXPECT_EQ(r.code, 3) << r.out;
    EXPECT_EQ(r.out, "No slaves are detected.\n");

    ASSERT_TRUE(line_.AddDrive(SimDrive(2, "Left", {1, 2, 3, 4})));
    ASSERT_TRUE(line_.AddDrive(SimDrive(11, "Right", {5, 6, 7, 8})));
    r = Run({"--port", port, "--baud", "115200", "--timeout", "30", "--scan"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "Slave 2: Left ver.1.2.3.4\nSlave 11: Right ver.5.6.7.8\n");

    r = Run({"--port", std::to_string(kPort + 1), "--scan"});
    EXPECT_EQ(r.code, 2) << r.out;
    EXPECT_EQ(r.out.rfind("connection failed.", 0), 0u) << r.out;
    EXPECT_EQ(Run({"--scan"}).code, 1);
    EXPECT_EQ(Run({"--help"}).code, 0);
}

TEST_F(IdPickerProgram, ChangeRenumbersAndVerifies) {
    const std::string port = std::to_string(kPort);
    ASSERT_TRUE(line_.AddDrive(SimDrive(3)));
    ASSERT_TRUE(line_.AddDrive(SimDrive(4)));
    EXPECT_EQ(Run({"--port", port, "--timeout", "30", "--change", "5", "6"}).code, 3);
    EXPECT_EQ(Run({"--port", port, "--timeout", "30", "--change", "3", "4"}).code, 4);
    Result r = Run({"--port", port, "--timeout", "30", "--change", "3", "7"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(line_.Slaves(), (std::vector<uint8_t>{4, 7}));
    EXPECT_EQ(Run({"--port", port, "--change", "3", "16"}).code, 1);
}

}  // namespace

namespace tarsel::idpicker {
namespace {

// The real serial link, with the adapter pulled out right after the probe of one slave.
class UnpluggedAfterProbe : public SerialSlaveLink {
public:
    UnpluggedAfterProbe(sim::SimLine& line, uint8_t slave)
        : SerialSlaveLink({30, 30, 2000}), line_(line), slave_(slave) {}
    uint8_t Probe(uint8_t slave) override {
        const uint8_t result = SerialSlaveLink::Probe(slave);
        if (slave == slave_) line_.HangUp();
        return result;
    }

private:
    sim::SimLine& line_;
    uint8_t slave_;
};

TEST_F(IdPickerProgram, ScanCutShortByALineFailureSaysSoAndFails) {
    ASSERT_TRUE(line_.AddDrive(SimDrive(0, "Left", {1, 2, 3, 4})));
    ASSERT_TRUE(line_.AddDrive(SimDrive(5, "Right", {5, 6, 7, 8})));
    Options options;
    options.mode = Options::Mode::Scan;
    options.port = kPort;
    UnpluggedAfterProbe link(line_, 0);
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine(options, link, out, err), kExitConnectionFailed);
    EXPECT_EQ(err.str(), "The line failed at slave 0; the scan is incomplete.\n");
}

}  // namespace
}  // namespace tarsel::idpicker
