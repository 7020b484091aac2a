#include "tools/firmloader/core/boot_link.h"

#include <algorithm>
#include <cstdio>

#include "comm/CRs232CB.h"
#include "comm/frame.h"
#include "comm/result_codes.h"
#include "comm/slave_info.h"
#include "formats/files/connection_settings.h"

namespace tarsel::firmware {

std::string HistoryText(const DriveIdentity& identity) {
    return files::FormatBootRomVersion(identity.name, identity.version[0], identity.version[1],
                                       identity.version[2], identity.version[3]);
}

uint8_t TransportBootLink::GetSlaveInfo(DriveIdentity& identity) {
    uint8_t record[kSlaveInfoSize] = {};
    const uint8_t result = port_.DoSendCommand(slave_, frame_type::kSlaveInfo, nullptr, 0, record,
                                               sizeof record, timeout_ms::kSlaveInfo, true);
    if (result != kResultSuccess) return result;
    SlaveInfo info;
    if (!port_.IsLegacyForm()) {
        info = SlaveInfo::Decode(record);
    } else if (!ConvertLegacySlaveInfo(record, sizeof record, info)) {
        return kResultPacketError;
    }
    identity.version = info.version;
    identity.name = info.Name();
    identity.typeCode = info.type;
    return kResultSuccess;
}

uint8_t TransportBootLink::PresenceProbe() {
    uint8_t position[4] = {};
    return port_.DoSendCommand(slave_, frame_type::kPresenceProbe, nullptr, 0, position, sizeof position,
                               timeout_ms::kPresenceProbe);
}

uint8_t TransportBootLink::GetRomType(uint8_t& type) {
    uint8_t answer = 0;
    const uint8_t result =
        port_.DoSendCommand(slave_, frame_type::kGetRomType, nullptr, 0, &answer, 1, timeout_ms::kGetRomType);
    if (result == kResultSuccess) type = answer;
    return result;
}

uint8_t TransportBootLink::GetEraseState(uint8_t& state) {
    uint8_t answer = 0;
    const uint8_t result = port_.DoSendCommand(slave_, frame_type::kGetEraseState, nullptr, 0, &answer, 1,
                                               timeout_ms::kGetEraseState);
    if (result == kResultSuccess) state = answer;
    return result;
}

uint8_t TransportBootLink::EraseRom(uint32_t timeoutMs) {
    return port_.DoSendCommand(slave_, frame_type::kEraseRom, nullptr, 0, nullptr, 0, timeoutMs);
}

uint8_t TransportBootLink::WriteFlash(uint32_t address, const uint16_t* words, std::size_t count) {
    count = std::min(count, std::size_t{64});
    uint8_t data[kWriteFlashDataSize] = {};
    PutU32(data, address);
    data[4] = static_cast<uint8_t>(count);
    for (std::size_t k = 0; k < count; ++k) PutU16(data + 5 + 2 * k, words[k]);
    return port_.DoSendCommand(slave_, frame_type::kWriteFlash, data, sizeof data, nullptr, 0,
                               timeout_ms::kWriteFlash);
}

uint8_t TransportBootLink::RebootToBootRom() {
    return port_.DoSendCommandNoResp(slave_, frame_type::kRebootToBootRom, nullptr, 0);
}

uint8_t TransportBootLink::RebootToRunRom() {
    return port_.DoSendCommandNoResp(slave_, frame_type::kRebootToRunRom, nullptr, 0);
}

}  // namespace tarsel::firmware
