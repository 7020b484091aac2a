// Text encodings of the INI files the programs read and write.
//
// Files are decoded to UTF-8 for all processing and encoded back when written.  The policy keeps
// files readable both here and by the Windows programs, which read a file without a byte order
// mark in their ANSI code page (see code_page.h) and one with a UTF-16 mark as Unicode:
//   - reading: a byte order mark decides; without one, a file that is valid UTF-8 is UTF-8 and any
//     other file is in the ANSI code page in use (949 or 1252);
//   - writing: a file keeps the encoding it has; a new file, a file of plain ASCII and a file in a
//     code page are written in the code page when all their text fits it, and as UTF-16LE with a
//     byte order mark when it does not (nothing is lost to '?').  UTF-8 with a byte order mark is
//     written only into a file that had one.
#pragma once

#include <string>
#include <string_view>

namespace tarsel::ini {

enum class TextEncoding {
    Ansi,     // no byte order mark and only ASCII bytes, or a new file: the ANSI code page in use
    Utf8,     // UTF-8 without byte order mark, holding non-ASCII text
    Utf8Bom,  // UTF-8 with the EF BB BF byte order mark
    Utf16LE,  // UTF-16 little-endian with the FF FE byte order mark
    Utf16BE,  // UTF-16 big-endian with the FE FF byte order mark
    Cp1252,   // Windows-1252 (Western), no byte order mark
    Cp949,    // code page 949 (Korean), no byte order mark
};

// The encoding of a code page number (949 or 1252; anything else is taken as 1252).
TextEncoding CodePageEncoding(int code_page);

// Detects the encoding of raw file bytes (see above).
TextEncoding DetectEncoding(std::string_view bytes);

// Decodes raw file bytes (byte order mark included) to UTF-8.  Malformed sequences become U+FFFD.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);

// Encodes UTF-8 text to the given encoding, byte order mark included.  Characters a code page cannot
// hold are written as '?', as the system's own conversion does.
std::string EncodeText(std::string_view utf8, TextEncoding encoding);

// The encoding in which text is written into a file read in `encoding` (see above): Ansi becomes
// the code page in use; a code page stays when the text fits it and becomes UTF-16LE otherwise;
// every other encoding stays.
TextEncoding WriteEncoding(std::string_view utf8, TextEncoding encoding);

// True when the bytes form valid UTF-8.
bool IsValidUtf8(std::string_view bytes);
// Number of characters (code points) of UTF-8 text, and the text cut to at most max_chars characters
// without splitting a character.
std::size_t Utf8Length(std::string_view utf8);
std::string Utf8Truncate(std::string_view utf8, std::size_t max_chars);

}  // namespace tarsel::ini
