// The slave information record: the 70-byte answer of frame type 0x01, and its conversion from
// the text answer of older firmware that speaks the legacy frame form.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarsel {

constexpr std::size_t kSlaveInfoSize = 70;

// Decoded record.  Text fields keep their wire bytes (zero-terminated when shorter).
struct SlaveInfo {
    std::array<uint16_t, 4> version{};  // major, minor, build, revision
    std::array<char, 30> name{};        // offset 8
    uint16_t type = 0;                  // offset 38; the registries keep the low byte
    uint16_t motorNumber = 0;           // offset 40
    std::array<char, 20> motorName{};   // offset 42
    uint16_t inputCount = 0;            // offset 62
    uint16_t outputCount = 0;           // offset 64
    uint16_t tableSize = 0;             // offset 66
    uint16_t firmwareType = 0;          // offset 68; nonzero: firmware the host does not accept

    std::string Name() const;       // up to the first zero byte
    std::string MotorName() const;  // likewise

    static SlaveInfo Decode(const uint8_t* bytes);  // kSlaveInfoSize bytes, little-endian
    void Encode(uint8_t* bytes) const;              // kSlaveInfoSize bytes
};

// Converts the text answer of legacy firmware (a type byte, the name, then "(V" and up to four
// dot-separated numbers) into a record.  `length` counts the bytes that arrived (the text ends
// at the first zero byte).  False when the text has no "(" after the type byte or no "(V"
// followed by a digit there.
bool ConvertLegacySlaveInfo(const uint8_t* text, std::size_t length, SlaveInfo& info);

}  // namespace tarsel
