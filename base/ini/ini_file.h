// A parsed INI file with the semantics of the Windows profile functions.
//
// Reading rules:
//   - a line ends at LF, CR, CR LF or LF CR; a Ctrl-Z (0x1A) at the very end of the file is an
//     end-of-file mark, not text (it is kept when the file is written);
//   - section and key names are matched without regard to ASCII letter case; the first matching
//     section and, inside it, the first matching key win;
//   - a line is a section header only when it starts with '[' and holds a ']' ("[a" is a key line);
//   - names and values are trimmed of leading and trailing blanks and tabs; a NUL character ends a
//     value; a value enclosed in a matching pair of double or single quotes is returned without
//     them;
//   - lines starting with ';' are comments;
//   - the key lines before the first section header form the section with the empty name; when
//     there are none, a "[]" section takes that name;
//   - a key that is present with an empty value reads as an empty text, not as the default.
// Writing rules:
//   - an existing key is rewritten in place ("key=value", keeping the key's spelling); every other
//     line (sections, keys, comments, blank lines, line endings) stays as it was;
//   - a new key goes right after the last key line of its section; a new key of the empty section
//     name goes before the first section header;
//   - a new section goes at the end of the file, after a blank line;
//   - the encoding follows WriteEncoding (text_encoding.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini/text_encoding.h"

namespace tarsel::ini {

class IniFile {
public:
    IniFile() = default;

    // Parses raw file bytes (any supported encoding; the encoding is detected and remembered).
    static IniFile FromBytes(std::string_view bytes);
    // Reads and parses a file; none when it is not a regular file or cannot be read.
    static std::optional<IniFile> Load(const std::filesystem::path& path);

    // The file's bytes, in the encoding WriteEncoding chooses for its text.
    std::string ToBytes() const;
    // Replaces the file safely (new file renamed over the old one).  False on any failure, in which
    // case the old file is untouched.
    bool Save(const std::filesystem::path& path) const;

    // The encoding the file was read in (Ansi for a new file).
    TextEncoding encoding() const { return encoding_; }
    void set_encoding(TextEncoding encoding) { encoding_ = encoding; }

    // --- reading ---
    bool HasSection(std::string_view section) const;
    // Names of all sections in file order (each name once, spelled as at its first occurrence).
    std::vector<std::string> SectionNames() const;
    // The key lines of a section as "key=value" (trimmed), like the section read of the profile
    // functions; lines without '=' are listed as they stand.  Empty for a missing section.
    std::vector<std::string> SectionEntries(std::string_view section) const;
    // The key names of a section in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The value of a key (trimmed and unquoted), none when the section or the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The value of a key or the default; cut to at most max_chars characters.
    std::string GetString(std::string_view section, std::string_view key, std::string_view fallback = {},
                          std::size_t max_chars = std::string::npos) const;
    // The integer value of a key (see ParseProfileInt); the default when the key is missing or empty.
    int32_t GetInt(std::string_view section, std::string_view key, int32_t fallback) const;

    // --- writing ---
    // Sets a key, creating the section and the key when needed.  False (and nothing changed) for
    // names or values that cannot be stored in an INI line: line breaks or NUL characters anywhere,
    // an empty key, a key holding '=' or starting with '[' or ';', a section name holding ']'.
    bool SetString(std::string_view section, std::string_view key, std::string_view value);
    bool SetInt(std::string_view section, std::string_view key, int64_t value);
    // Removes the first matching key line; false when there was none.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes the first matching section with all its lines (for the empty name: the key lines
    // before the first section header); false when there was none.
    bool DeleteSection(std::string_view section);
    // Removes everything (the encoding stays).
    void Clear();

private:
    enum class LineKind { Blank, Comment, Section, Entry, Other };
    struct Line {
        std::string text;  // the line as read, without its line ending
        std::string eol;   // "\r\n", "\n", "\r", "\n\r" or "" (last line without ending)
        LineKind kind = LineKind::Blank;
        std::string name;   // section name or key name, trimmed
        std::string value;  // value of an entry, trimmed and cut at a NUL (quotes kept)
    };
    struct SectionSpan {
        std::size_t body = 0;    // first line after the "[name]" line (0 before any header)
        std::size_t end = 0;     // one past its last line (next header or end of file)
        bool has_header = true;  // false for the lines before the first header
    };

    static Line ParseLine(std::string text, std::string eol);
    SectionSpan LeadingLines() const;
    bool HasKeyLines(const SectionSpan& span) const;
    std::optional<SectionSpan> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKeyLine(const SectionSpan& span, std::string_view key) const;
    std::string NewLineEnding() const;
    void EnsureLastLineEnded();

    std::vector<Line> lines_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    bool end_of_file_mark_ = false;  // a Ctrl-Z followed the last line
};

// Integer conversion of a profile value, as the integer read of the profile functions does it:
// an empty text gives the default; otherwise leading blanks are skipped, an optional '+' or '-' is
// taken, then an optional base prefix ("0x" hexadecimal, "0o" octal, "0b" binary; decimal without
// one; the prefix letter is lower case only, so "0X1F" reads as 0) and the digits of that base up
// to the first other character.  No digits give 0.  The value
// wraps around modulo 2^32 like the 32-bit result of the system function.
int32_t ParseProfileInt(std::string_view text, int32_t fallback);

// ASCII case-insensitive comparison used for section and key names.
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace tarsel::ini
