// The boot-ROM commands one drive understands, as the update procedure uses them.  `BootLink`
// is what the procedure talks to; `TransportBootLink` sends the frames through the serial
// transport (which detects the frame form on every request in this program's configuration).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "comm/protocol.h"

namespace tarsel {
class CRs232CB;
}

namespace tarsel::firmware {

namespace timeout_ms {
constexpr uint32_t kSlaveInfo = 100;
constexpr uint32_t kPresenceProbe = 100;
constexpr uint32_t kGetEraseState = 500;
constexpr uint32_t kGetRomType = 100;
constexpr uint32_t kEraseRom = 80000;
constexpr uint32_t kWriteFlash = 1000;
}  // namespace timeout_ms

constexpr std::size_t kWriteFlashDataSize = 133;  // u32 address, u8 count, 64 words

// The fields of the slave information record the writer shows and records.
struct DriveIdentity {
    std::array<uint16_t, 4> version{};
    std::string name;
    uint16_t typeCode = 0;
};

// "%s ver %d.%d.%d.%d": the text recorded in the update history.
std::string HistoryText(const DriveIdentity& identity);

class BootLink {
public:
    virtual ~BootLink() = default;
    // All return the transaction's result code (0 success); outputs are written on success only.
    virtual uint8_t GetSlaveInfo(DriveIdentity& identity) = 0;
    virtual uint8_t PresenceProbe() = 0;
    virtual uint8_t GetRomType(uint8_t& type) = 0;      // 0 boot ROM, otherwise run ROM
    virtual uint8_t GetEraseState(uint8_t& state) = 0;  // 1 erased
    virtual uint8_t EraseRom(uint32_t timeoutMs) = 0;
    virtual uint8_t WriteFlash(uint32_t address, const uint16_t* words, std::size_t count) = 0;
    // Sent without waiting for an answer (the drive restarts instead).
    virtual uint8_t RebootToBootRom() = 0;
    virtual uint8_t RebootToRunRom() = 0;
};

class TransportBootLink : public BootLink {
public:
    TransportBootLink(CRs232CB& port, uint8_t slave) : port_(port), slave_(slave) {}

    uint8_t GetSlaveInfo(DriveIdentity& identity) override;
    uint8_t PresenceProbe() override;
    uint8_t GetRomType(uint8_t& type) override;
    uint8_t GetEraseState(uint8_t& state) override;
    uint8_t EraseRom(uint32_t timeoutMs) override;
    uint8_t WriteFlash(uint32_t address, const uint16_t* words, std::size_t count) override;
    uint8_t RebootToBootRom() override;
    uint8_t RebootToRunRom() override;

private:
    CRs232CB& port_;
    const uint8_t slave_;
};

}  // namespace tarsel::firmware
