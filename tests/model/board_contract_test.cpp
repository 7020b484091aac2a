// What the windows rely on: a board outlives the removal of its drive and its port harmlessly,
// reloads end visibly, watchers are counted, the wait after a move is retried alone, and the
// servo, brake and stepper commands are reachable on every board (refused by types without them).
#include <thread>

#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "model_fixture.h"

namespace tarsel::test {
namespace {

using sim::model::kAbsServo;
using sim::model::kBldc;
using sim::model::kMotionController;
using sim::model::kMotionController2;
using sim::model::kServo;
using sim::model::kStepper;

constexpr uint8_t kFrameServoEnable = 0x2A;
constexpr uint8_t kFrameServoAlarmReset = 0x2B;
constexpr uint8_t kFrameStepAlarmReset = 0x2C;
constexpr uint8_t kFrameBrake = 0x2D;
constexpr uint8_t kFrameMoveInc = 0x35;
constexpr uint8_t kFrameAxisStatus = 0x40;
constexpr uint8_t kFrameAllStatus = 0x43;
constexpr uint8_t kFramePresence = 0x51;

class ContractTest : public ModelTest {
protected:
    // Connects the drives with a polling thread that never runs a pass on its own.
    std::shared_ptr<CBoardInterface> ConnectQuiet(const std::vector<sim::DriveConfig>& drives,
                                                  uint8_t slave) {
        PortOptions quiet;
        quiet.pollPeriod = std::chrono::hours(1);
        master_.SetPortOptions(quiet);
        EXPECT_EQ(ConnectWith(drives), CCommMaster::kConnected);
        return master_.GetBoard(port_, slave);
    }
    void Silence(uint8_t slave) {
        sim::FaultSpec silent;
        silent.kind = sim::FaultKind::Silent;
        line_.InjectFault(silent, slave);
    }
    // Drops the requests of one whole transaction (every attempt).
    void DropOneTransaction(uint8_t slave) {
        sim::FaultSpec drop;
        drop.kind = sim::FaultKind::DropRequest;
        drop.count = 3;
        line_.InjectFault(drop, slave);
    }
    bool Removed(uint8_t slave) {
        for (const auto& m : sink_.Messages()) {
            if (m.message == kMsgDataReloaded && m.wParam == slave) return true;
        }
        return false;
    }
};

TEST_F(ContractTest, RetryAfterTheDriveWasRemovedDuringTheBoxFailsQuietly) {
    ASSERT_EQ(ConnectWith({Drive(1, kServo), Drive(2, kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 2);  // the window's hold for the duration of one call
    ASSERT_NE(board, nullptr);
    board->AddWatch(CBoardInterface::kWatchMotion);
    bool removedWhileOpen = false;
    reporter_.SetWhileOpen([&](const FailureBox&) {
        // The box stays open until the polling thread has removed the drive behind it.
        removedWhileOpen = WaitUntil([&] { return Removed(2); }, std::chrono::seconds(20));
    });
    reporter_.Answer(BoxAnswer::Retry);
    Silence(2);

    EXPECT_FALSE(board->SaveAllParameters());
    EXPECT_TRUE(removedWhileOpen);
    EXPECT_TRUE(board->IsDetached());
    EXPECT_EQ(master_.GetBoard(port_, 2), nullptr);
    EXPECT_EQ(reporter_.Boxes().size(), 1u);          // the retry failed without a second box
    EXPECT_EQ(sink_.Of(kMsgCommandLine).size(), 1u);  // and without a line
    EXPECT_FALSE(board->IsPortOpen());
    EXPECT_EQ(board->PortNumber(), port_);
    EXPECT_NE(master_.GetBoard(port_, 1), nullptr);
    board.reset();  // the last holder destroys the board
}

TEST_F(ContractTest, BoardHeldAcrossADisconnectNeverTouchesTheDestroyedPort) {
    auto board = ConnectQuiet({Drive(1, kServo)}, 1);
    ASSERT_NE(board, nullptr);
    board->RequestLoad(load_bit::kParameters | load_bit::kIoAssign);  // never served: no pass runs
    DropOneTransaction(1);
    reporter_.SetWhileOpen([&](const FailureBox&) { master_.Disconnect(port_); });  // the watchdog fires
    reporter_.Answer(BoxAnswer::Retry);
    EXPECT_FALSE(board->MoveSingleAxisIncPos(100, 1000, true));
    EXPECT_FALSE(master_.IsConnected(port_));
    EXPECT_TRUE(board->IsDetached());
    EXPECT_EQ(reporter_.Boxes().size(), 1u);

    // Every later command fails quietly; the reloads it still waited for ended as failed.
    EXPECT_FALSE(board->SetParameter(3, 77));
    EXPECT_FALSE(board->ServoEnable(true));
    EXPECT_EQ(board->UpdateStatus(), kResultNotOpen);
    EXPECT_EQ(board->GetParamValueText(0, 0), "500");
    const LoadOutcome outcome = board->GetLoadOutcome();
    EXPECT_TRUE(outcome.Ended(load_bit::kParameters | load_bit::kIoAssign));
    EXPECT_TRUE(outcome.Failed(load_bit::kParameters));
    EXPECT_TRUE(outcome.Failed(load_bit::kIoAssign));
    board->RequestLoad(load_bit::kPosTable);
    EXPECT_TRUE(board->GetLoadOutcome().Ended(load_bit::kPosTable));
    EXPECT_EQ(reporter_.Boxes().size(), 1u);
}

TEST_F(ContractTest, ReloadThatFailsEndsTheLoadingWaitAndTheNextOneLoads) {
    ASSERT_EQ(ConnectWith({Drive(1, kServo), Drive(4, kBldc)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    ASSERT_NE(board, nullptr);
    Silence(1);  // the reload goes unanswered
    board->RequestLoad(load_bit::kParameters);
    ASSERT_TRUE(WaitUntil([&] { return board->GetLoadOutcome().Ended(load_bit::kParameters); }));
    line_.ClearFaults();
    LoadOutcome outcome = board->GetLoadOutcome();
    EXPECT_TRUE(outcome.Failed(load_bit::kParameters));
    EXPECT_FALSE(outcome.Loaded(load_bit::kParameters));
    EXPECT_TRUE(reporter_.Boxes().empty());  // the polling thread stays silent

    board->RequestLoad(load_bit::kParameters);
    EXPECT_FALSE(board->GetLoadOutcome().Failed(load_bit::kParameters));  // a new request starts clean
    ASSERT_TRUE(WaitUntil([&] { return board->GetLoadOutcome().Ended(load_bit::kParameters); }));
    outcome = board->GetLoadOutcome();
    EXPECT_TRUE(outcome.Loaded(load_bit::kParameters));
    EXPECT_FALSE(outcome.Failed(load_bit::kParameters));
    EXPECT_NE(master_.GetBoard(port_, 1), nullptr);  // one failed read does not remove the drive

    // The BLDC parameter set is one more load bit of the same outcome.
    auto bldc = master_.GetBoard(port_, 4);
    ASSERT_NE(bldc, nullptr);
    const uint32_t both = load_bit::kParameters | load_bit::kBldc;
    bldc->RequestLoad(both);
    EXPECT_FALSE(bldc->GetLoadOutcome().Ended(both));
    ASSERT_TRUE(WaitUntil([&] { return bldc->GetLoadOutcome().Ended(both); }));
    EXPECT_TRUE(bldc->GetLoadOutcome().Loaded(both));
    EXPECT_TRUE(std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(bldc)->bldcLoaded.load());
}

TEST_F(ContractTest, StatusTimeoutDuringTheWaitOfARelativeMoveSendsTheMoveOnce) {
    auto board = ConnectQuiet({Drive(1, kServo)}, 1);
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->ServoEnable(true));
    const int32_t start = line_.GetAxisState(1)->commandPosition;
    // The move is answered; the first status read of the wait is not.
    sink_.SetOnLine([&](const std::string& line) {
        if (line.rfind("ZEL_MoveSingleAxisIncPos", 0) == 0) DropOneTransaction(1);
    });
    reporter_.Answer(BoxAnswer::Retry);
    line_.ClearRequestLog();
    EXPECT_TRUE(board->MoveSingleAxisIncPos(2500, 100000, true));
    EXPECT_EQ(CountRequests(line_, 1, kFrameMoveInc), 1u);
    EXPECT_GE(CountRequests(line_, 1, kFrameAxisStatus), 4u);  // three lost attempts, then the wait
    const auto boxes = reporter_.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("ZEL_GetAxisStatus"), std::string::npos);
    EXPECT_EQ(line_.GetAxisState(1)->commandPosition, start + 2500);
    EXPECT_EQ(sink_.Of(kMsgCommandLine).size(), 2u);  // servo on and the move, each once
}

TEST_F(ContractTest, WatchersAreCountedAndTheCountNeverGoesBelowZero) {
    auto board = ConnectQuiet({Drive(3, kServo)}, 3);
    ASSERT_NE(board, nullptr);
    const auto statusReads = [&] {
        line_.ClearRequestLog();
        for (int step = 0; step < 6; ++step) EXPECT_EQ(board->UpdateStatus(), 0);
        return CountRequests(line_, 3, kFrameAllStatus);
    };
    board->AddWatch(CBoardInterface::kWatchOther);  // two repeat windows on one drive
    board->AddWatch(CBoardInterface::kWatchOther);
    EXPECT_EQ(board->WatchCount(CBoardInterface::kWatchOther), 2u);
    board->RemoveWatch(CBoardInterface::kWatchOther);  // the first one closes
    EXPECT_TRUE(board->IsWatched());
    EXPECT_EQ(statusReads(), 6u);
    board->RemoveWatch(CBoardInterface::kWatchOther);
    board->RemoveWatch(CBoardInterface::kWatchOther);  // one too many
    EXPECT_EQ(board->WatchCount(CBoardInterface::kWatchOther), 0u);
    EXPECT_FALSE(board->IsWatched());
    EXPECT_EQ(statusReads(), 0u);
    EXPECT_EQ(CountRequests(line_, 3, kFramePresence), 1u);
    board->AddWatch(CBoardInterface::kWatchOther);  // counts from 0 again, not from a wrapped value
    EXPECT_EQ(board->WatchCount(CBoardInterface::kWatchOther), 1u);
    board->AddWatch(CBoardInterface::kWatchIo);
    board->RemoveWatch(CBoardInterface::kWatchOther);
    EXPECT_TRUE(board->IsWatched());  // the I/O monitor still watches
}

TEST_F(ContractTest, ResolutionTextOfADriveThatDoesNotAnswerIsTheFallbackWithoutABox) {
    auto board = ConnectQuiet({Drive(1, kServo)}, 1);
    ASSERT_NE(board, nullptr);
    DropOneTransaction(1);
    line_.ClearRequestLog();
    EXPECT_EQ(board->GetParamValueText(0, 0), "500");
    EXPECT_TRUE(reporter_.Boxes().empty());
    EXPECT_TRUE(sink_.Of(kMsgCommandLine).empty());
    EXPECT_EQ(CountRequests(line_, 1, 0x06), 3u);  // one transaction, no retry through a box
    EXPECT_EQ(board->GetParamValueText(0, 0), "8192");
}

struct TypeCase {
    uint16_t model;
    bool servo;    // ServoEnable and ServoAlarmReset
    bool brake;    // BrakeSet
    bool stepper;  // StepAlarmReset
};

TEST_F(ContractTest, ServoBrakeAndStepCommandsPerType) {
    const TypeCase cases[] = {
        {kServo, true, true, false},    {kMotionController, true, false, false},
        {kStepper, false, false, true}, {kAbsServo, true, true, false},
        {kBldc, true, true, false},     {kMotionController2, true, false, false},
    };
    std::vector<sim::DriveConfig> drives;
    for (uint8_t slave = 0; slave < std::size(cases); ++slave)
        drives.push_back(Drive(slave, cases[slave].model));
    ConnectQuiet(drives, 0);
    for (uint8_t slave = 0; slave < std::size(cases); ++slave) {
        const TypeCase& c = cases[slave];
        SCOPED_TRACE("model " + std::to_string(c.model));
        auto board = master_.GetBoard(port_, slave);
        ASSERT_NE(board, nullptr);
        EXPECT_EQ(board->HasServoCommands(), c.servo);
        EXPECT_EQ(board->HasBrake(), c.brake);
        EXPECT_EQ(board->HasStepCommands(), c.stepper);
        line_.ClearRequestLog();
        sink_.Clear();
        uint32_t brake = 7;
        EXPECT_EQ(board->ServoEnable(true), c.servo);
        EXPECT_EQ(board->ServoAlarmReset(), c.servo);
        EXPECT_EQ(board->BrakeSet(true, brake), c.brake);
        EXPECT_EQ(brake, c.brake ? 1u : 7u);
        EXPECT_EQ(board->StepAlarmReset(false), c.stepper);
        // A refused command sends nothing and writes no line.
        EXPECT_EQ(CountRequests(line_, slave, kFrameServoEnable), c.servo ? 1u : 0u);
        EXPECT_EQ(CountRequests(line_, slave, kFrameServoAlarmReset), c.servo ? 1u : 0u);
        EXPECT_EQ(CountRequests(line_, slave, kFrameBrake), c.brake ? 1u : 0u);
        EXPECT_EQ(CountRequests(line_, slave, kFrameStepAlarmReset), c.stepper ? 1u : 0u);
        EXPECT_EQ(sink_.Of(kMsgCommandLine).size(),
                  (c.servo ? 2u : 0u) + (c.brake ? 1u : 0u) + (c.stepper ? 1u : 0u));
    }
    EXPECT_TRUE(reporter_.Boxes().empty());
}

TEST_F(ContractTest, EnableAndAlarmResetOfTheMotionWindowsAndMotorOnPerType) {
    const uint16_t models[] = {kServo, kMotionController, kStepper, kAbsServo, kBldc, kMotionController2};
    std::vector<sim::DriveConfig> drives;
    for (uint8_t slave = 0; slave < std::size(models); ++slave) drives.push_back(Drive(slave, models[slave]));
    ConnectQuiet(drives, 0);
    for (uint8_t slave = 0; slave < std::size(models); ++slave) {
        SCOPED_TRACE("model " + std::to_string(models[slave]));
        auto board = master_.GetBoard(port_, slave);
        ASSERT_NE(board, nullptr);
        board->AddWatch(CBoardInterface::kWatchMotion);
        const bool stepper = models[slave] == kStepper;

        // The motor state as the drive reports it: servo bit 20, the stepper's bits 21 and 7.
        ASSERT_TRUE(line_.SetServoOn(slave, true));
        ASSERT_EQ(board->UpdateStatus(), 0);
        EXPECT_TRUE(board->IsMotorOn());
        ASSERT_TRUE(line_.SetServoOn(slave, false));
        ASSERT_EQ(board->UpdateStatus(), 0);
        EXPECT_FALSE(board->IsMotorOn());

        line_.ClearRequestLog();
        EXPECT_TRUE(board->MotorEnable(false));
        EXPECT_TRUE(board->AlarmReset());
        const auto log = line_.RequestLog();
        std::vector<std::pair<uint8_t, uint8_t>> sent;  // frame type, first data byte
        for (const auto& r : log) sent.emplace_back(r.frameType, r.data.empty() ? 0xFF : r.data[0]);
        if (stepper) {
            // Off holds the alarm-reset input; the alarm reset is a pulse on it.
            const std::vector<std::pair<uint8_t, uint8_t>> expected{
                {kFrameStepAlarmReset, 1}, {kFrameStepAlarmReset, 1}, {kFrameStepAlarmReset, 0}};
            EXPECT_EQ(sent, expected);
        } else {
            const std::vector<std::pair<uint8_t, uint8_t>> expected{{kFrameServoEnable, 0},
                                                                    {kFrameServoAlarmReset, 0xFF}};
            EXPECT_EQ(sent, expected);
        }
        line_.ClearRequestLog();
        EXPECT_TRUE(board->MotorEnable(true));
        ASSERT_EQ(line_.RequestLog().size(), 1u);
        EXPECT_EQ(line_.RequestLog()[0].frameType, stepper ? kFrameStepAlarmReset : kFrameServoEnable);
        EXPECT_EQ(line_.RequestLog()[0].data.at(0), stepper ? 0 : 1);
        board->RemoveWatch(CBoardInterface::kWatchMotion);
    }
}

}  // namespace
}  // namespace tarsel::test
