#include "comm/frame.h"

#include <cstring>

namespace tarsel {
namespace {

constexpr std::array<uint16_t, 256> MakeCrcTable() {
    std::array<uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
        table[i] = crc;
    }
    return table;
}

constexpr std::array<uint16_t, 256> kCrcTable = MakeCrcTable();

std::size_t AppendCrc(uint8_t* body, std::size_t length) {
    const uint16_t crc = CalcCRC(body, length);
    body[length] = static_cast<uint8_t>(crc);
    body[length + 1] = static_cast<uint8_t>(crc >> 8);
    return length + 2;
}

}  // namespace

uint16_t CalcCRC(const uint8_t* data, std::size_t length, uint16_t crc) {
    for (std::size_t i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ kCrcTable[(crc ^ data[i]) & 0xFF]);
    return crc;
}

std::size_t BuildRequestBody(FrameForm form, uint8_t slave, uint8_t sync, uint8_t frameType,
                             const uint8_t* data, std::size_t dataLength, uint8_t* body) {
    const std::size_t headerLength = form == FrameForm::Sequenced ? 3 : 2;
    if (headerLength + dataLength + 2 > kBodyBufferSize) return 0;
    std::size_t n = 0;
    body[n++] = slave;
    if (form == FrameForm::Sequenced) body[n++] = sync;
    body[n++] = frameType;
    if (dataLength > 0) std::memcpy(body + n, data, dataLength);
    return AppendCrc(body, n + dataLength);
}

std::size_t BuildResponseBody(FrameForm form, uint8_t slave, uint8_t sync, uint8_t frameType, uint8_t status,
                              const uint8_t* data, std::size_t dataLength, uint8_t* body) {
    const std::size_t headerLength = form == FrameForm::Sequenced ? 4 : 3;
    if (headerLength + dataLength + 2 > kBodyBufferSize) return 0;
    std::size_t n = 0;
    body[n++] = slave;
    if (form == FrameForm::Sequenced) body[n++] = sync;
    body[n++] = frameType;
    body[n++] = status;
    if (dataLength > 0) std::memcpy(body + n, data, dataLength);
    return AppendCrc(body, n + dataLength);
}

std::size_t StuffFrame(const uint8_t* body, std::size_t bodyLength, uint8_t* wire, std::size_t wireCapacity) {
    std::size_t needed = bodyLength + 4;
    for (std::size_t i = 0; i < bodyLength; ++i) needed += body[i] == kFrameEscape;
    if (needed > wireCapacity) return 0;
    std::size_t n = 0;
    wire[n++] = kFrameEscape;
    wire[n++] = kFrameHeader;
    for (std::size_t i = 0; i < bodyLength; ++i) {
        wire[n++] = body[i];
        if (body[i] == kFrameEscape) wire[n++] = kFrameEscape;
    }
    wire[n++] = kFrameEscape;
    wire[n++] = kFrameTail;
    return n;
}

uint8_t SyncCounters::Next(uint8_t slave) {
    if (slave == kBroadcastSlave) return NextBroadcast();
    if (slave > kMaxAddressedSlave) return 0;
    return ++counters_[slave];
}

uint8_t SyncCounters::NextBroadcast() {
    uint8_t candidate = static_cast<uint8_t>(counters_[0] + 1);
    for (std::size_t s = 0; s <= kMaxAddressedSlave; ++s) {
        if (candidate == counters_[s]) ++candidate;
    }
    for (std::size_t s = 0; s <= kMaxAddressedSlave; ++s) counters_[s] = candidate;
    return candidate;
}

void FrameReceiver::Reset() {
    count_ = 0;
    state_ = State::WaitHeader;
    clearPending_ = false;
}

void FrameReceiver::Store(uint8_t byte) {
    if (count_ < buffer_.size()) buffer_[count_++] = byte;
}

void FrameReceiver::ClearIfPending() {
    if (clearPending_) {
        count_ = 0;
        clearPending_ = false;
    }
}

FrameReceiver::Event FrameReceiver::Feed(uint8_t byte) {
    ClearIfPending();
    if (count_ >= buffer_.size()) return Event::Overflow;

    switch (state_) {
        case State::WaitHeader:
            if (byte == kFrameEscape) {
                state_ = State::AfterHeaderEscape;
            } else {
                Store(byte);
            }
            return Event::None;

        case State::AfterHeaderEscape:
            if (byte == kFrameEscape) {
                // Outside a frame a doubled 0xAA means nothing; the first one is a stray byte
                // and the second may still start a header, so one stray 0xAA before an answer
                // does not cost the answer.
                Store(kFrameEscape);
                return Event::None;
            }
            if (byte == kFrameHeader) {
                state_ = State::Body;
                if (count_ > 0) {
                    clearPending_ = true;
                    return Event::UnknownBytes;
                }
                return Event::None;
            }
            Store(kFrameEscape);
            Store(byte);
            state_ = State::WaitHeader;
            clearPending_ = true;
            return Event::HeaderFailed;

        case State::Body:
            if (byte == kFrameEscape) {
                state_ = State::AfterBodyEscape;
            } else {
                Store(byte);
            }
            return Event::None;

        case State::AfterBodyEscape:
            if (byte == kFrameEscape) {
                Store(kFrameEscape);
                state_ = State::Body;
                return Event::None;
            }
            if (byte == kFrameHeader) {
                Store(kFrameEscape);
                Store(kFrameHeader);
                state_ = State::Body;
                clearPending_ = true;
                return Event::DataCanceled;
            }
            if (byte == kFrameTail) {
                state_ = State::WaitHeader;
                clearPending_ = true;  // the frame stays readable until the next byte
                return CalcCRC(buffer_.data(), count_) == 0 ? Event::Complete : Event::CrcFailed;
            }
            return Event::None;  // dropped; still waiting for the second byte of the pair
    }
    return Event::None;
}

}  // namespace tarsel
