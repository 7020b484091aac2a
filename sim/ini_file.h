// A small reader of profile (INI) files: sections of key = value lines, looked up without regard
// to case, as the platform's profile functions do.  Used for the line files of drivesim, for the
// state files and for the metadata files of the drives.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tarsel::sim {

class IniFile {
public:
    // False when the file cannot be read; the object is then empty.
    bool Load(const std::string& path);
    bool Parse(const std::string& text);

    bool HasSection(const std::string& section) const;
    // The value of a key, or `fallback` when the section or key is missing.
    std::string Get(const std::string& section, const std::string& key,
                    const std::string& fallback = {}) const;
    long long GetInt(const std::string& section, const std::string& key, long long fallback) const;
    // Section names in file order.
    std::vector<std::string> Sections() const { return order_; }
    // Keys of a section in file order.
    std::vector<std::string> Keys(const std::string& section) const;

private:
    struct Section {
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* Find(const std::string& section) const;
    std::map<std::string, Section> sections_;  // key: lower-cased name
    std::vector<std::string> order_;
};

std::string Trim(const std::string& text);
std::string ToLower(std::string text);
// Tokens separated by any of `separators`; runs of separators count as one.
std::vector<std::string> SplitTokens(const std::string& text, const std::string& separators);

}  // namespace tarsel::sim
