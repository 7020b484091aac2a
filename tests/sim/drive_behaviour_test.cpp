// Drive behaviour seen through the transport: parameters, motion profile, position table,
// boot ROM, BLDC estimation and the I/O model.
#include <cmath>
#include <fstream>

#include "comm/result_codes.h"
#include "tests/sim/sim_fixture.h"

namespace tarsel::sim::testing {
namespace {

constexpr uint32_t kMotioning = 1u << 27, kInposition = 1u << 19, kPtStopped = 1u << 22;
constexpr uint32_t kConstant = 1u << 31;

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

TEST_F(SimLineTest, ParameterWriteOutsideTheMetadataRangeIsRefusedAndLeavesTheValue) {
    WriteFile(data.Path() + "/Dorrin_ParamDefault.ini",
              "[DORRIN_TEVRA]\nParamCount=5\n0=Resolution|Pulse|0|9|2\n1=Max Speed|pps|1|500000|400000\n"
              "2=Start Speed|pps|1|10000|100\n3=Accel Time|ms|1|9999|100\n4=Decel Time|ms|1|9999|100\n");
    StartLine({Drive(2, model::kServo)});
    Bytes value;
    ASSERT_EQ(Send(2, 0x13, {1}, &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 400000);  // the default of the metadata file

    EXPECT_EQ(Send(2, 0x12, Cat({{1}, U32(500001)})), kStatusDataError);
    EXPECT_EQ(Send(2, 0x12, Cat({{1}, U32(0)})), kStatusDataError);
    EXPECT_EQ(Send(2, 0x12, Cat({{5}, U32(1)})), kStatusDataError);  // no parameter 5
    EXPECT_EQ(line.GetParameter(2, 1), 400000);

    ASSERT_EQ(Send(2, 0x12, Cat({{1}, U32(500000)})), 0);
    EXPECT_EQ(line.GetParameter(2, 1), 500000);
    ASSERT_EQ(Send(2, 0x11, {1}, &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 400000) << "the ROM copy changes only when saved";
    ASSERT_EQ(Send(2, 0x10), 0);
    ASSERT_EQ(Send(2, 0x11, {1}, &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 500000);
}

TEST_F(SimLineTest, AbsoluteMoveFollowsTheTrapezoidAndEndsInPosition) {
    StartLine({Drive(1, model::kServo)});
    // Start speed 1000 pps, 50 ms ramps: 0 -> 20000 at 100000 pps.
    ASSERT_TRUE(line.SetParameter(1, 2, 1000));
    ASSERT_TRUE(line.SetParameter(1, 3, 50));
    ASSERT_TRUE(line.SetParameter(1, 4, 50));
    EXPECT_EQ(Send(1, 0x34, Cat({U32(20000), U32(100000)})), 0x85) << "servo off: refused";
    ASSERT_EQ(Send(1, 0x2A, {1}), 0);
    ASSERT_NE(AxisStatus(1) & kInposition, 0u);

    const double a = (100000.0 - 1000.0) / 0.05;
    const double ramp = (100000.0 * 100000.0 - 1000.0 * 1000.0) / (2 * a);
    const double expected = 0.05 + (20000 - 2 * ramp) / 100000.0 + 0.05;  // 0.2495 s

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Send(1, 0x34, Cat({U32(20000), U32(100000)})), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    uint32_t status = AxisStatus(1);
    EXPECT_NE(status & kMotioning, 0u);
    EXPECT_NE(status & kConstant, 0u);
    EXPECT_EQ(status & kInposition, 0u);
    EXPECT_EQ(Send(1, 0x35, Cat({U32(5), U32(1000)})), 0x85) << "busy: a second move is refused";

    while ((status = AxisStatus(1)) & kMotioning) {
        ASSERT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(elapsed, expected - 0.005);
    EXPECT_LE(elapsed, expected + 0.06);
    EXPECT_NE(status & kInposition, 0u);
    Bytes motion;
    ASSERT_EQ(Send(1, 0x42, {}, &motion, 20), 0);
    EXPECT_EQ(GetS32(motion.data()), 20000);
    EXPECT_EQ(GetS32(motion.data() + 4), 20000);
    EXPECT_EQ(GetS32(motion.data() + 12), 0);
}

TEST_F(SimLineTest, StopsLimitsAndOriginSearch) {
    StartLine({Drive(1, model::kAbsServo)});
    AxisEnvironment env;
    env.limitPlus = 3000;
    env.limitMinus = -3000;
    env.originSensor = -1500;
    ASSERT_TRUE(line.SetAxisEnvironment(1, env));
    ASSERT_EQ(Send(1, 0x2A, {1}), 0);
    // A jog ends at the limit with the limit sensor on.
    ASSERT_EQ(Send(1, 0x37, Cat({U32(100000), {1}})), 0);
    ASSERT_TRUE(WaitFor([&] { return !(AxisStatus(1) & kMotioning); }, std::chrono::milliseconds(1000)));
    EXPECT_EQ(line.GetAxisState(1)->commandPosition, 3000);
    EXPECT_NE(AxisStatus(1) & (1u << 1), 0u);
    Bytes inputs;
    ASSERT_EQ(Send(1, 0x22, {}, &inputs, 5), 0);
    EXPECT_EQ(inputs[0] & 1, 1) << "Limit + input follows the axis";
    // Origin search (method 0) runs to the sensor and zeroes the position.
    ASSERT_EQ(Send(1, 0x33), 0);
    EXPECT_NE(AxisStatus(1) & (1u << 18), 0u);
    ASSERT_TRUE(WaitFor([&] { return !(AxisStatus(1) & kMotioning); }, std::chrono::milliseconds(2000)));
    EXPECT_EQ(line.GetAxisState(1)->commandPosition, 0);
    EXPECT_NE(AxisStatus(1) & (1u << 25), 0u);
    // E-stop halts at once and latches bit 16 until the next move.
    ASSERT_EQ(Send(1, 0x37, Cat({U32(2000), {0}})), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(Send(1, 0x32), 0);
    const int32_t stoppedAt = line.GetAxisState(1)->commandPosition;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(line.GetAxisState(1)->commandPosition, stoppedAt);
    EXPECT_EQ(AxisStatus(1) & (kMotioning | (1u << 16)), 1u << 16);
    // An alarm stops the servo; servo on is refused until the alarm is reset.
    ASSERT_TRUE(line.InjectAlarm(1, 3));
    Bytes type;
    ASSERT_EQ(Send(1, 0x2E, {}, &type, 1), 0);
    EXPECT_EQ(type[0], 3);
    EXPECT_EQ(AxisStatus(1) & (1u | (1u << 8) | (1u << 20)), 1u | (1u << 8));
    EXPECT_EQ(Send(1, 0x2A, {1}), 0x87);
    ASSERT_EQ(Send(1, 0x2B), 0);
    EXPECT_EQ(Send(1, 0x2A, {1}), 0);
}

Bytes Item(uint16_t command, int32_t position, uint32_t speed, uint16_t jump, uint16_t loops = 0,
           uint16_t loopJump = 0xFFFF, uint16_t ptSet = 0) {
    Bytes item(64, 0xFF);
    PutU32(item.data(), static_cast<uint32_t>(position));
    PutU32(item.data() + 4, speed);
    PutU32(item.data() + 8, speed);
    PutU16(item.data() + 12, 0);
    PutU16(item.data() + 14, 0);
    PutU16(item.data() + 16, command);
    PutU16(item.data() + 18, 5);  // wait time
    PutU16(item.data() + 20, 0);
    PutU16(item.data() + 22, jump);
    PutU16(item.data() + 30, loops);
    PutU16(item.data() + 32, loopJump);
    PutU16(item.data() + 34, ptSet);
    return item;
}

TEST_F(SimLineTest, PositionTableRunsJumpsAndCountingLoops) {
    StartLine({Drive(4, model::kServo)});
    ASSERT_EQ(Send(4, 0x2A, {1}), 0);
    // 0 -> 1 by jump; 1 loops back to 0 until it ran three times, then goes on to 2; 2 ends.
    const Bytes items[] = {Item(5, 500, 100000, 1), Item(5, 500, 100000, 0, 3, 2),
                           Item(1, 0, 100000, 0xFFFF, 0, 0xFFFF, 0x01)};
    for (uint16_t i = 0; i < 3; ++i) {
        Bytes done;
        ASSERT_EQ(Send(4, 0x61, Cat({U16(i), items[i]}), &done, 1), 0);
        EXPECT_EQ(done[0], 1);
    }
    Bytes map;
    ASSERT_EQ(Send(4, 0x65, {}, &map, 32), 0);
    EXPECT_EQ(map[0], 0x07);
    EXPECT_EQ(Send(4, 0x64, U16(300)), kStatusDataError) << "beyond the table";

    ASSERT_EQ(Send(4, 0x64, U16(0)), 0);
    EXPECT_EQ(AxisStatus(4) & kPtStopped, 0u);
    ASSERT_TRUE(WaitFor([&] { return (AxisStatus(4) & kPtStopped) != 0; }, std::chrono::milliseconds(2000)));
    EXPECT_EQ(line.GetTableHistory(4), (std::vector<uint16_t>{0, 1, 0, 1, 0, 1, 2}));
    EXPECT_EQ(line.GetAxisState(4)->commandPosition, 0);
    EXPECT_NE(*line.GetOutputStatus(4) & (1u << 12), 0u) << "PT OUT 0 set by item 2";
    Bytes running;
    ASSERT_EQ(Send(4, 0x44, {}, &running, 4), 0);
    EXPECT_EQ(GetU32(running.data()), 2u);

    // Single steps: each run stops after one item; 0x69 reads nonzero once no item follows.
    ASSERT_TRUE(line.ClearTableHistory(4));
    Bytes state;
    ASSERT_EQ(Send(4, 0x68, Cat({{0}, U16(1)})), 0);
    ASSERT_TRUE(WaitFor([&] { return (AxisStatus(4) & kPtStopped) != 0; }, std::chrono::milliseconds(500)));
    ASSERT_EQ(Send(4, 0x69, {}, &state, 1), 0);
    EXPECT_EQ(state[0], 0);
    ASSERT_EQ(Send(4, 0x68, Cat({{1}, U16(1)})), 0);
    ASSERT_TRUE(WaitFor([&] { return (AxisStatus(4) & kPtStopped) != 0; }, std::chrono::milliseconds(500)));
    EXPECT_EQ(line.GetTableHistory(4), (std::vector<uint16_t>{1, 0}));

    // One value of an item, by byte offset.
    ASSERT_EQ(Send(4, 0x6B, Cat({U16(2), U16(0), U32(777)})), 0);
    Bytes one;
    ASSERT_EQ(Send(4, 0x6A, Cat({U16(2), U16(0)}), &one, 4), 0);
    EXPECT_EQ(GetS32(one.data()), 777);
    EXPECT_EQ(Send(4, 0x6A, Cat({U16(2), U16(61)}), &one, 4), kStatusDataError);
}

TEST_F(SimLineTest, BootRomEraseFlashWritesAndImageFile) {
    DriveConfig config = Drive(6, model::kStepper);
    // Timings long enough that a loaded machine cannot step past the silence or the erase.
    config.boot = {300, 0, 300};
    StartLine({config});
    Bytes rom;
    ASSERT_EQ(Send(6, 0x1B, {}, &rom, 1), 0);
    EXPECT_EQ(rom[0], 1);
    EXPECT_EQ(Send(6, 0x1C), kStatusFrameTypeError) << "the run ROM does not erase";
    ASSERT_EQ(port->DoSendCommandNoResp(6, 0x1E, nullptr, 0), 0);
    EXPECT_EQ(Send(6, 0x1B, {}, &rom, 1, 10), kResultTimeout) << "silent while restarting";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(Send(6, 0x1B, {}, &rom, 1), 0);
    EXPECT_EQ(rom[0], 0);
    EXPECT_TRUE(line.IsInBootRom(6));
    EXPECT_EQ(Send(6, 0x40, {}, nullptr, 4), kStatusFrameTypeError);

    auto write = [&](uint32_t address, std::vector<uint16_t> words) {
        Bytes frame = Cat({U32(address), {static_cast<uint8_t>(words.size())}});
        for (uint16_t w : words) frame = Cat({frame, U16(w)});
        frame.resize(133, 0);
        return Send(6, 0x1D, frame, nullptr, 0, 1000);
    };
    EXPECT_EQ(write(0, {1}), 0x85) << "not erased yet";
    ASSERT_EQ(Send(6, 0x1C, {}, nullptr, 0, 80000), 0);
    Bytes erased;
    ASSERT_EQ(Send(6, 0x1A, {}, &erased, 1), 0);
    EXPECT_EQ(erased[0], 0);
    ASSERT_TRUE(WaitFor([&] { return Send(6, 0x1A, {}, &erased, 1) == 0 && erased[0] == 1; },
                        std::chrono::milliseconds(2000)));
    EXPECT_EQ(write(4, std::vector<uint16_t>(65, 0)), kStatusDataError) << "at most 64 words";
    ASSERT_EQ(write(0x10, {0x1234, 0xAAAA, 0x00FF}), 0);
    ASSERT_EQ(write(2, {0xBEEF}), 0);

    Bytes expected(2 * 0x13, 0xFF);
    PutU16(expected.data() + 4, 0xBEEF);
    PutU16(expected.data() + 0x20, 0x1234);
    PutU16(expected.data() + 0x22, 0xAAAA);
    PutU16(expected.data() + 0x24, 0x00FF);
    EXPECT_EQ(line.GetFlashBytes(6), expected);

    TempDir state;
    ASSERT_TRUE(line.SaveState(state.Path()));
    std::ifstream file(state.Path() + "/flash-6.bin", std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(file), {}), expected);

    ASSERT_EQ(port->DoSendCommandNoResp(6, 0x1F, nullptr, 0), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(330));
    ASSERT_EQ(Send(6, 0x1B, {}, &rom, 1), 0);
    EXPECT_EQ(rom[0], 1);
}

TEST_F(SimLineTest, StateFilesKeepWhatTheDriveSavedToRom) {
    StartLine({Drive(0, model::kServo), Drive(4, model::kBldc)});
    ASSERT_EQ(Send(0, 0x12, Cat({{2}, U32(321)})), 0);
    ASSERT_EQ(Send(0, 0x10), 0);
    ASSERT_EQ(Send(0, 0x12, Cat({{3}, U32(77)})), 0);  // not saved: lost at power-off
    ASSERT_EQ(Send(0, 0x61, Cat({U16(3), Item(3, 1234, 1000, 0xFFFF)}), nullptr, 1), 0);
    ASSERT_EQ(Send(0, 0x63, {}, nullptr, 1), 0);
    ASSERT_EQ(Send(4, 0x85, Cat({{3}, U32(2), U32(42)})), 0);
    ASSERT_EQ(Send(4, 0x87), 0);
    ASSERT_EQ(Send(0, 0x24, {4, 20, 0}), 0);
    ASSERT_EQ(Send(0, 0x10), 0);

    TempDir state;
    ASSERT_TRUE(line.SaveState(state.Path()));
    SimLine restarted;
    LineOptions options;
    options.dataDirectory = data.Path();
    ASSERT_TRUE(restarted.Start(options));
    ASSERT_TRUE(restarted.AddDrive(Drive(0, model::kServo)));
    ASSERT_TRUE(restarted.AddDrive(Drive(4, model::kBldc)));
    ASSERT_TRUE(restarted.LoadState(state.Path()));
    EXPECT_EQ(restarted.GetParameter(0, 2), 321);
    EXPECT_EQ(restarted.GetParameter(0, 3), line.GetRomParameter(0, 3));
    EXPECT_EQ(GetS32(restarted.GetTableItem(0, 3)->data()), 1234);
    EXPECT_EQ(restarted.GetBldcParameter(4, 3, 2), 42);
    EXPECT_EQ(restarted.GetInputAssignment(0, 4), std::make_pair(uint8_t{20}, uint8_t{0}));
}

TEST_F(SimLineTest, BldcEstimationsClearTheirTriggers) {
    DriveConfig config = Drive(4, model::kBldc);
    config.rlEstimationMs = 60;
    StartLine({config});
    // R and L: servo off, trigger (2,18) back to 0 after the measuring time, results in (2,10), (2,11).
    ASSERT_EQ(Send(4, 0x85, Cat({{2}, U32(18), U32(1)})), 0);
    Bytes value;
    ASSERT_EQ(Send(4, 0x84, Cat({{2}, U32(18)}), &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 1);
    ASSERT_TRUE(WaitFor(
        [&] {
            return Send(4, 0x84, Cat({{2}, U32(18)}), &value, 4) == 0 && GetS32(value.data()) == 0;
        },
        std::chrono::milliseconds(500)));
    ASSERT_EQ(Send(4, 0x84, Cat({{2}, U32(10)}), &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 1750);  // 1.75 with factor 1000
    // Inertia: trigger (4,6) returns to 0 after the repeat moves, result in (4,5).
    ASSERT_EQ(Send(4, 0x2A, {1}), 0);
    ASSERT_EQ(Send(4, 0x85, Cat({{4}, U32(6), U32(1)})), 0);
    for (int32_t target : {2000, 0}) {
        ASSERT_EQ(Send(4, 0x34, Cat({U32(static_cast<uint32_t>(target)), U32(200000)})), 0);
        ASSERT_TRUE(WaitFor([&] { return !(AxisStatus(4) & kMotioning); }, std::chrono::milliseconds(1000)));
    }
    ASSERT_EQ(Send(4, 0x84, Cat({{4}, U32(6)}), &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 0);
    ASSERT_EQ(Send(4, 0x84, Cat({{4}, U32(5)}), &value, 4), 0);
    EXPECT_EQ(GetS32(value.data()), 250);
    EXPECT_EQ(Send(4, 0x84, Cat({{9}, U32(1)}), &value, 4), kStatusDataError);
}

TEST_F(SimLineTest, MonitoringGathersTheConfiguredChannelsDuringAMove) {
    StartLine({Drive(4, model::kBldc)});
    ASSERT_EQ(Send(4, 0x2A, {1}), 0);
    ASSERT_EQ(Send(4, 0x8D, Cat({U16(2), U16(20), {2, 1, 12, 0, 0}})), 0);
    EXPECT_EQ(Send(4, 0x8D, Cat({U16(2), U16(20), {5, 1, 12, 0, 0}})), kStatusDataError);
    Bytes state;
    ASSERT_EQ(Send(4, 0x8A, {}, &state, 1), 0);
    EXPECT_EQ(state[0], 0);
    ASSERT_EQ(Send(4, 0x8F), 0);
    ASSERT_EQ(Send(4, 0x8A, {}, &state, 1), 0);
    EXPECT_EQ(state[0], 1);
    ASSERT_EQ(Send(4, 0x35, Cat({U32(3000), U32(100000)})), 0);
    ASSERT_EQ(Send(4, 0x8A, {}, &state, 1), 0);
    EXPECT_EQ(state[0], 2);
    ASSERT_TRUE(WaitFor([&] { return Send(4, 0x8A, {}, &state, 1) == 0 && state[0] == 3; },
                        std::chrono::milliseconds(500)));
    Bytes first, last;
    ASSERT_EQ(Send(4, 0x8C, U32(0), &first, 8), 0);
    ASSERT_EQ(Send(4, 0x8C, U32(19), &last, 8), 0);
    EXPECT_LE(static_cast<int16_t>(GetU16(first.data())), 10);  // reference position at the start
    EXPECT_GT(static_cast<int16_t>(GetU16(last.data())), static_cast<int16_t>(GetU16(first.data())));
    EXPECT_EQ(GetU16(last.data() + 4), 0u) << "channels beyond the count stay 0";
    EXPECT_EQ(Send(4, 0x8C, U32(20), &last, 8), kStatusDataError);
    ASSERT_EQ(Send(4, 0x8B), 0);
    ASSERT_EQ(Send(4, 0x8A, {}, &state, 1), 0);
    EXPECT_EQ(state[0], 0);
}

// The demonstration's BLDC drive comes up with three channels chosen, so that a monitoring run
// shows curves at once.
TEST_F(SimLineTest, DemoBldcDriveComesUpWithMonitoringChannels) {
    std::vector<DriveConfig> drives;
    for (const DriveConfig& d : DemoDrives())
        if (d.modelCode == model::kBldc) drives.push_back(d);
    ASSERT_EQ(drives.size(), 1u);
    StartLine(drives);
    Bytes config;
    ASSERT_EQ(Send(drives[0].slave, 0x8E, {}, &config, 9), 0);
    EXPECT_EQ(Bytes(config.begin() + 4, config.end()), (Bytes{3, 2, 12, 21, 0}));
}

TEST_F(SimLineTest, PinAssignmentLevelsAndInputs) {
    StartLine({Drive(0, model::kServo)});
    // The limit level parameter (16) and the two limit pins move together.
    ASSERT_EQ(Send(0, 0x24, {0, 1, 1}), 0);
    EXPECT_EQ(line.GetParameter(0, 16), 1);
    EXPECT_EQ(line.GetInputAssignment(0, 1)->second, 1);
    ASSERT_EQ(Send(0, 0x12, Cat({{16}, U32(0)})), 0);
    Bytes assign;
    ASSERT_EQ(Send(0, 0x27, {1}, &assign, 2), 0);
    EXPECT_EQ(assign, (Bytes{2, 0}));
    EXPECT_EQ(Send(0, 0x24, {0, 5, 1}), kStatusDataError) << "fixed pins keep their signal";
    EXPECT_EQ(Send(0, 0x24, {12, 5, 1}), kStatusDataError) << "no such pin";
    // A signal moves from the pin that carried it.
    ASSERT_EQ(Send(0, 0x24, {10, 5, 1}), 0);
    EXPECT_EQ(line.GetInputAssignment(0, 3)->first, 0);
    // A "Servo On" input pin refuses the servo-on command.
    ASSERT_EQ(Send(0, 0x24, {11, 18, 1}), 0);
    EXPECT_EQ(Send(0, 0x2A, {1}), 0x89);
    ASSERT_EQ(Send(0, 0x26, {}, nullptr, 1), 0);  // ROM copy back
    EXPECT_EQ(line.GetInputAssignment(0, 3)->first, 5);
    ASSERT_EQ(Send(0, 0x2A, {1}), 0);
    // Software inputs: E-Stop (signal 22) stops and refuses motion.
    ASSERT_EQ(Send(0, 0x37, Cat({U32(1000), {1}})), 0);
    ASSERT_EQ(Send(0, 0x21, Cat({U32(1u << 21), {0}, Bytes(5, 0)})), 0);
    EXPECT_EQ(AxisStatus(0) & (kMotioning | (1u << 16)), 1u << 16);
    EXPECT_EQ(Send(0, 0x37, Cat({U32(1000), {1}})), 0x85);
    Bytes io;
    ASSERT_EQ(Send(0, 0x41, {}, &io, 9), 0);
    EXPECT_EQ(io[2], 1u << 5);
    // User outputs only.
    ASSERT_EQ(Send(0, 0x20, Cat({U32(0xFFFFFFFF), U32(0)})), 0);
    EXPECT_EQ(*line.GetOutputStatus(0) & 0x00FF8000u, 0x00FF8000u);
    EXPECT_EQ(*line.GetOutputStatus(0) & (1u << 12), 0u);
}

}  // namespace
}  // namespace tarsel::sim::testing
