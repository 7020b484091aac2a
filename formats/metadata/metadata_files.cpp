#include "formats/metadata/metadata_files.h"

#include "base/files/program_directory.h"
#include "base/ini/ini_file.h"
#include "base/ini/profile.h"

namespace tarsel {
namespace {

std::filesystem::path MotorFilePath(const std::filesystem::path& directory) {
    const std::filesystem::path base =
        directory.empty() ? std::filesystem::path(ExecutableDirectory()) : directory;
    return base / kMotorDefinesFile;
}

// A key that is a plain decimal number as written by the file's authors ("7", not "07" or "+7").
bool IsCanonicalNumber(const std::string& key, uint32_t& number) {
    if (key.empty() || key.size() > 10 || (key.size() > 1 && key.front() == '0')) return false;
    uint64_t value = 0;
    for (const char c : key) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return false;
    number = static_cast<uint32_t>(value);
    return true;
}

}  // namespace

const ParamDefaultFile* FindParamDefaultFile(uint8_t board_type) {
    for (const auto& entry : kParamDefaultFiles) {
        if (entry.board_type == board_type) return &entry;
    }
    return nullptr;
}

MotorTable MotorTable::Load(const std::filesystem::path& directory) {
    MotorTable table;
    const auto file = ini::IniFile::Load(MotorFilePath(directory));
    if (!file) return table;
    for (const std::string& key : file->KeyNames(kMotorSection)) {
        uint32_t number = 0;
        if (!IsCanonicalNumber(key, number) || table.names_.count(number) != 0) continue;
        table.names_[number] = file->GetString(kMotorSection, key, {}, kMaxNameChars);
    }
    return table;
}

std::string MotorTable::GetMotorName(uint32_t motor_number) const {
    const auto it = names_.find(motor_number);
    return it == names_.end() ? std::string() : it->second;
}

std::string ReadMotorName(uint32_t motor_number, const std::filesystem::path& directory) {
    return ini::ReadProfileString(MotorFilePath(directory), kMotorSection, std::to_string(motor_number), {},
                                  MotorTable::kMaxNameChars);
}

}  // namespace tarsel
