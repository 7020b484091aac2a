#include "formats/files/drive_file_header.h"

#include <system_error>

namespace tarsel::files {

std::string ReadFileModel(const ini::IniFile& file) {
    return file.GetString(kInfoSection, kModelKey, {}, kMaxModelChars);
}

bool ModelMatches(const ini::IniFile& file, std::string_view model_name) {
    return ini::NamesEqual(ReadFileModel(file), model_name);
}

bool ModelMatches(const std::filesystem::path& path, std::string_view model_name) {
    const auto file = ini::IniFile::Load(path);
    return file && ModelMatches(*file, model_name);
}

bool WriteFileModel(ini::IniFile& file, std::string_view model_name) {
    return file.SetString(kInfoSection, kModelKey, model_name);
}

std::optional<ini::IniFile> OpenForUpdate(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error) return std::nullopt;
        return ini::IniFile{};
    }
    return ini::IniFile::Load(path);
}

bool HasEntries(const ini::IniFile& file, std::string_view section) {
    return !file.SectionEntries(section).empty();
}

}  // namespace tarsel::files
