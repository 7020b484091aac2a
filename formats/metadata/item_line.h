// Tokens of a metadata item line ("name|field|minimum|maximum|default", ...).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::metadata {

// Splits at '|'.  Consecutive separators count as one and leading or trailing separators give no
// token, as with the standard C tokenizer the files were designed for.
std::vector<std::string> SplitItemLine(std::string_view line);

// Decimal integer as the C conversion reads it: leading blanks, optional sign, digits up to the
// first other character; 0 when there are none.  Saturates at the limits of 32 bits.
int32_t ParseDecimal(std::string_view text);

// Decimal real as the C conversion reads it (longest valid prefix after leading blanks); 0 when
// there is none.  Independent of the process locale.
double ParseReal(std::string_view text);

std::string TrimBlanks(std::string_view text);
std::string TrimTrailingBlanks(std::string_view text);

// Cuts UTF-8 text to at most max_chars characters, or max_bytes bytes, without splitting one.
std::string LimitChars(std::string_view text, std::size_t max_chars);
std::string LimitBytes(std::string_view text, std::size_t max_bytes);

}  // namespace tarsel::metadata
