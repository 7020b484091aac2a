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
    std::vector<uint32_t> numbers(board_count);
    for (uint32_t k = 0; k < board_count; ++k) numbers[k] = k + 1;
    return ReadBldcCategory(file, category, numbers);
}

std::vector<std::pair<uint32_t, int32_t>> ReadBldcCategory(const ini::IniFile& file, uint32_t category,
                                                           const std::vector<uint32_t>& numbers) {
    std::vector<std::pair<uint32_t, int32_t>> values;
    const std::string section = BldcCategorySection(category);
    if (!file.HasSection(section)) return values;
    const int32_t declared = file.GetInt(section, kBldcParamCountKey, 0);
    const std::size_t count =
        std::min(declared > 0 ? static_cast<std::size_t>(declared) : 0u, numbers.size());
    values.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        values.emplace_back(numbers[i], file.GetInt(section, std::to_string(numbers[i]), 0));
    return values;
}

}  // namespace tarsel::files
