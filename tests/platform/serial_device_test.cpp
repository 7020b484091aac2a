// SerialDevice over a real pseudo-terminal: the test holds the master side, the device opens
// the slave by its path like any serial adapter.
#include "comm/platform/serial_device.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tarsel::platform {
namespace {

class PseudoTerminal {
public:
    // Our own slave descriptor is needed only to fill the queue towards the master: the device
    // under test opens the path.
    explicit PseudoTerminal(bool keepSlave = false) {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0) slavePath_ = name;
        if (slave_ >= 0 && !keepSlave) {
            ::close(slave_);
            slave_ = -1;
        }
    }
    ~PseudoTerminal() {
        CloseMaster();
        if (slave_ >= 0) ::close(slave_);
    }

    const std::string& SlavePath() const { return slavePath_; }
    void Send(const std::string& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string Receive() {
        char buffer[256];
        const ssize_t got = ::read(master_, buffer, sizeof buffer);
        return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
    }
    // The master stops reading and the queue towards it is filled: nothing more fits.
    void FillQueueTowardsMaster() {
        ASSERT_GE(slave_, 0);
        ::fcntl(slave_, F_SETFL, ::fcntl(slave_, F_GETFL) | O_NONBLOCK);
        // The kernel moves queued bytes on to the master's own buffer a little later, which
        // makes room again, and a small write may still fit where a large one does not: fill
        // with ever smaller writes until no room came back for a while.
        const char filler[4096] = {};
        pollfd room{slave_, POLLOUT, 0};
        do {
            for (std::size_t size = sizeof filler; size > 0; size /= 4) {
                while (::write(slave_, filler, size) > 0) {
                }
            }
        } while (::poll(&room, 1, 100) > 0);
    }
    void CloseMaster() {
        if (master_ >= 0) ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// Waits a little longer than ReadByte's usual 1 ms: the pty hands bytes over asynchronously.
IoStatus ReadSoon(SerialDevice& device, uint8_t& byte) {
    return device.ReadByte(byte, 500);
}

TEST(SerialDevice, ExchangesBytesWithThePeer) {
    PseudoTerminal pty;
    ASSERT_FALSE(pty.SlavePath().empty());
    SerialDevice device;
    ASSERT_EQ(device.Open(pty.SlavePath(), 115200), OpenError::None);
    EXPECT_TRUE(device.IsOpen());

    uint8_t byte = 0;
    EXPECT_EQ(device.ReadByte(byte, 1), IoStatus::NoData);

    // Raw mode: carriage return, 0x00, 0x11/0x13 (XON/XOFF) and 0xAA arrive unchanged.
    pty.Send(std::string("\xAA\xCC\r\n\x00\x11\x13\x7F", 8));
    const std::string expected("\xAA\xCC\r\n\x00\x11\x13\x7F", 8);
    std::string received;
    ASSERT_EQ(ReadSoon(device, byte), IoStatus::Ok);
    received += static_cast<char>(byte);
    // The rest came in with the first read call and is handed out without waiting.
    while (received.size() < expected.size() && device.ReadByte(byte, 0) == IoStatus::Ok)
        received += static_cast<char>(byte);
    while (received.size() < expected.size() && ReadSoon(device, byte) == IoStatus::Ok)
        received += static_cast<char>(byte);
    EXPECT_EQ(received, expected);

    const uint8_t request[] = {0xAA, 0xCC, 0x01, 0x0A, 0x0D, 0xAA, 0xEE};
    ASSERT_EQ(device.Write(request, sizeof request), IoStatus::Ok);
    std::string sent;
    while (sent.size() < sizeof request) {
        const std::string part = pty.Receive();
        ASSERT_FALSE(part.empty());
        sent += part;
    }
    EXPECT_EQ(sent, std::string(reinterpret_cast<const char*>(request), sizeof request));
}

TEST(SerialDevice, WriteToAPeerThatStoppedReadingEndsWithinItsTime) {
    PseudoTerminal pty(true);
    SerialDevice device;
    ASSERT_EQ(device.Open(pty.SlavePath(), 115200), OpenError::None);
    pty.FillQueueTowardsMaster();

    const uint8_t data[64] = {};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device.Write(data, sizeof data, 200), IoStatus::TimedOut);
    const auto took =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(took.count(), 150);
    EXPECT_LT(took.count(), 600);
    // What was queued is dropped, and the device writes again.
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.Write(data, sizeof data, 200), IoStatus::Ok);
}

TEST(SerialDevice, DiscardInputDropsQueuedAndBufferedBytes) {
    PseudoTerminal pty;
    SerialDevice device;
    ASSERT_EQ(device.Open(pty.SlavePath(), 9600), OpenError::None);
    pty.Send("abc");
    uint8_t byte = 0;
    ASSERT_EQ(ReadSoon(device, byte), IoStatus::Ok);  // "bc" now sit in the local buffer
    device.DiscardInput();
    EXPECT_EQ(device.ReadByte(byte, 20), IoStatus::NoData);
    pty.Send("z");
    ASSERT_EQ(ReadSoon(device, byte), IoStatus::Ok);
    EXPECT_EQ(byte, 'z');
}

// Result of an open attempted by another process.  Run as root, the test process would pass
// the kernel's exclusive-terminal check, so the other process gives up root first.
OpenError OpenFromAnotherProcess(const std::string& path) {
    const bool root = ::geteuid() == 0;
    if (root && ::chown(path.c_str(), 65534, 65534) != 0) return OpenError::Other;
    const pid_t child = ::fork();
    if (child == 0) {
        if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        SerialDevice device;
        ::_exit(static_cast<int>(device.Open(path, 115200)));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return OpenError::Other;
    return static_cast<OpenError>(WEXITSTATUS(status));
}

TEST(SerialDevice, OpenIsExclusiveUntilClosed) {
    PseudoTerminal pty;
    SerialDevice first;
    ASSERT_EQ(first.Open(pty.SlavePath(), 115200), OpenError::None);
    SerialDevice second;
    EXPECT_EQ(second.Open(pty.SlavePath(), 115200), OpenError::Busy);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastOpenError(), OpenError::Busy);
    EXPECT_EQ(OpenFromAnotherProcess(pty.SlavePath()), OpenError::Busy);

    first.Close();
    EXPECT_FALSE(first.IsOpen());
    // The terminal's exclusive flag went with the close.
    EXPECT_EQ(OpenFromAnotherProcess(pty.SlavePath()), OpenError::None);
    EXPECT_EQ(second.Open(pty.SlavePath(), 115200), OpenError::None);
    second.Close();
    // Reopening the same object works too, and destruction releases the device.
    {
        SerialDevice scoped;
        ASSERT_EQ(scoped.Open(pty.SlavePath(), 115200), OpenError::None);
        ASSERT_EQ(scoped.Open(pty.SlavePath(), 57600), OpenError::None);
    }
    EXPECT_EQ(first.Open(pty.SlavePath(), 115200), OpenError::None);
}

TEST(SerialDevice, HangUpOfThePeerIsFatal) {
    PseudoTerminal pty;
    SerialDevice device;
    ASSERT_EQ(device.Open(pty.SlavePath(), 115200), OpenError::None);
    pty.CloseMaster();
    uint8_t byte = 0;
    EXPECT_EQ(device.ReadByte(byte, 100), IoStatus::Fatal);
    const uint8_t data[] = {1, 2, 3};
    EXPECT_EQ(device.Write(data, sizeof data), IoStatus::Fatal);
}

TEST(SerialDevice, ClosedDeviceReportsFatal) {
    SerialDevice device;
    uint8_t byte = 0;
    EXPECT_EQ(device.ReadByte(byte, 0), IoStatus::Fatal);
    const uint8_t data[] = {1};
    EXPECT_EQ(device.Write(data, sizeof data), IoStatus::Fatal);
    device.DiscardInput();
    device.Close();
}

TEST(SerialDevice, NonStandardBaudRateIsHandled) {
    PseudoTerminal pty;
    SerialDevice device;
    const OpenError result = device.Open(pty.SlavePath(), 250000);
    EXPECT_TRUE(result == OpenError::None || result == OpenError::ConfigFailed);
    if (result == OpenError::None) {
        pty.Send("x");
        uint8_t byte = 0;
        ASSERT_EQ(ReadSoon(device, byte), IoStatus::Ok);
        EXPECT_EQ(byte, 'x');
    } else {
        // A refused rate leaves nothing held: the path opens at a standard rate.
        EXPECT_EQ(device.Open(pty.SlavePath(), 115200), OpenError::None);
    }
    device.Close();
    EXPECT_EQ(device.Open(pty.SlavePath(), 0), OpenError::ConfigFailed);
    EXPECT_FALSE(device.IsOpen());
}

TEST(SerialDevice, OpenFailuresAreClassified) {
    SerialDevice device;
    EXPECT_EQ(device.Open("/nonexistent-tarsel/ttyUSB9", 115200), OpenError::NoSuchPort);

    char fileName[] = "/tmp/tarsel-serial-XXXXXX";
    const int fd = mkstemp(fileName);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(device.Open(fileName, 115200), OpenError::NotSerial);
    EXPECT_FALSE(device.IsOpen());
    std::remove(fileName);

    EXPECT_EQ(device.Open("/tmp", 115200), OpenError::NotSerial);
    for (OpenError error : {OpenError::NoSuchPort, OpenError::PermissionDenied, OpenError::Busy,
                            OpenError::NotSerial, OpenError::ConfigFailed, OpenError::Other}) {
        EXPECT_GT(std::string(DescribeOpenError(error)).size(), 10u);
    }
    EXPECT_NE(std::string(DescribeOpenError(OpenError::PermissionDenied)).find("dialout"), std::string::npos);
}

}  // namespace
}  // namespace tarsel::platform
