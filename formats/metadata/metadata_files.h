// Where each board type's metadata lives, and the motor names of "MotorDefines.ini".
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace tarsel {

struct ParamDefaultFile {
    uint8_t board_type;        // 1, 10, 20, 30, 40, 110
    std::string_view file;     // file name beside the program
    std::string_view section;  // section of the parameter table
};

// The six tables in the order the program loads them: types 1, 20, 10, 30, 110, then 40.
inline constexpr std::array<ParamDefaultFile, 6> kParamDefaultFiles = {{
    {1, "Dorrin_ParamDefault.ini", "DORRIN_TEVRA"},
    {20, "Pellin_ParamDefault.ini", "PELLIN_TEVRA"},
    {10, "Ravelo_ParamDefault.ini", "RAVELO"},
    {30, "Dorrin_ABS_ParamDefault.ini", "DORRIN_TEVRA_ABS"},
    {110, "Ravelo2_ParamDefault.ini", "RAVELO2"},
    {40, "Dorrin_BLDC_ParamDefault.ini", "DORRIN_TEVRA_BLDC"},
}};

// The entry of a board type; none for a code without a table of its own.
const ParamDefaultFile* FindParamDefaultFile(uint8_t board_type);

inline constexpr std::string_view kMotorDefinesFile = "MotorDefines.ini";
inline constexpr std::string_view kMotorSection = "MOTOR_NUMBER";

// The motor names of "MotorDefines.ini": section "MOTOR_NUMBER", key = motor number in decimal,
// value = display name (at most 255 characters).
class MotorTable {
public:
    static constexpr std::size_t kMaxNameChars = 255;

    // Reads the file in the directory (default: the program's directory).  A missing file gives an
    // empty table.
    static MotorTable Load(const std::filesystem::path& directory = {});

    // The motor's name; empty when unknown.
    std::string GetMotorName(uint32_t motor_number) const;
    std::size_t size() const { return names_.size(); }

private:
    std::map<uint32_t, std::string> names_;
};

// One motor name read straight from the file (the board list reads one name per drive).
std::string ReadMotorName(uint32_t motor_number, const std::filesystem::path& directory = {});

}  // namespace tarsel
