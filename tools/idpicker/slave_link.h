// The three commands the slave-number tool sends, over one serial port.  An interface so that
// the dialog logic and the command line can be driven by tests with any line behind it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "comm/CRs232CB.h"
#include "comm/protocol.h"
#include "comm/slave_info.h"

namespace tarsel::idpicker {

constexpr uint8_t kChangeSlaveConstant = 4;

class SlaveLink {
public:
    virtual ~SlaveLink() = default;
    virtual bool Open(unsigned portNumber, uint32_t baudRate) = 0;
    // Why the last Open failed, in a sentence.
    virtual std::string OpenErrorText() const = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Result codes: 0 success, else the transport's or the drive's code.
    virtual uint8_t Probe(uint8_t slave) = 0;
    virtual uint8_t ReadIdentity(uint8_t slave, SlaveInfo& info) = 0;
    virtual uint8_t ChangeSlaveNumber(uint8_t slave, uint8_t newSlave) = 0;
};

// Answer time limits; tests shorten them.
struct SlaveLinkTimeouts {
    uint32_t probeMs = 100;
    uint32_t identityMs = 100;
    uint32_t changeMs = 2000;
};

// The serial link of this tool: no log, frame-form detection on every request.
class SerialSlaveLink : public SlaveLink {
public:
    explicit SerialSlaveLink(SlaveLinkTimeouts timeouts = {});

    bool Open(unsigned portNumber, uint32_t baudRate) override;
    std::string OpenErrorText() const override;
    void Close() override;
    bool IsOpen() const override;
    uint8_t Probe(uint8_t slave) override;
    uint8_t ReadIdentity(uint8_t slave, SlaveInfo& info) override;
    uint8_t ChangeSlaveNumber(uint8_t slave, uint8_t newSlave) override;

private:
    CRs232CB port_;
    SlaveLinkTimeouts timeouts_;
    std::string openError_;
};

}  // namespace tarsel::idpicker
