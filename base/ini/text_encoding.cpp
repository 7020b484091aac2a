#include "base/ini/text_encoding.h"

#include <array>
#include <cstdint>

namespace tarsel::ini {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F.  The five bytes the code page leaves undefined map to the C1
// control with the same number, as the system's conversion does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Decodes one UTF-8 sequence starting at pos; advances pos.  Returns U+FFFD (consuming one byte)
// for a malformed sequence; valid is cleared then.
char32_t NextUtf8(std::string_view text, std::size_t& pos, bool& valid) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        valid = false;
        return kReplacement;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) {  // sequence cut off by the end
        ++pos;
        valid = false;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if ((byte & 0xC0) != 0x80) {
            ++pos;
            valid = false;
            return kReplacement;
        }
        cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        valid = false;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

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
    if (i < bytes.size()) AppendUtf8(out, kReplacement);  // odd trailing byte
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

std::string DecodeAnsi(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) {
            AppendUtf8(out, kCp1252High[byte - 0x80]);
        } else {
            AppendUtf8(out, byte);
        }
    }
    return out;
}

char ToAnsi(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string EncodeAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    bool valid = true;
    while (pos < utf8.size()) out.push_back(ToAnsi(NextUtf8(utf8, pos, valid)));
    return out;
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

TextEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kBomUtf8)) return TextEncoding::Utf8Bom;
    if (StartsWith(bytes, kBomUtf16LE)) return TextEncoding::Utf16LE;
    if (StartsWith(bytes, kBomUtf16BE)) return TextEncoding::Utf16BE;
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
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
            return DecodeAnsi(bytes);
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
            return EncodeAnsi(utf8);
    }
    return std::string(utf8);
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
