#include "gui/views/number_text.h"

#include <limits>

namespace tarsel::views {
namespace {

// Digits with an optional leading minus; at most 11 characters so the value fits 64 bits.
std::optional<int64_t> ParseWhole(const QString& text, bool allowMinus) {
    if (text.isEmpty() || text.size() > 11) return std::nullopt;
    int i = 0;
    const bool negative = text[0] == QLatin1Char('-');
    if (negative) {
        if (!allowMinus) return std::nullopt;
        i = 1;
    }
    if (i >= text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<int32_t> ParseSigned(const QString& text) {
    const auto value = ParseWhole(text, true);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

std::optional<uint32_t> ParseUnsigned(const QString& text) {
    const auto value = ParseWhole(text, false);
    if (!value || *value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

}  // namespace tarsel::views
