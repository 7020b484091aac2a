// Small text helpers for drivesim's descriptions (drive and fault specs) and for reading its INI
// files (line files, state files) through the project's INI module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::sim {

std::string Trim(std::string_view text);
std::string ToLower(std::string text);
// Tokens separated by any of `separators`; runs of separators count as one.
std::vector<std::string> SplitTokens(const std::string& text, const std::string& separators);

// drivesim's INI files also take lines starting with '#' as comments; the INI module reads such a
// line as a key, which the callers skip with this test.
bool IsCommentedOut(std::string_view key);

// The integer of an INI value as the integer profile read takes it, or none when the value does
// not start with a number (then drivesim keeps its default, as it always did).
std::optional<int32_t> LeadingNumber(std::string_view value);

}  // namespace tarsel::sim
