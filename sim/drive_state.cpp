// What a simulated drive keeps over a power cycle, as text for the state files.
#include <cstdlib>
#include <sstream>

#include "sim/drive.h"
#include "sim/ini_file.h"

namespace tarsel::sim {

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
    IniFile ini;
    ini.Parse(iniText);
    if (ini.GetInt("Drive", "Model", -1) != config_.modelCode) return;  // another drive's file
    for (const std::string& key : ini.Keys("Parameters")) {
        long index = std::strtol(key.c_str(), nullptr, 10);
        if (index >= 0 && static_cast<std::size_t>(index) < romParams_.size())
            romParams_[static_cast<std::size_t>(index)] = static_cast<int32_t>(
                ini.GetInt("Parameters", key, romParams_[static_cast<std::size_t>(index)]));
    }
    for (const std::string& key : ini.Keys("BldcParameters")) {
        std::vector<std::string> parts = SplitTokens(key, ".");
        if (parts.size() != 2) continue;
        std::pair<uint8_t, uint32_t> id{static_cast<uint8_t>(std::strtoul(parts[0].c_str(), nullptr, 10)),
                                        static_cast<uint32_t>(std::strtoul(parts[1].c_str(), nullptr, 10))};
        if (auto it = bldcRom_.find(id); it != bldcRom_.end())
            it->second = static_cast<int32_t>(ini.GetInt("BldcParameters", key, it->second));
    }
    auto map = [&](const char* section, std::vector<PinAssignment>& pins) {
        for (std::size_t i = 0; i < pins.size(); ++i) {
            std::vector<std::string> parts = SplitTokens(ini.Get(section, std::to_string(i)), ",");
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
