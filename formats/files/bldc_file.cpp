#include "formats/files/bldc_file.h"

#include <algorithm>

#include "formats/files/drive_file_header.h"

namespace tarsel::files {

std::string BldcCategorySection(uint32_t category) {
    return "Category" + std::to_string(category);
}

bool WriteBldcSections(ini::IniFile& file, const std::vector<BldcFileCategory>& categories) {
    for (std::size_t c = 0; c < categories.size(); ++c) {
        const std::string section = BldcCategorySection(static_cast<uint32_t>(c + 1));
        if (!file.SetInt(section, kBldcParamCountKey, categories[c].param_count)) return false;
        for (const auto& [number, value] : categories[c].values) {
            if (!file.SetInt(section, std::to_string(number), value)) return false;
        }
    }
    return true;
}

bool SaveBldcFile(const std::filesystem::path& path, std::string_view model_name,
                  const std::vector<BldcFileCategory>& categories) {
    auto file = OpenForUpdate(path);
    if (!file) return false;
    return WriteFileModel(*file, model_name) && WriteBldcSections(*file, categories) && file->Save(path);
}

bool HasBldcSections(const ini::IniFile& file) {
    return HasEntries(file, BldcCategorySection(1));
}

std::vector<std::pair<uint32_t, int32_t>> ReadBldcCategory(const ini::IniFile& file, uint32_t category,
                                                           uint32_t board_count) {
    std::vector<std::pair<uint32_t, int32_t>> values;
    const std::string section = BldcCategorySection(category);
    if (!file.HasSection(section)) return values;
    const int32_t declared = file.GetInt(section, kBldcParamCountKey, 0);
    const uint32_t count = std::min(declared > 0 ? static_cast<uint32_t>(declared) : 0u, board_count);
    values.reserve(count);
    for (uint32_t k = 1; k <= count; ++k) values.emplace_back(k, file.GetInt(section, std::to_string(k), 0));
    return values;
}

}  // namespace tarsel::files
