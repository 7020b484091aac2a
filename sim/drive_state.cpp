// What a simulated drive keeps over a power cycle, as text for the state files.
#include <cctype>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "base/ini/ini_file.h"
#include "sim/drive.h"
#include "sim/text_fields.h"

namespace tarsel::sim {
namespace {

// A key that is a decimal number as a whole ("12"); none for anything else ("#12", "x").
std::optional<unsigned long> WholeNumber(const std::string& text) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) return std::nullopt;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str(), &end, 10);
    return *end == '\0' ? std::optional(value) : std::nullopt;
}

}  // namespace

std::string Drive::SaveNonVolatile() const {
    std::ostringstream out;
    out << "[Drive]\nModel=" << config_.modelCode << "\n\n[Parameters]\n";
    for (std::size_t i = 0; i < romParams_.size(); ++i) out << i << '=' << romParams_[i] << '\n';
    if (!bldcRom_.empty()) {
        out << "\n[BldcParameters]\n";
        for (const auto& [key, value] : bldcRom_)
            out << unsigned{key.first} << '.' << key.second << '=' << value << '\n';
    }
    auto map = [&](const char* section, const std::vector<PinAssignment>& pins) {
        out << '\n' << section << '\n';
        for (std::size_t i = 0; i < pins.size(); ++i)
            out << i << '=' << unsigned{pins[i].signal} << ',' << unsigned{pins[i].level} << '\n';
    };
    map("[InputMap]", romInputMap_);
    map("[OutputMap]", romOutputMap_);
    return out.str();
}

void Drive::LoadNonVolatile(const std::string& iniText) {
    const ini::IniFile ini = ini::IniFile::FromBytes(iniText);
    // A value that is no number keeps what the drive has.
    auto number = [&](const char* section, const std::string& key, int32_t current) {
        return LeadingNumber(ini.GetString(section, key)).value_or(current);
    };
    if (number("Drive", "Model", -1) != config_.modelCode) return;  // another drive's file
    // Keys that are no parameter number ("#3" of a commented-out line, a stray word) are skipped.
    for (const std::string& key : ini.KeyNames("Parameters")) {
        const std::optional<unsigned long> index = WholeNumber(key);
        if (index && *index < romParams_.size())
            romParams_[*index] = number("Parameters", key, romParams_[*index]);
    }
    for (const std::string& key : ini.KeyNames("BldcParameters")) {
        std::vector<std::string> parts = SplitTokens(key, ".");
        if (parts.size() != 2) continue;
        const std::optional<unsigned long> category = WholeNumber(parts[0]), item = WholeNumber(parts[1]);
        if (!category || !item || *category > 255) continue;
        const std::pair<uint8_t, uint32_t> id{static_cast<uint8_t>(*category), static_cast<uint32_t>(*item)};
        if (auto it = bldcRom_.find(id); it != bldcRom_.end())
            it->second = number("BldcParameters", key, it->second);
    }
    auto map = [&](const char* section, std::vector<PinAssignment>& pins) {
        for (std::size_t i = 0; i < pins.size(); ++i) {
            std::vector<std::string> parts = SplitTokens(ini.GetString(section, std::to_string(i)), ",");
            if (parts.size() != 2) continue;
            pins[i].signal = static_cast<uint8_t>(std::strtoul(parts[0].c_str(), nullptr, 10));
            pins[i].level = std::strtoul(parts[1].c_str(), nullptr, 10) ? 1 : 0;
        }
    };
    map("InputMap", romInputMap_);
    map("OutputMap", romOutputMap_);
    // Power-up: the working copies come from the non-volatile ones.
    params_ = romParams_;
    bldc_ = bldcRom_;
    inputMap_ = romInputMap_;
    outputMap_ = romOutputMap_;
}

}  // namespace tarsel::sim
