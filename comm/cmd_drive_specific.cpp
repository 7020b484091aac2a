// Operations of single drive families: stepper current and motor data, the servo drive word,
// BLDC parameters and the monitoring (sampling) function.
#include <algorithm>
#include <cstring>

#include "comm/CCommInterface.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr std::size_t kMonitoringConfigSize = 9;
constexpr std::size_t kMonitoringSamples = 4;

}  // namespace

uint8_t CCommInterface::DoCmdSTEPGetCurrent(uint8_t slave, uint8_t index, uint16_t* value) {
    uint8_t answer[2] = {};
    const uint8_t result =
        Command(slave, frame_type::kStepGetCurrent, &index, 1, answer, sizeof(answer), 100);
    if (result == kResultSuccess && value != nullptr) *value = GetU16(answer);
    return result;
}

uint8_t CCommInterface::DoCmdSTEPSetCurrent(uint8_t slave, uint16_t value) {
    uint8_t request[2];
    PutU16(request, value);
    return Command(slave, frame_type::kStepSetCurrent, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdSTEPVersion(uint8_t slave, char* buffer, uint32_t size) {
    if (buffer != nullptr) std::memset(buffer, 0, size);
    const uint32_t expected = std::min<uint32_t>(size, kStepperVersionMax);
    uint8_t answer[kStepperVersionMax] = {};
    const uint8_t result = Command(slave, frame_type::kStepVersion, nullptr, 0, answer, expected, 100);
    if (result == kResultSuccess && buffer != nullptr) std::memcpy(buffer, answer, expected);
    return result;
}

uint8_t CCommInterface::DoCmdSTEPGetMotorDB(uint8_t slave, uint8_t* data64) {
    uint8_t answer[kStepperMotorDbSize] = {};
    const uint8_t result =
        Command(slave, frame_type::kStepGetMotorDb, nullptr, 0, answer, sizeof(answer), 500);
    if (result == kResultSuccess && data64 != nullptr) std::memcpy(data64, answer, sizeof(answer));
    return result;
}

uint8_t CCommInterface::DoCmdSTEPSetMotorDB(uint8_t slave, uint8_t value) {
    return Command(slave, frame_type::kStepSetMotorDb, &value, 1, nullptr, 0, 500);
}

uint8_t CCommInterface::DoCmdGetDriveWord(uint8_t slave, uint16_t* word) {
    uint8_t answer[2] = {};
    const uint8_t result = Command(slave, frame_type::kDriveWord, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess && word != nullptr) *word = GetU16(answer);
    return result;
}

uint8_t CCommInterface::DoCmdBLDCReadParameter(uint8_t slave, uint8_t address1, uint32_t address2,
                                               int32_t* value) {
    uint8_t request[5] = {address1};
    PutU32(request + 1, address2);
    return ReadS32(slave, frame_type::kBldcRead, request, sizeof(request), value);
}

uint8_t CCommInterface::DoCmdBLDCWriteParameter(uint8_t slave, uint8_t address1, uint32_t address2,
                                                int32_t value) {
    uint8_t request[9] = {address1};
    PutU32(request + 1, address2);
    PutU32(request + 5, static_cast<uint32_t>(value));
    const uint8_t result = Command(slave, frame_type::kBldcWrite, request, sizeof(request), nullptr, 0, 100);
    LogFunctionCall("ZEL_SetBLDCParameter(%d, %d, %u, %u, %d) : return %d\r\n", PortNumber(), slave, address1,
                    address2, value, result);
    return result;
}

uint8_t CCommInterface::DoCmdBLDCReadROMParameters(uint8_t slave) {
    return Command(slave, frame_type::kBldcReadRom, nullptr, 0, nullptr, 0, 500);
}

uint8_t CCommInterface::DoCmdBLDCWriteROMParameters(uint8_t slave) {
    const uint8_t result = Command(slave, frame_type::kBldcWriteRom, nullptr, 0, nullptr, 0, 2000);
    LogFunctionCall("ZEL_SaveBLDCParameters(%d, %d) : return %d\r\n", PortNumber(), slave, result);
    return result;
}

uint8_t CCommInterface::DoCmdMonitoringStatus(uint8_t slave, uint8_t* state) {
    uint8_t answer = 0;
    const uint8_t result = Command(slave, frame_type::kMonitoringStatus, nullptr, 0, &answer, 1, 100);
    if (result == kResultSuccess && state != nullptr) *state = answer;
    return result;
}

uint8_t CCommInterface::DoCmdMonitoringCancel(uint8_t slave) {
    return Command(slave, frame_type::kMonitoringCancel, nullptr, 0, nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdMonitoringGetData(uint8_t slave, uint32_t sampleIndex, int16_t* values,
                                               uint32_t count) {
    uint8_t request[4];
    PutU32(request, sampleIndex);
    uint8_t answer[2 * kMonitoringSamples] = {};
    const uint8_t result =
        Command(slave, frame_type::kMonitoringGetData, request, sizeof(request), answer, sizeof(answer), 100);
    if (result == kResultSuccess && values != nullptr) {
        const uint32_t n = std::min<uint32_t>(count, kMonitoringSamples);
        for (uint32_t i = 0; i < n; ++i) values[i] = static_cast<int16_t>(GetU16(answer + 2 * i));
    }
    return result;
}

uint8_t CCommInterface::DoCmdMonitoringSetConfig(uint8_t slave, const MonitoringConfig& config) {
    uint8_t request[kMonitoringConfigSize];
    PutU16(request, config.samplingTime);
    PutU16(request + 2, config.bufferSize);
    request[4] = config.channelCount;
    std::copy(config.channels.begin(), config.channels.end(), request + 5);
    return Command(slave, frame_type::kMonitoringSetConfig, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdMonitoringGetConfig(uint8_t slave, MonitoringConfig* config) {
    uint8_t answer[kMonitoringConfigSize] = {};
    const uint8_t result =
        Command(slave, frame_type::kMonitoringGetConfig, nullptr, 0, answer, sizeof(answer), 100);
    if (result != kResultSuccess || config == nullptr) return result;
    config->samplingTime = GetU16(answer);
    config->bufferSize = GetU16(answer + 2);
    config->channelCount = answer[4];
    std::copy(answer + 5, answer + 9, config->channels.begin());
    return result;
}

uint8_t CCommInterface::DoCmdMonitoringStart(uint8_t slave) {
    return Command(slave, frame_type::kMonitoringStart, nullptr, 0, nullptr, 0, 100);
}

}  // namespace tarsel
