#include "tools/framebench/raw_port.h"

namespace tarsel::framebench {

bool SerialRawPort::Open(unsigned portNumber, uint32_t baudRate) {
    openError_.clear();
    if (portNumber > 255) {
        port_.ClosePort();
        openError_ = "There is no port COM" + std::to_string(portNumber) + ".";
        return false;
    }
    if (port_.OpenPort(static_cast<uint8_t>(portNumber), baudRate)) return true;
    openError_ = port_.LastOpenErrorText();
    return false;
}

}  // namespace tarsel::framebench
