#include "comm/slave_info.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "comm/frame.h"

namespace tarsel {
namespace {

constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kTypeOffset = 38;
constexpr std::size_t kMotorNumberOffset = 40;
constexpr std::size_t kMotorNameOffset = 42;
constexpr std::size_t kInputCountOffset = 62;
constexpr std::size_t kOutputCountOffset = 64;
constexpr std::size_t kTableSizeOffset = 66;
constexpr std::size_t kFirmwareTypeOffset = 68;
constexpr std::size_t kLegacyNameMax = 29;

template <std::size_t N>
std::string TextOf(const std::array<char, N>& field) {
    const auto end = std::find(field.begin(), field.end(), '\0');
    return std::string(field.begin(), end);
}

struct LegacyTypeRow {
    uint8_t typeByte;
    uint16_t type, inputs, outputs, tableSize;
};

constexpr LegacyTypeRow kLegacyTypes[] = {
    {3, 1, 12, 10, 512}, {10, 10, 10, 2, 64}, {11, 110, 10, 2, 64}, {20, 20, 12, 10, 256}, {30, 1, 10, 2, 64},
    {35, 30, 9, 9, 64},  {40, 20, 10, 2, 64}, {50, 1, 10, 2, 64},   {60, 20, 10, 2, 64},
};
constexpr LegacyTypeRow kLegacyDefault = {0, 1, 12, 10, 256};

}  // namespace

std::string SlaveInfo::Name() const {
    return TextOf(name);
}

std::string SlaveInfo::MotorName() const {
    return TextOf(motorName);
}

SlaveInfo SlaveInfo::Decode(const uint8_t* bytes) {
    SlaveInfo info;
    for (std::size_t i = 0; i < info.version.size(); ++i) info.version[i] = GetU16(bytes + 2 * i);
    std::memcpy(info.name.data(), bytes + kNameOffset, info.name.size());
    info.type = GetU16(bytes + kTypeOffset);
    info.motorNumber = GetU16(bytes + kMotorNumberOffset);
    std::memcpy(info.motorName.data(), bytes + kMotorNameOffset, info.motorName.size());
    info.inputCount = GetU16(bytes + kInputCountOffset);
    info.outputCount = GetU16(bytes + kOutputCountOffset);
    info.tableSize = GetU16(bytes + kTableSizeOffset);
    info.firmwareType = GetU16(bytes + kFirmwareTypeOffset);
    return info;
}

void SlaveInfo::Encode(uint8_t* bytes) const {
    std::memset(bytes, 0, kSlaveInfoSize);
    for (std::size_t i = 0; i < version.size(); ++i) PutU16(bytes + 2 * i, version[i]);
    std::memcpy(bytes + kNameOffset, name.data(), name.size());
    PutU16(bytes + kTypeOffset, type);
    PutU16(bytes + kMotorNumberOffset, motorNumber);
    std::memcpy(bytes + kMotorNameOffset, motorName.data(), motorName.size());
    PutU16(bytes + kInputCountOffset, inputCount);
    PutU16(bytes + kOutputCountOffset, outputCount);
    PutU16(bytes + kTableSizeOffset, tableSize);
    PutU16(bytes + kFirmwareTypeOffset, firmwareType);
}

bool ConvertLegacySlaveInfo(const uint8_t* text, std::size_t length, SlaveInfo& info) {
    if (text == nullptr || length < 1) return false;
    const std::size_t end = static_cast<std::size_t>(std::find(text, text + length, 0) - text);
    if (end < 1) return false;
    std::size_t open = end;
    for (std::size_t i = end; i > 1; --i) {
        if (text[i - 1] == '(') {
            open = i - 1;
            break;
        }
    }
    if (open == end) return false;
    if (open + 2 >= end || std::toupper(text[open + 1]) != 'V' || !std::isdigit(text[open + 2])) return false;

    SlaveInfo converted;
    const std::size_t nameLength = std::min(open - 1, kLegacyNameMax);
    std::memcpy(converted.name.data(), text + 1, nameLength);

    std::size_t pos = open + 2;
    for (std::size_t field = 0; field < converted.version.size(); ++field) {
        if (pos >= end || !std::isdigit(text[pos])) break;
        uint32_t number = 0;
        while (pos < end && std::isdigit(text[pos])) {
            number = std::min<uint32_t>(number * 10 + static_cast<uint32_t>(text[pos] - '0'), 0xFFFF);
            ++pos;
        }
        converted.version[field] = static_cast<uint16_t>(number);
        if (pos >= end || text[pos] != '.') break;
        ++pos;
    }

    LegacyTypeRow row = kLegacyDefault;
    for (const LegacyTypeRow& candidate : kLegacyTypes) {
        if (candidate.typeByte == text[0]) row = candidate;
    }
    converted.type = row.type;
    converted.inputCount = row.inputs;
    converted.outputCount = row.outputs;
    converted.tableSize = row.tableSize;
    info = converted;
    return true;
}

}  // namespace tarsel
