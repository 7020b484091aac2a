// Payload helpers shared by the command files: the 5-byte input masks and one-byte flags.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarsel::payload {

constexpr std::size_t kInputBytes = 5;  // 40 input bits on the wire

inline void PutInputMask(uint8_t* p, uint64_t mask) {
    for (std::size_t i = 0; i < kInputBytes; ++i) p[i] = static_cast<uint8_t>(mask >> (8 * i));
}

inline uint64_t GetInputMask(const uint8_t* p) {
    uint64_t mask = 0;
    for (std::size_t i = 0; i < kInputBytes; ++i) mask |= static_cast<uint64_t>(p[i]) << (8 * i);
    return mask;
}

inline uint8_t Flag(uint32_t value) {
    return value != 0 ? 1 : 0;
}

}  // namespace tarsel::payload
