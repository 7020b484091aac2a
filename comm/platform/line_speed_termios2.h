// Arbitrary line speeds through the kernel's termios2 interface.  Kept apart from the libc
// terminal code because the kernel's and the C library's termios headers cannot meet in one
// translation unit.
#pragma once

#include <cstdint>

namespace tarsel::platform::detail {

// Sets input and output speed of the open terminal `fd` to `baudRate` bits per second
// (BOTHER) and reports the rate the driver settled on in `actualBaudRate`.  False when the
// driver refused the request or does not know the interface.
bool SetArbitraryLineSpeed(int fd, uint32_t baudRate, uint32_t& actualBaudRate);

}  // namespace tarsel::platform::detail
