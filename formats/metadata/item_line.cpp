#include "formats/metadata/item_line.h"

#include <charconv>
#include <limits>

#include "base/ini/text_encoding.h"

namespace tarsel::metadata {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view SkipLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

}  // namespace

std::vector<std::string> SplitItemLine(std::string_view line) {
    std::vector<std::string> tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const auto start = line.find_first_not_of('|', pos);
        if (start == std::string_view::npos) break;
        auto end = line.find('|', start);
        if (end == std::string_view::npos) end = line.size();
        tokens.emplace_back(line.substr(start, end - start));
        pos = end;
    }
    return tokens;
}

int32_t ParseDecimal(std::string_view text) {
    text = SkipLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

double ParseReal(std::string_view text) {
    text = SkipLeadingBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{}) return 0.0;
    return negative ? -value : value;
}

std::string TrimBlanks(std::string_view text) {
    text = SkipLeadingBlanks(text);
    return TrimTrailingBlanks(text);
}

std::string TrimTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string LimitChars(std::string_view text, std::size_t max_chars) {
    return ini::Utf8Truncate(text, max_chars);
}

std::string LimitBytes(std::string_view text, std::size_t max_bytes) {
    if (text.size() <= max_bytes) return std::string(text);
    std::size_t cut = max_bytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // no split character
    return std::string(text.substr(0, cut));
}

}  // namespace tarsel::metadata
