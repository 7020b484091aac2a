// Stable port numbers for real serial devices, remembered in a small INI file.
#ifdef __linux__

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "comm/platform/ports_internal.h"

namespace tarsel::platform::detail {
namespace {

// Port numbers fit the one byte every registry and frame log uses.
constexpr unsigned kHighestPortNumber = 255;
constexpr const char* kSection = "[Ports]";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

bool IsSectionHeader(const std::string& line) {
    return !line.empty() && line.front() == '[';
}

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
    otherLines_.clear();
    std::ifstream in(path_);
    if (!in) return false;
    bool inPorts = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string trimmed = Trim(line);
        if (IsSectionHeader(trimmed)) {
            inPorts = trimmed == kSection;
            if (inPorts) continue;
        }
        if (!inPorts) {
            otherLines_.push_back(line);
            continue;
        }
        // The key is everything before the last '=', so a key may hold one itself.
        const std::size_t equals = trimmed.rfind('=');
        unsigned number = 0;
        if (equals == std::string::npos || !ParseNumber(Trim(trimmed.substr(equals + 1)), number)) continue;
        const std::string key = Trim(trimmed.substr(0, equals));
        const bool known = std::any_of(numbers_.begin(), numbers_.end(),
                                       [&key](const auto& remembered) { return remembered.first == key; });
        if (!key.empty() && !known) numbers_.emplace_back(key, number);
    }
    return true;
}

bool PortNumberFile::Save() const {
    const std::size_t slash = path_.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirectories(path_.substr(0, slash))) return false;

    std::ostringstream text;
    text << kSection << '\n';
    for (const auto& [key, number] : numbers_) text << key << '=' << number << '\n';
    for (const std::string& line : otherLines_) text << line << '\n';

    // Write a temporary file beside the real one and rename it over: readers see either the
    // old or the new file, never half of one.
    const std::string temporary = path_ + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
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
        numbers_.emplace_back(device.key, number);
        result.emplace_back(number, device.devicePath);
        changed = true;
    }
    // A file that cannot be written still leaves the numbers valid for this call.
    if (changed) Save();
    return result;
}

}  // namespace tarsel::platform::detail

#endif  // __linux__
