// The category sections of the BLDC parameter file (.fbt): stored integers, one key per
// parameter the metadata defines.
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/ini/ini_file.h"

namespace tarsel {

bool CBoardDorrinTevraBLDC::SaveBLDCFile(const std::string& path, IProgress* progress) {
    auto loaded = ini::IniFile::Load(path);
    ini::IniFile file = loaded ? std::move(*loaded) : ini::IniFile{};
    if (progress) {
        progress->SetRange(0, static_cast<int>(GetBLDCTotalParamCount()));
        progress->SetStep(1);
        progress->SetPos(0);
    }
    bool ok = true;
    for (uint32_t c = 1; c <= GetBLDCCategoryCount() && ok; ++c) {
        const std::string section = "Category" + std::to_string(c);
        const uint32_t count = GetBLDCParamCount(c);
        ok = file.SetInt(section, "ParamCnt", count);
        for (uint32_t i = 0; i < count && ok; ++i) {
            const auto record = GetBLDCParamInfoAt(c, i);
            if (!record) {
                ok = false;
                break;
            }
            ok = file.SetInt(section, std::to_string(record->number),
                             GetBLDCParameterValue(static_cast<uint8_t>(c), record->number));
            if (progress) progress->StepIt();
        }
    }
    return ok && file.Save(path);
}

bool CBoardDorrinTevraBLDC::LoadBLDCFile(const std::string& path, IProgress* progress) {
    const auto file = ini::IniFile::Load(path);
    if (!file) return false;
    if (progress) {
        progress->SetRange(0, static_cast<int>(GetBLDCTotalParamCount()));
        progress->SetStep(1);
        progress->SetPos(0);
    }
    if (!file->HasSection("Category1") || file->SectionEntries("Category1").empty()) return false;
    for (uint32_t c = 1; c <= GetBLDCCategoryCount(); ++c) {
        const std::string section = "Category" + std::to_string(c);
        int64_t count = file->GetInt(section, "ParamCnt", 0);
        if (count > static_cast<int64_t>(GetBLDCParamCount(c))) count = GetBLDCParamCount(c);
        for (uint32_t k = 1; static_cast<int64_t>(k) <= count; ++k) {
            const int32_t value = file->GetInt(section, std::to_string(k), 0);
            if (!GetBLDCParamInfo(c, k)) continue;
            WriteBLDCParameter(static_cast<uint8_t>(c), k, value);  // write errors do not stop the load
            if (progress) progress->StepIt();
        }
    }
    return true;
}

}  // namespace tarsel
