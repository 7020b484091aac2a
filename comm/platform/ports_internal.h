// Pieces of the port lookup that the tests drive with their own directories.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/ini/ini_file.h"

namespace tarsel::platform::detail {

// "com<N>" in any letter case with N made of decimal digits only (at least one): true and the
// number, else false.  "com", "comx1" and "com10a" are no port names.
bool ParsePortEntryName(const std::string& name, unsigned& number);

// Entries of the ports directory that carry a port name: (number, path of the entry).  With
// `existingOnly`, entries whose link target is gone are left out.
std::vector<std::pair<unsigned, std::string>> ListPortEntries(const std::string& directory,
                                                              bool existingOnly);

// A serial device found through sysfs.  `key` is the name under <dev>/serial/by-id that
// points at it when there is one (it survives re-plugging), else the kernel name ("ttyS0").
struct RealSerialDevice {
    std::string key;
    std::string devicePath;
};

// Terminal devices of <sysfsRoot>/class/tty that sit on hardware, without the unused UART
// slots the kernel registers whether or not a chip is there.
std::vector<RealSerialDevice> FindRealSerialDevices(const std::string& sysfsRoot, const std::string& devRoot);

// Remembered port numbers, one per device key, in the [Ports] section of an INI file.
class PortNumberFile {
public:
    explicit PortNumberFile(std::string path);

    // Gives every device its remembered number or, for a new one, the lowest number from 1 up
    // that neither another remembered device nor one of `reserved` uses; new numbers are
    // written back at once.  Returns (number, device path) in the order of `devices`.
    std::vector<std::pair<unsigned, std::string>> Assign(const std::vector<RealSerialDevice>& devices,
                                                         const std::vector<unsigned>& reserved);

private:
    bool Load();
    bool Remember(const std::string& key, unsigned number);
    bool Save() const;

    std::string path_;
    ini::IniFile file_;                                      // the whole file, other sections included
    std::vector<std::pair<std::string, unsigned>> numbers_;  // valid [Ports] entries in file order
};

// Where the numbers are kept: $TARSEL_PORT_NUMBERS_FILE, else the user's configuration folder.
std::string PortNumberFilePath();

}  // namespace tarsel::platform::detail
