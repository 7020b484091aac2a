// The number rule of the value edits: the text must be a whole decimal number ("12", "-3",
// "1.9", ".5"); its value is the integer part, so "1.9" gives 1.  Anything else ("", "12a",
// "1e3", a value beyond 32 bits) is not a number.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tarsel::widgets {

std::optional<int32_t> ParseDecimalValue(const QString& text);

}  // namespace tarsel::widgets
