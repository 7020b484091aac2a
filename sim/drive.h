// One simulated drive: executes the requests of the command catalogue on its state and keeps
// its timers (motion, position-table run, monitoring, estimation, boot ROM) going in real time.
// Not thread-safe by itself: the line serialises every call under its mutex.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "sim/family.h"
#include "sim/metadata.h"
#include "sim/motion.h"
#include "sim/simulator.h"

namespace tarsel::sim {

struct DriveResponse {
    bool answer = true;  // false: the drive keeps silent
    uint8_t status = 0;
    std::vector<uint8_t> data;
    uint32_t delayMs = 0;             // extra time before the answer leaves
    std::optional<uint8_t> newSlave;  // listen on this number after answering
};

constexpr std::size_t kItemSize = 64;
using TableItem = std::array<uint8_t, kItemSize>;

struct PinAssignment {
    uint8_t signal = 0;
    uint8_t level = 0;
};

class Drive {
public:
    Drive(const DriveConfig& config, FamilyMetadata metadata, Clock::time_point now);

    const DriveConfig& Config() const { return config_; }
    const FamilyTraits& Family() const { return traits_; }
    uint8_t Slave() const { return config_.slave; }
    void SetSlave(uint8_t slave) { config_.slave = slave; }

    // One request; `broadcast` executes without an answer.
    DriveResponse Handle(uint8_t frameType, const uint8_t* data, std::size_t length, Clock::time_point now,
                         bool broadcast);
    // Brings timers and motion up to `now`.
    void Advance(Clock::time_point now);
    // A restarting drive does not listen.
    bool IsRestarting(Clock::time_point now) const { return now < silentUntil_; }

    // State for the in-process interface.
    std::optional<int32_t> Parameter(uint8_t number) const;
    std::optional<int32_t> RomParameter(uint8_t number) const;
    bool ForceParameter(uint8_t number, int32_t value);
    uint32_t ParameterCount() const { return static_cast<uint32_t>(params_.size()); }
    std::optional<int32_t> BldcParameter(uint8_t category, uint32_t number) const;
    bool ForceBldcParameter(uint8_t category, uint32_t number, int32_t value);
    AxisState Axis(Clock::time_point now) const;
    void ForcePositions(int32_t command, int32_t actual);
    bool ForceServo(bool on, Clock::time_point now);
    void ForceAlarm(uint8_t type, Clock::time_point now);
    void SetEnvironment(const AxisEnvironment& environment) { config_.axis = environment; }
    void SetInputPins(uint32_t activePins) { inputPins_ = activePins; }
    uint64_t InputStatus(Clock::time_point now) const;
    uint32_t OutputStatus(Clock::time_point now) const;
    std::optional<PinAssignment> InputAssignment(uint8_t pin) const;
    std::optional<PinAssignment> OutputAssignment(uint8_t pin) const;
    std::optional<TableItem> Item(uint16_t item) const;
    bool ForceItem(uint16_t item, const TableItem& data);
    const std::vector<uint16_t>& TableHistory() const { return tableHistory_; }
    void ClearTableHistory() { tableHistory_.clear(); }
    const std::map<uint32_t, uint16_t>& Flash() const { return flash_; }
    std::vector<uint8_t> FlashBytes() const;
    void SetBootTimings(const BootRomTimings& timings) { config_.boot = timings; }
    bool InBootRom() const { return bootRom_; }
    uint8_t MonitoringState() const { return monitor_.state; }

    // State files: what the drive keeps in non-volatile memory.
    std::string SaveNonVolatile() const;  // INI text of parameters, BLDC parameters, I/O map
    void LoadNonVolatile(const std::string& iniText);
    std::vector<uint8_t> RomTableBytes() const;
    void LoadRomTable(const std::vector<uint8_t>& bytes);
    void LoadFlashBytes(const std::vector<uint8_t>& bytes);

private:
    enum class MotionKind { None, Move, Jog, Stop, Origin, ToLimit };

    struct TableRun {
        bool running = false;
        bool singleStep = false;
        bool waiting = false;  // the item's motion is done; waiting for its wait time
        Clock::time_point waitUntil{};
        uint16_t item = 0;
        bool hasNext = false;  // single step: another item follows
        uint16_t next = 0;
        std::vector<uint16_t> loopCounters;
    };

    struct Monitoring {
        uint16_t samplingMs = 1;
        uint16_t bufferSize = 1000;
        uint8_t channelCount = 0;
        std::array<uint8_t, 4> channels{};
        uint8_t state = 0;
        Clock::time_point firstSample{};
        std::vector<std::array<int16_t, 4>> samples;
    };

    // Dispatch by area (drive.cpp, drive_io.cpp, drive_axis.cpp, drive_table.cpp, drive_bldc.cpp,
    // drive_boot.cpp).
    DriveResponse HandleIdentity(uint8_t type, const uint8_t* data, std::size_t length,
                                 Clock::time_point now);
    DriveResponse HandleParameters(uint8_t type, const uint8_t* data, std::size_t length);
    DriveResponse HandleIo(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleServo(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleMotion(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleStatus(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleTable(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleStepper(uint8_t type, const uint8_t* data, std::size_t length);
    DriveResponse HandleBldc(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);
    DriveResponse HandleBoot(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now);

    // Parameters.
    int32_t Param(int number, int32_t fallback) const;
    void StoreParam(int number, int32_t value);  // also moves the pin levels tied to it
    void ApplyLevelParam(int number, int32_t value);

    // I/O.
    void InitIoMap();
    int InputPinOf(int signal) const;
    int OutputPinOf(int signal) const;
    bool InputActive(int signal, Clock::time_point now) const;
    void SetLevelCoupledParam(int number, uint8_t level);
    void ProcessInputEdges(Clock::time_point now);

    // Axis.
    MotionSample Sample(Clock::time_point now) const;
    double CurrentPosition(Clock::time_point now) const { return Sample(now).position; }
    bool MotorReady() const;  // servo on / stepper enabled, no alarm
    uint8_t CheckMotionAllowed(Clock::time_point now) const;
    MoveShape ShapeFromParams(double speed) const;
    uint8_t StartMove(double target, MoveShape shape, Clock::time_point now,
                      MotionKind kind = MotionKind::Move);
    uint8_t StartJog(int direction, double speed, Clock::time_point now);
    uint8_t StartOrigin(Clock::time_point now, std::optional<MoveShape> shape = std::nullopt);
    void StopDecelerating(Clock::time_point now);
    void StopAt(double position, Clock::time_point now);
    void EmergencyStop(Clock::time_point now);
    void Pause(bool on, Clock::time_point now);
    void FinishMotion(Clock::time_point now);
    void CheckLimits(Clock::time_point now);
    double ClampSoftLimits(double target);
    bool Moving() const { return motion_ != MotionKind::None; }
    uint32_t AxisStatus(Clock::time_point now) const;
    void ResetAlarm();

    // Position table.
    uint16_t ItemField(const TableItem& item, std::size_t offset) const;
    bool ValidJump(uint16_t value, uint16_t& target) const;
    void StartTable(uint16_t item, bool singleStep, Clock::time_point now);
    void StartItem(uint16_t item, Clock::time_point now);
    void EndTable();
    void AdvanceTable(Clock::time_point now);
    void SetPtOutputs(uint16_t ptSet, bool endOfItem);
    bool ItemHasData(uint16_t item) const;

    // BLDC.
    const BldcParamSpec* BldcSpec(uint8_t category, uint32_t number) const;
    void AdvanceMonitoring(Clock::time_point now);
    void AdvanceEstimation(Clock::time_point now);
    void OnMoveStarted(Clock::time_point now);

    DriveConfig config_;
    const FamilyTraits& traits_;
    FamilyMetadata meta_;
    std::vector<int32_t> params_, romParams_;
    std::map<std::pair<uint8_t, uint32_t>, int32_t> bldc_, bldcRom_;

    // I/O.
    uint32_t inputPins_ = 0;    // active input pins (sensor state after the level)
    uint64_t softInputs_ = 0;   // input signals set by software
    uint32_t userOutputs_ = 0;  // output signals set by software
    uint32_t ptOutputs_ = 0;    // output signals set by the position table
    std::vector<PinAssignment> inputMap_, outputMap_, romInputMap_, romOutputMap_;
    uint64_t lastInputs_ = 0;

    // Axis.
    MotionKind motion_ = MotionKind::None;
    MotionPlan plan_;
    double position_ = 0;      // command position while no plan runs
    double actualOffset_ = 0;  // actual - command while idle
    double moveTarget_ = 0;
    MoveShape moveShape_;
    bool paused_ = false;
    bool servoOn_ = false;
    bool stepperEnabled_ = true;
    bool brake_ = false;
    uint8_t alarmType_ = 0;
    bool emgStop_ = false;
    bool orgRetOk_ = false;
    bool swLimitPlusHit_ = false, swLimitMinusHit_ = false;
    int originStage_ = 0;  // origin search: 1 toward the sensor or limit
    struct LinearSetup {
        bool valid = false;
        int32_t distance = 0;
        uint32_t velocity = 0;
        uint16_t accel = 0;
    } linear_;
    uint32_t finishedMoves_ = 0;

    // Position table.
    std::vector<TableItem> table_, romTable_;
    TableRun run_;
    std::vector<uint16_t> tableHistory_;

    // Stepper.
    uint16_t stepCurrent_ = 1000;
    uint8_t motorDbIndex_ = 0;

    // BLDC.
    Monitoring monitor_;
    bool inertiaRunning_ = false;
    uint32_t inertiaMovesAtStart_ = 0;
    bool rlRunning_ = false;
    Clock::time_point rlDone_{};

    // Boot ROM.
    bool bootRom_ = false;
    Clock::time_point silentUntil_{};
    bool erasing_ = false;
    bool erased_ = false;
    Clock::time_point eraseDone_{};
    std::map<uint32_t, uint16_t> flash_;
};

}  // namespace tarsel::sim
