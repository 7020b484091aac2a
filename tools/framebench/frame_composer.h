// The frame being composed on the bench: the bytes as entered (at most 256) and the transmit
// copy that is shown and written, with every 0xAA inside the frame doubled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarsel::framebench {

constexpr std::size_t kSendCapacity = 256;

enum class AppendResult {
    Ok,
    NoData,         // the entry is empty
    ConvertFailed,  // the entry is not a number (or not hex bytes)
    OutOfRange,     // the number does not fit the chosen width
    NoCrcData,      // fewer than two bytes to compute a CRC over
    BufferFull,     // the bytes would not fit into the send buffer; nothing was appended
};

class FrameComposer {
public:
    AppendResult AppendHeader();  // 0xAA 0xCC
    AppendResult AppendTail();    // 0xAA 0xEE
    // The slave edit's text: a decimal number of one byte (-128 to 255).
    AppendResult AppendSlave(const std::string& text);
    // A value of `width` 1, 2 or 4 bytes, least significant first.  "0x" starts an unsigned hex
    // number, anything else is a signed decimal number; at most 19 characters are read.
    AppendResult AppendData(const std::string& text, int width);
    // CRC of the bytes after the first two, low byte first.
    AppendResult AppendCrc();
    // Hex bytes as pasted: "AA CC 01", "0xAA,0xCC", "AACC01" ...; all or nothing.
    AppendResult AppendHex(const std::string& text);
    void Clear() { bytes_.clear(); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    // The bytes as written: every 0xAA is doubled unless the next byte is 0xCC or 0xEE (a header
    // or tail entered with its button stays as it is).
    std::vector<uint8_t> TransmitCopy() const;
    // "[0x%02X] " for each byte of the transmit copy.
    std::string TransmitText() const;

private:
    AppendResult Append(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> bytes_;
};

}  // namespace tarsel::framebench
