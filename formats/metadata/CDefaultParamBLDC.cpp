#include "formats/metadata/CDefaultParamBLDC.h"

#include <algorithm>

#include "base/ini/ini_file.h"
#include "formats/metadata/item_line.h"

namespace tarsel {
namespace {

constexpr std::size_t kMaxItemLineChars = 255;
// Parameter numbers travel in 16 bits (window messages); a larger "ParamCount" is cut to this.
constexpr int32_t kMaxDeclaredCount = 65535;

std::string CategorySection(uint32_t k) {
    return "Category" + std::to_string(k);
}

}  // namespace

bool CDefaultParamBLDC::Load(const std::string& file_name, const std::string& section) {
    categories_.clear();
    Unload();
    const auto file = ini::IniFile::Load(ResolvePath(file_name));
    if (!file) return false;

    uint32_t count = 0;
    while (!file->SectionEntries(CategorySection(count + 1)).empty()) ++count;
    if (count == 0) return false;

    categories_.resize(count);
    for (uint32_t k = 1; k <= count; ++k) {
        const std::string name = CategorySection(k);
        CBLDCCategoryInfo& category = categories_[k - 1];
        category.name =
            metadata::LimitBytes(file->GetString(name, "CategoryName"), CBLDCCategoryInfo::kMaxNameBytes);
        category.number = static_cast<uint8_t>(file->GetInt(name, "CategoryNo", 0));
        const int32_t declared = file->GetInt(name, "ParamCount", 0);
        category.declared_count = static_cast<uint32_t>(std::clamp(declared, 0, kMaxDeclaredCount));
        for (uint32_t j = 1; j <= category.declared_count; ++j) {
            const std::string line = file->GetString(name, std::to_string(j), {}, kMaxItemLineChars);
            if (line.empty()) continue;
            CBLDCParamInfo info;
            info.Parse(line);
            info.category = static_cast<uint8_t>(k - 1);
            info.number = j;
            info.present = 1;
            category.params.push_back(std::move(info));
        }
        category.present_count = static_cast<uint32_t>(category.params.size());
    }
    return LoadTable(*file, section);
}

const CBLDCCategoryInfo* CDefaultParamBLDC::GetCategory(uint32_t category) const {
    if (category == 0 || category > categories_.size()) return nullptr;
    return &categories_[category - 1];
}

uint32_t CDefaultParamBLDC::GetCategoryParamCount(uint32_t category) const {
    const auto* info = GetCategory(category);
    return info ? info->present_count : 0;
}

uint32_t CDefaultParamBLDC::GetTotalParamCount() const {
    uint32_t total = 0;
    for (const auto& category : categories_) total += category.present_count;
    return total;
}

std::string CDefaultParamBLDC::GetCategoryName(uint32_t category) const {
    const auto* info = GetCategory(category);
    return info ? info->name : std::string();
}

const CBLDCParamInfo* CDefaultParamBLDC::GetBLDCParamInfo(uint32_t category, uint32_t number) const {
    const auto* info = GetCategory(category);
    if (!info) return nullptr;
    for (const auto& param : info->params) {
        if (param.number == number && param.present) return &param;
    }
    return nullptr;
}

const CBLDCParamInfo* CDefaultParamBLDC::GetBLDCParamInfoAt(uint32_t category, uint32_t index) const {
    const auto* info = GetCategory(category);
    if (!info || index >= info->params.size()) return nullptr;
    return &info->params[index];
}

}  // namespace tarsel
