#include "tools/firmloader/core/hex_reader.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <iterator>

namespace tarsel::firmware {
namespace {

constexpr std::size_t kMinRecordChars = 10;  // ":LLAAAATT" and at least one more character

// Reads `digits` hex digits at `pos`; characters beyond the end of the text count as 0.
uint32_t HexField(std::string_view text, std::size_t pos, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const std::size_t at = pos + static_cast<std::size_t>(i);
        value = (value << 4) | (at < text.size() ? HexDigitValue(text[at]) : 0u);
    }
    return value;
}

}  // namespace

uint8_t HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

std::vector<HexRecord> ParseHexRecords(std::string_view text) {
    std::vector<HexRecord> records;
    std::size_t pos = 0;
    std::size_t line = 1;
    std::size_t lineCountedTo = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find(':', pos);
        if (start == std::string_view::npos || text.size() - start < kMinRecordChars) break;
        line += static_cast<std::size_t>(std::count(text.begin() + static_cast<long>(lineCountedTo),
                                                    text.begin() + static_cast<long>(start), '\n'));
        lineCountedTo = start;

        HexRecord record;
        record.byteCount = static_cast<uint8_t>(HexField(text, start + 1, 2));
        record.address = static_cast<uint16_t>(HexField(text, start + 3, 4));
        record.type = static_cast<uint8_t>(HexField(text, start + 7, 2));
        record.line = line;
        record.data.resize(record.byteCount);
        for (std::size_t k = 0; k < record.byteCount; ++k)
            record.data[k] = static_cast<uint8_t>(HexField(text, start + 9 + 2 * k, 2));
        record.upperAddress = static_cast<uint16_t>(HexField(text, start + 9, 4));
        const std::size_t next = start + 11 + 2 * static_cast<std::size_t>(record.byteCount);
        record.truncated = next > text.size();
        records.push_back(std::move(record));
        pos = next;
    }
    return records;
}

std::vector<HexRecord> ReadHexFile(const std::string& path, bool* readable) {
    if (readable) *readable = false;
    // The stream library reports some read failures (a folder opened as a file) by throwing;
    // the reader never does: such a file is unreadable.
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return {};
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return {};
        if (readable) *readable = true;
        return ParseHexRecords(text);
    } catch (const std::exception&) {
        if (readable) *readable = false;
        return {};
    }
}

}  // namespace tarsel::firmware
