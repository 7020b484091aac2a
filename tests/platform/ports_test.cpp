// Port numbers: the ports directory and stable numbers of real devices, over a fake sysfs and
// /dev tree in a temporary folder.
#include "comm/platform/ports.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "comm/platform/ports_internal.h"

namespace tarsel::platform {
namespace {

namespace fs = std::filesystem;

class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        ::setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        ::unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value.first)
                ::setenv(name.c_str(), value.second.c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    void Remember(const char* name) {
        if (saved_.count(name) != 0) return;
        const char* value = std::getenv(name);
        saved_[name] = {value != nullptr, value != nullptr ? value : ""};
    }
    std::map<std::string, std::pair<bool, std::string>> saved_;
};

class PortsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarsel-ports-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        fs::create_directories(Ports());
        fs::create_directories(Sysfs() + "/class/tty");
        fs::create_directories(Dev() + "/serial/by-id");
        env_.Set("TARSEL_PORTS_DIR", Ports());
        env_.Set("TARSEL_SYSFS_ROOT", Sysfs());
        env_.Set("TARSEL_DEV_ROOT", Dev());
        env_.Set("TARSEL_PORT_NUMBERS_FILE", NumbersFile());
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string Ports() const { return root_ + "/ports"; }
    std::string Sysfs() const { return root_ + "/sys"; }
    std::string Dev() const { return root_ + "/dev"; }
    std::string NumbersFile() const { return root_ + "/config/ports.ini"; }

    std::string MakeFile(const std::string& name) {
        const std::string path = root_ + "/" + name;
        std::ofstream(path) << "";
        return path;
    }
    void AddEntry(const std::string& name, const std::string& target) {
        fs::create_symlink(target, Ports() + "/" + name);
    }
    // A terminal in the fake sysfs; `uartType` < 0 leaves the "type" attribute out.
    void AddTty(const std::string& name, bool hardware, int uartType = -1) {
        const std::string directory = Sysfs() + "/class/tty/" + name;
        fs::create_directories(directory);
        if (hardware) fs::create_directories(directory + "/device");
        if (uartType >= 0) std::ofstream(directory + "/type") << uartType << "\n";
    }
    void AddById(const std::string& name, const std::string& kernelName) {
        fs::create_symlink("../../" + kernelName, Dev() + "/serial/by-id/" + name);
    }
    static std::vector<unsigned> Sorted() {
        std::vector<unsigned> ports{99};
        EnumeratePorts(ports);
        std::sort(ports.begin(), ports.end());
        return ports;
    }
    std::string ReadNumbersFile() const {
        std::ifstream in(NumbersFile());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string root_;
    ScopedEnvironment env_;
};

TEST_F(PortsTest, DirectoryFollowsTheEnvironment) {
    EXPECT_EQ(PortsDirectory(), Ports());
    EXPECT_EQ(PortEntryPath(7), Ports() + "/com7");
    env_.Set("TARSEL_PORTS_DIR", "");
    env_.Set("XDG_RUNTIME_DIR", "/run/user/1234");
    EXPECT_EQ(PortsDirectory(), "/run/user/1234/tarsel/ports");
    env_.Unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(PortsDirectory(), "/tmp/tarsel-" + std::to_string(::getuid()) + "/ports");
}

TEST_F(PortsTest, EntriesFollowTheComNameRule) {
    const std::string device = MakeFile("device");
    for (const char* name : {"com3", "COM12", "comx1", "com", "com10a", "cOm", "com99999999999", "ttyUSB0"})
        AddEntry(name, device);
    AddEntry("com7", root_ + "/gone");  // dangling: the simulated line has ended

    EXPECT_EQ(Sorted(), (std::vector<unsigned>{3, 12}));
    EXPECT_EQ(ResolvePortDevice(3), device);
    EXPECT_EQ(ResolvePortDevice(12), device);  // found under its upper-case spelling
    EXPECT_EQ(ResolvePortDevice(7), "");
    EXPECT_EQ(ResolvePortDevice(10), "");

    unsigned number = 0;
    EXPECT_TRUE(detail::ParsePortEntryName("Com0042", number));
    EXPECT_EQ(number, 42u);
}

TEST_F(PortsTest, MissingDirectoriesGiveNoPorts) {
    env_.Set("TARSEL_PORTS_DIR", root_ + "/nowhere");
    env_.Set("TARSEL_SYSFS_ROOT", root_ + "/nowhere");
    EXPECT_TRUE(Sorted().empty());
    EXPECT_EQ(ResolvePortDevice(1), "");
}

TEST_F(PortsTest, RealDevicesKeepTheirNumbers) {
    AddEntry("com1", MakeFile("simulated"));
    AddTty("tty0", false);     // virtual console
    AddTty("ttyS0", true, 0);  // UART slot without a chip
    AddTty("ttyS1", true, 4);
    AddTty("ttyUSB0", true);
    AddById("usb-Adapter_A-if00-port0", "ttyUSB0");

    // Number 1 belongs to the ports-directory entry; sysfs order is name order.
    EXPECT_EQ(Sorted(), (std::vector<unsigned>{1, 2, 3}));
    EXPECT_EQ(ResolvePortDevice(2), Dev() + "/ttyS1");
    EXPECT_EQ(ResolvePortDevice(3), Dev() + "/ttyUSB0");
    EXPECT_NE(ReadNumbersFile().find("usb-Adapter_A-if00-port0=3"), std::string::npos);
    EXPECT_NE(ReadNumbersFile().find("ttyS1=2"), std::string::npos);

    // Re-plugged as ttyUSB1 with ttyS1 gone: the adapter keeps 3, a new device skips the
    // number still remembered for ttyS1.
    fs::remove_all(Sysfs() + "/class/tty/ttyS1");
    fs::remove_all(Sysfs() + "/class/tty/ttyUSB0");
    fs::remove(Dev() + "/serial/by-id/usb-Adapter_A-if00-port0");
    AddTty("ttyUSB1", true);
    AddById("usb-Adapter_A-if00-port0", "ttyUSB1");
    AddTty("ttyACM0", true);
    EXPECT_EQ(Sorted(), (std::vector<unsigned>{1, 3, 4}));
    EXPECT_EQ(ResolvePortDevice(3), Dev() + "/ttyUSB1");
    EXPECT_EQ(ResolvePortDevice(4), Dev() + "/ttyACM0");
    EXPECT_EQ(ResolvePortDevice(2), "");
}

TEST_F(PortsTest, NumbersFileKeepsForeignLinesAndSkipsBadOnes) {
    fs::create_directories(root_ + "/config");
    std::ofstream(NumbersFile()) << "[Ports]\nttyUSB0=5\nbroken line\nttyACM0=abc\n[Other]\nkeep=me\n";
    AddTty("ttyUSB0", true);
    AddTty("ttyACM0", true);
    EXPECT_EQ(Sorted(), (std::vector<unsigned>{1, 5}));
    const std::string text = ReadNumbersFile();
    EXPECT_NE(text.find("ttyACM0=1"), std::string::npos);
    EXPECT_NE(text.find("ttyUSB0=5"), std::string::npos);
    EXPECT_NE(text.find("[Other]\nkeep=me"), std::string::npos);
    EXPECT_FALSE(fs::exists(NumbersFile() + ".tmp" + std::to_string(::getpid())));
}

TEST_F(PortsTest, NumbersFileIsReadAndRewrittenLikeEveryOtherIniFile) {
    // Section names in any letter case, comments, blanks around '=' and CR LF line ends: the
    // file keeps its own line ends and comments when a new device is added.
    fs::create_directories(root_ + "/config");
    std::ofstream(NumbersFile()) << "; kept\r\n[ports]\r\nttyUSB0 = 5\r\n\r\n[Other]\r\nkeep=me\r\n";
    AddTty("ttyUSB0", true);
    AddTty("ttyS1", true, 4);
    EXPECT_EQ(Sorted(), (std::vector<unsigned>{1, 5}));
    EXPECT_EQ(ResolvePortDevice(5), Dev() + "/ttyUSB0");
    EXPECT_EQ(ResolvePortDevice(1), Dev() + "/ttyS1");
    EXPECT_EQ(ReadNumbersFile(), "; kept\r\n[ports]\r\nttyUSB0 = 5\r\nttyS1=1\r\n\r\n[Other]\r\nkeep=me\r\n");
}

}  // namespace
}  // namespace tarsel::platform
