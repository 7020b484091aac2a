// Profile-style access to INI files, one call per value, with the semantics of the Windows
// private-profile functions (see IniFile for the rules).  Every call reads the file anew; to read
// many values of one file, load an IniFile once instead.
//
// Writes are read-modify-write cycles that end with a safe replacement of the file, in the encoding
// text_encoding.h describes (the file's own; the ANSI code page or UTF-16LE for a new or ASCII
// file).  Calls of this module are serialised within the process, so concurrent writers never lose
// each other's keys.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::ini {

// The value of a key, or the default when the file, the section or the key is missing; cut to at
// most max_chars characters.
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view fallback = {},
                              std::size_t max_chars = std::string::npos);

// The integer value of a key (ParseProfileInt); the default when missing or empty.
int32_t ReadProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                       int32_t fallback);

// The "key=value" lines of a section; empty when the file or the section is missing.
std::vector<std::string> ReadProfileSection(const std::filesystem::path& path, std::string_view section);

// The names of all sections of the file; empty when the file is missing.
std::vector<std::string> ReadProfileSectionNames(const std::filesystem::path& path);

// Sets a key, creating the file, the section and the key as needed.  False when the file cannot be
// read or replaced, or the names or the value cannot be stored (IniFile::SetString).
bool WriteProfileString(const std::filesystem::path& path, std::string_view section, std::string_view key,
                        std::string_view value);
bool WriteProfileInt(const std::filesystem::path& path, std::string_view section, std::string_view key,
                     int64_t value);

// Removes a key or a whole section.  True when the key or section is gone afterwards (also when it
// was not there); false when the file could not be replaced.
bool DeleteProfileKey(const std::filesystem::path& path, std::string_view section, std::string_view key);
bool DeleteProfileSection(const std::filesystem::path& path, std::string_view section);

// True when the file exists and can be opened for reading.
bool CanReadFile(const std::filesystem::path& path);

}  // namespace tarsel::ini
