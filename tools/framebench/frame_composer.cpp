#include "tools/framebench/frame_composer.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "comm/frame.h"

namespace tarsel::framebench {

namespace {

constexpr std::size_t kValueTextMax = 19;

struct Number {
    bool ok = false;
    bool tooBig = false;
    long long value = 0;  // hex numbers above the signed range are kept in two's complement
    bool isHex = false;
};

bool IsHexDigits(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

Number ParseNumber(const std::string& text) {
    Number number;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string digits = text.substr(2);
        if (!IsHexDigits(digits)) return number;
        errno = 0;
        const unsigned long long value = std::strtoull(digits.c_str(), nullptr, 16);
        number.ok = true;
        number.isHex = true;
        number.tooBig = errno == ERANGE || value > 0xFFFFFFFFull;
        number.value = static_cast<long long>(value & 0xFFFFFFFFull);
        return number;
    }
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return number;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') return number;
    number.ok = true;
    number.tooBig = errno == ERANGE;
    number.value = value;
    return number;
}

bool InRange(const Number& number, int width) {
    if (number.tooBig) return false;
    switch (width) {
        case 1:
            return number.value >= -128 && number.value <= 255;
        case 2:
            return number.value >= -32768 && number.value <= 65535;
        default:
            // Four bytes hold every 32-bit value, signed or unsigned; more is not cut off silently.
            return number.value >= std::numeric_limits<int32_t>::min() && number.value <= 0xFFFFFFFFll;
    }
}

}  // namespace

AppendResult FrameComposer::Append(const std::vector<uint8_t>& bytes) {
    if (bytes_.size() + bytes.size() > kSendCapacity) return AppendResult::BufferFull;
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return AppendResult::Ok;
}

AppendResult FrameComposer::AppendHeader() {
    return Append({kFrameEscape, kFrameHeader});
}

AppendResult FrameComposer::AppendTail() {
    return Append({kFrameEscape, kFrameTail});
}

AppendResult FrameComposer::AppendSlave(const std::string& text) {
    return AppendData(text, 1);
}

AppendResult FrameComposer::AppendData(const std::string& text, int width) {
    const std::string value = text.substr(0, kValueTextMax);
    if (value.empty()) return AppendResult::NoData;
    const Number number = ParseNumber(value);
    if (!number.ok) return AppendResult::ConvertFailed;
    if (width != 1 && width != 2) width = 4;
    if (!InRange(number, width)) return AppendResult::OutOfRange;
    const auto bits = static_cast<uint32_t>(static_cast<uint64_t>(number.value));
    std::vector<uint8_t> bytes;
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    return Append(bytes);
}

AppendResult FrameComposer::AppendCrc() {
    if (bytes_.size() <= 1) return AppendResult::NoCrcData;
    const uint16_t crc = CalcCRC(bytes_.data() + 2, bytes_.size() - 2);
    return Append({static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)});
}

AppendResult FrameComposer::AppendHex(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::string token;
    auto flush = [&]() {
        if (token.empty()) return true;
        if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
            token = token.substr(2);
        if (!IsHexDigits(token)) return false;
        if (token.size() <= 2) {
            bytes.push_back(static_cast<uint8_t>(std::strtoul(token.c_str(), nullptr, 16)));
        } else {
            if (token.size() % 2 != 0) return false;
            for (std::size_t i = 0; i < token.size(); i += 2)
                bytes.push_back(static_cast<uint8_t>(std::strtoul(token.substr(i, 2).c_str(), nullptr, 16)));
        }
        token.clear();
        return true;
    };
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ';') {
            if (!flush()) return AppendResult::ConvertFailed;
        } else {
            token += c;
        }
    }
    if (!flush()) return AppendResult::ConvertFailed;
    if (bytes.empty()) return AppendResult::NoData;
    return Append(bytes);
}

std::vector<uint8_t> FrameComposer::TransmitCopy() const {
    std::vector<uint8_t> copy;
    copy.reserve(bytes_.size() * 2);
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        copy.push_back(bytes_[i]);
        if (bytes_[i] != kFrameEscape) continue;
        const bool pairFollows =
            i + 1 < bytes_.size() && (bytes_[i + 1] == kFrameHeader || bytes_[i + 1] == kFrameTail);
        if (!pairFollows) copy.push_back(kFrameEscape);
    }
    return copy;
}

std::string FrameComposer::TransmitText() const {
    std::string text;
    char item[12];
    for (const uint8_t byte : TransmitCopy()) {
        std::snprintf(item, sizeof item, "[0x%02X] ", byte);
        text += item;
    }
    return text;
}

}  // namespace tarsel::framebench
