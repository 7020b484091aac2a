// The "Info" section shared by the drive data files (.fpt, .fit, position table .txt, .fbt).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/ini/ini_file.h"

namespace tarsel::files {

inline constexpr std::string_view kInfoSection = "Info";
inline constexpr std::string_view kModelKey = "Model";
inline constexpr std::size_t kMaxModelChars = 200;

// "Info"/"Model" (at most 200 characters, empty when absent).
std::string ReadFileModel(const ini::IniFile& file);
// Whether the file names this model, ignoring letter case.
bool ModelMatches(const ini::IniFile& file, std::string_view model_name);
bool ModelMatches(const std::filesystem::path& path, std::string_view model_name);
bool WriteFileModel(ini::IniFile& file, std::string_view model_name);

// Opens a file for writing into it: its parsed content, or an empty file when it does not exist
// yet.  None when it exists but cannot be read (it must not be replaced then).
std::optional<ini::IniFile> OpenForUpdate(const std::filesystem::path& path);

// True when the section exists and holds at least one key line.
bool HasEntries(const ini::IniFile& file, std::string_view section);

}  // namespace tarsel::files
