#include "formats/files/pos_table_file.h"

#include <cstdio>
#include <cstring>

#include "formats/files/drive_file_header.h"

namespace tarsel::files {
namespace {

constexpr std::size_t kMaxLineChars = 1024;
constexpr std::size_t kFieldCount = 17;

// Field layout in file order: offset and width (the command is the first field of a line).
struct FieldSlot {
    std::size_t offset;
    std::size_t width;
};
constexpr std::array<FieldSlot, kFieldCount> kFileOrder = {{
    {16, 2},  // command
    {0, 4},
    {4, 4},
    {8, 4},  // position, low speed, high speed
    {12, 2},
    {14, 2},  // accel, decel
    {18, 2},
    {20, 2},
    {22, 2},  // wait time, continuous, jump item
    {24, 2},
    {26, 2},
    {28, 2},  // JPT 0..2 jumps
    {30, 2},
    {32, 2},
    {34, 2},
    {36, 2},
    {38, 2},  // loop count, loop jump, PT set, loop clear, inpos
}};

uint32_t ReadLittle(const PosTableRecord& item, FieldSlot slot) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < slot.width; ++i)
        value |= static_cast<uint32_t>(item[slot.offset + i]) << (8 * i);
    return value;
}

void WriteLittle(PosTableRecord& item, FieldSlot slot, uint32_t value) {
    for (std::size_t i = 0; i < slot.width; ++i)
        item[slot.offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A decimal number as the C conversion reads it, wrapped to 32 bits.
uint32_t ParseNumber(std::string_view token) {
    bool negative = false;
    std::size_t pos = 0;
    if (pos < token.size() && (token[pos] == '+' || token[pos] == '-')) {
        negative = token[pos] == '-';
        ++pos;
    }
    uint64_t value = 0;
    for (; pos < token.size() && token[pos] >= '0' && token[pos] <= '9'; ++pos) {
        value = value * 10 + static_cast<uint64_t>(token[pos] - '0');
        if (value > UINT32_MAX) value = UINT32_MAX;  // saturates like the C conversion, then wraps below
    }
    const uint32_t magnitude = static_cast<uint32_t>(value);
    return negative ? 0u - magnitude : magnitude;
}

}  // namespace

uint16_t PosTableCommand(const PosTableRecord& item) {
    return static_cast<uint16_t>(ReadLittle(item, kFileOrder[0]));
}

std::string FormatPosTableLine(const PosTableRecord& item) {
    std::string line;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const uint32_t raw = ReadLittle(item, kFileOrder[i]);
        if (i > 0) line += "\t ";
        line += i == 1 ? std::to_string(static_cast<int32_t>(raw)) : std::to_string(raw);
    }
    return line;
}

bool ParsePosTableLine(std::string_view line, PosTableRecord& item) {
    item.fill(0xFF);
    constexpr std::string_view kSeparators = " \t\r\n";
    std::size_t field = 0;
    std::size_t pos = 0;
    while (field < kFieldCount) {
        const auto start = line.find_first_not_of(kSeparators, pos);
        if (start == std::string_view::npos) break;
        auto end = line.find_first_of(kSeparators, start);
        if (end == std::string_view::npos) end = line.size();
        WriteLittle(item, kFileOrder[field], ParseNumber(line.substr(start, end - start)));
        ++field;
        pos = end;
    }
    const bool complete = field == kFieldCount;
    for (; field < kFieldCount; ++field) WriteLittle(item, kFileOrder[field], 0);
    return complete;
}

bool SavePosTableFile(const std::filesystem::path& path, std::string_view model_name,
                      const std::vector<PosTableRecord>& items) {
    ini::IniFile file;  // the file's former content is dropped
    if (!WriteFileModel(file, model_name)) return false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (PosTableCommand(items[i]) >= kEmptyItemCommand) continue;
        if (!file.SetString(kPosTableSection, std::to_string(i), FormatPosTableLine(items[i]))) return false;
    }
    return file.Save(path);
}

std::optional<PosTableRecord> ReadPosTableItem(const ini::IniFile& file, uint32_t item_number) {
    const auto line = file.Find(kPosTableSection, std::to_string(item_number));
    if (!line) return std::nullopt;
    PosTableRecord item{};
    ParsePosTableLine(ini::Utf8Truncate(*line, kMaxLineChars), item);
    return item;
}

}  // namespace tarsel::files
