// Port numbers: the n of COMn is the key of a port everywhere in the system.  On this platform
// a number maps to a device in two ways:
//   * the ports directory ($TARSEL_PORTS_DIR, else $XDG_RUNTIME_DIR/tarsel/ports, else
//     /tmp/tarsel-<uid>/ports) holds entries "com<N>", symbolic links to any terminal device
//     (simulated lines are published there);
//   * real serial adapters and UARTs found through sysfs get stable numbers, remembered per
//     device in the user's configuration directory; a new device takes the lowest free number.
#pragma once

#include <string>
#include <vector>

namespace tarsel::platform {

std::string PortsDirectory();

// Path of the entry "com<N>" in the ports directory (whether it exists or not).
std::string PortEntryPath(unsigned portNumber);

// Device path for a port number, or empty when there is none.
std::string ResolvePortDevice(unsigned portNumber);

// Fills `ports` with the numbers present: ports-directory entries whose target exists and real
// serial devices.  Not sorted; empty when none is found or the query failed.
void EnumeratePorts(std::vector<unsigned>& ports);

}  // namespace tarsel::platform
