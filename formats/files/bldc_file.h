// The BLDC parameter file (.fbt): "Info"/"Model", then one section "Category%d" per category from
// 1 with "ParamCnt" and one key per parameter number ("1", "2", ...) holding the drive's stored
// integer value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ini/ini_file.h"

namespace tarsel::files {

inline constexpr std::string_view kBldcParamCountKey = "ParamCnt";

struct BldcFileCategory {
    uint32_t param_count = 0;                          // "ParamCnt"
    std::vector<std::pair<uint32_t, int32_t>> values;  // (parameter number, stored value), in order
};

std::string BldcCategorySection(uint32_t category);

// Writes the category sections in category order (the first entry is "Category1").
bool WriteBldcSections(ini::IniFile& file, const std::vector<BldcFileCategory>& categories);

// Writes a whole BLDC parameter file: "Info"/"Model" first, then the category sections; other
// sections and keys of an existing file stay.  The file is replaced in one step.
bool SaveBldcFile(const std::filesystem::path& path, std::string_view model_name,
                  const std::vector<BldcFileCategory>& categories);

// True when the file holds a non-empty "Category1" section (a file without it cannot be loaded).
bool HasBldcSections(const ini::IniFile& file);

// The values of one category (1-based) as the loader applies them: n = "ParamCnt" (default 0),
// at most board_count; the keys 1..n, each 0 when absent.  Empty for a missing section.
std::vector<std::pair<uint32_t, int32_t>> ReadBldcCategory(const ini::IniFile& file, uint32_t category,
                                                           uint32_t board_count);
// The same for a category whose parameters carry the key numbers `numbers`, in order (the
// metadata may skip numbers): the first n of them, n = "ParamCnt" but at most numbers.size().
// A parameter numbered beyond the count is thus read back as it was saved.
std::vector<std::pair<uint32_t, int32_t>> ReadBldcCategory(const ini::IniFile& file, uint32_t category,
                                                           const std::vector<uint32_t>& numbers);

}  // namespace tarsel::files
