// "Connection.ini" beside the programs: the last chosen port and baud rate (section "COMM") and
// the boot-ROM version history line written by the firmware writer (section "HISTORY").
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarsel::files {

inline constexpr std::string_view kConnectionFile = "Connection.ini";
inline constexpr int32_t kDefaultPortNumber = 1;
inline constexpr int32_t kDefaultBaudrate = 115200;
inline constexpr std::string_view kBootRomReadFailedText = "Failed to read version info";

struct ConnectionSettings {
    int32_t port_number = kDefaultPortNumber;  // the n of COMn
    int32_t baudrate = kDefaultBaudrate;
};

// The path of "Connection.ini" in the directory (default: the program's directory).
std::filesystem::path ConnectionFilePath(const std::filesystem::path& directory = {});

// "COMM"/"PortNo" and "COMM"/"Baudrate"; the defaults (1, 115200) when absent or unreadable.
ConnectionSettings ReadConnectionSettings(const std::filesystem::path& directory = {});
// Writes both keys as decimal text, keeping the rest of the file.
bool WriteConnectionSettings(const ConnectionSettings& settings, const std::filesystem::path& directory = {});

// "%s ver %d.%d.%d.%d" of a boot ROM's name and four version numbers.
std::string FormatBootRomVersion(std::string_view name, int v1, int v2, int v3, int v4);
// "HISTORY"/"BootROMVersion": empty when absent.
std::string ReadBootRomHistory(const std::filesystem::path& directory = {});
bool WriteBootRomHistory(std::string_view line, const std::filesystem::path& directory = {});

}  // namespace tarsel::files
