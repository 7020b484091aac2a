// Wire format shared by the host transport and the drive simulator: CRC, body layout, byte
// stuffing, per-slave sync numbers and the byte-by-byte frame receiver.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/protocol.h"

namespace tarsel {

constexpr uint8_t kFrameEscape = 0xAA;
constexpr uint8_t kFrameHeader = 0xCC;
constexpr uint8_t kFrameTail = 0xEE;

constexpr std::size_t kSlaveNumberCount = 99;  // 0..98 have counters; only 0..15 are used

constexpr std::size_t kBodyBufferSize = 256;  // unstuffed request body
constexpr std::size_t kWireBufferSize = 512;  // header, stuffed body, tail
constexpr std::size_t kRecvBufferSize = 256;  // unstuffed body bytes kept by the receiver

constexpr std::size_t kSequencedMinResponse = 6;  // slave, sync, type, status, CRC
constexpr std::size_t kLegacyMinResponse = 5;     // slave, type, status, CRC

enum class FrameForm : uint8_t { Sequenced, Legacy };

// CRC-16/MODBUS (reflected 0xA001, init 0xFFFF, no final XOR), table driven.
uint16_t CalcCRC(const uint8_t* data, std::size_t length, uint16_t crc = 0xFFFF);

// Writes the unstuffed body (slave, [sync,] type, data, CRC low byte first) into `body`,
// which holds kBodyBufferSize bytes.  Returns the body length, or 0 when it would not fit.
std::size_t BuildRequestBody(FrameForm form, uint8_t slave, uint8_t sync, uint8_t frameType,
                             const uint8_t* data, std::size_t dataLength, uint8_t* body);

// Same layout for a drive's answer: slave, [sync,] type, status, data, CRC.
std::size_t BuildResponseBody(FrameForm form, uint8_t slave, uint8_t sync, uint8_t frameType, uint8_t status,
                              const uint8_t* data, std::size_t dataLength, uint8_t* body);

// Frames an unstuffed body: header, body with every 0xAA doubled, tail.  `wire` holds
// kWireBufferSize bytes.  Returns the wire length, or 0 when it would not fit.
std::size_t StuffFrame(const uint8_t* body, std::size_t bodyLength, uint8_t* wire,
                       std::size_t wireCapacity = kWireBufferSize);

// Per-slave sync numbers of one open port.
class SyncCounters {
public:
    static constexpr uint8_t kInitial = 0xF0;

    SyncCounters() { Reset(); }
    void Reset() { counters_.fill(kInitial); }

    // Sync number for the next request to `slave`: incremented counter for 0..15, 0 for other
    // addressed slaves, the common value of all counters for the broadcast number.
    uint8_t Next(uint8_t slave);

    uint8_t Get(uint8_t slave) const { return slave < counters_.size() ? counters_[slave] : 0; }
    void Set(uint8_t slave, uint8_t value) {
        if (slave < counters_.size()) counters_[slave] = value;
    }

private:
    uint8_t NextBroadcast();
    std::array<uint8_t, kSlaveNumberCount> counters_{};
};

// Receives one frame byte by byte.  Bytes are unstuffed into a 256-byte buffer that is never
// written beyond its end.  Events that a caller may want to log and dump leave the buffer as it
// was at that moment; the buffer is emptied when the next byte is fed.
class FrameReceiver {
public:
    enum class State : uint8_t { WaitHeader = 0, AfterHeaderEscape = 1, Body = 2, AfterBodyEscape = 3 };

    enum class Event : uint8_t {
        None,          // byte consumed, nothing to report
        UnknownBytes,  // a header arrived after stray bytes; the buffer holds the stray bytes
        HeaderFailed,  // 0xAA followed by a byte other than 0xAA or 0xCC outside a frame
        DataCanceled,  // a header inside a frame; buffer holds the cancelled bytes + AA CC
        CrcFailed,     // tail reached, CRC over the body is not zero
        Complete,      // tail reached, CRC good; Data()/EventCount() hold the body incl. CRC
        Overflow,      // a byte arrived while the buffer already held 256 bytes
    };

    void Reset();
    Event Feed(uint8_t byte);

    State GetState() const { return state_; }
    // Bytes of the frame being received (0 once an event's bytes are due to be discarded).
    std::size_t Count() const { return clearPending_ ? 0 : count_; }
    // Bytes as they stood at the last event (the frame of Complete, the bytes to dump).
    std::size_t EventCount() const { return count_; }
    const uint8_t* Data() const { return buffer_.data(); }

private:
    void Store(uint8_t byte);
    void ClearIfPending();

    std::array<uint8_t, kRecvBufferSize> buffer_{};
    std::size_t count_ = 0;
    State state_ = State::WaitHeader;
    bool clearPending_ = false;
};

inline void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t GetU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t GetS32(const uint8_t* p) {
    return static_cast<int32_t>(GetU32(p));
}

}  // namespace tarsel
