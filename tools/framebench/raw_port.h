// The port layer the bench uses: open, close, write bytes as they are, read one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "comm/CRs232CB.h"

namespace tarsel::framebench {

class RawPort {
public:
    virtual ~RawPort() = default;
    virtual bool Open(unsigned portNumber, uint32_t baudRate) = 0;
    virtual std::string OpenErrorText() const = 0;
    virtual void Close() = 0;
    virtual bool Write(const uint8_t* data, std::size_t length) = 0;
    // False when no byte arrived within about a millisecond or the read failed.
    virtual bool ReadOne(uint8_t& byte) = 0;
};

// The serial link in its bench configuration (port layer only, no log).
class SerialRawPort : public RawPort {
public:
    SerialRawPort() : port_(TransportConfig::FrameBench()) {}
    bool Open(unsigned portNumber, uint32_t baudRate) override;
    std::string OpenErrorText() const override { return openError_; }
    void Close() override { port_.ClosePort(); }
    bool Write(const uint8_t* data, std::size_t length) override { return port_.WriteRaw(data, length); }
    bool ReadOne(uint8_t& byte) override { return port_.ReadCommOneByte(byte); }

private:
    CRs232CB port_;
    std::string openError_;
};

}  // namespace tarsel::framebench
