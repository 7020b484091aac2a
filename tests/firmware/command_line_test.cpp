// The command-line mode, judged by its exit codes and what it prints.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "base/ini/profile.h"
#include "image_files.h"
#include "sim/simulator.h"
#include "tools/firmloader/core/command_line.h"

namespace tarsel::firmware {
namespace {

using namespace std::chrono_literals;

class FirmloaderCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TARSEL_PORTS_DIR", ports.Path().c_str(), 1);
        base = dir.File("fw");
        ASSERT_TRUE(testing::WriteImageSet(base, 0x1000, testing::PatternWords(200, 3), 0x120000,
                                           testing::PatternWords(64, 4)));
        environment.iniDirectory = dir.Path();
        environment.pollIntervalMs = 5;
        environment.timings.afterRestartPause = 10ms;
        environment.timings.restartWait = 1500ms;
        environment.timings.eraseWait = 500ms;
    }
    int Run(const std::vector<std::string>& args) {
        out.str({});
        err.str({});
        return RunCommandLine(args, out, err, environment);
    }
    void StartLine(bool withDrive) {
        ASSERT_TRUE(line.Start());
        ASSERT_TRUE(line.Publish(41));
        if (!withDrive) return;
        sim::DriveConfig config;
        config.slave = 2;
        config.boot.silenceAfterRestartMs = 50;
        config.boot.eraseDurationMs = 30;
        ASSERT_TRUE(line.AddDrive(config));
    }

    testing::TempDir dir;
    testing::TempDir ports;
    std::string base;
    CommandLineEnvironment environment;
    std::ostringstream out, err;
    sim::SimLine line;
};

TEST_F(FirmloaderCommandLine, CheckPrintsTheAddressRangesOfAGoodSet) {
    EXPECT_EQ(Run({"--check", base}), exit_code::kSuccess) << err.str();
    EXPECT_NE(out.str().find("0x00001000-0x000010C7  200 words"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("0x00120000-0x0012003F  64 words"), std::string::npos) << out.str();
    // An image file's own path names the same set.
    EXPECT_EQ(Run({"--check", base + ".i11"}), exit_code::kSuccess);

    // Below 1 MiB objcopy starts segments with type 02 records; the drives' loader takes their
    // value as the upper 16 address bits, and --check shows where such a set would really go.
    const std::string low = dir.File("low");
    ASSERT_TRUE(testing::WriteImageSet(low, 0x20000, testing::PatternWords(64, 4), 0, {}));
    EXPECT_EQ(Run({"--check", low}), exit_code::kSuccess);
    EXPECT_NE(out.str().find("0x20000000-0x2000003F  64 words"), std::string::npos) << out.str();
}

TEST_F(FirmloaderCommandLine, CheckRefusesMissingAndMalformedSets) {
    EXPECT_EQ(Run({"--check", dir.File("other")}), exit_code::kImageRefused);
    EXPECT_NE(err.str().find("other.i00"), std::string::npos);
    testing::WriteText(base + ".i01", ":0100000022DD\n");
    EXPECT_EQ(Run({"--check", base}), exit_code::kImageRefused);
    EXPECT_NE(err.str().find("fw.i01"), std::string::npos) << err.str();
}

TEST_F(FirmloaderCommandLine, CheckRefusesAFolderNamedLikeAnImageFile) {
    std::filesystem::remove(base + ".i00");
    std::filesystem::create_directory(base + ".i00");
    EXPECT_EQ(Run({"--check", base}), exit_code::kImageRefused);
    EXPECT_NE(err.str().find(base + ".i00 is a folder"), std::string::npos) << err.str();
}

TEST_F(FirmloaderCommandLine, CheckWarnsAboutTypeTwoRecords) {
    EXPECT_EQ(Run({"--check", base}), exit_code::kSuccess);  // no type 02 records there
    EXPECT_EQ(err.str(), "");
    const std::string low = dir.File("low");
    ASSERT_TRUE(testing::WriteImageSet(low, 0x20000, testing::PatternWords(64, 4), 0, {}));
    EXPECT_EQ(Run({"--check", low}), exit_code::kSuccess);
    EXPECT_NE(err.str().find("firmloader: warning: low.i00 has 1 type 02 address records"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("from address 0x20000000, not from 0x20000 "), std::string::npos) << err.str();
}

struct UnwritableSet {
    const char* name;
    const char* records;  // both files of each pair; empty: the set as written by SetUp
    const char* special;  // extension of a file replaced by a FIFO or a link to /dev/zero
    bool fifo;
    const char* message;
};

TEST_F(FirmloaderCommandLine, SetsThatCannotBeWrittenAreRefusedBeforeTheDriveIsTouched) {
    const UnwritableSet cases[] = {
        {"records without words", ":0000000000\n:0010000000\n:00000001FF\n", nullptr, false, "hold no words"},
        {"addresses beyond 32 bits", ":02000004FFFFFC\n:04FFFE0001020304F2\n:00000001FF\n", nullptr, false,
         "0xFFFFFFFE-0x100000001"},
        {"a FIFO", "", ".i00", true, "is not a regular file"},
        {"a device", "", ".i01", false, "is not a regular file"},
    };
    StartLine(true);
    for (const UnwritableSet& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string set = dir.File(std::string("bad") + std::to_string(&c - cases));
        ASSERT_TRUE(testing::WriteImageSet(set, 0x1000, testing::PatternWords(8, 3), 0x2000,
                                           testing::PatternWords(8, 4)));
        if (*c.records)
            for (const char* ext : {".i00", ".i01", ".i10", ".i11"}) testing::WriteText(set + ext, c.records);
        if (c.special) {
            const std::string path = set + c.special;
            std::filesystem::remove(path);
            if (c.fifo)
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            else
                std::filesystem::create_symlink("/dev/zero", path);
        }
        line.ClearRequestLog();
        EXPECT_EQ(Run({"--port", "41", "--slave", "2", "--image", set}), exit_code::kImageRefused)
            << out.str();
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
        EXPECT_TRUE(line.RequestLog().empty()) << "nothing may be sent";
        EXPECT_EQ(Run({"--check", set}), exit_code::kImageRefused);
    }
    EXPECT_TRUE(line.GetFlashImage(2)->empty());
}

TEST_F(FirmloaderCommandLine, WrongArgumentsAreUsageErrors) {
    EXPECT_EQ(Run({"--port", "3", "--slave", "1"}), exit_code::kUsage);
    EXPECT_EQ(Run({"--port", "3", "--slave", "16", "--image", base}), exit_code::kUsage);
    EXPECT_EQ(Run({"--port", "x", "--slave", "1", "--image", base}), exit_code::kUsage);
    EXPECT_EQ(Run({"--check"}), exit_code::kUsage);
    EXPECT_EQ(Run({"--check", base, "--port", "1"}), exit_code::kUsage);
    EXPECT_EQ(Run({"--bogus", "1"}), exit_code::kUsage);
    EXPECT_NE(err.str().find("usage: firmloader"), std::string::npos);
}

TEST_F(FirmloaderCommandLine, ConnectFailuresExitWithTheirOwnCode) {
    EXPECT_EQ(Run({"--port", "41", "--slave", "2", "--image", base}), exit_code::kConnectFailed);
    EXPECT_NE(err.str().find("Failed to open port."), std::string::npos);
    StartLine(true);
    EXPECT_EQ(Run({"--port", "41", "--slave", "5", "--image", base}), exit_code::kConnectFailed);
    EXPECT_NE(err.str().find("Incorrect slave number."), std::string::npos);
}

TEST_F(FirmloaderCommandLine, UpdatesADriveAndRecordsTheHistory) {
    StartLine(true);
    EXPECT_EQ(Run({"--port", "41", "--slave", "2", "--baud", "57600", "--image", base}), exit_code::kSuccess)
        << err.str() << out.str();
    EXPECT_NE(out.str().find("Boot ROM: done"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("] 17/17 records"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Updating ROM is finished."), std::string::npos);
    EXPECT_EQ(line.GetFlashImage(2)->size(), 264u);
    const auto ini = dir.Path() / "Connection.ini";
    EXPECT_EQ(ini::ReadProfileInt(ini, "COMM", "PortNo", 0), 41);
    EXPECT_EQ(ini::ReadProfileInt(ini, "COMM", "Baudrate", 0), 57600);
    EXPECT_NE(ini::ReadProfileString(ini, "HISTORY", "BootROMVersion").find(" ver "), std::string::npos);
}

TEST_F(FirmloaderCommandLine, EraseFailureExitsNonZero) {
    StartLine(true);
    sim::BootRomTimings slow;
    slow.silenceAfterRestartMs = 50;
    slow.eraseDurationMs = 600'000;
    ASSERT_TRUE(line.SetBootRomTimings(2, slow));
    environment.timings.eraseWait = 100ms;
    EXPECT_EQ(Run({"--port", "41", "--slave", "2", "--image", base}), exit_code::kUpdateFailed);
    EXPECT_NE(err.str().find("Failed to erase ROM. ROM was not erased."), std::string::npos) << err.str();
}

}  // namespace
}  // namespace tarsel::firmware
