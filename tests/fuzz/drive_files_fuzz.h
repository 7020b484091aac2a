// The drive data files are INI files; each target parses the bytes and runs one reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/ini/ini_file.h"
#include "formats/files/drive_file_header.h"

namespace tarsel::fuzz {

inline ini::IniFile DriveFile(const uint8_t* data, std::size_t size) {
    ini::IniFile file = ini::IniFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    (void)files::ReadFileModel(file);
    return file;
}

}  // namespace tarsel::fuzz
