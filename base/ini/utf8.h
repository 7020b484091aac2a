// Single characters of UTF-8 text, for the encoders and decoders of this module.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarsel::ini {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends a code point as UTF-8; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// Decodes the UTF-8 sequence starting at pos and advances pos past it.  A malformed sequence gives
// U+FFFD, consumes one byte and clears `valid`.
char32_t NextUtf8(std::string_view text, std::size_t& pos, bool& valid);

}  // namespace tarsel::ini
