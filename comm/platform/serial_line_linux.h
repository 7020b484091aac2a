// Line settings of an open terminal, used by the Linux serial device only.
#pragma once

#include <cstdint>

namespace tarsel::platform {

// Sets 8N1 raw mode at `baudRate` on an open terminal; standard rates through termios, others
// through the kernel's arbitrary-rate interface.  Returns false when the rate is refused.
bool ConfigureLine(int fd, uint32_t baudRate);

}  // namespace tarsel::platform
