#include "formats/files/connection_settings.h"

#include "base/files/program_directory.h"
#include "base/ini/ini_file.h"
#include "base/ini/profile.h"

namespace tarsel::files {
namespace {

constexpr std::string_view kCommSection = "COMM";
constexpr std::string_view kPortKey = "PortNo";
constexpr std::string_view kBaudKey = "Baudrate";
constexpr std::string_view kHistorySection = "HISTORY";
constexpr std::string_view kBootRomKey = "BootROMVersion";

}  // namespace

std::filesystem::path ConnectionFilePath(const std::filesystem::path& directory) {
    const std::filesystem::path base =
        directory.empty() ? std::filesystem::path(ExecutableDirectory()) : directory;
    return base / kConnectionFile;
}

ConnectionSettings ReadConnectionSettings(const std::filesystem::path& directory) {
    ConnectionSettings settings;
    const auto file = ini::IniFile::Load(ConnectionFilePath(directory));
    if (!file) return settings;
    settings.port_number = file->GetInt(kCommSection, kPortKey, kDefaultPortNumber);
    settings.baudrate = file->GetInt(kCommSection, kBaudKey, kDefaultBaudrate);
    return settings;
}

bool WriteConnectionSettings(const ConnectionSettings& settings, const std::filesystem::path& directory) {
    const auto path = ConnectionFilePath(directory);
    const bool port = ini::WriteProfileInt(path, kCommSection, kPortKey, settings.port_number);
    const bool baud = ini::WriteProfileInt(path, kCommSection, kBaudKey, settings.baudrate);
    return port && baud;
}

std::string FormatBootRomVersion(std::string_view name, int v1, int v2, int v3, int v4) {
    return std::string(name) + " ver " + std::to_string(v1) + "." + std::to_string(v2) + "." +
           std::to_string(v3) + "." + std::to_string(v4);
}

std::string ReadBootRomHistory(const std::filesystem::path& directory) {
    return ini::ReadProfileString(ConnectionFilePath(directory), kHistorySection, kBootRomKey);
}

bool WriteBootRomHistory(std::string_view line, const std::filesystem::path& directory) {
    return ini::WriteProfileString(ConnectionFilePath(directory), kHistorySection, kBootRomKey, line);
}

}  // namespace tarsel::files
