// Reading the bytes that came back: integer values at a grid cell, and the answer taken apart
// as a frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "comm/frame.h"

namespace tarsel::framebench {

constexpr int kGridColumns = 10;
constexpr int kGridCells = 89;  // cells 0..88 show received bytes

// The values box: the bytes at cells k..k+3 (empty cells count as 0) as integers.
struct CellValues {
    std::string byteValue;   // BYTE: cell k unsigned
    std::string wordValue;   // WORD: k, k+1 unsigned, k the low byte
    std::string dwordValue;  // DWORD: k..k+3 unsigned, least significant first
    std::string charValue;   // CHAR: cell k signed, "%d(%c)" when printable
    std::string shortValue;  // SHORT: signed 16 bits
    std::string longValue;   // LONG: signed 32 bits
};

// `shown` holds the bytes of the grid (at most kGridCells are used).
CellValues ValuesAt(const std::vector<uint8_t>& shown, int cell);

// The first frame found in the received bytes.
struct DecodedAnswer {
    enum class Kind { NoHeader, Incomplete, TooShort, Frame };
    Kind kind = Kind::NoHeader;
    FrameForm form = FrameForm::Sequenced;
    std::size_t strayBytes = 0;  // bytes before the header
    std::vector<uint8_t> body;   // unstuffed, slave number through CRC
    bool crcGood = false;
    uint8_t slave = 0;
    uint8_t sync = 0;
    uint8_t frameType = 0;
    uint8_t status = 0;
    std::vector<uint8_t> data;
};

// `request` is the send buffer, used to tell the two frame forms apart: an answer whose sync
// and frame type bytes echo the request's is sequenced, one that echoes the legacy layout is
// legacy; otherwise the length decides (6 bytes or more: sequenced).
DecodedAnswer DecodeAnswer(const std::vector<uint8_t>& received, const std::vector<uint8_t>& request);

}  // namespace tarsel::framebench
