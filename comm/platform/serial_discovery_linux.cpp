// Serial devices found through sysfs.
#ifdef __linux__

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "comm/platform/ports_internal.h"

namespace tarsel::platform::detail {
namespace {

std::vector<std::string> DirectoryNames(const std::string& directory) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.c_str()), &::closedir);
    if (!dir) return names;
    while (const dirent* item = ::readdir(dir.get())) {
        const std::string name = item->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string LinkTarget(const std::string& path) {
    char buffer[4096];
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// UART slots the kernel registers for every possible legacy port carry the type 0 (unknown)
// until a chip answers; they cannot be opened usefully.
bool IsUnpopulatedUartSlot(const std::string& ttyDirectory) {
    std::ifstream typeFile(ttyDirectory + "/type");
    int type = -1;
    return typeFile >> type && type == 0;
}

bool SitsOnHardware(const std::string& ttyDirectory) {
    struct stat info {};
    return ::stat((ttyDirectory + "/device").c_str(), &info) == 0;
}

// Name under <dev>/serial/by-id that points at the device, the first in name order when
// there are several.
std::string StableKey(const std::vector<std::string>& byIdNames, const std::string& byIdDirectory,
                      const std::string& kernelName) {
    for (const std::string& name : byIdNames) {
        if (BaseName(LinkTarget(byIdDirectory + "/" + name)) == kernelName) return name;
    }
    return kernelName;
}

}  // namespace

std::vector<RealSerialDevice> FindRealSerialDevices(const std::string& sysfsRoot,
                                                    const std::string& devRoot) {
    std::vector<RealSerialDevice> devices;
    const std::string classDirectory = sysfsRoot + "/class/tty";
    const std::string byIdDirectory = devRoot + "/serial/by-id";
    const std::vector<std::string> byIdNames = DirectoryNames(byIdDirectory);

    for (const std::string& name : DirectoryNames(classDirectory)) {
        const std::string ttyDirectory = classDirectory + "/" + name;
        // Virtual consoles, pseudo-terminals and the like have no device behind them.
        if (!SitsOnHardware(ttyDirectory) || IsUnpopulatedUartSlot(ttyDirectory)) continue;
        devices.push_back({StableKey(byIdNames, byIdDirectory, name), devRoot + "/" + name});
    }
    return devices;
}

}  // namespace tarsel::platform::detail

#endif  // __linux__
