// The port a board sees once its port let go of it: every command fails with "port not open"
// and nothing reaches a line.
#pragma once

#include "comm/result_codes.h"
#include "gui/model/board/board_commands.h"

namespace tarsel {

class DetachedPort : public IBoardCommands {
public:
    explicit DetachedPort(uint8_t portNumber) : portNumber_(portNumber) {}

    uint8_t PortNumber() const override { return portNumber_; }
    bool IsPortOpen() const override { return false; }
    uint8_t PresenceProbe(uint8_t, uint32_t) override { return kResultNotOpen; }
    uint8_t SaveAllParameters(uint8_t) override { return kResultNotOpen; }
    uint8_t GetROMParameter(uint8_t, uint8_t, int32_t*) override { return kResultNotOpen; }
    uint8_t SetParameter(uint8_t, uint8_t, int32_t) override { return kResultNotOpen; }
    uint8_t GetParameter(uint8_t, uint8_t, int32_t*) override { return kResultNotOpen; }
    uint8_t SetIOOutput(uint8_t, uint32_t, uint32_t) override { return kResultNotOpen; }
    uint8_t SetIOInput(uint8_t, uint64_t, uint64_t) override { return kResultNotOpen; }
    uint8_t GetIOInput(uint8_t, uint64_t*) override { return kResultNotOpen; }
    uint8_t GetIOOutput(uint8_t, uint32_t*) override { return kResultNotOpen; }
    uint8_t SetInputAssignMap(uint8_t, uint8_t, uint8_t, uint8_t) override { return kResultNotOpen; }
    uint8_t SetOutputAssignMap(uint8_t, uint8_t, uint8_t, uint8_t) override { return kResultNotOpen; }
    uint8_t IOAssignMapReadROM(uint8_t) override { return kResultNotOpen; }
    uint8_t GetInputAssignMap(uint8_t, uint8_t, uint8_t*, uint8_t*) override { return kResultNotOpen; }
    uint8_t GetOutputAssignMap(uint8_t, uint8_t, uint8_t*, uint8_t*) override { return kResultNotOpen; }
    uint8_t ServoEnable(uint8_t, bool) override { return kResultNotOpen; }
    uint8_t ServoAlarmReset(uint8_t) override { return kResultNotOpen; }
    uint8_t StepAlarmReset(uint8_t, bool) override { return kResultNotOpen; }
    uint8_t BrakeSet(uint8_t, uint32_t, uint32_t*) override { return kResultNotOpen; }
    uint8_t GetAlarmType(uint8_t, uint8_t*) override { return kResultNotOpen; }
    uint8_t MoveStop(uint8_t) override { return kResultNotOpen; }
    uint8_t EmergencyStop(uint8_t) override { return kResultNotOpen; }
    uint8_t MoveOriginSingleAxis(uint8_t) override { return kResultNotOpen; }
    uint8_t MoveSingleAxisAbsPos(uint8_t, int32_t, uint32_t) override { return kResultNotOpen; }
    uint8_t MoveSingleAxisIncPos(uint8_t, int32_t, uint32_t) override { return kResultNotOpen; }
    uint8_t MoveToLimit(uint8_t, uint32_t, uint8_t) override { return kResultNotOpen; }
    uint8_t MoveVelocity(uint8_t, uint32_t, uint8_t) override { return kResultNotOpen; }
    uint8_t GetAxisStatus(uint8_t, uint32_t*) override { return kResultNotOpen; }
    uint8_t GetAllStatus(uint8_t, AllStatus*) override { return kResultNotOpen; }
    uint8_t GetRunPTStatus(uint8_t, uint16_t*) override { return kResultNotOpen; }
    uint8_t SetCommandPos(uint8_t, int32_t) override { return kResultNotOpen; }
    uint8_t SetActualPos(uint8_t, int32_t) override { return kResultNotOpen; }
    uint8_t ClearPosition(uint8_t) override { return kResultNotOpen; }
    uint8_t PosTableReadItem(uint8_t, uint16_t, PosTableItem*) override { return kResultNotOpen; }
    uint8_t PosTableWriteItem(uint8_t, uint16_t, const PosTableItem&) override { return kResultNotOpen; }
    uint8_t PosTableReadROM(uint8_t) override { return kResultNotOpen; }
    uint8_t PosTableWriteROM(uint8_t) override { return kResultNotOpen; }
    uint8_t PosTableRunItem(uint8_t, uint16_t) override { return kResultNotOpen; }
    uint8_t PosTableSingleRunItem(uint8_t, bool, uint16_t) override { return kResultNotOpen; }
    uint8_t PosTableIsData(uint8_t, std::array<uint32_t, 8>*) override { return kResultNotOpen; }
    uint8_t PosTableRunState(uint8_t, uint8_t*) override { return kResultNotOpen; }
    uint8_t GetDriveWord(uint8_t, uint16_t*) override { return kResultNotOpen; }
    uint8_t StepGetCurrent(uint8_t, uint8_t, uint16_t*) override { return kResultNotOpen; }
    uint8_t StepSetCurrent(uint8_t, uint16_t) override { return kResultNotOpen; }
    uint8_t StepVersion(uint8_t, char*, uint32_t) override { return kResultNotOpen; }
    uint8_t StepGetMotorDB(uint8_t, std::array<uint8_t, 64>*) override { return kResultNotOpen; }
    uint8_t StepSetMotorDB(uint8_t, uint8_t) override { return kResultNotOpen; }
    uint8_t BLDCReadParameter(uint8_t, uint8_t, uint32_t, int32_t*) override { return kResultNotOpen; }
    uint8_t BLDCWriteParameter(uint8_t, uint8_t, uint32_t, int32_t) override { return kResultNotOpen; }
    uint8_t BLDCReadROMParameters(uint8_t) override { return kResultNotOpen; }
    uint8_t BLDCWriteROMParameters(uint8_t) override { return kResultNotOpen; }
    uint8_t MonitoringStatus(uint8_t, uint8_t*) override { return kResultNotOpen; }
    uint8_t MonitoringCancel(uint8_t) override { return kResultNotOpen; }
    uint8_t MonitoringGetData(uint8_t, uint32_t, std::array<int16_t, 4>*) override { return kResultNotOpen; }
    uint8_t MonitoringSetConfig(uint8_t, const MonitoringConfig&) override { return kResultNotOpen; }
    uint8_t MonitoringGetConfig(uint8_t, MonitoringConfig*) override { return kResultNotOpen; }
    uint8_t MonitoringStart(uint8_t) override { return kResultNotOpen; }

private:
    const uint8_t portNumber_;
};

}  // namespace tarsel
