// Small text helpers shared by the tools: "%1"-style argument substitution (translated texts
// keep their arguments in any order) and number formatting.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace tarsel::tools {

// Replaces %1 ... %9 in `pattern` by the arguments; other '%' characters stay as they are.
std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args);

// "0x%02X"-style text of a byte.
std::string HexByte(uint8_t value);

}  // namespace tarsel::tools
