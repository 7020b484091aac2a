#include "formats/files/io_map_file.h"

#include "formats/files/drive_file_header.h"

namespace tarsel::files {
namespace {

constexpr std::string_view kLogicKey = "LogicNo";
constexpr std::string_view kLevelKey = "Level";

bool WriteSide(ini::IniFile& file, bool output, const IoMapSide& side) {
    for (uint32_t pin = 0; pin < side.pins.size(); ++pin) {
        const IoPinSetting& setting = side.pins[pin];
        const std::string section = IoPinSection(output, pin);
        if (pin >= side.fixed_count) {
            const uint32_t logic = setting.has_record ? setting.logic : 0;
            if (!file.SetInt(section, kLogicKey, logic)) return false;
        }
        if (setting.has_record && !file.SetInt(section, kLevelKey, setting.level)) return false;
    }
    return true;
}

IoMapSide ReadSide(const ini::IniFile& file, bool output, uint32_t pin_count, uint32_t fixed_count) {
    IoMapSide side;
    side.fixed_count = fixed_count;
    side.pins.resize(pin_count);
    for (uint32_t pin = 0; pin < pin_count; ++pin) {
        const std::string section = IoPinSection(output, pin);
        IoPinSetting& setting = side.pins[pin];
        setting.logic =
            pin < fixed_count ? pin + 1 : static_cast<uint32_t>(file.GetInt(section, kLogicKey, 0)) & 0xFF;
        setting.level = static_cast<uint32_t>(file.GetInt(section, kLevelKey, 0));
        setting.has_record = setting.logic != 0;
    }
    return side;
}

}  // namespace

std::string IoPinSection(bool output, uint32_t pin) {
    return std::string(output ? "OUTPUT" : "INPUT") + std::to_string(pin) + "_MAP";
}

bool WriteIoMapSections(ini::IniFile& file, const IoMapSettings& settings) {
    return WriteSide(file, false, settings.inputs) && WriteSide(file, true, settings.outputs);
}

bool SaveIoMapFile(const std::filesystem::path& path, std::string_view model_name,
                   const IoMapSettings& settings) {
    auto file = OpenForUpdate(path);
    if (!file) return false;
    return WriteFileModel(*file, model_name) && WriteIoMapSections(*file, settings) && file->Save(path);
}

std::optional<IoMapSettings> ReadIoMapSections(const ini::IniFile& file, uint32_t input_pins,
                                               uint32_t fixed_inputs, uint32_t output_pins,
                                               uint32_t fixed_outputs) {
    if (!HasEntries(file, IoPinSection(false, 0))) return std::nullopt;
    IoMapSettings settings;
    settings.inputs = ReadSide(file, false, input_pins, fixed_inputs);
    settings.outputs = ReadSide(file, true, output_pins, fixed_outputs);
    return settings;
}

}  // namespace tarsel::files
