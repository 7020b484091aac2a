// Identification: the slave information record and the presence probe.
#include <cstring>

#include "comm/CCommInterface.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr uint32_t kSlaveInfoTimeoutMs = 100;
constexpr uint32_t kSlaveInfoDetectTimeoutMs = 50;

}  // namespace

uint8_t CCommInterface::DoCmdGetSlaveInfoRecord(uint8_t slave, uint8_t* record70) {
    uint8_t answer[kSlaveInfoSize] = {};
    uint8_t result;
    bool legacy = false;
    if (Config().legacyFormCapable) {
        result = DoSendCommandAuto(slave, frame_type::kSlaveInfo, nullptr, 0, answer, sizeof(answer),
                                   kSlaveInfoDetectTimeoutMs, true);
        legacy = IsLegacyForm();
    } else {
        result = DoSendCommand(slave, frame_type::kSlaveInfo, nullptr, 0, answer, sizeof(answer),
                               kSlaveInfoTimeoutMs, true);
    }
    if (result != kResultSuccess) return result;
    if (legacy) {
        SlaveInfo info;
        if (!ConvertLegacySlaveInfo(answer, sizeof(answer), info)) return kResultPacketError;
        info.Encode(answer);
    }
    if (record70 != nullptr) std::memcpy(record70, answer, sizeof(answer));
    return kResultSuccess;
}

uint8_t CCommInterface::DoCmdGetSlaveInfo(uint8_t slave, SlaveInfo* info) {
    uint8_t record[kSlaveInfoSize];
    const uint8_t result = DoCmdGetSlaveInfoRecord(slave, record);
    if (result == kResultSuccess && info != nullptr) *info = SlaveInfo::Decode(record);
    return result;
}

uint8_t CCommInterface::DoCmdPresenceProbe(uint8_t slave, int32_t* commandPosition, uint32_t timeoutMs) {
    uint8_t answer[4] = {};
    const uint8_t result = DoSendCommandAuto(slave, frame_type::kGetCommandPos, nullptr, 0, answer,
                                             sizeof(answer), timeoutMs, true);
    if (result == kResultSuccess && commandPosition != nullptr) *commandPosition = GetS32(answer);
    return result;
}

}  // namespace tarsel
