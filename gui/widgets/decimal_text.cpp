#include "gui/widgets/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tarsel::widgets {

std::optional<int32_t> ParseDecimalValue(const QString& text) {
    const QString s = text.trimmed();
    int i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    int64_t value = 0;
    int digits = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i, ++digits) {
        value = value * 10 + (s[i].unicode() - u'0');
        // The integer part must fit the drive's 32-bit value.
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return std::nullopt;
    }
    if (i < s.size() && s[i] == u'.') {
        for (++i; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) ++digits;
    }
    if (digits == 0 || i != s.size()) return std::nullopt;
    if (negative) value = -value;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<double> ParseRealNumber(const QString& text) {
    QByteArray bytes = text.trimmed().toLatin1();
    // from_chars takes no plus sign; one is allowed in front of the number.
    if (bytes.startsWith('+')) {
        bytes.remove(0, 1);
        if (bytes.startsWith('+') || bytes.startsWith('-')) return std::nullopt;
    }
    if (bytes.isEmpty()) return std::nullopt;
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    double value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace tarsel::widgets
