// The board objects' commands, mapped onto the command layer of the port.
#include "gui/model/port/CCommPort.h"

namespace tarsel {

uint8_t CCommPort::PresenceProbe(uint8_t slave, uint32_t timeoutMs) {
    return DoCmdPresenceProbe(slave, nullptr, timeoutMs);
}
uint8_t CCommPort::SaveAllParameters(uint8_t slave) {
    return DoCmdSaveAllParameters(slave);
}
uint8_t CCommPort::GetROMParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return DoCmdGetROMParameter(slave, number, value);
}
uint8_t CCommPort::SetParameter(uint8_t slave, uint8_t number, int32_t value) {
    return DoCmdSetParameter(slave, number, value);
}
uint8_t CCommPort::GetParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return DoCmdGetParameter(slave, number, value);
}
uint8_t CCommPort::SetIOOutput(uint8_t slave, uint32_t setMask, uint32_t clearMask) {
    return DoCmdSetIOOutput(slave, setMask, clearMask);
}
uint8_t CCommPort::SetIOInput(uint8_t slave, uint64_t setMask, uint64_t clearMask) {
    return DoCmdSetIOInput(slave, setMask, clearMask);
}
uint8_t CCommPort::GetIOInput(uint8_t slave, uint64_t* inputs) {
    return DoCmdGetIOInput(slave, inputs);
}
uint8_t CCommPort::GetIOOutput(uint8_t slave, uint32_t* outputs) {
    return DoCmdGetIOOutput(slave, outputs);
}
uint8_t CCommPort::SetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) {
    return DoCmdSetInputAssignMap(slave, pin, signal, level);
}
uint8_t CCommPort::SetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) {
    return DoCmdSetOutputAssignMap(slave, pin, signal, level);
}
uint8_t CCommPort::IOAssignMapReadROM(uint8_t slave) {
    return DoCmdIOAssignMapReadROM(slave);
}
uint8_t CCommPort::GetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) {
    return DoCmdGetInputAssignMap(slave, pin, signal, level);
}
uint8_t CCommPort::GetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) {
    return DoCmdGetOutputAssignMap(slave, pin, signal, level);
}
uint8_t CCommPort::ServoEnable(uint8_t slave, bool on) {
    return DoCmdServoEnable(slave, on);
}
uint8_t CCommPort::ServoAlarmReset(uint8_t slave) {
    return DoCmdServoAlarmReset(slave);
}
uint8_t CCommPort::StepAlarmReset(uint8_t slave, bool reset) {
    return DoCmdStepAlarmReset(slave, reset);
}
uint8_t CCommPort::BrakeSet(uint8_t slave, uint32_t mode, uint32_t* state) {
    int32_t read = 0;
    const uint8_t code = DoCmdBrakeSet(slave, static_cast<uint8_t>(mode & 0xFF), &read);
    if (code == 0 && state) *state = static_cast<uint32_t>(read);
    return code;
}
uint8_t CCommPort::GetAlarmType(uint8_t slave, uint8_t* alarm) {
    return DoCmdGetAlarmType(slave, alarm);
}
uint8_t CCommPort::MoveStop(uint8_t slave) {
    return DoCmdMoveStop(slave);
}
uint8_t CCommPort::EmergencyStop(uint8_t slave) {
    return DoCmdEmergencyStop(slave);
}
uint8_t CCommPort::MoveOriginSingleAxis(uint8_t slave) {
    return DoCmdMoveOriginSingleAxis(slave);
}
uint8_t CCommPort::MoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t speed) {
    return DoCmdMoveSingleAxisAbsPos(slave, position, speed);
}
uint8_t CCommPort::MoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t speed) {
    return DoCmdMoveSingleAxisIncPos(slave, distance, speed);
}
uint8_t CCommPort::MoveToLimit(uint8_t slave, uint32_t speed, uint8_t direction) {
    return DoCmdMoveToLimit(slave, speed, direction);
}
uint8_t CCommPort::MoveVelocity(uint8_t slave, uint32_t speed, uint8_t direction) {
    return DoCmdMoveVelocity(slave, speed, direction);
}
uint8_t CCommPort::GetAxisStatus(uint8_t slave, uint32_t* status) {
    return DoCmdGetAxisStatus(slave, status);
}
uint8_t CCommPort::GetAllStatus(uint8_t slave, AllStatus* s) {
    AllStatus read;
    const uint8_t code =
        DoCmdGetAllStatus(slave, &read.inputs, &read.outputs, &read.axisStatus, &read.commandPosition,
                          &read.actualPosition, &read.positionError, &read.actualVelocity, &read.runningItem);
    if (code == 0 && s) *s = read;
    return code;
}
uint8_t CCommPort::GetRunPTStatus(uint8_t slave, uint16_t* status) {
    return DoCmdGetRunPTStatus(slave, status);
}
uint8_t CCommPort::SetCommandPos(uint8_t slave, int32_t position) {
    return DoCmdSetCommandPos(slave, position);
}
uint8_t CCommPort::SetActualPos(uint8_t slave, int32_t position) {
    return DoCmdSetActualPos(slave, position);
}
uint8_t CCommPort::ClearPosition(uint8_t slave) {
    return DoCmdClearPosition(slave);
}
uint8_t CCommPort::PosTableReadItem(uint8_t slave, uint16_t item, PosTableItem* data) {
    return DoCmdPosTableReadItem(slave, item, data ? data->data() : nullptr);
}
uint8_t CCommPort::PosTableWriteItem(uint8_t slave, uint16_t item, const PosTableItem& data) {
    return DoCmdPosTableWriteItem(slave, item, data.data());
}
uint8_t CCommPort::PosTableReadROM(uint8_t slave) {
    return DoCmdPosTableReadROM(slave);
}
uint8_t CCommPort::PosTableWriteROM(uint8_t slave) {
    return DoCmdPosTableWriteROM(slave);
}
uint8_t CCommPort::PosTableRunItem(uint8_t slave, uint16_t item) {
    return DoCmdPosTableRunItem(slave, item);
}
uint8_t CCommPort::PosTableSingleRunItem(uint8_t slave, bool next, uint16_t item) {
    return DoCmdPosTableSingleRunItem(slave, next, item);
}
uint8_t CCommPort::PosTableIsData(uint8_t slave, std::array<uint32_t, 8>* bitmap) {
    return DoCmdPosTableIsData(slave, bitmap);
}
uint8_t CCommPort::PosTableRunState(uint8_t slave, uint8_t* state) {
    return DoCmdPosTableRunState(slave, state);
}
uint8_t CCommPort::GetDriveWord(uint8_t slave, uint16_t* value) {
    return DoCmdGetDriveWord(slave, value);
}
uint8_t CCommPort::StepGetCurrent(uint8_t slave, uint8_t index, uint16_t* value) {
    return DoCmdSTEPGetCurrent(slave, index, value);
}
uint8_t CCommPort::StepSetCurrent(uint8_t slave, uint16_t value) {
    return DoCmdSTEPSetCurrent(slave, value);
}
uint8_t CCommPort::StepVersion(uint8_t slave, char* buffer, uint32_t size) {
    return DoCmdSTEPVersion(slave, buffer, size);
}
uint8_t CCommPort::StepGetMotorDB(uint8_t slave, std::array<uint8_t, 64>* data) {
    return DoCmdSTEPGetMotorDB(slave, data ? data->data() : nullptr);
}
uint8_t CCommPort::StepSetMotorDB(uint8_t slave, uint8_t index) {
    return DoCmdSTEPSetMotorDB(slave, index);
}
uint8_t CCommPort::BLDCReadParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t* value) {
    return DoCmdBLDCReadParameter(slave, category, number, value);
}
uint8_t CCommPort::BLDCWriteParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t value) {
    return DoCmdBLDCWriteParameter(slave, category, number, value);
}
uint8_t CCommPort::BLDCReadROMParameters(uint8_t slave) {
    return DoCmdBLDCReadROMParameters(slave);
}
uint8_t CCommPort::BLDCWriteROMParameters(uint8_t slave) {
    return DoCmdBLDCWriteROMParameters(slave);
}
uint8_t CCommPort::MonitoringStatus(uint8_t slave, uint8_t* state) {
    return DoCmdMonitoringStatus(slave, state);
}
uint8_t CCommPort::MonitoringCancel(uint8_t slave) {
    return DoCmdMonitoringCancel(slave);
}
uint8_t CCommPort::MonitoringGetData(uint8_t slave, uint32_t index, std::array<int16_t, 4>* values) {
    std::array<int16_t, 4> read{};
    const uint8_t code = DoCmdMonitoringGetData(slave, index, read.data(), 4);
    if (code == 0 && values) *values = read;
    return code;
}
uint8_t CCommPort::MonitoringSetConfig(uint8_t slave, const MonitoringConfig& config) {
    return DoCmdMonitoringSetConfig(slave, config);
}
uint8_t CCommPort::MonitoringGetConfig(uint8_t slave, MonitoringConfig* config) {
    return DoCmdMonitoringGetConfig(slave, config);
}
uint8_t CCommPort::MonitoringStart(uint8_t slave) {
    return DoCmdMonitoringStart(slave);
}

}  // namespace tarsel
