// The commands a board object issues, for one slave of its port.  The port object of the
// configuration program implements this on top of the command layer; the board sees nothing
// else of the port.  Every operation returns the command's result code (0 success); output
// arguments are written only on success.
#pragma once

#include <array>
#include <cstdint>

#include "comm/CCommInterface.h"

namespace tarsel {

using PosTableItem = std::array<uint8_t, 64>;

struct AllStatus {
    uint64_t inputs = 0;
    uint32_t outputs = 0;
    uint32_t axisStatus = 0;
    int32_t commandPosition = 0;
    int32_t actualPosition = 0;
    int32_t positionError = 0;
    int32_t actualVelocity = 0;
    uint16_t runningItem = 0;
};

class IBoardCommands {
public:
    virtual ~IBoardCommands() = default;

    virtual uint8_t PortNumber() const = 0;
    virtual bool IsPortOpen() const = 0;

    // Command-position read with frame-form detection and reduced retries.
    virtual uint8_t PresenceProbe(uint8_t slave, uint32_t timeoutMs) = 0;

    virtual uint8_t SaveAllParameters(uint8_t slave) = 0;
    virtual uint8_t GetROMParameter(uint8_t slave, uint8_t number, int32_t* value) = 0;
    virtual uint8_t SetParameter(uint8_t slave, uint8_t number, int32_t value) = 0;
    virtual uint8_t GetParameter(uint8_t slave, uint8_t number, int32_t* value) = 0;

    virtual uint8_t SetIOOutput(uint8_t slave, uint32_t setMask, uint32_t clearMask) = 0;
    virtual uint8_t SetIOInput(uint8_t slave, uint64_t setMask, uint64_t clearMask) = 0;
    virtual uint8_t GetIOInput(uint8_t slave, uint64_t* inputs) = 0;
    virtual uint8_t GetIOOutput(uint8_t slave, uint32_t* outputs) = 0;
    virtual uint8_t SetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) = 0;
    virtual uint8_t SetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) = 0;
    virtual uint8_t IOAssignMapReadROM(uint8_t slave) = 0;
    virtual uint8_t GetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) = 0;
    virtual uint8_t GetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) = 0;

    virtual uint8_t ServoEnable(uint8_t slave, bool on) = 0;
    virtual uint8_t ServoAlarmReset(uint8_t slave) = 0;
    virtual uint8_t StepAlarmReset(uint8_t slave, bool reset) = 0;
    virtual uint8_t BrakeSet(uint8_t slave, uint32_t mode, uint32_t* state) = 0;
    virtual uint8_t GetAlarmType(uint8_t slave, uint8_t* alarm) = 0;

    virtual uint8_t MoveStop(uint8_t slave) = 0;
    virtual uint8_t EmergencyStop(uint8_t slave) = 0;
    virtual uint8_t MoveOriginSingleAxis(uint8_t slave) = 0;
    virtual uint8_t MoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t speed) = 0;
    virtual uint8_t MoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t speed) = 0;
    virtual uint8_t MoveToLimit(uint8_t slave, uint32_t speed, uint8_t direction) = 0;
    virtual uint8_t MoveVelocity(uint8_t slave, uint32_t speed, uint8_t direction) = 0;

    virtual uint8_t GetAxisStatus(uint8_t slave, uint32_t* status) = 0;
    virtual uint8_t GetAllStatus(uint8_t slave, AllStatus* status) = 0;
    virtual uint8_t GetRunPTStatus(uint8_t slave, uint16_t* status) = 0;
    virtual uint8_t SetCommandPos(uint8_t slave, int32_t position) = 0;
    virtual uint8_t SetActualPos(uint8_t slave, int32_t position) = 0;
    virtual uint8_t ClearPosition(uint8_t slave) = 0;

    virtual uint8_t PosTableReadItem(uint8_t slave, uint16_t item, PosTableItem* data) = 0;
    virtual uint8_t PosTableWriteItem(uint8_t slave, uint16_t item, const PosTableItem& data) = 0;
    virtual uint8_t PosTableReadROM(uint8_t slave) = 0;
    virtual uint8_t PosTableWriteROM(uint8_t slave) = 0;
    virtual uint8_t PosTableRunItem(uint8_t slave, uint16_t item) = 0;
    virtual uint8_t PosTableSingleRunItem(uint8_t slave, bool next, uint16_t item) = 0;
    virtual uint8_t PosTableIsData(uint8_t slave, std::array<uint32_t, 8>* bitmap) = 0;
    virtual uint8_t PosTableRunState(uint8_t slave, uint8_t* state) = 0;

    virtual uint8_t GetDriveWord(uint8_t slave, uint16_t* value) = 0;
    virtual uint8_t StepGetCurrent(uint8_t slave, uint8_t index, uint16_t* value) = 0;
    virtual uint8_t StepSetCurrent(uint8_t slave, uint16_t value) = 0;
    virtual uint8_t StepVersion(uint8_t slave, char* buffer, uint32_t size) = 0;
    virtual uint8_t StepGetMotorDB(uint8_t slave, std::array<uint8_t, 64>* data) = 0;
    virtual uint8_t StepSetMotorDB(uint8_t slave, uint8_t index) = 0;

    virtual uint8_t BLDCReadParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t* value) = 0;
    virtual uint8_t BLDCWriteParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t value) = 0;
    virtual uint8_t BLDCReadROMParameters(uint8_t slave) = 0;
    virtual uint8_t BLDCWriteROMParameters(uint8_t slave) = 0;

    virtual uint8_t MonitoringStatus(uint8_t slave, uint8_t* state) = 0;
    virtual uint8_t MonitoringCancel(uint8_t slave) = 0;
    virtual uint8_t MonitoringGetData(uint8_t slave, uint32_t index, std::array<int16_t, 4>* values) = 0;
    virtual uint8_t MonitoringSetConfig(uint8_t slave, const MonitoringConfig& config) = 0;
    virtual uint8_t MonitoringGetConfig(uint8_t slave, MonitoringConfig* config) = 0;
    virtual uint8_t MonitoringStart(uint8_t slave) = 0;
};

}  // namespace tarsel
