// The exported functions over a scripted line: request payloads, answer unpacking, the checks
// before any frame, broadcasts, position-table results, linear moves and the function-call log.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TarselTevra.h"
#include "comm/linear_move.h"
#include "tests/library/export_cases.h"

namespace tarsel::testing {
namespace {

constexpr uint8_t kServo = 1;
constexpr uint8_t kStepper = 20;

// A connected port with drives at slaves 1 and 2; closed again at the end of the test.
class ConnectedLine {
public:
    explicit ConnectedLine(unsigned port)
        : line(port, {{1, SupportedDrive(kServo)}, {2, SupportedDrive(kStepper, "Stepper")}}) {
        ZEL_SetLogPath(TestPortsDirectory().c_str());  // keep the traffic log out of the build tree
        connected = ZEL_Connect(static_cast<int>(port), 115200) != 0;
    }
    ~ConnectedLine() { ZEL_Close(static_cast<int>(line.Port())); }
    int port() const { return static_cast<int>(line.Port()); }
    // Requests seen after the information scan.
    std::vector<Request> Traffic() const {
        std::vector<Request> all = line.Requests();
        std::vector<Request> traffic;
        for (const Request& r : all) {
            if (r.frameType() != 0x01) traffic.push_back(r);
        }
        return traffic;
    }

    ScriptedLine line;
    bool connected = false;
};

// Every per-slave export before any port is connected: 1, and nothing is opened.
TEST(Exports, EveryExportBeforeConnectGivesNotOpen) {
    for (const ExportCase& c : PerSlaveExportCases()) EXPECT_EQ(c.call(1, 0), ZMM_NOT_OPEN) << c.name;
    const uint8_t slaves[] = {0};
    const int32_t targets[] = {10};
    EXPECT_EQ(ZEL_MoveLinearIncPos(1, 1, slaves, targets, 100, 10), ZMM_NOT_OPEN);
    EXPECT_EQ(ZEL_MoveLinearAbsPos(1, 1, slaves, targets, 100, 10), ZMM_NOT_OPEN);
    EXPECT_EQ(ZEL_AllMoveStop(1), ZMM_NOT_OPEN);
    EXPECT_EQ(ZEL_AllMoveSingleAxisAbsPos(1, 5, 5), ZMM_NOT_OPEN);
    EXPECT_FALSE(ZEL_IsSlaveExist(1, 0));
}

TEST(Exports, RequestPayloadsAndAnswers) {
    ConnectedLine fixture(211);
    ASSERT_TRUE(fixture.connected);
    for (const ExportCase& c : PerSlaveExportCases()) {
        fixture.line.SetHandler(
            [&c](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, 0, c.answer)}}; });
        const std::size_t before = fixture.line.RequestCount();
        EXPECT_EQ(c.call(fixture.port(), 1), 0) << c.name;
        const std::vector<Request> requests = fixture.line.Requests();
        ASSERT_EQ(requests.size(), before + 1) << c.name;
        const Request& r = requests.back();
        EXPECT_EQ(r.slave(), 1) << c.name;
        EXPECT_EQ(r.frameType(), c.frameType) << c.name;
        if (c.frameType != 0x01) {
            EXPECT_EQ(r.data(), c.request) << c.name;
        }
    }
}

// A drive that rejects the request: its status comes back and no output is written.
TEST(Exports, DriveStatusLeavesOutputsAlone) {
    ConnectedLine fixture(212);
    ASSERT_TRUE(fixture.connected);
    fixture.line.SetHandler(
        [](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, ZMP_DATAERROR)}}; });
    for (const ExportCase& c : PerSlaveExportCases()) {
        if (c.frameType == 0x01) continue;  // the test line always identifies its drives
        const int expected = c.frameType == 0x61 ? ZMM_POSTABLE_ERROR : ZMP_DATAERROR;
        EXPECT_EQ(c.call(fixture.port(), 2), expected) << c.name;
    }
}

TEST(Exports, ChecksFailBeforeAnyFrame) {
    ConnectedLine fixture(213);
    ASSERT_TRUE(fixture.connected);
    const std::size_t before = fixture.line.RequestCount();
    for (const ExportCase& c : PerSlaveExportCases()) {
        EXPECT_EQ(c.call(214, 1), ZMM_INVALID_PORT_NUM) << c.name;
        EXPECT_EQ(c.call(fixture.port(), 0), ZMM_INVALID_SLAVE_NUM) << c.name;  // not found at connect
        EXPECT_EQ(c.call(fixture.port(), 16), ZMM_INVALID_SLAVE_NUM) << c.name;
    }
    const uint8_t absent[] = {1, 3};
    const int32_t targets[] = {10, 20};
    EXPECT_EQ(ZEL_MoveLinearIncPos(fixture.port(), 2, absent, targets, 100, 10), ZMM_INVALID_SLAVE_NUM);
    EXPECT_EQ(ZEL_MoveLinearIncPos(fixture.port(), 0, absent, targets, 100, 10), ZMM_INVALID_SLAVE_NUM);
    EXPECT_EQ(ZEL_MoveLinearAbsPos(fixture.port(), 2, nullptr, targets, 100, 10), ZMM_INVALID_SLAVE_NUM);
    EXPECT_EQ(ZEL_AllMoveStop(214), ZMM_INVALID_PORT_NUM);
    EXPECT_TRUE(ZEL_IsSlaveExist(fixture.port(), 1));
    EXPECT_FALSE(ZEL_IsSlaveExist(fixture.port(), 0));
    EXPECT_FALSE(ZEL_IsSlaveExist(fixture.port(), 16));
    EXPECT_FALSE(ZEL_IsSlaveExist(fixture.port(), 17));
    EXPECT_EQ(fixture.line.RequestCount(), before);
}

// The scan: slaves 0..15 once each (two attempts for the silent ones), major version 8 and
// firmware type 0 only; a second connect sends nothing.
TEST(Exports, ConnectScanRules) {
    SlaveInfo old = SupportedDrive(kServo);
    old.version[0] = 7;
    SlaveInfo foreign = SupportedDrive(kServo);
    foreign.firmwareType = 3;
    ScriptedLine line(215, {{0, old}, {4, foreign}, {9, SupportedDrive(kStepper)}, {15, SupportedDrive(30)}},
                      /*silentAbsent=*/true);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ZEL_Connect(215, 115200));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    std::map<uint8_t, int> attempts;
    for (const Request& r : line.Requests()) {
        EXPECT_EQ(r.frameType(), 0x01);
        ++attempts[r.slave()];
    }
    ASSERT_EQ(attempts.size(), 16u);  // 0..15, never 16
    for (const auto& [slave, count] : attempts) {
        const bool answers = slave == 0 || slave == 4 || slave == 9 || slave == 15;
        EXPECT_EQ(count, answers ? 1 : 2) << int(slave);
    }
    EXPECT_GE(elapsed, std::chrono::milliseconds(12 * 2 * 100));
    for (int slave = 0; slave < 16; ++slave) {
        EXPECT_EQ(ZEL_IsSlaveExist(215, slave) != 0, slave == 9 || slave == 15) << slave;
    }

    const std::size_t before = line.RequestCount();
    EXPECT_TRUE(ZEL_Connect(215, 9600));  // already connected: no traffic, even at another rate
    EXPECT_EQ(line.RequestCount(), before);
    ZEL_Close(215);
    ZEL_Close(215);  // not connected any more: nothing happens
    EXPECT_EQ(ZEL_GetAxisStatus(215, 9, nullptr), ZMM_NOT_OPEN);
}

TEST(Exports, ConnectRefusesLinesWithoutSupportedDrives) {
    SlaveInfo old = SupportedDrive(kServo);
    old.version[0] = 7;
    ScriptedLine line(216, {{3, old}});
    EXPECT_FALSE(ZEL_Connect(216, 115200));
    EXPECT_EQ(ZEL_GetAxisStatus(216, 3, nullptr), ZMM_NOT_OPEN);
    EXPECT_FALSE(ZEL_Connect(217, 115200));  // no such port at all
}

TEST(Exports, BroadcastsAreWrittenWithoutWaiting) {
    ConnectedLine fixture(218);
    ASSERT_TRUE(fixture.connected);
    fixture.line.SetHandler([](const Request&) -> std::vector<Reply> { return {}; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ZEL_AllMoveStop(fixture.port()), 0);
    EXPECT_EQ(ZEL_AllEmergencyStop(fixture.port()), 0);
    EXPECT_EQ(ZEL_AllMoveOriginSingleAxis(fixture.port()), 0);
    EXPECT_EQ(ZEL_AllMoveSingleAxisAbsPos(fixture.port(), -5, 1000), 0);
    EXPECT_EQ(ZEL_AllMoveSingleAxisIncPos(fixture.port(), 6, 2000), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    ASSERT_TRUE(fixture.line.Responder().WaitForRequests(16 + 5, 1000));
    const std::vector<Request> traffic = fixture.Traffic();
    ASSERT_EQ(traffic.size(), 5u);
    const std::vector<std::pair<uint8_t, Bytes>> expected = {
        {0x3B, {}},
        {0x3C, {}},
        {0x3D, {}},
        {0x3E, {0xFB, 0xFF, 0xFF, 0xFF, 0xE8, 0x03, 0, 0}},
        {0x3F, {6, 0, 0, 0, 0xD0, 0x07, 0, 0}},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(traffic[i].slave(), 99);
        EXPECT_EQ(traffic[i].frameType(), expected[i].first);
        EXPECT_EQ(traffic[i].data(), expected[i].second);
    }
}

TEST(Exports, PositionTableResults) {
    ConnectedLine fixture(219);
    ASSERT_TRUE(fixture.connected);
    const Bytes item(64, 1);
    struct Row {
        const char* what;
        std::function<std::vector<Reply>(const Request&)> answer;
        std::function<int()> call;
        int expected;
    };
    const int p = fixture.port();
    auto flag = [](uint8_t value) {
        return [value](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, 0, {value})}}; };
    };
    const std::vector<Row> rows = {
        {"write, done", flag(1), [&] { return ZEL_PosTableWriteItem(p, 1, 3, item.data()); }, 0},
        {"write, not done", flag(0), [&] { return ZEL_PosTableWriteItem(p, 1, 3, item.data()); }, 9},
        {"write, timeout", [](const Request&) { return std::vector<Reply>{}; },
         [&] { return ZEL_PosTableWriteItem(p, 1, 3, item.data()); }, 9},
        {"write, no item", flag(1), [&] { return ZEL_PosTableWriteItem(p, 1, 3, nullptr); }, 9},
        {"read ROM, error", flag(1), [&] { return ZEL_PosTableReadROM(p, 1); }, 9},
        {"write ROM, error", flag(2), [&] { return ZEL_PosTableWriteROM(p, 1); }, 9},
        {"write ROM, fine", flag(0), [&] { return ZEL_PosTableWriteROM(p, 1); }, 0},
        {"read ROM, drive fails", [](const Request& r) { return std::vector<Reply>{{AnswerTo(r, 0x85)}}; },
         [&] { return ZEL_PosTableReadROM(p, 1); }, 0x85},
    };
    for (const Row& row : rows) {
        fixture.line.SetHandler(row.answer);
        EXPECT_EQ(row.call(), row.expected) << row.what;
    }
}

struct LinearFrame {
    uint8_t slave;
    int32_t distance;
    uint32_t velocity;
    uint16_t acceleration;
};

std::vector<LinearFrame> SetupFrames(const std::vector<Request>& traffic) {
    std::vector<LinearFrame> frames;
    for (const Request& r : traffic) {
        if (r.frameType() != 0x70) continue;
        const Bytes d = r.data();
        EXPECT_EQ(d.size(), 10u);
        if (d.size() != 10) continue;
        frames.push_back({r.slave(), int32_t(d[0] | d[1] << 8 | d[2] << 16 | uint32_t(d[3]) << 24),
                          uint32_t(d[4] | d[5] << 8 | d[6] << 16 | uint32_t(d[7]) << 24),
                          uint16_t(d[8] | d[9] << 8)});
    }
    return frames;
}

TEST(Exports, LinearMoves) {
    ConnectedLine fixture(220);
    ASSERT_TRUE(fixture.connected);
    const int p = fixture.port();
    const uint8_t axes[] = {1, 2};

    // 3000 and 4000 at 5000: the path is 5000 long, the axes get 3000 and 4000.
    const int32_t distances[] = {3000, 4000};
    ASSERT_EQ(ZEL_MoveLinearIncPos(p, 2, axes, distances, 5000, 100), 0);
    ASSERT_TRUE(fixture.line.Responder().WaitForRequests(16 + 3, 1000));
    std::vector<Request> traffic = fixture.Traffic();
    std::vector<LinearFrame> frames = SetupFrames(traffic);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].slave, 1);
    EXPECT_EQ(frames[0].distance, 3000);
    EXPECT_EQ(frames[0].velocity, 3000u);
    EXPECT_EQ(frames[1].slave, 2);
    EXPECT_EQ(frames[1].velocity, 4000u);
    EXPECT_EQ(frames[0].acceleration, frames[1].acceleration);
    ASSERT_EQ(traffic.back().frameType(), 0x71);
    EXPECT_EQ(traffic.back().slave(), 99);
    EXPECT_EQ(traffic.back().data(), (Bytes{0x06, 0, 0, 0}));

    // A zero distance still gets its frame (velocity 1) and its bit in the start mask.
    const int32_t oneStill[] = {0, 5000};
    ASSERT_EQ(ZEL_MoveLinearIncPos(p, 2, axes, oneStill, 5000, 100), 0);
    ASSERT_TRUE(fixture.line.Responder().WaitForRequests(16 + 6, 1000));
    traffic = fixture.Traffic();
    frames = SetupFrames(std::vector<Request>(traffic.begin() + 3, traffic.end()));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].distance, 0);
    EXPECT_EQ(frames[0].velocity, 1u);
    EXPECT_EQ(traffic.back().data(), (Bytes{0x06, 0, 0, 0}));

    // Absolute form: distances from the command positions; a failing read stops everything.
    fixture.line.SetHandler([](const Request& r) -> std::vector<Reply> {
        if (r.frameType() != 0x51) return {{AnswerTo(r, 0)}};
        if (r.slave() == 2) return {{AnswerTo(r, ZMP_FRAMETYPEERROR)}};
        return {{AnswerTo(r, 0, {0xE8, 0x03, 0, 0})}};  // 1000
    });
    const std::size_t before = fixture.line.RequestCount();
    const int32_t targets[] = {4000, 4000};
    EXPECT_EQ(ZEL_MoveLinearAbsPos(p, 2, axes, targets, 5000, 100), ZMP_FRAMETYPEERROR);
    traffic = fixture.line.Requests();
    ASSERT_EQ(traffic.size(), before + 2);
    EXPECT_EQ(traffic[before].frameType(), 0x51);
    EXPECT_EQ(traffic[before + 1].frameType(), 0x51);

    fixture.line.SetHandler([](const Request& r) -> std::vector<Reply> {
        if (r.frameType() == 0x51) return {{AnswerTo(r, 0, {0xE8, 0x03, 0, 0})}};
        return {{AnswerTo(r, 0)}};
    });
    const int32_t absolute[] = {4000, 5000};  // distances 3000 and 4000
    ASSERT_EQ(ZEL_MoveLinearAbsPos(p, 2, axes, absolute, 5000, 100), 0);
    ASSERT_TRUE(fixture.line.Responder().WaitForRequests(before + 2 + 5, 1000));
    traffic = fixture.line.Requests();
    frames = SetupFrames(std::vector<Request>(traffic.begin() + long(before + 2), traffic.end()));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].distance, 3000);
    EXPECT_EQ(frames[1].distance, 4000);

    // A failing setup frame: its code, and no start.
    fixture.line.SetHandler([](const Request& r) -> std::vector<Reply> {
        return {{AnswerTo(r, r.frameType() == 0x70 && r.slave() == 2 ? ZMP_DATAERROR : 0)}};
    });
    const std::size_t beforeSetup = fixture.line.RequestCount();
    EXPECT_EQ(ZEL_MoveLinearIncPos(p, 2, axes, distances, 5000, 100), ZMP_DATAERROR);
    traffic = fixture.line.Requests();
    ASSERT_EQ(traffic.size(), beforeSetup + 2);
    EXPECT_EQ(traffic.back().frameType(), 0x70);
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Exports, FunctionCallLogLinesAndLogDirectory) {
    const std::filesystem::path directory = std::filesystem::path(TestPortsDirectory()) / "log";
    std::filesystem::create_directories(directory);
    EXPECT_FALSE(ZEL_SetLogPath((directory / "missing").c_str()));
    ConnectedLine fixture(221);
    ASSERT_TRUE(fixture.connected);
    ASSERT_TRUE(ZEL_SetLogPath(directory.c_str()));  // also given to connected ports
    const int p = fixture.port();
    fixture.line.SetHandler([](const Request& r) -> std::vector<Reply> {
        if (r.frameType() == 0x26) return {{AnswerTo(r, 0, {0})}};
        return {{AnswerTo(r, r.frameType() == 0x25 ? ZMP_DATAERROR : 0)}};
    });
    EXPECT_EQ(ZEL_SaveAllParameters(p, 1), 0);
    EXPECT_EQ(ZEL_SetParameter(p, 2, 200, -5), 0);
    EXPECT_EQ(ZEL_SetInputAssignMap(p, 1, 3, 4, 1), 0);
    EXPECT_EQ(ZEL_SetOutputAssignMap(p, 1, 5, 6, 0), ZMP_DATAERROR);
    EXPECT_EQ(ZEL_IOAssignMapReadROM(p, 2), 0);
    EXPECT_EQ(ZEL_GetParameter(p, 1, 3, nullptr), 0);  // not logged

    std::string text;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) text += ReadAll(entry.path());
    const std::string port = std::to_string(p);
    for (const std::string& line : {
             "[FUNCTION CALL] ZEL_SaveAllParameters(" + port + ", 1) : return 0\r\n",
             "[FUNCTION CALL] ZEL_SetParameter(" + port + ", 2, 200, -5) : return 0\r\n",
             "[FUNCTION CALL] ZEL_SetInputAssignMap(" + port + ", 1, 3, 4, 1) : return 0\r\n",
             "[FUNCTION CALL] ZEL_SetOutputAssignMap(" + port + ", 1, 5, 6, 0) : return 129\r\n",
             "[FUNCTION CALL] ZEL_IOAssignMapReadROM(" + port + ", 2) : return 0\r\n",
         }) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
    std::size_t calls = 0;
    for (std::size_t at = text.find("[FUNCTION CALL]"); at != std::string::npos;
         at = text.find("[FUNCTION CALL]", at + 1)) {
        ++calls;
    }
    EXPECT_EQ(calls, 5u);

    ZEL_EnableLog(0);
    EXPECT_EQ(ZEL_SaveAllParameters(p, 1), 0);
    std::string after;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) after += ReadAll(entry.path());
    EXPECT_EQ(after, text);
    ZEL_EnableLog(1);
}

// A vanished adapter: 5, and the port stays registered but closed until it is reconnected.
TEST(Exports, PulledLineGivesDisconnectedAndStaysClosed) {
    ConnectedLine fixture(222);
    ASSERT_TRUE(fixture.connected);
    fixture.line.Responder().HangUp();
    EXPECT_EQ(ZEL_GetAxisStatus(fixture.port(), 1, nullptr), ZMC_DISCONNECTED);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ZEL_GetAxisStatus(fixture.port(), 1, nullptr), ZMC_DISCONNECTED);
    EXPECT_EQ(ZEL_AllMoveStop(fixture.port()), ZMC_DISCONNECTED);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_TRUE(ZEL_IsSlaveExist(fixture.port(), 1));
}

}  // namespace
}  // namespace tarsel::testing
