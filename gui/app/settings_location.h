// Where the configuration program keeps "Connection.ini": beside the program when that folder is
// writable (a build tree, a portable copy), else in the user's configuration folder (an
// installed program).
#pragma once

#include <filesystem>

namespace tarsel::app {

std::filesystem::path SettingsDirectory();
// Chooses between the program's folder and the user's folder (testable part).
std::filesystem::path ChooseSettingsDirectory(const std::filesystem::path& programDirectory,
                                              const std::filesystem::path& userDirectory);

}  // namespace tarsel::app
