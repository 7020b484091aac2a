// Millisecond monotonic tick, sleeping and yielding.
#pragma once

#include <cstdint>

namespace tarsel::platform {

// Milliseconds from an arbitrary start; wraps at 2^32 like a 32-bit tick, so compare
// differences (now - then) in unsigned arithmetic.
uint32_t TickMs();
void SleepMs(uint32_t milliseconds);
void YieldThread();

}  // namespace tarsel::platform
