// Stable port numbers for real serial devices, remembered in a small INI file.
#ifdef __linux__

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "comm/platform/ports_internal.h"

namespace tarsel::platform::detail {
namespace {

// Port numbers fit the one byte every registry and frame log uses.
constexpr unsigned kHighestPortNumber = 255;
constexpr const char* kSection = "Ports";

bool ParseNumber(const std::string& text, unsigned& number) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    number = static_cast<unsigned>(std::stoul(text));
    return number >= 1;
}

bool MakeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

}  // namespace

std::string PortNumberFilePath() {
    const char* overridden = std::getenv("TARSEL_PORT_NUMBERS_FILE");
    if (overridden != nullptr && *overridden != '\0') return overridden;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/tarsel/ports.ini";
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return std::string(home) + "/.config/tarsel/ports.ini";
    return "/tmp/tarsel-" + std::to_string(::getuid()) + "/ports.ini";
}

PortNumberFile::PortNumberFile(std::string path) : path_(std::move(path)) {
    Load();
}

bool PortNumberFile::Load() {
    numbers_.clear();
    auto file = ini::IniFile::Load(path_);
    file_ = file ? std::move(*file) : ini::IniFile{};
    if (!file) return false;
    // Entries whose value is no port number are skipped (and rewritten when their device gets
    // one); lines of other sections stay as they are.
    for (const std::string& key : file_.KeyNames(kSection)) {
        unsigned number = 0;
        if (!ParseNumber(file_.GetString(kSection, key), number)) continue;
        const bool known = std::any_of(numbers_.begin(), numbers_.end(),
                                       [&key](const auto& remembered) { return remembered.first == key; });
        if (!known) numbers_.emplace_back(key, number);
    }
    return true;
}

bool PortNumberFile::Remember(const std::string& key, unsigned number) {
    // A key the file cannot hold (one with '=' or a line break) keeps its number for this call only.
    numbers_.emplace_back(key, number);
    return file_.SetInt(kSection, key, number);
}

bool PortNumberFile::Save() const {
    const std::size_t slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(path_.substr(0, slash))) return false;
    // Written beside the real file and renamed over it: readers see the old or the new file.
    return file_.Save(path_);
}

std::vector<std::pair<unsigned, std::string>> PortNumberFile::Assign(
    const std::vector<RealSerialDevice>& devices, const std::vector<unsigned>& reserved) {
    std::vector<std::pair<unsigned, std::string>> result;
    auto used = [&](unsigned number) {
        return std::find(reserved.begin(), reserved.end(), number) != reserved.end() ||
               std::any_of(numbers_.begin(), numbers_.end(),
                           [number](const auto& remembered) { return remembered.second == number; });
    };

    bool changed = false;
    for (const RealSerialDevice& device : devices) {
        auto known = std::find_if(numbers_.begin(), numbers_.end(), [&device](const auto& remembered) {
            return remembered.first == device.key;
        });
        if (known != numbers_.end()) {
            result.emplace_back(known->second, device.devicePath);
            continue;
        }
        unsigned number = 1;
        while (number <= kHighestPortNumber && used(number)) ++number;
        if (number > kHighestPortNumber) continue;  // every number taken: the device gets none
        result.emplace_back(number, device.devicePath);
        if (Remember(device.key, number)) changed = true;
    }
    // A file that cannot be written still leaves the numbers valid for this call.
    if (changed) Save();
    return result;
}

}  // namespace tarsel::platform::detail

#endif  // __linux__
