// The edits of the test views take whole decimal numbers only: an optional minus sign and digits,
// nothing else, within the range of the value's type.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tarsel::views {

std::optional<int32_t> ParseSigned(const QString& text);
std::optional<uint32_t> ParseUnsigned(const QString& text);

}  // namespace tarsel::views
