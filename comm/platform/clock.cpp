// Monotonic millisecond tick, sleeping and yielding on POSIX systems.
#ifdef __linux__

#include "comm/platform/clock.h"

#include <sched.h>

#include <cerrno>
#include <ctime>

namespace tarsel::platform {

uint32_t TickMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Unsigned arithmetic wraps at 2^32 like a 32-bit hardware tick.
    const uint64_t ms =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void SleepMs(uint32_t milliseconds) {
    timespec remaining{};
    remaining.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    remaining.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // Resume after signals until the whole interval has passed.
    while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

void YieldThread() {
    sched_yield();
}

}  // namespace tarsel::platform

#endif  // __linux__
