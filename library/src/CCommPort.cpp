#include "library/src/CCommPort.h"

#include <algorithm>

#include "comm/result_codes.h"

namespace tarsel::lib {
namespace {

constexpr uint16_t kSupportedMajorVersion = 8;

}  // namespace

CCommPort::CCommPort() : CCommInterface(TransportConfig::Library()) {}

CCommPort::~CCommPort() = default;

void CCommPort::ScanSlaves() {
    for (uint8_t slave = 0; slave < kSlavesPerPort; ++slave) {
        SlaveInfo info;
        if (DoCmdGetSlaveInfo(slave, &info) != kResultSuccess) continue;
        if (info.firmwareType != 0) continue;
        if (info.version[0] != kSupportedMajorVersion) continue;
        RegisterSlave(slave, static_cast<uint8_t>(info.type & 0xFF));
    }
}

void CCommPort::RegisterSlave(uint8_t slave, uint8_t type) {
    if (slave >= kSlavesPerPort || type == 0) return;
    std::lock_guard<std::mutex> lock(slaveMutex_);
    if (slaveTypes_[slave] != 0) return;
    slaveTypes_[slave] = type;
    ++slaveCount_;
}

void CCommPort::ForgetSlaves() {
    RestoreSlaves(SlaveTable{});
}

CCommPort::SlaveTable CCommPort::Slaves() const {
    std::lock_guard<std::mutex> lock(slaveMutex_);
    return slaveTypes_;
}

void CCommPort::RestoreSlaves(const SlaveTable& types) {
    std::lock_guard<std::mutex> lock(slaveMutex_);
    slaveTypes_ = types;
    slaveCount_ =
        static_cast<uint8_t>(std::count_if(types.begin(), types.end(), [](uint8_t t) { return t != 0; }));
}

bool CCommPort::SlaveExists(uint8_t slave) const {
    return SlaveType(slave) != 0;
}

uint8_t CCommPort::SlaveType(uint8_t slave) const {
    if (slave >= kSlavesPerPort) return 0;
    std::lock_guard<std::mutex> lock(slaveMutex_);
    return slaveTypes_[slave];
}

uint8_t CCommPort::SlaveCount() const {
    std::lock_guard<std::mutex> lock(slaveMutex_);
    return slaveCount_;
}

}  // namespace tarsel::lib
