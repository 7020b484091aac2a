// Line settings of an open terminal: raw 8N1, no flow control, reads that never block.
#ifdef __linux__

#include <termios.h>

#include <cerrno>
#include <cstdlib>

#include "comm/platform/line_speed_termios2.h"
#include "comm/platform/serial_line_linux.h"

namespace tarsel::platform {
namespace {

struct StandardRate {
    uint32_t baud;
    speed_t code;
};

constexpr StandardRate kStandardRates[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool FindStandardRate(uint32_t baud, speed_t& code) {
    for (const StandardRate& rate : kStandardRates) {
        if (rate.baud == baud) {
            code = rate.code;
            return true;
        }
    }
    return false;
}

// A UART with a coarse divider may miss the rate a little; a few percent still frames bytes.
bool CloseEnough(uint32_t requested, uint32_t actual) {
    const int64_t difference = std::llabs(static_cast<int64_t>(requested) - static_cast<int64_t>(actual));
    return difference * 100 <= static_cast<int64_t>(requested) * 3;
}

bool Apply(int fd, const termios& settings) {
    int rc;
    do {
        rc = tcsetattr(fd, TCSANOW, &settings);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

}  // namespace

bool ConfigureLine(int fd, uint32_t baudRate) {
    if (baudRate == 0) return false;  // B0 would hang up the line instead of setting a speed

    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;

    cfmakeraw(&settings);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    settings.c_iflag |= IGNBRK;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;

    speed_t code = B0;
    const bool standard = FindStandardRate(baudRate, code);
    if (standard) {
        if (cfsetispeed(&settings, code) != 0 || cfsetospeed(&settings, code) != 0) return false;
    }
    if (!Apply(fd, settings)) return false;

    if (standard) {
        termios applied{};
        if (tcgetattr(fd, &applied) != 0) return false;
        return cfgetospeed(&applied) == code;
    }
    uint32_t actual = 0;
    return detail::SetArbitraryLineSpeed(fd, baudRate, actual) && CloseEnough(baudRate, actual);
}

}  // namespace tarsel::platform

#endif  // __linux__
