#include "base/ini/code_page.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <initializer_list>

#include "base/ini/utf8.h"

namespace tarsel::ini {
namespace {

// 0: choose by the environment; otherwise the code page the program fixed.
std::atomic<int> g_fixed_code_page{0};

// Windows-1252 bytes 0x80..0x9F (the five undefined ones map to the C1 control of that number).
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsSupported(int code_page) {
    return code_page == kCodePageWestern || code_page == kCodePageKorean;
}

int CodePageFromVariable() {
    const char* value = std::getenv(kCodePageVariable);
    if (value == nullptr) return 0;
    const std::string_view text(value);
    if (text == "949") return kCodePageKorean;
    if (text == "1252") return kCodePageWestern;
    return 0;
}

// The user interface language as the C library's message catalogues pick it.
std::string_view UiLanguage() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return {};
}

char ToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
    }
    return '\0';
}

// One conversion descriptor of the C library, closed with its owner.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) ::iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much of the input as possible, appending to out; the input is advanced past what
    // was converted.  Returns 0 when everything was converted, else the errno of the stop
    // (EILSEQ: a character the other side cannot take or a malformed one; EINVAL: cut off).
    int Convert(std::string_view& input, std::string& out) {
        std::array<char, 256> buffer{};
        while (!input.empty()) {
            char* in = const_cast<char*>(input.data());
            std::size_t in_left = input.size();
            char* out_ptr = buffer.data();
            std::size_t out_left = buffer.size();
            const std::size_t result = ::iconv(handle_, &in, &in_left, &out_ptr, &out_left);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            out.append(buffer.data(), buffer.size() - out_left);
            input.remove_prefix(input.size() - in_left);
            if (error != 0 && error != E2BIG) return error;
        }
        return 0;
    }

private:
    iconv_t handle_;
};

constexpr const char* kCp949Name = "CP949";

// Bytes 0x80..0xFF that start no character of code page 949 (stray bytes of a hand-edited file,
// the code page's user-defined area) read as these private-use characters and are written back
// as the same byte, so a rewrite of a file never changes or loses them.
constexpr char32_t kByteEscapeFirst = 0xF780;
constexpr char32_t kByteEscapeLast = 0xF7FF;

}  // namespace

int AnsiCodePage() {
    const int fixed = g_fixed_code_page.load();
    if (fixed != 0) return fixed;
    const int from_variable = CodePageFromVariable();
    if (from_variable != 0) return from_variable;
    return CodePageForLanguage(UiLanguage());
}

bool SetAnsiCodePage(int code_page) {
    if (code_page != 0 && !IsSupported(code_page)) return false;
    g_fixed_code_page.store(code_page);
    return true;
}

int CodePageForLanguage(std::string_view language) {
    const bool korean = language.size() >= 2 && (language[0] == 'k' || language[0] == 'K') &&
                        (language[1] == 'o' || language[1] == 'O') &&
                        (language.size() == 2 || language[2] == '_' || language[2] == '-' ||
                         language[2] == '.' || language[2] == ':' || language[2] == '@');
    return korean ? kCodePageKorean : kCodePageWestern;
}

std::string DecodeCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, (byte >= 0x80 && byte <= 0x9F) ? kCp1252High[byte - 0x80] : byte);
    }
    return out;
}

std::string EncodeCp1252(std::string_view utf8, bool* fits) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    bool valid = true;
    while (pos < utf8.size()) {
        const char32_t cp = NextUtf8(utf8, pos, valid);
        const char byte = ToCp1252(cp);
        const bool mapped = byte != '\0' || cp == 0;
        if (!mapped && fits != nullptr) *fits = false;
        out.push_back(mapped ? byte : '?');
    }
    if (!valid && fits != nullptr) *fits = false;
    return out;
}

std::string DecodeCp949(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    Converter converter("UTF-8", kCp949Name);
    while (!bytes.empty()) {
        if (!converter.ok() || converter.Convert(bytes, out) != 0) {
            // A byte that starts no character of the code page: kept as its escape character.
            const auto byte = static_cast<unsigned char>(bytes.front());
            AppendUtf8(out, byte < 0x80 ? byte : kByteEscapeFirst + (byte - 0x80));
            bytes.remove_prefix(1);
        }
    }
    return out;
}

std::string EncodeCp949(std::string_view utf8, bool* fits) {
    std::string out;
    out.reserve(utf8.size());
    Converter converter(kCp949Name, "UTF-8");
    while (!utf8.empty()) {
        if (!converter.ok() || converter.Convert(utf8, out) != 0) {
            std::size_t length = 0;
            bool valid = true;
            const char32_t cp = NextUtf8(utf8, length, valid);
            if (cp < 0x80) {
                out.push_back(static_cast<char>(cp));  // only without a converter
            } else if (cp >= kByteEscapeFirst && cp <= kByteEscapeLast) {
                out.push_back(static_cast<char>(cp - kByteEscapeFirst + 0x80));  // the byte read
            } else {
                // A character the code page cannot hold (or malformed UTF-8): '?' in its place.
                out.push_back('?');
                if (fits != nullptr) *fits = false;
            }
            utf8.remove_prefix(length);
        }
    }
    return out;
}

}  // namespace tarsel::ini
