// Reader of the image files: plain text in the Intel HEX record layout.
//
// Records are found by their ":" anywhere in the text (line ends do not matter, two records may
// share a line).  Hex digits may be upper or lower case; any other character in a digit position
// counts as 0.  The checksum is not checked.  After a record the reader continues at the
// record's start + 11 + 2 x count, exactly where the next record would begin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/firmloader/core/image_problem.h"

namespace tarsel::firmware {

namespace record_type {
constexpr uint8_t kData = 0x00;
constexpr uint8_t kEndOfFile = 0x01;
constexpr uint8_t kExtendedSegment = 0x02;  // read like an extended linear address
constexpr uint8_t kExtendedLinear = 0x04;
}  // namespace record_type

struct HexRecord {
    uint8_t byteCount = 0;      // LL
    uint16_t address = 0;       // AAAA
    uint8_t type = 0;           // TT
    std::vector<uint8_t> data;  // LL bytes (missing characters at the end of the text read as 0)
    std::size_t line = 1;       // line of the ":" (1-based), for messages
    bool truncated = false;     // the text ends before the record's data and checksum
    // Extended address records: the 4-digit value after TT, bits 16 to 31 of the addresses of
    // the data records that follow.
    uint16_t upperAddress = 0;

    bool IsExtendedAddress() const {
        return type == record_type::kExtendedSegment || type == record_type::kExtendedLinear;
    }
};

// Value of one hex digit; any other character is 0.
uint8_t HexDigitValue(char c);

std::vector<HexRecord> ParseHexRecords(std::string_view text);

// Image files larger than this are refused (hex text of far more flash than any drive holds).
constexpr std::size_t kMaxImageFileBytes = 64u << 20;

// Reads a whole image file.  Only a regular file of at most kMaxImageFileBytes is read: a FIFO
// would block for ever and a device may never end.  False with the reason in `problem`.
bool ReadImageText(const std::string& path, std::string& text, ImageProblem& problem);

// Reads a whole file.  An empty or unreadable file yields no records; `readable` tells which.
std::vector<HexRecord> ReadHexFile(const std::string& path, bool* readable = nullptr);

}  // namespace tarsel::firmware
