// What every export shares: the library's registry, the checks before any frame, and the
// barrier that keeps exceptions from crossing the C interface.
#pragma once

#include <cstdint>

#include "comm/result_codes.h"
#include "library/src/CCommMaster.h"

#include "TarselTevra.h"

namespace tarsel::lib {

// The registry of the loaded library (created at load, destroyed at unload).
CCommMaster& Registry();

// Port and slave arguments: only the low byte counts.
inline uint8_t LowByte(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

// Result for an internal failure (out of memory and the like) caught at the boundary.
constexpr int kInternalFailure = kResultDisconnected;

// Checks 1 -> 2 -> 3, then runs `command(port object, slave)`.
template <typename Command>
int ForSlave(int port, int slave, Command&& command) noexcept {
    try {
        CCommPort* object = nullptr;
        const uint8_t result = Registry().ResolveSlave(LowByte(port), LowByte(slave), &object);
        if (result != kResultSuccess) return result;
        return command(*object, LowByte(slave));
    } catch (...) {
        return kInternalFailure;
    }
}

// Checks 1 -> 2, then that the port has at least one slave (3), then runs `command(port object)`.
template <typename Command>
int ForPort(int port, Command&& command) noexcept {
    try {
        CCommPort* object = nullptr;
        const uint8_t result = Registry().ResolvePort(LowByte(port), &object);
        if (result != kResultSuccess) return result;
        if (object->SlaveCount() == 0) return kResultInvalidSlave;
        return command(*object);
    } catch (...) {
        return kInternalFailure;
    }
}

}  // namespace tarsel::lib
