#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/files/program_directory.h"
#include "comm/CRs232CB.h"
#include "comm/comm_log.h"
#include "tests/support/pty_responder.h"

namespace tarsel {
namespace {

namespace fs = std::filesystem;

std::tm Day(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    std::tm copy = t;
    timegm(&copy);  // fills the day of the year
    t.tm_yday = copy.tm_yday;
    return t;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tarsel-log-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(LogTest, FileNameAndLineFormat) {
    EXPECT_EQ(CCommLog::FileNameFor(Day(2027, 3, 5)), "Serial_Logfile_27_03_05.txt");

    CCommLog log;
    log.SetClock([] { return Day(2027, 3, 5, 9, 7, 3); });
    log.SetDirectory(dir.c_str());  // without the trailing separator
    log.WriteMessage("nothing yet\r\n");
    EXPECT_FALSE(fs::exists(dir / "Serial_Logfile_27_03_05.txt"));  // disabled
    log.SetEnabled(true);
    log.WriteMessage("CRs232CB::ReadComm(P%d) Read Error : (GetLastError %d)\r\n", 3, 22);
    log.Close();
    EXPECT_EQ(ReadFile(dir / "Serial_Logfile_27_03_05.txt"),
              "[09:07:03]CRs232CB::ReadComm(P3) Read Error : (GetLastError 22)\r\n");
}

TEST_F(LogTest, DumpLayoutTenItemsPerLine) {
    std::vector<uint8_t> bytes(23);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
    const std::string dump = CCommLog::FormatDump("Recv_Buffer :", bytes.data(), bytes.size());
    EXPECT_EQ(dump,
              "Recv_Buffer :"
              "\r\n\t0x00 0x01 0x02 0x03 0x04 0x05 0x06 0x07 0x08 0x09 "
              "\r\n\t0x0A 0x0B 0x0C 0x0D 0x0E 0x0F 0x10 0x11 0x12 0x13 "
              "\r\n\t0x14 0x15 0x16 \r\n");
}

TEST_F(LogTest, DumpsNeedAnOpenFileAndEmptyReceiveDumpsAreSkipped) {
    CCommLog log;
    log.SetClock([] { return Day(2027, 3, 5); });
    log.SetDirectory(dir.c_str());
    log.SetEnabled(true);
    const uint8_t bytes[] = {0xAA, 0xCC};
    log.DumpSendBuffer(bytes, 2);  // no file yet: dumps never open one
    EXPECT_FALSE(fs::exists(dir / "Serial_Logfile_27_03_05.txt"));
    log.WriteMessage("line\r\n");
    log.DumpRecvBuffer(bytes, 0);
    log.DumpSendBuffer(bytes, 2);
    log.Close();
    EXPECT_EQ(ReadFile(dir / "Serial_Logfile_27_03_05.txt"),
              "[12:00:00]line\r\nSend_Buffer :\r\n\t0xAA 0xCC \r\n");
}

TEST_F(LogTest, FirstMessageAfterMidnightGoesToTheNewDaysFile) {
    CCommLog log;
    std::tm now = Day(2026, 12, 31, 23, 59, 59);
    log.SetClock([&now] { return now; });
    log.SetDirectory(dir.c_str());
    log.SetEnabled(true);
    log.WriteMessage("old year\r\n");
    now = Day(2027, 1, 1, 0, 0, 1);
    log.WriteMessage("new year\r\n");
    EXPECT_EQ(log.CurrentFilePath(), (dir / "Serial_Logfile_27_01_01.txt").string());
    log.Close();
    EXPECT_EQ(ReadFile(dir / "Serial_Logfile_26_12_31.txt"), "[23:59:59]old year\r\n");
    EXPECT_EQ(ReadFile(dir / "Serial_Logfile_27_01_01.txt"), "[00:00:01]new year\r\n");
}

TEST_F(LogTest, SeveralPortObjectsShareTheDaysFile) {
    CCommLog a, b;
    for (CCommLog* log : {&a, &b}) {
        log->SetClock([] { return Day(2027, 3, 5); });
        log->SetDirectory(dir.c_str());
        log->SetEnabled(true);
    }
    a.WriteMessage("from a\r\n");
    b.WriteMessage("from b\r\n");
    a.WriteMessage("a again\r\n");
    a.Close();
    b.Close();
    EXPECT_EQ(ReadFile(dir / "Serial_Logfile_27_03_05.txt"),
              "[12:00:00]from a\r\n[12:00:00]from b\r\n[12:00:00]a again\r\n");
}

TEST_F(LogTest, EmptyDirectoryMeansBesideTheExecutable) {
    CCommLog log;
    log.SetClock([] { return Day(2031, 7, 9); });
    log.SetEnabled(true);
    log.WriteMessage("beside the program\r\n");
    const fs::path expected = fs::path(ExecutableDirectory()) / "Serial_Logfile_31_07_09.txt";
    EXPECT_EQ(log.CurrentFilePath(), expected.string());
    log.Close();
    EXPECT_TRUE(fs::exists(expected));
    fs::remove(expected);
}

// The transport's own lines: a timeout with the port, slave, sync and frame type, then the
// failing write of a vanished device and the closing of the port.
TEST_F(LogTest, TransportWritesItsProblemLines) {
    auto responder =
        std::make_unique<testing::PtyResponder>([](const testing::Request& r) -> std::vector<testing::Reply> {
            if (r.frameType() == 0x40) return {};
            return {{{0x01, 0x02}}, {testing::AnswerTo(r, 0x82)}};
        });
    CRs232CB port(TransportConfig::Library());
    ASSERT_TRUE(port.OpenDevice(responder->DevicePath(), 4, 115200));
    port.SetLogEnabled(true);
    port.SetLogDirectory(dir.c_str());
    port.Log().SetClock([] { return Day(2027, 3, 5, 8, 0, 0); });

    EXPECT_EQ(port.DoSendCommand(2, 0x40, nullptr, 0, nullptr, 0, 20, true), 6);  // reduced: no timeout lines
    EXPECT_EQ(port.DoSendCommand(2, 0x40, nullptr, 0, nullptr, 0, 20), 6);
    EXPECT_EQ(port.DoSendCommand(2, 0x41, nullptr, 0, nullptr, 0, 20), 0x82);
    responder->HangUp();
    EXPECT_EQ(port.DoSendCommand(2, 0x40, nullptr, 0, nullptr, 0, 20), 5);

    const std::string text = ReadFile(dir / "Serial_Logfile_27_03_05.txt");
    const std::string timeout =
        "[08:00:00]CRs232CB::RecvPacket(P4, S2, N0xF2, C0x40) Recv Timeout [Nothing received]\r\n";
    EXPECT_EQ(text.find(timeout + timeout + timeout), 0u) << text;
    EXPECT_NE(
        text.find(
            "CRs232CB::RecvPacket(P4, S2, N0xF3, C0x41) unknown bytes\r\nRecv_Buffer :\r\n\t0x01 0x02 \r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("CRs232CB::RecvPacket(P4, S2, N0xF3, C0x41) Packet error.\r\nSend_Buffer :\r\n\t0xAA "
                        "0xCC 0x02 0xF3 0x41 "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("CRs232CB::DoSendCommand(P4) Port will be closed.\r\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace tarsel
