// The number rule of the value edits: the text must be a whole decimal number ("12", "-3",
// "1.9", ".5"); its value is the integer part, so "1.9" gives 1.  Anything else ("", "12a",
// "1e3", a value beyond 32 bits) is not a number.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tarsel::widgets {

std::optional<int32_t> ParseDecimalValue(const QString& text);

// The real number rule: the whole text (blanks around it aside) is one finite decimal real
// number with an optional sign and exponent ("12", "-0.5", ".5", "1e2").  An unfinished number
// ("1e", "-", "."), anything after it, infinities and not-a-number are refused.  The decimal
// point is always ".", whatever the locale.
std::optional<double> ParseRealNumber(const QString& text);

}  // namespace tarsel::widgets
