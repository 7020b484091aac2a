// Port numbers on Linux: entries of the ports directory first, then real serial devices with
// the stable numbers remembered for them.
#ifdef __linux__

#include "comm/platform/ports.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "comm/platform/port_entry_lock.h"
#include "comm/platform/ports_internal.h"

namespace tarsel::platform {
namespace {

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string RootFromEnvironment(const char* name, const char* fallback) {
    std::string root = EnvironmentValue(name);
    return root.empty() ? std::string(fallback) : root;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// Real devices with their numbers.  Several threads may list ports at once; the numbers file
// is read and written under one lock.
std::vector<std::pair<unsigned, std::string>> NumberedRealDevices(const std::string& portsDirectory) {
    static std::mutex fileLock;
    const std::vector<detail::RealSerialDevice> devices = detail::FindRealSerialDevices(
        RootFromEnvironment("TARSEL_SYSFS_ROOT", "/sys"), RootFromEnvironment("TARSEL_DEV_ROOT", "/dev"));
    if (devices.empty()) return {};

    std::vector<unsigned> reserved;
    for (const auto& entry : detail::ListPortEntries(portsDirectory, false)) reserved.push_back(entry.first);

    std::lock_guard<std::mutex> guard(fileLock);
    detail::PortNumberFile file(detail::PortNumberFilePath());
    return file.Assign(devices, reserved);
}

}  // namespace

namespace detail {

bool ParsePortEntryName(const std::string& name, unsigned& number) {
    if (name.size() < 4) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(name[i])) != "com"[i]) return false;
    }
    unsigned long long value = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        value = value * 10 + static_cast<unsigned>(name[i] - '0');
        if (value > UINT_MAX) return false;
    }
    number = static_cast<unsigned>(value);
    return true;
}

std::vector<std::pair<unsigned, std::string>> ListPortEntries(const std::string& directory,
                                                              bool existingOnly) {
    std::vector<std::pair<unsigned, std::string>> entries;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), &::closedir);
    if (!dir) return entries;
    while (const dirent* item = ::readdir(dir.get())) {
        unsigned number = 0;
        if (!ParsePortEntryName(item->d_name, number)) continue;
        const std::string path = directory + "/" + item->d_name;
        if (existingOnly && !Exists(path)) continue;           // a link whose device is gone
        if (existingOnly && IsStalePortEntry(path)) continue;  // left by a publisher that is gone
        entries.emplace_back(number, path);
    }
    return entries;
}

}  // namespace detail

std::string PortsDirectory() {
    const std::string overridden = EnvironmentValue("TARSEL_PORTS_DIR");
    if (!overridden.empty()) return overridden;
    const std::string runtime = EnvironmentValue("XDG_RUNTIME_DIR");
    if (!runtime.empty()) return runtime + "/tarsel/ports";
    return "/tmp/tarsel-" + std::to_string(::getuid()) + "/ports";
}

std::string PortEntryPath(unsigned portNumber) {
    return PortsDirectory() + "/com" + std::to_string(portNumber);
}

std::string ResolvePortDevice(unsigned portNumber) {
    const std::string directory = PortsDirectory();

    // The canonical entry "com<N>", else any spelling that names the same number ("COM3").
    std::string entry = directory + "/com" + std::to_string(portNumber);
    struct stat info {};
    if (::lstat(entry.c_str(), &info) != 0) {
        entry.clear();
        for (const auto& [number, path] : detail::ListPortEntries(directory, false)) {
            if (number == portNumber) {
                entry = path;
                break;
            }
        }
    }
    if (!entry.empty() && IsStalePortEntry(entry)) {
        // Its publisher is gone; the device it names may by now belong to another line.
        return std::string();
    }
    if (!entry.empty()) {
        // The target, so that messages and locks name the device itself; a dangling link
        // stands for a line that is gone.
        char* target = ::realpath(entry.c_str(), nullptr);
        if (target == nullptr) return std::string();
        std::string resolved(target);
        std::free(target);
        return resolved;
    }

    for (const auto& [number, device] : NumberedRealDevices(directory)) {
        if (number == portNumber) return device;
    }
    return std::string();
}

void EnumeratePorts(std::vector<unsigned>& ports) {
    ports.clear();
    const std::string directory = PortsDirectory();
    auto add = [&ports](unsigned number) {
        if (std::find(ports.begin(), ports.end(), number) == ports.end()) ports.push_back(number);
    };
    for (const auto& entry : detail::ListPortEntries(directory, true)) add(entry.first);
    for (const auto& device : NumberedRealDevices(directory)) add(device.first);
}

}  // namespace tarsel::platform

#endif  // __linux__
