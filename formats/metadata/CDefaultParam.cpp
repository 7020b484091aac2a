#include "formats/metadata/CDefaultParam.h"

#include "base/files/program_directory.h"
#include "base/ini/ini_file.h"

namespace tarsel {
namespace {

constexpr std::size_t kMaxItemLineChars = 255;

}  // namespace

std::filesystem::path CDefaultParam::ResolvePath(const std::string& file_name) const {
    const std::filesystem::path directory =
        directory_.empty() ? std::filesystem::path(ExecutableDirectory()) : directory_;
    return directory / file_name;
}

bool CDefaultParam::Load(const std::string& file_name, const std::string& section) {
    Unload();
    const auto file = ini::IniFile::Load(ResolvePath(file_name));
    if (!file) return false;
    return LoadTable(*file, section);
}

void CDefaultParam::Unload() {
    loaded_ = false;
    items_.clear();
    count_ = 0;
}

bool CDefaultParam::LoadTable(const ini::IniFile& file, const std::string& section) {
    Unload();
    const auto count = static_cast<uint8_t>(file.GetInt(section, "ParamCount", 0) & 0xFF);
    if (count == 0) return false;
    items_.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        CParamItemInfo item(i);
        item.Parse(file.GetString(section, std::to_string(i), {}, kMaxItemLineChars));
        items_.push_back(std::move(item));
    }
    count_ = count;
    loaded_ = true;
    return true;
}

const CParamItemInfo* CDefaultParam::GetParamInfo(uint32_t number) const {
    if (number >= count_ || number >= items_.size()) return nullptr;
    if (items_[number].number == number) return &items_[number];
    for (const auto& item : items_) {
        if (item.number == number) return &item;
    }
    return nullptr;
}

bool CDefaultParam::IsValueInRange(uint32_t number, int32_t value) const {
    if (!loaded_) return true;
    const CParamItemInfo* item = GetParamInfo(number);
    return item != nullptr && item->IsInRange(value);
}

}  // namespace tarsel
