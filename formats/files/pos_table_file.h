// The position table file (.txt): "Info"/"Model", then section "PosTable" with one key per item
// number holding the item's 17 fields: the command first, then position, low speed, high speed,
// accel, decel, wait time, continuous, jump item, JPT 0..2 jumps, loop count, loop jump, PT set,
// loop count clear, check in-position; each number after the first preceded by a tab and a blank.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini/ini_file.h"

namespace tarsel::files {

inline constexpr std::string_view kPosTableSection = "PosTable";
inline constexpr std::size_t kPosTableItemSize = 64;
inline constexpr std::size_t kPosTableCommandOffset = 16;
inline constexpr uint16_t kEmptyItemCommand = 10;  // a command of 10 or more marks an empty item

// One 64-byte item as the drive stores it (little-endian fields in the first 40 bytes).
using PosTableRecord = std::array<uint8_t, kPosTableItemSize>;

uint16_t PosTableCommand(const PosTableRecord& item);

// The file line of an item.
std::string FormatPosTableLine(const PosTableRecord& item);

// An item from a file line: all bytes 0xFF, then the 17 numbers (split at blanks, tabs, carriage
// returns and line feeds; decimal; the command and 16-bit fields keep their low 16 bits).  Numbers
// the line lacks are read as 0; the result tells whether all 17 were there.
bool ParsePosTableLine(std::string_view line, PosTableRecord& item);

// Writes a new position table file, replacing any content the file had: "Info"/"Model", then one
// line per item whose command is below 10, keyed by the item's index.
bool SavePosTableFile(const std::filesystem::path& path, std::string_view model_name,
                      const std::vector<PosTableRecord>& items);

// The item with this number from the file, none when its key is absent.
std::optional<PosTableRecord> ReadPosTableItem(const ini::IniFile& file, uint32_t item_number);

}  // namespace tarsel::files
