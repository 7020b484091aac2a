#include "base/ini/profile.h"

#include <mutex>
#include <optional>
#include <system_error>

#include "base/ini/ini_file.h"

namespace tarsel::ini {
namespace {

std::mutex& ProfileMutex() {
    static std::mutex mutex;
    return mutex;
}

IniFile LoadOrEmpty(const std::filesystem::path& path) {
    auto file = IniFile::Load(path);
    return file ? std::move(*file) : IniFile{};
}

// Loads the file for a modification: a missing file starts empty, an existing one that cannot be
// read is an error (rewriting it would destroy its content).
std::optional<IniFile> LoadForWrite(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error) return std::nullopt;
        return IniFile{};
    }
    return IniFile::Load(path);
}

}  // namespace

std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view fallback, std::size_t max_chars) {
    std::lock_guard lock(ProfileMutex());
    return LoadOrEmpty(path).GetString(section, key, fallback, max_chars);
}

int32_t ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                       int32_t fallback) {
    std::lock_guard lock(ProfileMutex());
    return LoadOrEmpty(path).GetInt(section, key, fallback);
}

std::vector<std::string> ReadProfileSection(const std::filesystem::path& path, std::string_view section) {
    std::lock_guard lock(ProfileMutex());
    return LoadOrEmpty(path).SectionEntries(section);
}

std::vector<std::string> ReadProfileSectionNames(const std::filesystem::path& path) {
    std::lock_guard lock(ProfileMutex());
    return LoadOrEmpty(path).SectionNames();
}

bool WriteProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    std::lock_guard lock(ProfileMutex());
    auto file = LoadForWrite(path);
    if (!file) return false;
    const std::string before = file->ToBytes();
    if (!file->SetString(section, key, value)) return false;
    const std::string after = file->ToBytes();
    std::error_code error;
    if (after == before && std::filesystem::exists(path, error)) return true;
    return file->Save(path);
}

bool WriteProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                     int64_t value) {
    return WriteProfileString(path, section, key, std::to_string(value));
}

bool DeleteProfileKey(const std::filesystem::path& path, std::string_view section, std::string_view key) {
    std::lock_guard lock(ProfileMutex());
    auto file = LoadForWrite(path);
    if (!file) return false;
    if (!file->DeleteKey(section, key)) return true;
    return file->Save(path);
}

bool DeleteProfileSection(const std::filesystem::path& path, std::string_view section) {
    std::lock_guard lock(ProfileMutex());
    auto file = LoadForWrite(path);
    if (!file) return false;
    if (!file->DeleteSection(section)) return true;
    return file->Save(path);
}

bool CanReadFile(const std::filesystem::path& path) {
    return IniFile::Load(path).has_value();
}

}  // namespace tarsel::ini
