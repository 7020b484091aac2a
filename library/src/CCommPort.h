// The library's port object: the command layer of one open port plus the table of slaves found
// on it when it was connected.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>

#include "comm/CCommInterface.h"

namespace tarsel::lib {

constexpr uint8_t kSlavesPerPort = 16;

class CCommPort : public CCommInterface {
public:
    CCommPort();
    ~CCommPort() override;

    // Asks slaves 0..15 for their information record (100 ms, reduced retries) and registers
    // every slave with firmware type 0 and major version 8 under the low byte of its type.
    void ScanSlaves();

    // Registers `type` for `slave` unless the slave has a type already.  A type 0 registers
    // nothing.
    void RegisterSlave(uint8_t slave, uint8_t type);
    using SlaveTable = std::array<uint8_t, kSlavesPerPort>;
    // Empties the slave table (before a fresh scan); a table taken before can be put back.
    void ForgetSlaves();
    SlaveTable Slaves() const;
    void RestoreSlaves(const SlaveTable& types);
    bool SlaveExists(uint8_t slave) const;
    uint8_t SlaveType(uint8_t slave) const;
    uint8_t SlaveCount() const;

private:
    mutable std::mutex slaveMutex_;  // guards the two fields below
    std::array<uint8_t, kSlavesPerPort> slaveTypes_{};
    uint8_t slaveCount_ = 0;
};

}  // namespace tarsel::lib
