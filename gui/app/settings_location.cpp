#include "gui/app/settings_location.h"

#include <unistd.h>

#include <QStandardPaths>
#include <system_error>

#include "base/files/program_directory.h"

namespace tarsel::app {

std::filesystem::path ChooseSettingsDirectory(const std::filesystem::path& programDirectory,
                                              const std::filesystem::path& userDirectory) {
    if (!programDirectory.empty() && ::access(programDirectory.c_str(), W_OK) == 0) return programDirectory;
    std::error_code error;
    std::filesystem::create_directories(userDirectory, error);
    return userDirectory;
}

std::filesystem::path SettingsDirectory() {
    static const std::filesystem::path directory = ChooseSettingsDirectory(
        ExecutableDirectory(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString());
    return directory;
}

}  // namespace tarsel::app
