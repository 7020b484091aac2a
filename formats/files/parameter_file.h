// The parameter file (.fpt): "Info"/"Model", then section "Parameter" with "ParamCnt" and one key
// per parameter number ("0", "1", ...) holding the signed decimal value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/ini/ini_file.h"

namespace tarsel::files {

inline constexpr std::string_view kParameterSection = "Parameter";
inline constexpr std::string_view kParamCountKey = "ParamCnt";

// Writes "ParamCnt" and the keys 0 .. count-1 (existing keys are replaced in place).
bool WriteParameterSection(ini::IniFile& file, const std::vector<int32_t>& values);

// Writes a whole parameter file: "Info"/"Model" first, then the "Parameter" section.  Other sections
// and keys of an existing file stay.  The file is replaced in one step.
bool SaveParameterFile(const std::filesystem::path& path, std::string_view model_name,
                       const std::vector<int32_t>& values);

struct ParameterFileValues {
    int progress_range = 0;       // "ParamCnt" (default: the board's count), at most the board's count
    std::vector<int32_t> values;  // one per board parameter; 0 where the key is absent
};

// Reads the values of the board's parameter_count parameters; none when the "Parameter" section
// is missing or empty.
std::optional<ParameterFileValues> ReadParameterSection(const ini::IniFile& file, uint32_t parameter_count);

}  // namespace tarsel::files
