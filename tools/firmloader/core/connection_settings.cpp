#include "tools/firmloader/core/connection_settings.h"

#include <unistd.h>

#include "base/ini/profile.h"

namespace tarsel::firmware {

std::filesystem::path ProgramDirectory() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return std::filesystem::current_path();
    return std::filesystem::path(std::string(path, static_cast<std::size_t>(n))).parent_path();
}

std::filesystem::path ConnectionIniPath(const std::filesystem::path& directory) {
    return (directory.empty() ? ProgramDirectory() : directory) / "Connection.ini";
}

ConnectionChoice ReadConnectionChoice(const std::filesystem::path& iniPath) {
    ConnectionChoice choice;
    const int32_t port = ini::ReadProfileInt(iniPath, "COMM", "PortNo", 1);
    const int32_t baud = ini::ReadProfileInt(iniPath, "COMM", "Baudrate", 115200);
    choice.portNumber = port > 0 ? static_cast<unsigned>(port) : 0;
    choice.baudRate = baud > 0 ? static_cast<uint32_t>(baud) : 0;
    return choice;
}

void WriteConnectionChoice(const std::filesystem::path& iniPath, const ConnectionChoice& choice) {
    ini::WriteProfileInt(iniPath, "COMM", "PortNo", choice.portNumber);
    ini::WriteProfileInt(iniPath, "COMM", "Baudrate", choice.baudRate);
}

void WriteBootRomHistory(const std::filesystem::path& iniPath, const std::string& text) {
    ini::WriteProfileString(iniPath, "HISTORY", "BootROMVersion", text);
}

}  // namespace tarsel::firmware
