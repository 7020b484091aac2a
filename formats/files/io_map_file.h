// The pin sections of the I/O map file (.fit): "INPUT%d_MAP" and "OUTPUT%d_MAP" per pin index
// from 0, with "LogicNo" (assignable pins) and "Level" (pins that carry a signal).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ini/ini_file.h"

namespace tarsel::files {

struct IoPinSetting {
    uint32_t logic = 0;       // logic signal carried by the pin, 0 = none
    uint32_t level = 0;       // 0 low active, otherwise high active
    bool has_record = false;  // the pin carries a signal (a fixed pin always does)
};

struct IoMapSide {
    uint32_t fixed_count = 0;        // the first pins carry fixed signals; only their level counts
    std::vector<IoPinSetting> pins;  // one per physical pin
};

struct IoMapSettings {
    IoMapSide inputs;
    IoMapSide outputs;
};

std::string IoPinSection(bool output, uint32_t pin);

// Writes the pin sections: inputs 0..N-1, then outputs 0..M-1.  Fixed pins with a record get
// "Level"; assignable pins get "LogicNo" (0 without a record) and, with a record, "Level".
bool WriteIoMapSections(ini::IniFile& file, const IoMapSettings& settings);

// Writes a whole I/O map file: "Info"/"Model" first, then the pin sections; other sections and
// keys of an existing file stay.  The file is replaced in one step.
bool SaveIoMapFile(const std::filesystem::path& path, std::string_view model_name,
                   const IoMapSettings& settings);

// Reads the pin settings of a board with the given pin counts.  None when "INPUT0_MAP" is missing
// or empty.  Fixed pins read "Level" (their logic is their own signal, pin + 1); assignable pins
// read "LogicNo" (one byte) and "Level"; missing keys read as 0.
std::optional<IoMapSettings> ReadIoMapSections(const ini::IniFile& file, uint32_t input_pins,
                                               uint32_t fixed_inputs, uint32_t output_pins,
                                               uint32_t fixed_outputs);

}  // namespace tarsel::files
