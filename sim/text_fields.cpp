#include "sim/text_fields.h"

#include <cctype>

#include "base/ini/ini_file.h"

namespace tarsel::sim {

std::string Trim(std::string_view text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return std::string(text.substr(begin, end - begin));
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

bool IsCommentedOut(std::string_view key) {
    return !key.empty() && key.front() == '#';
}

std::optional<int32_t> LeadingNumber(std::string_view value) {
    const std::string number = Trim(value);
    std::size_t digit = 0;
    if (digit < number.size() && (number[digit] == '+' || number[digit] == '-')) ++digit;
    if (digit >= number.size() || !std::isdigit(static_cast<unsigned char>(number[digit])))
        return std::nullopt;
    return ini::ParseProfileInt(number, 0);
}

}  // namespace tarsel::sim
