// Arbitrary line speeds (BOTHER).  Only the kernel's terminal header is included here.
#ifdef __linux__

#include "comm/platform/line_speed_termios2.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

#include <cerrno>

namespace tarsel::platform::detail {

bool SetArbitraryLineSpeed(int fd, uint32_t baudRate, uint32_t& actualBaudRate) {
    actualBaudRate = 0;
    termios2 settings{};
    if (ioctl(fd, TCGETS2, &settings) != 0) return false;
    settings.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
    settings.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    settings.c_ispeed = baudRate;
    settings.c_ospeed = baudRate;
    int rc;
    do {
        rc = ioctl(fd, TCSETS2, &settings);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return false;

    // Drivers round to what their clock can divide; read back what is in effect.
    termios2 applied{};
    if (ioctl(fd, TCGETS2, &applied) != 0) return false;
    actualBaudRate = applied.c_ospeed;
    return true;
}

}  // namespace tarsel::platform::detail

#endif  // __linux__
