// The slave-number tool's logic over a scripted link: enabling rules, messages and the command
// line, without a serial line.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "comm/result_codes.h"
#include "recording_ui.h"
#include "tools/idpicker/command_line.h"
#include "tools/idpicker/id_picker_controller.h"

namespace tarsel::idpicker {
namespace {

using testing::RecordingUi;

// A line of drives held in memory.
class FakeLink : public SlaveLink {
public:
    bool Open(unsigned port, uint32_t baud) override {
        opened.push_back({port, baud});
        open = openSucceeds;
        return open;
    }
    std::string OpenErrorText() const override { return "no such port"; }
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    uint8_t Probe(uint8_t slave) override {
        if (probeThrows) throw std::runtime_error("probe broke");
        ++probes;
        return drives.count(slave) ? kResultSuccess : kResultTimeout;
    }
    uint8_t ReadIdentity(uint8_t slave, SlaveInfo& info) override {
        if (!drives.count(slave) || identityFails) return kResultTimeout;
        info = SlaveInfo{};
        info.version = {3, 2, 1, 0};
        const std::string name = "Drive" + std::to_string(slave);
        std::copy(name.begin(), name.end(), info.name.begin());
        return kResultSuccess;
    }
    uint8_t ChangeSlaveNumber(uint8_t slave, uint8_t newSlave) override {
        changes.push_back({slave, newSlave});
        if (changeResult != kResultSuccess) return changeResult;
        if (!ignoreChange) {
            drives.erase(slave);
            drives.insert(newSlave);
        }
        return kResultSuccess;
    }

    std::set<uint8_t> drives;
    bool openSucceeds = true;
    bool open = false;
    bool identityFails = false;
    bool ignoreChange = false;
    bool probeThrows = false;
    uint8_t changeResult = kResultSuccess;
    int probes = 0;
    std::vector<std::pair<unsigned, uint32_t>> opened;
    std::vector<std::pair<uint8_t, uint8_t>> changes;
};

struct ControllerTest : ::testing::Test {
    FakeLink link;
    RecordingUi ui;
    IdPickerController c{link, ui};
};

TEST_F(ControllerTest, StartsDisconnectedWithSortedPorts) {
    c.Start({12, 3, 7, 3});
    EXPECT_EQ(c.PortTexts(), (std::vector<std::string>{"COM3", "COM7", "COM12"}));
    EXPECT_EQ(c.InitialPortIndex(), 0);
    EXPECT_EQ(c.BaudIndex(), 4);
    EXPECT_EQ(c.ConnectCaption(), "Connect");
    EXPECT_EQ(c.SettingCaption(), "Setting");
    for (int n = 0; n < kSlaveCount; ++n) EXPECT_FALSE(c.IsSlaveEnabled(n));
    EXPECT_FALSE(c.IsNewNumberEnabled());
    EXPECT_FALSE(c.IsWriteEnabled());
    c.Start({});
    EXPECT_EQ(c.InitialPortIndex(), -1);
}

TEST_F(ControllerTest, ConnectReadsPortAndBaudFromTheCombos) {
    link.drives = {5};
    c.Start({12});
    c.PressConnect("COM12", "57600");
    ASSERT_EQ(link.opened.size(), 1u);
    EXPECT_EQ(link.opened[0], (std::pair<unsigned, uint32_t>{12, 57600}));
    EXPECT_EQ(link.probes, 16);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_EQ(c.ConnectCaption(), "Disconnect");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ControllerTest, ConnectionFailuresAreReportedAndLeaveItDisconnected) {
    c.Start({});
    c.PressConnect("", "115200");  // no ports: the empty combo text
    EXPECT_EQ(ui.LastText(), "connection failed.");
    EXPECT_TRUE(link.opened.empty());
    link.openSucceeds = false;
    c.PressConnect("COM4", "115200");
    EXPECT_EQ(ui.LastText(), "connection failed.");
    EXPECT_EQ(ui.boxes.back().detail, "no such port");
    EXPECT_FALSE(c.IsConnected());
    EXPECT_EQ(c.ConnectCaption(), "Connect");
}

TEST_F(ControllerTest, SelectionOffersFreeNumbersAndEnablesWrite) {
    link.drives = {0, 3};
    c.Start({1});
    c.PressConnect("COM1", "115200");
    c.SelectSlave(0);
    EXPECT_EQ(c.CurrentSlave(), 0);
    EXPECT_EQ(c.SettingCaption(), "Setting : Slave 0");
    EXPECT_EQ(c.IdentityText(), "Drive0 ver.3.2.1.0");
    EXPECT_EQ(c.NewNumbers(), (std::vector<int>{1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    EXPECT_TRUE(c.IsNewNumberEnabled());
    EXPECT_FALSE(c.IsWriteEnabled());
    c.SelectNewNumber(2);
    EXPECT_TRUE(c.IsWriteEnabled());
    c.SelectNewNumber(-1);
    EXPECT_FALSE(c.IsWriteEnabled());

    // A failed identity request changes nothing; a slave that was not found clears the selection.
    link.identityFails = true;
    c.SelectSlave(3);
    EXPECT_EQ(c.CurrentSlave(), 0);
    c.SelectSlave(5);
    EXPECT_EQ(c.CurrentSlave(), kNoSlave);
    EXPECT_FALSE(c.IsWriteEnabled());
}

TEST_F(ControllerTest, WriteAsksChangesAndReprobes) {
    link.drives = {0, 3};
    c.Start({1});
    c.PressConnect("COM1", "115200");
    c.SelectSlave(3);
    c.SelectNewNumber(5);  // free numbers 1 2 4 5 6 7 ...
    ASSERT_EQ(c.NewNumbers()[5], 7);

    ui.answerYes = false;
    c.PressWrite();
    EXPECT_TRUE(link.changes.empty());
    EXPECT_EQ(ui.LastText(), "Do you want to change 'Slave No' from 3 to 7?");
    EXPECT_EQ(ui.boxes.back().title, "ID Update");

    ui.answerYes = true;
    c.PressWrite();
    ASSERT_EQ(link.changes.size(), 1u);
    EXPECT_EQ(link.changes[0], (std::pair<uint8_t, uint8_t>{3, 7}));
    EXPECT_EQ(ui.LastText(), "Finished to update.");
    EXPECT_FALSE(c.IsSlaveEnabled(3));
    EXPECT_TRUE(c.IsSlaveEnabled(7));
    EXPECT_TRUE(c.IsSlaveEnabled(0));
    EXPECT_EQ(c.CurrentSlave(), kNoSlave);
    EXPECT_FALSE(c.IsWriteEnabled());
    EXPECT_TRUE(c.IsConnected());
}

TEST_F(ControllerTest, FailedChangeShowsTheCodeAndKeepsTheFlags) {
    link.drives = {2};
    c.Start({1});
    c.PressConnect("COM1", "115200");
    c.SelectSlave(2);
    c.SelectNewNumber(0);
    link.changeResult = 0x81;
    const int probesBefore = link.probes;
    c.PressWrite();
    EXPECT_EQ(ui.LastText(), "Failed to execute command.\nReturn code : 0x81");
    EXPECT_EQ(ui.boxes.back().title, "Error");
    EXPECT_EQ(link.probes, probesBefore);
    EXPECT_TRUE(c.IsSlaveEnabled(2));
    EXPECT_FALSE(c.IsWriteEnabled());
}

TEST_F(ControllerTest, EmptyLineAndDisconnect) {
    c.Start({1});
    c.PressConnect("COM1", "115200");
    EXPECT_EQ(ui.LastText(), "No slaves are detected.");
    EXPECT_FALSE(c.IsConnected());

    link.drives = {4};
    c.PressConnect("COM1", "115200");
    c.SelectSlave(4);
    c.PressConnect("COM1", "115200");  // Disconnect
    EXPECT_FALSE(link.open);
    EXPECT_FALSE(c.IsConnected());
    EXPECT_FALSE(c.IsFound(4));
    EXPECT_FALSE(c.IsSlaveEnabled(4));
    EXPECT_EQ(c.CurrentSlave(), kNoSlave);
    EXPECT_EQ(c.ConnectCaption(), "Connect");
}

// --- command line -------------------------------------------------------------------------

std::optional<Options> Parse(std::vector<std::string> args) {
    std::string error;
    return ParseOptions(args, error);
}

TEST(CommandLine, ParsesTheModes) {
    auto o = Parse({"--port", "7", "--scan"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->mode, Options::Mode::Scan);
    EXPECT_EQ(*o->port, 7u);
    EXPECT_EQ(o->baud, 115200u);
    o = Parse({"--port", "7", "--baud", "9600", "--change", "3", "12"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->mode, Options::Mode::Change);
    EXPECT_EQ(o->baud, 9600u);
    EXPECT_EQ(o->from, 3);
    EXPECT_EQ(o->to, 12);
    EXPECT_EQ(Parse({})->mode, Options::Mode::Dialog);
    EXPECT_TRUE(Parse({"--port", "2", "--connect"})->connectAtStart);

    for (const auto& bad :
         std::vector<std::vector<std::string>>{{"--scan"},
                                               {"--port", "x", "--scan"},
                                               {"--port", "1", "--change", "3"},
                                               {"--port", "1", "--change", "3", "16"},
                                               {"--port", "1", "--change", "3", "3"},
                                               {"--port", "1", "--scan", "--change", "1", "2"},
                                               {"--port", "1", "--baud", "0", "--scan"},
                                               {"--connect"},
                                               {"--frobnicate"}})
        EXPECT_FALSE(Parse(bad)) << bad.back();
}

struct CommandLineRun : ::testing::Test {
    int Run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        std::string error;
        const auto options = ParseOptions(args, error);
        EXPECT_TRUE(options) << error;
        return RunCommandLine(*options, link, out, err);
    }
    FakeLink link;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(CommandLineRun, ScanListsTheSlaves) {
    link.drives = {1, 9};
    EXPECT_EQ(Run({"--port", "3", "--scan"}), kExitOk);
    EXPECT_EQ(out.str(), "Slave 1: Drive1 ver.3.2.1.0\nSlave 9: Drive9 ver.3.2.1.0\n");
    EXPECT_FALSE(link.open);
    link.drives.clear();
    EXPECT_EQ(Run({"--port", "3", "--scan"}), kExitNotFound);
    EXPECT_EQ(err.str(), "No slaves are detected.\n");
    link.openSucceeds = false;
    EXPECT_EQ(Run({"--port", "3", "--scan"}), kExitConnectionFailed);
}

TEST_F(CommandLineRun, FailureOfTheToolIsPrintedWithItsOwnCode) {
    link.probeThrows = true;
    EXPECT_EQ(Run({"--port", "3", "--scan"}), kExitFailure);
    EXPECT_EQ(err.str(), "idpicker: probe broke\n");
    EXPECT_FALSE(link.open);
}

TEST_F(CommandLineRun, ChangeChecksBeforeAndAfter) {
    link.drives = {1, 9};
    EXPECT_EQ(Run({"--port", "3", "--change", "2", "4"}), kExitNotFound);
    EXPECT_EQ(Run({"--port", "3", "--change", "1", "9"}), kExitNumberInUse);
    EXPECT_TRUE(link.changes.empty());
    link.changeResult = 0x81;
    EXPECT_EQ(Run({"--port", "3", "--change", "1", "4"}), kExitCommandFailed);
    EXPECT_NE(err.str().find("Return code : 0x81"), std::string::npos);
    link.changeResult = kResultSuccess;
    link.ignoreChange = true;  // the drive acknowledges but keeps its number
    EXPECT_EQ(Run({"--port", "3", "--change", "1", "4"}), kExitNotVerified);
    link.ignoreChange = false;
    EXPECT_EQ(Run({"--port", "3", "--change", "1", "4"}), kExitOk);
    EXPECT_EQ(link.drives, (std::set<uint8_t>{4, 9}));
}

}  // namespace
}  // namespace tarsel::idpicker
