#include "base/ini/text_encoding.h"

#include <cstdint>

#include "base/ini/code_page.h"
#include "base/ini/utf8.h"

namespace tarsel::ini {
namespace {

std::string DecodeUtf16(std::string_view bytes, bool little_endian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit_at = [&](std::size_t i) -> char16_t {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char16_t>(little_endian ? (b0 | (b1 << 8)) : ((b0 << 8) | b1));
    };
    std::size_t i = 0;
    while (i + 1 < bytes.size()) {
        const char16_t unit = unit_at(i);
        i += 2;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
            const char16_t low = unit_at(i);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                i += 2;
                AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
                continue;
            }
        }
        AppendUtf8(out, unit);  // lone surrogates become U+FFFD there
    }
    if (i < bytes.size()) AppendUtf8(out, kReplacementCharacter);  // odd trailing byte
    return out;
}

void AppendUtf16Unit(std::string& out, char16_t unit, bool little_endian) {
    const auto low = static_cast<char>(unit & 0xFF);
    const auto high = static_cast<char>(unit >> 8);
    if (little_endian) {
        out.push_back(low);
        out.push_back(high);
    } else {
        out.push_back(high);
        out.push_back(low);
    }
}

std::string EncodeUtf16(std::string_view utf8, bool little_endian) {
    std::string out;
    out.reserve(utf8.size() * 2 + 2);
    AppendUtf16Unit(out, 0xFEFF, little_endian);
    std::size_t pos = 0;
    bool valid = true;
    while (pos < utf8.size()) {
        const char32_t cp = NextUtf8(utf8, pos, valid);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            AppendUtf16Unit(out, static_cast<char16_t>(0xD800 + (v >> 10)), little_endian);
            AppendUtf16Unit(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), little_endian);
        } else {
            AppendUtf16Unit(out, static_cast<char16_t>(cp), little_endian);
        }
    }
    return out;
}

bool IsAscii(std::string_view bytes) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view kBomUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view kBomUtf16LE = "\xFF\xFE";
constexpr std::string_view kBomUtf16BE = "\xFE\xFF";

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    bool valid = true;
    while (pos < bytes.size() && valid) NextUtf8(bytes, pos, valid);
    return valid;
}

TextEncoding CodePageEncoding(int code_page) {
    return code_page == kCodePageKorean ? TextEncoding::Cp949 : TextEncoding::Cp1252;
}

TextEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kBomUtf8)) return TextEncoding::Utf8Bom;
    if (StartsWith(bytes, kBomUtf16LE)) return TextEncoding::Utf16LE;
    if (StartsWith(bytes, kBomUtf16BE)) return TextEncoding::Utf16BE;
    if (IsAscii(bytes)) return TextEncoding::Ansi;
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : CodePageEncoding(AnsiCodePage());
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            if (StartsWith(bytes, kBomUtf8)) bytes.remove_prefix(kBomUtf8.size());
            [[fallthrough]];
        case TextEncoding::Utf8: {
            if (IsValidUtf8(bytes)) return std::string(bytes);
            std::string out;
            std::size_t pos = 0;
            bool valid = true;
            while (pos < bytes.size()) AppendUtf8(out, NextUtf8(bytes, pos, valid));
            return out;
        }
        case TextEncoding::Utf16LE:
            if (StartsWith(bytes, kBomUtf16LE)) bytes.remove_prefix(2);
            return DecodeUtf16(bytes, true);
        case TextEncoding::Utf16BE:
            if (StartsWith(bytes, kBomUtf16BE)) bytes.remove_prefix(2);
            return DecodeUtf16(bytes, false);
        case TextEncoding::Ansi:
            return DecodeText(bytes, CodePageEncoding(AnsiCodePage()));
        case TextEncoding::Cp1252:
            return DecodeCp1252(bytes);
        case TextEncoding::Cp949:
            return DecodeCp949(bytes);
    }
    return std::string(bytes);
}

std::string EncodeText(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return std::string(utf8);
        case TextEncoding::Utf8Bom:
            return std::string(kBomUtf8) + std::string(utf8);
        case TextEncoding::Utf16LE:
            return EncodeUtf16(utf8, true);
        case TextEncoding::Utf16BE:
            return EncodeUtf16(utf8, false);
        case TextEncoding::Ansi:
            return EncodeText(utf8, CodePageEncoding(AnsiCodePage()));
        case TextEncoding::Cp1252:
            return EncodeCp1252(utf8);
        case TextEncoding::Cp949:
            return EncodeCp949(utf8);
    }
    return std::string(utf8);
}

TextEncoding WriteEncoding(std::string_view utf8, TextEncoding encoding) {
    if (encoding == TextEncoding::Ansi) encoding = CodePageEncoding(AnsiCodePage());
    if (encoding != TextEncoding::Cp1252 && encoding != TextEncoding::Cp949) return encoding;
    if (IsAscii(utf8)) return encoding;
    bool fits = true;
    if (encoding == TextEncoding::Cp1252) {
        EncodeCp1252(utf8, &fits);
    } else {
        EncodeCp949(utf8, &fits);
    }
    return fits ? encoding : TextEncoding::Utf16LE;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    std::size_t pos = 0;
    bool valid = true;
    while (pos < utf8.size()) {
        NextUtf8(utf8, pos, valid);
        ++count;
    }
    return count;
}

std::string Utf8Truncate(std::string_view utf8, std::size_t max_chars) {
    std::size_t pos = 0;
    std::size_t count = 0;
    bool valid = true;
    while (pos < utf8.size() && count < max_chars) {
        NextUtf8(utf8, pos, valid);
        ++count;
    }
    return std::string(utf8.substr(0, pos));
}

}  // namespace tarsel::ini
