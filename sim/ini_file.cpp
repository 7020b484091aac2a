#include "sim/ini_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tarsel::sim {
namespace {

// UTF-16 little-endian text (as written by some editors on the other platform) to bytes;
// characters outside ASCII become '?', which no key or number uses.
std::string FromUtf16(const std::string& raw) {
    std::string out;
    for (std::size_t i = 2; i + 1 < raw.size(); i += 2) {
        unsigned code = static_cast<unsigned char>(raw[i]) | (static_cast<unsigned char>(raw[i + 1]) << 8);
        out.push_back(code < 0x80 ? static_cast<char>(code) : '?');
    }
    return out;
}

}  // namespace

std::string Trim(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

std::string ToLower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> SplitTokens(const std::string& text, const std::string& separators) {
    std::vector<std::string> tokens;
    std::string current;
    for (char c : text) {
        if (separators.find(c) != std::string::npos) {
            if (!current.empty()) tokens.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) tokens.push_back(current);
    return tokens;
}

bool IniFile::Load(const std::string& path) {
    sections_.clear();
    order_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    std::string raw = buffer.str();
    if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
        static_cast<unsigned char>(raw[1]) == 0xFE)
        raw = FromUtf16(raw);
    else if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0)
        raw.erase(0, 3);
    return Parse(raw);
}

bool IniFile::Parse(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    Section* current = nullptr;
    while (std::getline(lines, line)) {
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
        if (trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            std::string name =
                Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            std::string key = ToLower(name);
            if (!sections_.count(key)) order_.push_back(name);
            current = &sections_[key];
            continue;
        }
        std::size_t eq = trimmed.find('=');
        if (!current || eq == std::string::npos) continue;
        std::string key = Trim(trimmed.substr(0, eq));
        std::string value = Trim(trimmed.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        auto& entries = current->entries;
        auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const auto& e) { return ToLower(e.first) == ToLower(key); });
        if (it == entries.end()) entries.emplace_back(key, value);  // the first occurrence wins
    }
    return true;
}

const IniFile::Section* IniFile::Find(const std::string& section) const {
    auto it = sections_.find(ToLower(section));
    return it == sections_.end() ? nullptr : &it->second;
}

bool IniFile::HasSection(const std::string& section) const {
    const Section* s = Find(section);
    return s && !s->entries.empty();
}

std::string IniFile::Get(const std::string& section, const std::string& key,
                         const std::string& fallback) const {
    const Section* s = Find(section);
    if (!s) return fallback;
    std::string lowered = ToLower(key);
    for (const auto& [k, v] : s->entries)
        if (ToLower(k) == lowered) return v;
    return fallback;
}

long long IniFile::GetInt(const std::string& section, const std::string& key, long long fallback) const {
    std::string value = Get(section, key);
    if (value.empty()) return fallback;
    char* end = nullptr;
    int base = (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) ? 16 : 10;
    long long parsed = std::strtoll(value.c_str(), &end, base);
    return end == value.c_str() ? fallback : parsed;
}

std::vector<std::string> IniFile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = Find(section))
        for (const auto& entry : s->entries) keys.push_back(entry.first);
    return keys;
}

}  // namespace tarsel::sim
