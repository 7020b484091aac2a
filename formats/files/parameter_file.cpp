#include "formats/files/parameter_file.h"

#include <algorithm>
#include <string>

#include "formats/files/drive_file_header.h"

namespace tarsel::files {

bool WriteParameterSection(ini::IniFile& file, const std::vector<int32_t>& values) {
    if (!file.SetInt(kParameterSection, kParamCountKey, static_cast<int64_t>(values.size()))) return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!file.SetInt(kParameterSection, std::to_string(i), values[i])) return false;
    }
    return true;
}

bool SaveParameterFile(const std::filesystem::path& path, std::string_view model_name,
                       const std::vector<int32_t>& values) {
    auto file = OpenForUpdate(path);
    if (!file) return false;
    return WriteFileModel(*file, model_name) && WriteParameterSection(*file, values) && file->Save(path);
}

std::optional<ParameterFileValues> ReadParameterSection(const ini::IniFile& file, uint32_t parameter_count) {
    if (!HasEntries(file, kParameterSection)) return std::nullopt;
    ParameterFileValues result;
    const int32_t board_count = static_cast<int32_t>(std::min<uint32_t>(parameter_count, INT32_MAX));
    result.progress_range =
        std::clamp(file.GetInt(kParameterSection, kParamCountKey, board_count), 0, board_count);
    result.values.reserve(parameter_count);
    for (uint32_t i = 0; i < parameter_count; ++i) {
        result.values.push_back(file.GetInt(kParameterSection, std::to_string(i), 0));
    }
    return result;
}

}  // namespace tarsel::files
