// "Connection.ini" beside the program: the last port and baud rate (shared with the
// configuration program's connection dialog) and the boot ROM version history.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace tarsel::firmware {

struct ConnectionChoice {
    unsigned portNumber = 1;
    uint32_t baudRate = 115200;
};

// The folder of the running program.
std::filesystem::path ProgramDirectory();
// "Connection.ini" in `directory` (the program's folder when empty).
std::filesystem::path ConnectionIniPath(const std::filesystem::path& directory = {});

ConnectionChoice ReadConnectionChoice(const std::filesystem::path& iniPath);
// Writing failures are not reported.
void WriteConnectionChoice(const std::filesystem::path& iniPath, const ConnectionChoice& choice);
void WriteBootRomHistory(const std::filesystem::path& iniPath, const std::string& text);

}  // namespace tarsel::firmware
