#include "base/ini/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/ini/atomic_file.h"

namespace tarsel::ini {
namespace {

constexpr std::string_view kBlanks = " \t\v\f";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Line breaks would split the line; a NUL would cut the value short on reading.
bool HasUnstorableCharacter(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

constexpr char kEndOfFileMark = '\x1A';

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

int32_t ParseProfileInt(std::string_view text, int32_t fallback) {
    if (text.empty()) return fallback;
    std::size_t pos = 0;
    while (pos < text.size() && kBlanks.find(text[pos]) != std::string_view::npos) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    uint32_t base = 10;
    if (pos + 1 < text.size() && text[pos] == '0') {
        const char prefix = text[pos + 1];  // lower case only: "0X1F" is 0 followed by text
        if (prefix == 'x') base = 16;
        if (prefix == 'o') base = 8;
        if (prefix == 'b') base = 2;
        if (base != 10) pos += 2;
    }
    uint32_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = LowerAscii(text[pos]);
        uint32_t digit = base;
        if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
        if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
        if (digit >= base) break;
        value = value * base + digit;
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}

IniFile::Line IniFile::ParseLine(std::string text, std::string eol) {
    Line line;
    line.eol = std::move(eol);
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        line.kind = LineKind::Blank;
    } else if (trimmed.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (trimmed.front() == '[' && trimmed.find(']') != std::string_view::npos) {
        line.kind = LineKind::Section;
        std::string_view name = trimmed.substr(1);
        name = name.substr(0, name.rfind(']'));
        line.name = std::string(Trim(name));
    } else {
        const auto equals = trimmed.find('=');
        if (equals == std::string_view::npos) {
            line.kind = LineKind::Other;
            line.name = std::string(trimmed);
        } else {
            line.kind = LineKind::Entry;
            line.name = std::string(Trim(trimmed.substr(0, equals)));
            const std::string_view value = Trim(trimmed.substr(equals + 1));
            line.value = std::string(value.substr(0, value.find('\0')));
        }
    }
    line.text = std::move(text);
    return line;
}

IniFile IniFile::FromBytes(std::string_view bytes) {
    IniFile file;
    file.encoding_ = DetectEncoding(bytes);
    std::string text = DecodeText(bytes, file.encoding_);
    if (!text.empty() && text.back() == kEndOfFileMark) {
        text.pop_back();
        file.end_of_file_mark_ = true;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            file.lines_.push_back(ParseLine(text.substr(start), ""));
            break;
        }
        // CR LF and LF CR are one line end each; a lone CR or LF ends a line as well.  In "\n\r\n"
        // the CR belongs to the CR LF that follows.
        std::size_t eol_size = 1;
        if (end + 1 < text.size()) {
            const char next = text[end + 1];
            if (text[end] == '\r' && next == '\n') eol_size = 2;
            if (text[end] == '\n' && next == '\r' && (end + 2 >= text.size() || text[end + 2] != '\n')) {
                eol_size = 2;
            }
        }
        file.lines_.push_back(ParseLine(text.substr(start, end - start), text.substr(end, eol_size)));
        start = end + eol_size;
    }
    return file;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    bool ok = false;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char buffer[8192];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            if (n == 0) {
                ok = true;
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return FromBytes(bytes);
}

std::string IniFile::ToBytes() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.eol;
    }
    if (end_of_file_mark_) text += kEndOfFileMark;
    return EncodeText(text, WriteEncoding(text, encoding_));
}

bool IniFile::Save(const std::filesystem::path& path) const {
    return ReplaceFileContents(path, ToBytes());
}

IniFile::SectionSpan IniFile::LeadingLines() const {
    SectionSpan span{0, 0, false};
    while (span.end < lines_.size() && lines_[span.end].kind != LineKind::Section) ++span.end;
    return span;
}

bool IniFile::HasKeyLines(const SectionSpan& span) const {
    for (std::size_t i = span.body; i < span.end; ++i) {
        if (lines_[i].kind == LineKind::Entry || lines_[i].kind == LineKind::Other) return true;
    }
    return false;
}

std::optional<IniFile::SectionSpan> IniFile::FindSection(std::string_view section) const {
    const std::string_view wanted = Trim(section);
    if (wanted.empty()) {
        const SectionSpan leading = LeadingLines();
        if (HasKeyLines(leading)) return leading;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != LineKind::Section || !NamesEqual(lines_[i].name, wanted)) continue;
        SectionSpan span{i + 1, i + 1, true};
        while (span.end < lines_.size() && lines_[span.end].kind != LineKind::Section) ++span.end;
        return span;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKeyLine(const SectionSpan& span, std::string_view key) const {
    const std::string_view wanted = Trim(key);
    for (std::size_t i = span.body; i < span.end; ++i) {
        if (lines_[i].kind == LineKind::Entry && NamesEqual(lines_[i].name, wanted)) return i;
    }
    return std::nullopt;
}

bool IniFile::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind != LineKind::Section) continue;
        bool seen = false;
        for (const auto& name : names) seen = seen || NamesEqual(name, line.name);
        if (!seen) names.push_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::SectionEntries(std::string_view section) const {
    std::vector<std::string> entries;
    const auto span = FindSection(section);
    if (!span) return entries;
    for (std::size_t i = span->body; i < span->end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::Entry) entries.push_back(line.name + "=" + line.value);
        if (line.kind == LineKind::Other) entries.push_back(line.name);
    }
    return entries;
}

std::vector<std::string> IniFile::KeyNames(std::string_view section) const {
    std::vector<std::string> keys;
    const auto span = FindSection(section);
    if (!span) return keys;
    for (std::size_t i = span->body; i < span->end; ++i) {
        if (lines_[i].kind == LineKind::Entry) keys.push_back(lines_[i].name);
    }
    return keys;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key) const {
    const auto span = FindSection(section);
    if (!span) return std::nullopt;
    const auto index = FindKeyLine(*span, key);
    if (!index) return std::nullopt;
    return std::string(Unquote(lines_[*index].value));
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view fallback,
                               std::size_t max_chars) const {
    const auto value = Find(section, key);
    const std::string_view text = value ? std::string_view(*value) : fallback;
    if (max_chars == std::string::npos) return std::string(text);
    return Utf8Truncate(text, max_chars);
}

int32_t IniFile::GetInt(std::string_view section, std::string_view key, int32_t fallback) const {
    const auto value = Find(section, key);
    return value ? ParseProfileInt(*value, fallback) : fallback;
}

std::string IniFile::NewLineEnding() const {
    for (const Line& line : lines_) {
        if (!line.eol.empty()) return line.eol;
    }
    return "\r\n";
}

void IniFile::EnsureLastLineEnded() {
    if (!lines_.empty() && lines_.back().eol.empty()) lines_.back().eol = NewLineEnding();
}

bool IniFile::SetString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view section_name = Trim(section);
    const std::string_view key_name = Trim(key);
    if (HasUnstorableCharacter(section) || HasUnstorableCharacter(key) || HasUnstorableCharacter(value)) {
        return false;
    }
    if (section_name.find(']') != std::string_view::npos) return false;
    if (key_name.empty() || key_name.find('=') != std::string_view::npos || key_name.front() == '[' ||
        key_name.front() == ';') {
        return false;
    }
    const std::string eol = NewLineEnding();
    auto span = FindSection(section_name);
    if (!span && section_name.empty()) span = LeadingLines();  // keys before the first header
    if (!span) {
        EnsureLastLineEnded();
        if (!lines_.empty() && lines_.back().kind != LineKind::Blank) lines_.push_back(ParseLine("", eol));
        lines_.push_back(ParseLine("[" + std::string(section_name) + "]", eol));
        lines_.push_back(ParseLine(std::string(key_name) + "=" + std::string(value), eol));
        return true;
    }
    if (const auto index = FindKeyLine(*span, key_name)) {
        Line& line = lines_[*index];
        line = ParseLine(line.name + "=" + std::string(value), line.eol);
        return true;
    }
    std::size_t insert_at = span->body;
    for (std::size_t i = span->body; i < span->end; ++i) {
        const LineKind kind = lines_[i].kind;
        // Before the first header, a new key also follows the comments that open the file.
        const bool follow = kind == LineKind::Entry || kind == LineKind::Other ||
                            (!span->has_header && kind == LineKind::Comment);
        if (follow) insert_at = i + 1;
    }
    if (insert_at == lines_.size()) EnsureLastLineEnded();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                  ParseLine(std::string(key_name) + "=" + std::string(value), eol));
    return true;
}

bool IniFile::SetInt(std::string_view section, std::string_view key, int64_t value) {
    return SetString(section, key, std::to_string(value));
}

bool IniFile::DeleteKey(std::string_view section, std::string_view key) {
    const auto span = FindSection(section);
    if (!span) return false;
    const auto index = FindKeyLine(*span, key);
    if (!index) return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
}

bool IniFile::DeleteSection(std::string_view section) {
    const auto span = FindSection(section);
    if (!span) return false;
    if (!span->has_header) {
        // Only the key lines go; comments and blank lines at the top of the file stay.
        for (std::size_t i = span->end; i-- > span->body;) {
            const LineKind kind = lines_[i].kind;
            if (kind == LineKind::Entry || kind == LineKind::Other) {
                lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        return true;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->body - 1),
                 lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
    return true;
}

void IniFile::Clear() {
    lines_.clear();
    end_of_file_mark_ = false;
}

}  // namespace tarsel::ini
