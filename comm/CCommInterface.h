// The command layer: one operation per frame type of the drives.  Each operation packs its
// arguments into the request payload, runs one transaction with the timeout of its frame type,
// and unpacks the answer into its output arguments.
//
// Rules shared by every operation:
//   * The result is the transaction's code (0 success, 5..8 transport, or the drive's nonzero
//     status byte; see return_codes.h), except where an operation says otherwise.
//   * Output arguments are written only when the result is 0, and only through non-null
//     pointers; a failed operation leaves them as they were.  An answer that carries only a
//     status byte 0 is a success with zeroed data.
//   * Boolean arguments go on the wire as one byte 1 (nonzero) or 0.
//   * Every operation may be called from any thread: the transport holds its port mutex for a
//     whole transaction, so frames never interleave.  Composite operations (the motion waits,
//     the linear moves) are not atomic as a whole.
//   * Slave numbers are not checked against any registry here; the owners (the library's
//     registry, the configuration program's boards) check them before calling.
//
// Operations marked "configuration program" are used only by the board layer of the GUI.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "comm/CRs232CB.h"
#include "comm/slave_info.h"
#include "comm/transport_config.h"

namespace tarsel {

constexpr std::size_t kPosTableItemSize = 64;
constexpr std::size_t kMotionOptionSize = 32;
constexpr std::size_t kStepperMotorDbSize = 64;
constexpr std::size_t kStepperVersionMax = 247;
constexpr std::size_t kPosTableBitmapWords = 8;  // 256 items, one bit each

// Axis status word bits used by the command layer.
constexpr uint32_t kAxisStatusInPosition = 1u << 19;
constexpr uint32_t kAxisStatusPtStopped = 1u << 22;
constexpr uint32_t kAxisStatusMotioning = 1u << 27;

// Optional wait after a motion command was accepted.
enum class MotionWait : uint8_t {
    None,        // return as soon as the drive accepted the command
    Motion,      // poll the axis status until bit 27 (Motioning) is clear
    InPosition,  // ... and bit 19 (Inposition) is set
};

// What the linear moves do after the start broadcast.  The library never pauses or waits; the
// configuration program pauses 20 ms and optionally waits until no axis is moving.
struct LinearMoveFinish {
    bool pause = false;  // sleep 20 ms after a successful start
    bool wait = false;   // then poll every axis until none reports Motioning
    static constexpr LinearMoveFinish Library() { return {false, false}; }
    static constexpr LinearMoveFinish Gui(bool waitForEnd) { return {true, waitForEnd}; }
};

// Monitoring (sampling) configuration of frame types 0x8D and 0x8E.
struct MonitoringConfig {
    uint16_t samplingTime = 0;
    uint16_t bufferSize = 0;
    uint8_t channelCount = 0;
    std::array<uint8_t, 4> channels{};
};

class CCommInterface : public CRs232CB {
public:
    explicit CCommInterface(TransportConfig config = TransportConfig::Library());
    ~CCommInterface() override;

    // ---- Connection and identification -------------------------------------------------------
    // 0x01.  Library configuration: 100 ms, reduced retries.  Legacy-capable configurations
    // (the configuration program): 50 ms, reduced retries, with frame-form detection; a legacy
    // text answer is converted into the record (8 when it cannot be read).
    uint8_t DoCmdGetSlaveInfo(uint8_t slave, SlaveInfo* info);
    // Raw 70 record bytes, as the library hands them out (same rules as DoCmdGetSlaveInfo).
    uint8_t DoCmdGetSlaveInfoRecord(uint8_t slave, uint8_t* record70);
    // Configuration program: presence probe, the command-position read (0x51) sent with
    // frame-form detection and reduced retries.
    uint8_t DoCmdPresenceProbe(uint8_t slave, int32_t* commandPosition, uint32_t timeoutMs = 100);

    // ---- Parameters ---------------------------------------------------------------------------
    uint8_t DoCmdSaveAllParameters(uint8_t slave);  // 0x10, 500 ms, function-call log line
    uint8_t DoCmdGetROMParameter(uint8_t slave, uint8_t number, int32_t* value);  // 0x11, 500 ms
    uint8_t DoCmdSetParameter(uint8_t slave, uint8_t number, int32_t value);      // 0x12, log line
    uint8_t DoCmdGetParameter(uint8_t slave, uint8_t number, int32_t* value);     // 0x13

    // ---- I/O ----------------------------------------------------------------------------------
    uint8_t DoCmdSetIOOutput(uint8_t slave, uint32_t setMask, uint32_t clearMask);  // 0x20
    // 0x21: the low 40 bits of each mask go on the wire as 5 bytes.
    uint8_t DoCmdSetIOInput(uint8_t slave, uint64_t setMask, uint64_t clearMask);
    uint8_t DoCmdGetIOInput(uint8_t slave, uint64_t* inputs);    // 0x22, 40 bits
    uint8_t DoCmdGetIOOutput(uint8_t slave, uint32_t* outputs);  // 0x23
    // 0x24 / 0x25: level sent as a flag; function-call log lines.
    uint8_t DoCmdSetInputAssignMap(uint8_t slave, uint8_t index, uint8_t assignment, uint8_t level);
    uint8_t DoCmdSetOutputAssignMap(uint8_t slave, uint8_t index, uint8_t assignment, uint8_t level);
    uint8_t DoCmdIOAssignMapReadROM(uint8_t slave);  // 0x26, 500 ms, log line
    // 0x27 / 0x28: the level is returned as 1 when the drive reports any nonzero value.
    uint8_t DoCmdGetInputAssignMap(uint8_t slave, uint8_t index, uint8_t* assignment, uint8_t* level);
    uint8_t DoCmdGetOutputAssignMap(uint8_t slave, uint8_t index, uint8_t* assignment, uint8_t* level);

    // ---- Servo, alarm and brake ---------------------------------------------------------------
    uint8_t DoCmdServoEnable(uint8_t slave, bool on);                  // 0x2A, 500 ms
    uint8_t DoCmdServoAlarmReset(uint8_t slave);                       // 0x2B
    uint8_t DoCmdStepAlarmReset(uint8_t slave, bool reset);            // 0x2C
    uint8_t DoCmdBrakeSet(uint8_t slave, uint8_t on, int32_t* state);  // 0x2D
    uint8_t DoCmdGetAlarmType(uint8_t slave, uint8_t* alarmType);      // 0x2E

    // ---- Motion, single axis ------------------------------------------------------------------
    uint8_t DoCmdMoveStop(uint8_t slave, MotionWait wait = MotionWait::None);              // 0x31
    uint8_t DoCmdEmergencyStop(uint8_t slave, MotionWait wait = MotionWait::None);         // 0x32
    uint8_t DoCmdMoveOriginSingleAxis(uint8_t slave, MotionWait wait = MotionWait::None);  // 0x33
    uint8_t DoCmdMoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t velocity,
                                      MotionWait wait = MotionWait::None);  // 0x34
    uint8_t DoCmdMoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t velocity,
                                      MotionWait wait = MotionWait::None);  // 0x35
    uint8_t DoCmdMoveToLimit(uint8_t slave, uint32_t velocity, uint8_t direction,
                             MotionWait wait = MotionWait::None);                    // 0x36
    uint8_t DoCmdMoveVelocity(uint8_t slave, uint32_t velocity, uint8_t direction);  // 0x37
    uint8_t DoCmdPositionAbsOverride(uint8_t slave, int32_t position);               // 0x38
    uint8_t DoCmdPositionIncOverride(uint8_t slave, int32_t distance);               // 0x39
    uint8_t DoCmdVelocityOverride(uint8_t slave, uint32_t velocity);                 // 0x3A
    uint8_t DoCmdMovePause(uint8_t slave, uint8_t pause);                            // 0x58
    // 0x80..0x82: the 32-byte option block is copied unchanged; a null block sends 32 zeros.
    uint8_t DoCmdMoveSingleAxisAbsPosEx(uint8_t slave, int32_t position, uint32_t velocity,
                                        const uint8_t* options, MotionWait wait = MotionWait::None);
    uint8_t DoCmdMoveSingleAxisIncPosEx(uint8_t slave, int32_t distance, uint32_t velocity,
                                        const uint8_t* options, MotionWait wait = MotionWait::None);
    uint8_t DoCmdMoveVelocityEx(uint8_t slave, uint32_t velocity, uint8_t direction, const uint8_t* options);

    // Waits for the end of a motion: yields, reads the axis status (0x40) and stops when bit 27
    // is clear (and, for InPosition, bit 19 set).  A failed read ends the wait with its code;
    // slave numbers above 15 give 3 at once.  There is no time limit.
    uint8_t WaitForMotionEnd(uint8_t slave, MotionWait wait);
    // The same over several axes until none reports bit 27.
    uint8_t WaitForAxesIdle(const std::vector<uint8_t>& slaves);

    // ---- Motion, all axes (broadcast to slave 99, no answer): 0 after a good write, else 5 ---
    uint8_t DoCmdAllMoveStop();                                                 // 0x3B
    uint8_t DoCmdAllEmergencyStop();                                            // 0x3C
    uint8_t DoCmdAllMoveOriginSingleAxis();                                     // 0x3D
    uint8_t DoCmdAllMoveSingleAxisAbsPos(int32_t position, uint32_t velocity);  // 0x3E
    uint8_t DoCmdAllMoveSingleAxisIncPos(int32_t distance, uint32_t velocity);  // 0x3F

    // ---- Linear (interpolated) motion ---------------------------------------------------------
    uint8_t DoCmdLinearSetup(uint8_t slave, int32_t distance, uint32_t velocity,
                             uint16_t acceleration);  // 0x70
    uint8_t DoCmdLinearStart(uint32_t axisMask);      // 0x71 broadcast
    // The composites (see linear_move.h for the planning): 3 when the count is 0, a list is null
    // or a slave number is above 15; the absolute form first reads every command position
    // (0x51) and returns the first failure; then one 0x70 per axis in list order (the first
    // failure is returned and nothing is started) and the 0x71 start with the axis mask.
    uint8_t DoCmdMoveLinearIncPos(uint8_t axisCount, const uint8_t* slaves, const int32_t* distances,
                                  uint32_t velocity, uint16_t accelerationTime,
                                  LinearMoveFinish finish = LinearMoveFinish::Library());
    uint8_t DoCmdMoveLinearAbsPos(uint8_t axisCount, const uint8_t* slaves, const int32_t* positions,
                                  uint32_t velocity, uint16_t accelerationTime,
                                  LinearMoveFinish finish = LinearMoveFinish::Library());

    // ---- Status and position ------------------------------------------------------------------
    uint8_t DoCmdGetAxisStatus(uint8_t slave, uint32_t* status);                   // 0x40
    uint8_t DoCmdGetIOStatus(uint8_t slave, uint64_t* inputs, uint32_t* outputs);  // 0x41
    uint8_t DoCmdGetMotionStatus(uint8_t slave, int32_t* commandPosition, int32_t* actualPosition,
                                 int32_t* positionError, int32_t* actualVelocity,
                                 uint32_t* runningItem);  // 0x42
    // 0x43: the running item number is truncated to 16 bits.
    uint8_t DoCmdGetAllStatus(uint8_t slave, uint64_t* inputs, uint32_t* outputs, uint32_t* axisStatus,
                              int32_t* commandPosition, int32_t* actualPosition, int32_t* positionError,
                              int32_t* actualVelocity, uint16_t* runningItem);
    uint8_t DoCmdGetRunPTStatus(uint8_t slave, uint16_t* item);    // 0x44, low half of the u32
    uint8_t DoCmdSetCommandPos(uint8_t slave, int32_t position);   // 0x50
    uint8_t DoCmdGetCommandPos(uint8_t slave, int32_t* position);  // 0x51
    uint8_t DoCmdSetActualPos(uint8_t slave, int32_t position);    // 0x52
    uint8_t DoCmdGetActualPos(uint8_t slave, int32_t* position);   // 0x53
    uint8_t DoCmdGetPosError(uint8_t slave, int32_t* error);       // 0x54
    uint8_t DoCmdGetActualVel(uint8_t slave, int32_t* velocity);   // 0x55
    uint8_t DoCmdClearPosition(uint8_t slave);                     // 0x56, 1500 ms

    // ---- Position table -----------------------------------------------------------------------
    uint8_t DoCmdPosTableReadItem(uint8_t slave, uint16_t item, uint8_t* data64);  // 0x60
    // 0x61: the transaction result when the drive's done flag is nonzero, otherwise 9 (also when
    // the transaction failed, and without sending when `data64` is null).
    uint8_t DoCmdPosTableWriteItem(uint8_t slave, uint16_t item, const uint8_t* data64);
    // 0x62 (500 ms) / 0x63 (2000 ms): 9 when the drive's error flag is nonzero, otherwise the
    // transaction result.
    uint8_t DoCmdPosTableReadROM(uint8_t slave);
    uint8_t DoCmdPosTableWriteROM(uint8_t slave);
    uint8_t DoCmdPosTableRunItem(uint8_t slave, uint16_t item);  // 0x64
    // Configuration program, 0x65: bit map of the items holding data (item i is bit i % 32 of
    // word i / 32).
    uint8_t DoCmdPosTableIsData(uint8_t slave, std::array<uint32_t, kPosTableBitmapWords>* bitmap);
    static bool PosTableItemHasData(const std::array<uint32_t, kPosTableBitmapWords>& bitmap, uint16_t item);
    uint8_t DoCmdPosTableSingleRunItem(uint8_t slave, bool next, uint16_t item);  // 0x68
    uint8_t DoCmdPosTableRunState(uint8_t slave, uint8_t* state);  // configuration program, 0x69
    uint8_t DoCmdPosTableReadOneItem(uint8_t slave, uint16_t item, uint16_t offset, int32_t* value);  // 0x6A
    uint8_t DoCmdPosTableWriteOneItem(uint8_t slave, uint16_t item, uint16_t offset, int32_t value);  // 0x6B

    // ---- Stepper drive (configuration program) ------------------------------------------------
    uint8_t DoCmdSTEPGetCurrent(uint8_t slave, uint8_t index, uint16_t* value);  // 0x0B
    uint8_t DoCmdSTEPSetCurrent(uint8_t slave, uint16_t value);                  // 0x0C
    // 0x0D: zeroes the caller's whole buffer first, then expects and copies exactly
    // min(size, 247) bytes of version text.  The text is not terminated when it fills the buffer.
    uint8_t DoCmdSTEPVersion(uint8_t slave, char* buffer, uint32_t size);
    uint8_t DoCmdSTEPGetMotorDB(uint8_t slave, uint8_t* data64);  // 0x0E, 500 ms
    uint8_t DoCmdSTEPSetMotorDB(uint8_t slave, uint8_t value);    // 0x0F, 500 ms

    // ---- Servo drive (configuration program) --------------------------------------------------
    uint8_t DoCmdGetDriveWord(uint8_t slave, uint16_t* word);  // 0x06

    // ---- BLDC drive (configuration program) ---------------------------------------------------
    uint8_t DoCmdBLDCReadParameter(uint8_t slave, uint8_t address1, uint32_t address2,
                                   int32_t* value);  // 0x84
    uint8_t DoCmdBLDCWriteParameter(uint8_t slave, uint8_t address1, uint32_t address2,
                                    int32_t value);      // 0x85, log
    uint8_t DoCmdBLDCReadROMParameters(uint8_t slave);   // 0x86, 500 ms
    uint8_t DoCmdBLDCWriteROMParameters(uint8_t slave);  // 0x87, 2000 ms, log line

    // ---- Monitoring (configuration program) ---------------------------------------------------
    uint8_t DoCmdMonitoringStatus(uint8_t slave, uint8_t* state);  // 0x8A: 0 not ready .. 3 done
    uint8_t DoCmdMonitoringCancel(uint8_t slave);                  // 0x8B
    // 0x8C: four signed 16-bit samples; the first min(count, 4) go to `values`.
    uint8_t DoCmdMonitoringGetData(uint8_t slave, uint32_t sampleIndex, int16_t* values, uint32_t count);
    uint8_t DoCmdMonitoringSetConfig(uint8_t slave, const MonitoringConfig& config);  // 0x8D
    uint8_t DoCmdMonitoringGetConfig(uint8_t slave, MonitoringConfig* config);        // 0x8E
    uint8_t DoCmdMonitoringStart(uint8_t slave);                                      // 0x8F

protected:
    // One "[FUNCTION CALL] " line in the communication log of this port.
    void LogFunctionCall(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    uint8_t Command(uint8_t slave, uint8_t frameType, const uint8_t* send, uint32_t sendLength, uint8_t* recv,
                    uint32_t recvLength, uint32_t timeoutMs);
    uint8_t Broadcast(uint8_t frameType, const uint8_t* send, uint32_t sendLength);
    uint8_t ReadS32(uint8_t slave, uint8_t frameType, const uint8_t* send, uint32_t sendLength,
                    int32_t* value, uint32_t timeoutMs = 100);
    uint8_t AfterMotion(uint8_t slave, uint8_t result, MotionWait wait);
    uint8_t SendLinear(const std::vector<uint8_t>& slaves, const std::vector<int32_t>& distances,
                       uint32_t velocity, uint16_t accelerationTime, LinearMoveFinish finish);
};

}  // namespace tarsel
