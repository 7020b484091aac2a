#include "tools/idpicker/slave_link.h"

#include <array>

#include "comm/result_codes.h"

namespace tarsel::idpicker {

SerialSlaveLink::SerialSlaveLink(SlaveLinkTimeouts timeouts)
    : port_(TransportConfig::SlaveIdTool()), timeouts_(timeouts) {}

bool SerialSlaveLink::Open(unsigned portNumber, uint32_t baudRate) {
    openError_.clear();
    if (portNumber > 255) {
        port_.ClosePort();
        openError_ = "There is no port COM" + std::to_string(portNumber) + ".";
        return false;
    }
    if (port_.OpenPort(static_cast<uint8_t>(portNumber), baudRate)) return true;
    openError_ = port_.LastOpenErrorText();
    return false;
}

std::string SerialSlaveLink::OpenErrorText() const {
    return openError_;
}

void SerialSlaveLink::Close() {
    port_.ClosePort();
}

bool SerialSlaveLink::IsOpen() const {
    return port_.IsOpen();
}

uint8_t SerialSlaveLink::Probe(uint8_t slave) {
    std::array<uint8_t, 4> position{};
    return port_.DoSendCommand(slave, frame_type::kPresenceProbe, nullptr, 0, position.data(),
                               position.size(), timeouts_.probeMs);
}

uint8_t SerialSlaveLink::ReadIdentity(uint8_t slave, SlaveInfo& info) {
    std::array<uint8_t, kSlaveInfoSize> record{};
    const uint8_t result = port_.DoSendCommand(slave, frame_type::kSlaveInfo, nullptr, 0, record.data(),
                                               record.size(), timeouts_.identityMs, true);
    if (result != kResultSuccess) return result;
    if (!port_.IsLegacyForm()) {
        info = SlaveInfo::Decode(record.data());
        return kResultSuccess;
    }
    // The legacy form answers with a text that must be converted.
    return ConvertLegacySlaveInfo(record.data(), record.size(), info) ? kResultSuccess : kResultPacketError;
}

uint8_t SerialSlaveLink::ChangeSlaveNumber(uint8_t slave, uint8_t newSlave) {
    const std::array<uint8_t, 2> data{newSlave, kChangeSlaveConstant};
    return port_.DoSendCommand(slave, frame_type::kChangeSlave, data.data(), data.size(), nullptr, 0,
                               timeouts_.changeMs);
}

}  // namespace tarsel::idpicker
