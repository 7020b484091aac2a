// The command layer over a scripted drive: the operations only the configuration program uses,
// the slave information in both frame forms, the motion waits and the program's linear move.
#include "comm/CCommInterface.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>

#include "comm/result_codes.h"
#include "tests/support/pty_responder.h"

namespace tarsel {
namespace {

using testing::AnswerTo;
using testing::PtyResponder;
using testing::Reply;
using testing::Request;
using Bytes = std::vector<uint8_t>;

class CommandTest : public ::testing::Test {
protected:
    void Open(TransportConfig config, FrameForm form = FrameForm::Sequenced) {
        responder = std::make_unique<PtyResponder>(
            [this](const Request& r) -> std::vector<Reply> {
                std::lock_guard<std::mutex> lock(mutex);
                return answer ? answer(r) : std::vector<Reply>{{AnswerTo(r, 0)}};
            },
            form);
        port = std::make_unique<CCommInterface>(config);
        ASSERT_TRUE(port->OpenDevice(responder->DevicePath(), 7, 115200));
        port->SetLogEnabled(false);
    }
    void TearDown() override {
        responder.reset();  // its thread may still look at the port
        port.reset();
    }
    void Answer(std::function<std::vector<Reply>(const Request&)> handler) {
        std::lock_guard<std::mutex> lock(mutex);
        answer = std::move(handler);
    }
    void AnswerData(Bytes data) {
        Answer([data](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, 0, data)}}; });
    }
    Request Last() const { return responder->Requests().back(); }

    std::mutex mutex;
    std::function<std::vector<Reply>(const Request&)> answer;
    std::unique_ptr<PtyResponder> responder;
    std::unique_ptr<CCommInterface> port;
};

struct GuiCase {
    const char* name;
    uint8_t frameType;
    Bytes request;
    Bytes answer;
    std::function<uint8_t(CCommInterface&, bool succeeded)> call;  // checks its outputs
};

TEST_F(CommandTest, ConfigurationProgramOperations) {
    Open(TransportConfig::Gui());
    const std::vector<GuiCase> cases = {
        {"IsData",
         0x65,
         {},
         Bytes{0x05, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0,
               0,    0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0, 0x80},
         [](CCommInterface& c, bool ok) {
             std::array<uint32_t, kPosTableBitmapWords> map{};
             map.fill(7);
             const uint8_t r = c.DoCmdPosTableIsData(1, &map);
             if (!ok) {
                 EXPECT_EQ(map[0], 7u);
                 return r;
             }
             EXPECT_TRUE(CCommInterface::PosTableItemHasData(map, 0));
             EXPECT_FALSE(CCommInterface::PosTableItemHasData(map, 1));
             EXPECT_TRUE(CCommInterface::PosTableItemHasData(map, 2));
             EXPECT_TRUE(CCommInterface::PosTableItemHasData(map, 63));
             EXPECT_TRUE(CCommInterface::PosTableItemHasData(map, 255));
             EXPECT_FALSE(CCommInterface::PosTableItemHasData(map, 256));
             return r;
         }},
        {"RunState",
         0x69,
         {},
         {3},
         [](CCommInterface& c, bool ok) {
             uint8_t v = 0xEE;
             const uint8_t r = c.DoCmdPosTableRunState(1, &v);
             EXPECT_EQ(v, ok ? 3 : 0xEE);
             return r;
         }},
        {"STEPGetCurrent",
         0x0B,
         {2},
         {0x34, 0x12},
         [](CCommInterface& c, bool ok) {
             uint16_t v = 7;
             const uint8_t r = c.DoCmdSTEPGetCurrent(1, 2, &v);
             EXPECT_EQ(v, ok ? 0x1234 : 7);
             return r;
         }},
        {"STEPSetCurrent",
         0x0C,
         {0x34, 0x12},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdSTEPSetCurrent(1, 0x1234); }},
        {"STEPGetMotorDB",
         0x0E,
         {},
         Bytes(64, 0x42),
         [](CCommInterface& c, bool ok) {
             Bytes db(64, 0xEE);
             const uint8_t r = c.DoCmdSTEPGetMotorDB(1, db.data());
             EXPECT_EQ(db, Bytes(64, ok ? 0x42 : 0xEE));
             return r;
         }},
        {"STEPSetMotorDB",
         0x0F,
         {9},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdSTEPSetMotorDB(1, 9); }},
        {"DriveWord",
         0x06,
         {},
         {0x00, 0x20},
         [](CCommInterface& c, bool ok) {
             uint16_t v = 7;
             const uint8_t r = c.DoCmdGetDriveWord(1, &v);
             EXPECT_EQ(v, ok ? 8192 : 7);
             return r;
         }},
        {"BLDCRead",
         0x84,
         {3, 0x78, 0x56, 0x34, 0x12},
         {0xFF, 0xFF, 0xFF, 0xFF},
         [](CCommInterface& c, bool ok) {
             int32_t v = 7;
             const uint8_t r = c.DoCmdBLDCReadParameter(1, 3, 0x12345678, &v);
             EXPECT_EQ(v, ok ? -1 : 7);
             return r;
         }},
        {"BLDCWrite",
         0x85,
         {3, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdBLDCWriteParameter(1, 3, 1, -2); }},
        {"BLDCReadROM",
         0x86,
         {},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdBLDCReadROMParameters(1); }},
        {"BLDCWriteROM",
         0x87,
         {},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdBLDCWriteROMParameters(1); }},
        {"MonitoringStatus",
         0x8A,
         {},
         {2},
         [](CCommInterface& c, bool ok) {
             uint8_t v = 7;
             const uint8_t r = c.DoCmdMonitoringStatus(1, &v);
             EXPECT_EQ(v, ok ? 2 : 7);
             return r;
         }},
        {"MonitoringCancel",
         0x8B,
         {},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdMonitoringCancel(1); }},
        {"MonitoringStart", 0x8F, {}, {}, [](CCommInterface& c, bool) { return c.DoCmdMonitoringStart(1); }},
        {"MonitoringGetData",
         0x8C,
         {0x10, 0, 0, 0},
         {1, 0, 0xFF, 0xFF, 3, 0, 4, 0},
         [](CCommInterface& c, bool ok) {
             int16_t v[4] = {7, 7, 7, 7};
             const uint8_t r = c.DoCmdMonitoringGetData(1, 16, v, 3);  // the first three only
             EXPECT_EQ(v[0], ok ? 1 : 7);
             EXPECT_EQ(v[1], ok ? -1 : 7);
             EXPECT_EQ(v[2], ok ? 3 : 7);
             EXPECT_EQ(v[3], 7);
             return r;
         }},
        {"MonitoringSetConfig",
         0x8D,
         {10, 0, 0x00, 0x04, 2, 5, 6, 7, 8},
         {},
         [](CCommInterface& c, bool) {
             return c.DoCmdMonitoringSetConfig(1, {10, 1024, 2, {5, 6, 7, 8}});
         }},
        {"MonitoringGetConfig",
         0x8E,
         {},
         {10, 0, 0x00, 0x04, 2, 5, 6, 7, 8},
         [](CCommInterface& c, bool ok) {
             MonitoringConfig config{1, 1, 1, {1, 1, 1, 1}};
             const uint8_t r = c.DoCmdMonitoringGetConfig(1, &config);
             EXPECT_EQ(config.bufferSize, ok ? 1024 : 1);
             EXPECT_EQ(config.channels[3], ok ? 8 : 1);
             return r;
         }},
        {"ReadItemNoBuffer",
         0x60,
         {5, 0},
         Bytes(64, 1),
         [](CCommInterface& c, bool) { return c.DoCmdPosTableReadItem(1, 5, nullptr); }},
        {"VelocityExNullOptions",
         0x82,
         {0x10, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          0,    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {},
         [](CCommInterface& c, bool) { return c.DoCmdMoveVelocityEx(1, 16, 1, nullptr); }},
    };
    for (const GuiCase& c : cases) {
        AnswerData(c.answer);
        EXPECT_EQ(c.call(*port, true), 0) << c.name;
        EXPECT_EQ(Last().frameType(), c.frameType) << c.name;
        EXPECT_EQ(Last().data(), c.request) << c.name;
        Answer([](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, kStatusDataError)}}; });
        EXPECT_EQ(c.call(*port, false), kStatusDataError) << c.name;
    }
}

TEST_F(CommandTest, PresenceProbeDetectsTheFrameForm) {
    Open(TransportConfig::Gui(), FrameForm::Legacy);
    // A legacy drive cannot read the sequenced request and says so in its own form.
    Answer([this](const Request& r) -> std::vector<Reply> {
        if (!port->IsLegacyForm()) return {{testing::AnswerWire(FrameForm::Legacy, 1, 0, 0x51, 0x82)}};
        return {{AnswerTo(r, 0, {0x10, 0x27, 0, 0})}};
    });
    int32_t position = 0;
    EXPECT_EQ(port->DoCmdPresenceProbe(1, &position), 0);
    EXPECT_EQ(position, 10000);
    EXPECT_TRUE(port->IsLegacyForm());
}

TEST_F(CommandTest, SlaveInfoFromLegacyText) {
    Open(TransportConfig::Gui(), FrameForm::Legacy);
    port->SetLegacyForm(true);
    const Bytes text = {20, 'A', 'B', 'C', 'D', '(', 'V', '2', '.', '3', '.', '1', ')'};
    AnswerData(text);
    SlaveInfo info;
    info.motorNumber = 77;
    ASSERT_EQ(port->DoCmdGetSlaveInfo(3, &info), 0);
    EXPECT_EQ(info.type, 20);
    EXPECT_EQ(info.version, (std::array<uint16_t, 4>{2, 3, 1, 0}));
    EXPECT_EQ(info.Name(), "ABCD");
    EXPECT_EQ(info.inputCount, 12);
    EXPECT_EQ(info.outputCount, 10);
    EXPECT_EQ(info.tableSize, 256);
    EXPECT_EQ(info.motorNumber, 0);
    EXPECT_EQ(info.firmwareType, 0);

    AnswerData({20, 'A', 'B', 'C', 'D', 'V', '2'});  // no bracket: unreadable
    info.type = 99;
    EXPECT_EQ(port->DoCmdGetSlaveInfo(3, &info), kResultPacketError);
    EXPECT_EQ(info.type, 99);
}

TEST(LegacySlaveInfo, Conversion) {
    struct Row {
        std::string text;
        bool readable;
        uint16_t type, inputs, tableSize;
        std::array<uint16_t, 4> version;
        std::string name;
    };
    const std::vector<Row> rows = {
        {"\x03Servo(v1.2.3.4.5)", true, 1, 12, 512, {1, 2, 3, 4}, "Servo"},
        {"\x0B"
         "Ctl(a)(V7)",
         true,
         110,
         10,
         64,
         {7, 0, 0, 0},
         "Ctl(a)"},
        {"\x23X(V1.)", true, 30, 9, 64, {1, 0, 0, 0}, "X"},
        {"\x01" + std::string(40, 'n') + "(V3)", true, 1, 12, 256, {3, 0, 0, 0}, std::string(29, 'n')},
        {"\x63Y(V9)", true, 1, 12, 256, {9, 0, 0, 0}, "Y"},
        {"\x14Z(W2)", false, 0, 0, 0, {}, ""},
        {"\x14Z(V)", false, 0, 0, 0, {}, ""},
        {"\x14(V1)", true, 20, 12, 256, {1, 0, 0, 0}, ""},
        {"(V1)", false, 0, 0, 0, {}, ""},  // the bracket is the type byte
    };
    for (const Row& row : rows) {
        SlaveInfo info;
        const bool readable =
            ConvertLegacySlaveInfo(reinterpret_cast<const uint8_t*>(row.text.data()), row.text.size(), info);
        ASSERT_EQ(readable, row.readable) << row.text;
        if (!readable) continue;
        EXPECT_EQ(info.type, row.type) << row.text;
        EXPECT_EQ(info.inputCount, row.inputs) << row.text;
        EXPECT_EQ(info.tableSize, row.tableSize) << row.text;
        EXPECT_EQ(info.version, row.version) << row.text;
        EXPECT_EQ(info.Name(), row.name) << row.text;
    }
}

TEST_F(CommandTest, StepperVersionFillsExactlyTheBufferItCanHold) {
    Open(TransportConfig::Gui());
    AnswerData(Bytes(247, 'v'));
    char buffer[300];
    std::memset(buffer, 'x', sizeof(buffer));
    ASSERT_EQ(port->DoCmdSTEPVersion(1, buffer, sizeof(buffer)), 0);
    EXPECT_EQ(std::string(buffer, 247), std::string(247, 'v'));
    EXPECT_EQ(std::string(buffer + 247, 53), std::string(53, '\0'));

    AnswerData(Bytes(16, 'w'));
    char small[16];
    ASSERT_EQ(port->DoCmdSTEPVersion(1, small, sizeof(small)), 0);
    EXPECT_EQ(std::string(small, 16), std::string(16, 'w'));

    AnswerData(Bytes(20, 'w'));  // longer than the 16 asked for: wrong length
    EXPECT_EQ(port->DoCmdSTEPVersion(1, small, sizeof(small)), kResultPacketError);
    EXPECT_EQ(std::string(small, 16), std::string(16, '\0'));  // zeroed before sending
}

// Answers axis status reads from a list of words per slave (the last one repeats).
std::function<std::vector<Reply>(const Request&)> StatusSequence(
    std::map<uint8_t, std::vector<uint32_t>> words, std::shared_ptr<std::atomic<int>> reads) {
    auto next = std::make_shared<std::map<uint8_t, std::size_t>>();
    return [words, next, reads](const Request& r) -> std::vector<Reply> {
        if (r.frameType() != 0x40) return {{AnswerTo(r, 0)}};
        ++*reads;
        const std::vector<uint32_t>& list = words.at(r.slave());
        std::size_t& i = (*next)[r.slave()];
        const uint32_t word = list[std::min(i++, list.size() - 1)];
        return {
            {AnswerTo(r, 0, {uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16), uint8_t(word >> 24)})}};
    };
}

TEST_F(CommandTest, MotionWaits) {
    Open(TransportConfig::Gui());
    const uint32_t moving = kAxisStatusMotioning, stopped = 0, inPosition = kAxisStatusInPosition;
    auto reads = std::make_shared<std::atomic<int>>(0);
    Answer(StatusSequence({{1, {moving, moving, stopped, inPosition}}}, reads));
    EXPECT_EQ(port->DoCmdMoveSingleAxisIncPos(1, 100, 1000, MotionWait::Motion), 0);
    EXPECT_EQ(reads->load(), 3);

    *reads = 0;
    Answer(StatusSequence({{1, {moving, stopped, stopped, inPosition}}}, reads));
    EXPECT_EQ(port->DoCmdMoveStop(1, MotionWait::InPosition), 0);
    EXPECT_EQ(reads->load(), 4);

    Answer([](const Request& r) -> std::vector<Reply> {
        return {{AnswerTo(r, r.frameType() == 0x40 ? kStatusFrameTypeError : 0)}};
    });
    EXPECT_EQ(port->DoCmdMoveOriginSingleAxis(1, MotionWait::Motion), kStatusFrameTypeError);
    Answer([](const Request& r) -> std::vector<Reply> {
        return {{AnswerTo(r, r.frameType() == 0x33 ? kStatusDataError : 0)}};
    });
    const std::size_t before = responder->RequestCount();
    EXPECT_EQ(port->DoCmdMoveOriginSingleAxis(1, MotionWait::Motion),
              kStatusDataError);  // no wait after a failure
    EXPECT_EQ(responder->RequestCount(), before + 1);
    EXPECT_EQ(port->WaitForMotionEnd(16, MotionWait::Motion), kResultInvalidSlave);
}

// The configuration program's linear move: start, 20 ms, then every axis until none moves.
TEST_F(CommandTest, ProgramLinearMoveWaitsForEveryAxis) {
    Open(TransportConfig::Gui());
    auto reads = std::make_shared<std::atomic<int>>(0);
    const uint32_t moving = kAxisStatusMotioning;
    Answer(StatusSequence({{1, {moving, 0}}, {4, {moving, moving, moving, 0}}}, reads));
    const uint8_t slaves[] = {1, 4};
    const int32_t distances[] = {1000, -1000};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port->DoCmdMoveLinearIncPos(2, slaves, distances, 1000, 10, LinearMoveFinish::Gui(true)), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    EXPECT_EQ(reads->load(), 8);  // four rounds over both axes

    const uint8_t badSlave[] = {16};
    EXPECT_EQ(port->DoCmdMoveLinearIncPos(1, badSlave, distances, 1000, 10), kResultInvalidSlave);
    EXPECT_EQ(port->DoCmdMoveLinearIncPos(0, slaves, distances, 1000, 10), kResultInvalidSlave);
    EXPECT_EQ(port->DoCmdMoveLinearAbsPos(2, slaves, nullptr, 1000, 10), kResultInvalidSlave);
}

}  // namespace
}  // namespace tarsel
