// Text encodings of the INI files the programs read and write.
//
// Files are decoded to UTF-8 for all processing and encoded back to the encoding they were read in,
// so that a rewrite never changes how a file is stored.
#pragma once

#include <string>
#include <string_view>

namespace tarsel::ini {

enum class TextEncoding {
    Utf8,     // UTF-8 without byte order mark (also used for new files; plain ASCII is identical)
    Utf8Bom,  // UTF-8 with the EF BB BF byte order mark
    Utf16LE,  // UTF-16 little-endian with the FF FE byte order mark
    Utf16BE,  // UTF-16 big-endian with the FE FF byte order mark
    Ansi,     // the Windows ANSI code page, taken as Windows-1252 (a superset of Latin-1)
};

// Detects the encoding of raw file bytes: a byte order mark decides; without one, bytes that form
// valid UTF-8 are UTF-8 and anything else is the ANSI code page.
TextEncoding DetectEncoding(std::string_view bytes);

// Decodes raw file bytes (byte order mark included) to UTF-8.  Malformed sequences become U+FFFD.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// Encodes UTF-8 text to the given encoding, byte order mark included.  Characters the ANSI code page
// cannot hold are written as '?', as the system's own conversion does.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);

// Number of characters (code points) of UTF-8 text, and the text cut to at most max_chars characters
// without splitting a character.
std::size_t Utf8Length(std::string_view utf8);
std::string Utf8Truncate(std::string_view utf8, std::size_t max_chars);

}  // namespace tarsel::ini
