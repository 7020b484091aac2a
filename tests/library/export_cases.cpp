#include "tests/library/export_cases.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TarselTevra.h"

namespace tarsel::testing {
namespace {

Bytes Le32(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Counting(std::size_t n, uint8_t start) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = uint8_t(start + i);
    return bytes;
}

// Checks an output: the expected value after success, the untouched sentinel after a failure.
template <typename T, typename U>
void Out(int result, T actual, U expected, T sentinel) {
    if (result == 0) {
        EXPECT_EQ(actual, static_cast<T>(expected));
    } else {
        EXPECT_EQ(actual, sentinel);
    }
}

// Answer of the status reads: inputs 0x0504030201, outputs 0x11223344, axis 0x08080000,
// positions -1, 2, -3, 4 and running item 0x00012345.
const Bytes kIOStatusAnswer = Cat({{1, 2, 3, 4, 5}, Le32(0x11223344)});
const Bytes kMotionAnswer = Cat({Le32(uint32_t(-1)), Le32(2), Le32(uint32_t(-3)), Le32(4), Le32(0x00012345)});
const Bytes kAllStatusAnswer = Cat({kIOStatusAnswer, Le32(0x08080000), kMotionAnswer});
const Bytes kItem = Counting(64, 0xA0);
const Bytes kOptions = Counting(32, 0x10);

int ReadS32(int r, int32_t v, int32_t expected) {
    Out<int32_t>(r, v, expected, -7);
    return r;
}

std::vector<ExportCase> MakeCases() {
    std::vector<ExportCase> cases = {
        {"GetSlaveInfo",
         0x01,
         {},
         {},
         [](int p, int s) {
             ZEL_SlaveInfo info;
             std::memset(&info, 0x5A, sizeof(info));
             const int r = ZEL_GetSlaveInfo(p, s, &info);
             if (r == 0) {
                 EXPECT_EQ(info.version[0], 8);
                 EXPECT_STREQ(info.name, "Test drive");
                 EXPECT_EQ(info.tableSize, 256);
             } else {
                 EXPECT_EQ(info.type, 0x5A5A);
             }
             return r;
         }},
        {"SaveAllParameters", 0x10, {}, {}, [](int p, int s) { return ZEL_SaveAllParameters(p, s); }},
        {"GetROMParameter",
         0x11,
         {5},
         Le32(0x80000001),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetROMParameter(p, s, 5, &v);
             return ReadS32(r, v, int32_t(0x80000001));
         }},
        {"SetParameter",
         0x12,
         {3, 0xAA, 0, 0, 0},
         {},
         [](int p, int s) { return ZEL_SetParameter(p, s, 3, 170); }},
        {"SetParameterNegative",
         0x12,
         {4, 0xFE, 0xFF, 0xFF, 0xFF},
         {},
         [](int p, int s) { return ZEL_SetParameter(p, s, 4, -2); }},
        {"GetParameter",
         0x13,
         {7},
         Le32(0x12345678),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetParameter(p, s, 7, &v);
             return ReadS32(r, v, 0x12345678);
         }},
        {"ServoEnableOn", 0x2A, {1}, {}, [](int p, int s) { return ZEL_ServoEnable(p, s, 2); }},
        {"ServoEnableOff", 0x2A, {0}, {}, [](int p, int s) { return ZEL_ServoEnable(p, s, 0); }},
        {"ServoAlarmReset", 0x2B, {}, {}, [](int p, int s) { return ZEL_ServoAlarmReset(p, s); }},
        {"StepAlarmReset", 0x2C, {1}, {}, [](int p, int s) { return ZEL_StepAlarmReset(p, s, 5); }},
        {"BrakeSet",
         0x2D,
         {1},
         {1},
         [](int p, int s) {
             int32_t state = -7;
             const int r = ZEL_BrakeSet(p, s, 0x101, &state);
             Out<int32_t>(r, state, 1, -7);
             return r;
         }},
        {"BrakeSetNullState",
         0x2D,
         {0},
         {0},
         [](int p, int s) { return ZEL_BrakeSet(p, s, 0x100, nullptr); }},
        {"GetAlarmType",
         0x2E,
         {},
         {0x17},
         [](int p, int s) {
             uint8_t v = 0xEE;
             const int r = ZEL_GetAlarmType(p, s, &v);
             Out<uint8_t>(r, v, 0x17, 0xEE);
             return r;
         }},
        {"SetIOInput",
         0x21,
         {0x55, 0x44, 0x33, 0x22, 0x11, 5, 4, 3, 2, 1},
         {},
         [](int p, int s) { return ZEL_SetIOInput(p, s, 0xFFFF001122334455ull, 0x0000000102030405ull); }},
        {"SetIOInputEx",
         0x21,
         {0x55, 0x44, 0x33, 0x22, 0x11, 5, 4, 3, 2, 1},
         {},
         [](int p, int s) { return ZEL_SetIOInputEx(p, s, 0x22334455, 0xFFFF0011, 0x02030405, 0x01); }},
        {"GetIOInput",
         0x22,
         {},
         {1, 2, 3, 4, 5},
         [](int p, int s) {
             uint64_t v = 7;
             const int r = ZEL_GetIOInput(p, s, &v);
             Out<uint64_t>(r, v, 0x0504030201ull, 7);
             return r;
         }},
        {"GetIOInputEx",
         0x22,
         {},
         {1, 2, 3, 4, 5},
         [](int p, int s) {
             uint32_t low = 7, high = 7;
             const int r = ZEL_GetIOInputEx(p, s, &low, &high);
             Out<uint32_t>(r, low, 0x04030201u, 7);
             Out<uint32_t>(r, high, 0x05u, 7);
             return r;
         }},
        {"SetIOOutput",
         0x20,
         Cat({Le32(0x11223344), Le32(0x55667788)}),
         {},
         [](int p, int s) { return ZEL_SetIOOutput(p, s, 0x11223344, 0x55667788); }},
        {"GetIOOutput",
         0x23,
         {},
         Le32(0x11223344),
         [](int p, int s) {
             uint32_t v = 7;
             const int r = ZEL_GetIOOutput(p, s, &v);
             Out<uint32_t>(r, v, 0x11223344u, 7);
             return r;
         }},
        {"GetInputAssignMap",
         0x27,
         {4},
         {9, 5},
         [](int p, int s) {
             uint8_t assignment = 0xEE, level = 0xEE;
             const int r = ZEL_GetInputAssignMap(p, s, 4, &assignment, &level);
             Out<uint8_t>(r, assignment, 9, 0xEE);
             Out<uint8_t>(r, level, 1, 0xEE);
             return r;
         }},
        {"GetOutputAssignMap",
         0x28,
         {2},
         {3, 0},
         [](int p, int s) {
             uint8_t assignment = 0xEE, level = 0xEE;
             const int r = ZEL_GetOutputAssignMap(p, s, 2, &assignment, &level);
             Out<uint8_t>(r, assignment, 3, 0xEE);
             Out<uint8_t>(r, level, 0, 0xEE);
             return r;
         }},
        {"SetInputAssignMap",
         0x24,
         {4, 9, 1},
         {},
         [](int p, int s) { return ZEL_SetInputAssignMap(p, s, 4, 9, 7); }},
        {"SetOutputAssignMap",
         0x25,
         {2, 3, 0},
         {},
         [](int p, int s) { return ZEL_SetOutputAssignMap(p, s, 2, 3, 0); }},
        {"IOAssignMapReadROM", 0x26, {}, {0x55}, [](int p, int s) { return ZEL_IOAssignMapReadROM(p, s); }},
        {"GetAxisStatus",
         0x40,
         {},
         {0, 0, 8, 0},
         [](int p, int s) {
             uint32_t v = 7;
             const int r = ZEL_GetAxisStatus(p, s, &v);
             Out<uint32_t>(r, v, 0x00080000u, 7);
             return r;
         }},
        {"GetIOStatus",
         0x41,
         {},
         kIOStatusAnswer,
         [](int p, int s) {
             uint64_t in = 7;
             uint32_t out = 7;
             const int r = ZEL_GetIOStatus(p, s, &in, &out);
             Out<uint64_t>(r, in, 0x0504030201ull, 7);
             Out<uint32_t>(r, out, 0x11223344u, 7);
             return r;
         }},
        {"GetIOStatusEx",
         0x41,
         {},
         kIOStatusAnswer,
         [](int p, int s) {
             uint32_t low = 7, high = 7, out = 7;
             const int r = ZEL_GetIOStatusEx(p, s, &low, &high, &out);
             Out<uint32_t>(r, low, 0x04030201u, 7);
             Out<uint32_t>(r, high, 5u, 7);
             Out<uint32_t>(r, out, 0x11223344u, 7);
             return r;
         }},
        {"GetMotionStatus",
         0x42,
         {},
         kMotionAnswer,
         [](int p, int s) {
             int32_t cmd = -7, act = -7, err = -7, vel = -7;
             uint32_t item = 7;
             const int r = ZEL_GetMotionStatus(p, s, &cmd, &act, &err, &vel, &item);
             Out<int32_t>(r, cmd, -1, -7);
             Out<int32_t>(r, act, 2, -7);
             Out<int32_t>(r, err, -3, -7);
             Out<int32_t>(r, vel, 4, -7);
             Out<uint32_t>(r, item, 0x00012345u, 7);
             return r;
         }},
        {"GetAllStatus",
         0x43,
         {},
         kAllStatusAnswer,
         [](int p, int s) {
             uint64_t in = 7;
             uint32_t out = 7, axis = 7;
             int32_t cmd = -7, act = -7, err = -7, vel = -7;
             uint16_t item = 7;
             const int r = ZEL_GetAllStatus(p, s, &in, &out, &axis, &cmd, &act, &err, &vel, &item);
             Out<uint64_t>(r, in, 0x0504030201ull, 7);
             Out<uint32_t>(r, out, 0x11223344u, 7);
             Out<uint32_t>(r, axis, 0x08080000u, 7);
             Out<int32_t>(r, cmd, -1, -7);
             Out<int32_t>(r, act, 2, -7);
             Out<int32_t>(r, err, -3, -7);
             Out<int32_t>(r, vel, 4, -7);
             Out<uint16_t>(r, item, 0x2345, 7);  // truncated to 16 bits
             return r;
         }},
        {"GetAllStatusEx",
         0x43,
         {},
         kAllStatusAnswer,
         [](int p, int s) {
             uint32_t low = 7, high = 7, axis = 7;
             uint16_t item = 7;
             const int r = ZEL_GetAllStatusEx(p, s, &low, &high, nullptr, &axis, nullptr, nullptr, nullptr,
                                              nullptr, &item);
             Out<uint32_t>(r, low, 0x04030201u, 7);
             Out<uint32_t>(r, high, 5u, 7);
             Out<uint32_t>(r, axis, 0x08080000u, 7);
             Out<uint16_t>(r, item, 0x2345, 7);
             return r;
         }},
        {"SetCommandPos",
         0x50,
         Le32(uint32_t(-5)),
         {},
         [](int p, int s) { return ZEL_SetCommandPos(p, s, -5); }},
        {"SetActualPos", 0x52, Le32(7), {}, [](int p, int s) { return ZEL_SetActualPos(p, s, 7); }},
        {"ClearPosition", 0x56, {}, {}, [](int p, int s) { return ZEL_ClearPosition(p, s); }},
        {"GetCommandPos",
         0x51,
         {},
         Le32(uint32_t(-100)),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetCommandPos(p, s, &v);
             return ReadS32(r, v, -100);
         }},
        {"GetActualPos",
         0x53,
         {},
         Le32(101),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetActualPos(p, s, &v);
             return ReadS32(r, v, 101);
         }},
        {"GetPosError",
         0x54,
         {},
         Le32(uint32_t(-2)),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetPosError(p, s, &v);
             return ReadS32(r, v, -2);
         }},
        {"GetActualVel",
         0x55,
         {},
         Le32(3000),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_GetActualVel(p, s, &v);
             return ReadS32(r, v, 3000);
         }},
        {"GetRunPTStatus",
         0x44,
         {},
         Le32(0x00011234),
         [](int p, int s) {
             uint16_t v = 7;
             const int r = ZEL_GetRunPTStatus(p, s, &v);
             Out<uint16_t>(r, v, 0x1234, 7);
             return r;
         }},
        {"MoveStop", 0x31, {}, {}, [](int p, int s) { return ZEL_MoveStop(p, s); }},
        {"EmergencyStop", 0x32, {}, {}, [](int p, int s) { return ZEL_EmergencyStop(p, s); }},
        {"MovePause", 0x58, {1}, {}, [](int p, int s) { return ZEL_MovePause(p, s, 0x101); }},
        {"MoveOriginSingleAxis", 0x33, {}, {}, [](int p, int s) { return ZEL_MoveOriginSingleAxis(p, s); }},
        {"MoveSingleAxisAbsPos",
         0x34,
         Cat({Le32(uint32_t(-100)), Le32(2000)}),
         {},
         [](int p, int s) { return ZEL_MoveSingleAxisAbsPos(p, s, -100, 2000); }},
        {"MoveSingleAxisIncPos",
         0x35,
         Cat({Le32(300), Le32(4000)}),
         {},
         [](int p, int s) { return ZEL_MoveSingleAxisIncPos(p, s, 300, 4000); }},
        {"MoveToLimit",
         0x36,
         Cat({Le32(3000), {1}}),
         {},
         [](int p, int s) { return ZEL_MoveToLimit(p, s, 3000, 1); }},
        {"MoveVelocity",
         0x37,
         Cat({Le32(3000), {0}}),
         {},
         [](int p, int s) { return ZEL_MoveVelocity(p, s, 3000, 0x100); }},
        {"PositionAbsOverride",
         0x38,
         Le32(uint32_t(-9)),
         {},
         [](int p, int s) { return ZEL_PositionAbsOverride(p, s, -9); }},
        {"PositionIncOverride",
         0x39,
         Le32(9),
         {},
         [](int p, int s) { return ZEL_PositionIncOverride(p, s, 9); }},
        {"VelocityOverride",
         0x3A,
         Le32(12345),
         {},
         [](int p, int s) { return ZEL_VelocityOverride(p, s, 12345); }},
        {"MoveSingleAxisAbsPosEx",
         0x80,
         Cat({Le32(10), Le32(20), kOptions}),
         {},
         [](int p, int s) { return ZEL_MoveSingleAxisAbsPosEx(p, s, 10, 20, kOptions.data()); }},
        {"MoveSingleAxisIncPosEx",
         0x81,
         Cat({Le32(uint32_t(-10)), Le32(20), kOptions}),
         {},
         [](int p, int s) { return ZEL_MoveSingleAxisIncPosEx(p, s, -10, 20, kOptions.data()); }},
        {"MoveVelocityEx",
         0x82,
         Cat({Le32(30), {1}, kOptions}),
         {},
         [](int p, int s) { return ZEL_MoveVelocityEx(p, s, 30, 1, kOptions.data()); }},
        {"PosTableReadItem",
         0x60,
         {0x2C, 0x01},
         kItem,
         [](int p, int s) {
             Bytes item(64, 0xEE);
             const int r = ZEL_PosTableReadItem(p, s, 300, item.data());
             EXPECT_EQ(item, r == 0 ? kItem : Bytes(64, 0xEE));
             return r;
         }},
        {"PosTableWriteItem",
         0x61,
         Cat({{0x2C, 0x01}, kItem}),
         {1},
         [](int p, int s) { return ZEL_PosTableWriteItem(p, s, 300, kItem.data()); }},
        {"PosTableWriteROM", 0x63, {}, {0}, [](int p, int s) { return ZEL_PosTableWriteROM(p, s); }},
        {"PosTableReadROM", 0x62, {}, {0}, [](int p, int s) { return ZEL_PosTableReadROM(p, s); }},
        {"PosTableRunItem", 0x64, {7, 0}, {}, [](int p, int s) { return ZEL_PosTableRunItem(p, s, 7); }},
        {"PosTableReadOneItem",
         0x6A,
         {1, 0, 8, 0},
         Le32(uint32_t(-42)),
         [](int p, int s) {
             int32_t v = -7;
             const int r = ZEL_PosTableReadOneItem(p, s, 1, 8, &v);
             return ReadS32(r, v, -42);
         }},
        {"PosTableWriteOneItem",
         0x6B,
         Cat({{1, 0, 8, 0}, Le32(uint32_t(-1))}),
         {},
         [](int p, int s) { return ZEL_PosTableWriteOneItem(p, s, 1, 8, -1); }},
        {"PosTableSingleRunItem",
         0x68,
         {1, 9, 0},
         {},
         [](int p, int s) { return ZEL_PosTableSingleRunItem(p, s, 5, 9); }},
    };
    return cases;
}

}  // namespace

const std::vector<ExportCase>& PerSlaveExportCases() {
    static const std::vector<ExportCase> cases = MakeCases();
    return cases;
}

}  // namespace tarsel::testing
