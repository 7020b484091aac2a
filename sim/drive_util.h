// Small helpers for building drive answers.
#pragma once

#include <cstdint>

#include "comm/frame.h"
#include "sim/drive.h"

namespace tarsel::sim {

inline DriveResponse Status(uint8_t status) {
    DriveResponse r;
    r.status = status;
    return r;
}

inline DriveResponse WithU8(uint8_t value) {
    DriveResponse r;
    r.data.push_back(value);
    return r;
}

inline DriveResponse WithU16(uint16_t value) {
    DriveResponse r;
    r.data.resize(2);
    PutU16(r.data.data(), value);
    return r;
}

inline DriveResponse WithS32(int32_t value) {
    DriveResponse r;
    r.data.resize(4);
    PutU32(r.data.data(), static_cast<uint32_t>(value));
    return r;
}

inline void AppendU32(DriveResponse& r, uint32_t value) {
    uint8_t b[4];
    PutU32(b, value);
    r.data.insert(r.data.end(), b, b + 4);
}

inline void AppendInputs(DriveResponse& r, uint64_t inputs) {
    for (int i = 0; i < 5; ++i) r.data.push_back(static_cast<uint8_t>(inputs >> (8 * i)));
}

inline uint64_t GetInputMask(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 5; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return v;
}

}  // namespace tarsel::sim
