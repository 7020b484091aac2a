// Facts of the drive protocol that the host side shares: slave numbers, frame types, the axis
// status bits the programs interpret and the board type codes of the slave information record.
// The command layer, the tools and the configuration program's model all take them from here.
#pragma once

#include <cstdint>

namespace tarsel {

constexpr uint8_t kSlaveCount = 16;  // addressed slaves 0..15
constexpr uint8_t kMaxAddressedSlave = kSlaveCount - 1;
constexpr uint8_t kBroadcastSlave = 99;  // every drive executes it, none answers

namespace frame_type {
// Identity and drive-specific requests.
constexpr uint8_t kSlaveInfo = 0x01;
constexpr uint8_t kDriveWord = 0x06;
constexpr uint8_t kChangeSlave = 0x08;
constexpr uint8_t kStepGetCurrent = 0x0B;
constexpr uint8_t kStepSetCurrent = 0x0C;
constexpr uint8_t kStepVersion = 0x0D;
constexpr uint8_t kStepGetMotorDb = 0x0E;
constexpr uint8_t kStepSetMotorDb = 0x0F;
// Parameters.
constexpr uint8_t kSaveAllParameters = 0x10;
constexpr uint8_t kGetRomParameter = 0x11;
constexpr uint8_t kSetParameter = 0x12;
constexpr uint8_t kGetParameter = 0x13;
// Boot ROM (firmware update).
constexpr uint8_t kGetEraseState = 0x1A;
constexpr uint8_t kGetRomType = 0x1B;
constexpr uint8_t kEraseRom = 0x1C;
constexpr uint8_t kWriteFlash = 0x1D;
constexpr uint8_t kRebootToBootRom = 0x1E;
constexpr uint8_t kRebootToRunRom = 0x1F;
// I/O and pin assignment.
constexpr uint8_t kSetOutput = 0x20;
constexpr uint8_t kSetInput = 0x21;
constexpr uint8_t kGetInput = 0x22;
constexpr uint8_t kGetOutput = 0x23;
constexpr uint8_t kSetInputMap = 0x24;
constexpr uint8_t kSetOutputMap = 0x25;
constexpr uint8_t kMapReadRom = 0x26;
constexpr uint8_t kGetInputMap = 0x27;
constexpr uint8_t kGetOutputMap = 0x28;
// Servo, alarm and brake.
constexpr uint8_t kServoEnable = 0x2A;
constexpr uint8_t kServoAlarmReset = 0x2B;
constexpr uint8_t kStepAlarmReset = 0x2C;
constexpr uint8_t kBrake = 0x2D;
constexpr uint8_t kAlarmType = 0x2E;
// Motion.
constexpr uint8_t kMoveStop = 0x31;
constexpr uint8_t kEmergencyStop = 0x32;
constexpr uint8_t kOrigin = 0x33;
constexpr uint8_t kMoveAbs = 0x34;
constexpr uint8_t kMoveInc = 0x35;
constexpr uint8_t kMoveToLimit = 0x36;
constexpr uint8_t kMoveVelocity = 0x37;
constexpr uint8_t kPositionAbsOverride = 0x38;
constexpr uint8_t kPositionIncOverride = 0x39;
constexpr uint8_t kVelocityOverride = 0x3A;
constexpr uint8_t kAllMoveStop = 0x3B;
constexpr uint8_t kAllEmergencyStop = 0x3C;
constexpr uint8_t kAllOrigin = 0x3D;
constexpr uint8_t kAllMoveAbs = 0x3E;
constexpr uint8_t kAllMoveInc = 0x3F;
constexpr uint8_t kMovePause = 0x58;
constexpr uint8_t kMoveAbsEx = 0x80;
constexpr uint8_t kMoveIncEx = 0x81;
constexpr uint8_t kMoveVelocityEx = 0x82;
// Status and positions.
constexpr uint8_t kAxisStatus = 0x40;
constexpr uint8_t kIOStatus = 0x41;
constexpr uint8_t kMotionStatus = 0x42;
constexpr uint8_t kAllStatus = 0x43;
constexpr uint8_t kRunPTStatus = 0x44;
constexpr uint8_t kSetCommandPos = 0x50;
constexpr uint8_t kGetCommandPos = 0x51;
constexpr uint8_t kPresenceProbe = kGetCommandPos;  // the read the programs use to see a drive is there
constexpr uint8_t kSetActualPos = 0x52;
constexpr uint8_t kGetActualPos = 0x53;
constexpr uint8_t kGetPosError = 0x54;
constexpr uint8_t kGetActualVel = 0x55;
constexpr uint8_t kClearPosition = 0x56;
// Position table.
constexpr uint8_t kPosTableReadItem = 0x60;
constexpr uint8_t kPosTableWriteItem = 0x61;
constexpr uint8_t kPosTableReadRom = 0x62;
constexpr uint8_t kPosTableWriteRom = 0x63;
constexpr uint8_t kPosTableRunItem = 0x64;
constexpr uint8_t kPosTableIsData = 0x65;
constexpr uint8_t kPosTableSingleRunItem = 0x68;
constexpr uint8_t kPosTableRunState = 0x69;
constexpr uint8_t kPosTableReadOneItem = 0x6A;
constexpr uint8_t kPosTableWriteOneItem = 0x6B;
// Linear (multi-axis) moves.
constexpr uint8_t kLinearSetup = 0x70;
constexpr uint8_t kLinearStart = 0x71;
// BLDC parameters and data monitoring.
constexpr uint8_t kBldcRead = 0x84;
constexpr uint8_t kBldcWrite = 0x85;
constexpr uint8_t kBldcReadRom = 0x86;
constexpr uint8_t kBldcWriteRom = 0x87;
constexpr uint8_t kMonitoringStatus = 0x8A;
constexpr uint8_t kMonitoringCancel = 0x8B;
constexpr uint8_t kMonitoringGetData = 0x8C;
constexpr uint8_t kMonitoringSetConfig = 0x8D;
constexpr uint8_t kMonitoringGetConfig = 0x8E;
constexpr uint8_t kMonitoringStart = 0x8F;
}  // namespace frame_type

// Bits of the 32-bit axis status word that the programs interpret.
namespace axis_bit {
constexpr uint32_t kAlarm = 1u << 0;
constexpr uint32_t kStepperFree = 1u << 7;  // stepper: motor not energised
constexpr uint32_t kOriginReturning = 1u << 18;
constexpr uint32_t kInPosition = 1u << 19;
constexpr uint32_t kServoOn = 1u << 20;
constexpr uint32_t kStepperAlarmReset = 1u << 21;  // stepper: alarm-reset input held
constexpr uint32_t kTableStopped = 1u << 22;
constexpr uint32_t kMoving = 1u << 27;
constexpr uint32_t kBusyMask = (1u << 27) | (1u << 29) | (1u << 30) | (1u << 31);
}  // namespace axis_bit

// Drive model codes of the slave information record (offset 38), one per drive family.
namespace board_type {
constexpr uint8_t kServo = 1;
constexpr uint8_t kMotionController = 10;
constexpr uint8_t kStepper = 20;
constexpr uint8_t kAbsServo = 30;
constexpr uint8_t kBldc = 40;
constexpr uint8_t kMotionController2 = 110;
}  // namespace board_type

}  // namespace tarsel
