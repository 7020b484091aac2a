// The BLDC board's side of the BLDC parameter file (.fbt): the format lives in formats/files;
// these operations move the stored integers between it and the drive.
#include "base/ini/ini_file.h"
#include "formats/files/bldc_file.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"

namespace tarsel {
namespace {

void StartProgress(IProgress* progress, int high) {
    if (!progress) return;
    progress->SetRange(0, high);
    progress->SetStep(1);
    progress->SetPos(0);
}

}  // namespace

bool CBoardDorrinTevraBLDC::SaveBLDCFile(const std::string& path, IProgress* progress) {
    StartProgress(progress, static_cast<int>(GetBLDCTotalParamCount()));
    std::vector<files::BldcFileCategory> categories;
    for (uint32_t c = 1; c <= GetBLDCCategoryCount(); ++c) {
        files::BldcFileCategory& category = categories.emplace_back();
        category.param_count = GetBLDCParamCount(c);
        for (uint32_t i = 0; i < category.param_count; ++i) {
            const auto record = GetBLDCParamInfoAt(c, i);
            if (!record) return false;  // the metadata lacks a parameter inside the count
            category.values.emplace_back(record->number,
                                         GetBLDCParameterValue(static_cast<uint8_t>(c), record->number));
            if (progress) progress->StepIt();
        }
    }
    return files::SaveBldcFile(path, GetModelName(), categories);
}

bool CBoardDorrinTevraBLDC::LoadBLDCFile(const std::string& path, IProgress* progress) {
    const auto file = ini::IniFile::Load(path);
    if (!file) return false;
    StartProgress(progress, static_cast<int>(GetBLDCTotalParamCount()));
    if (!files::HasBldcSections(*file)) return false;
    for (uint32_t c = 1; c <= GetBLDCCategoryCount(); ++c) {
        // The keys are the numbers of the category's parameters, as SaveBLDCFile writes them.
        std::vector<uint32_t> numbers;
        for (uint32_t i = 0; i < GetBLDCParamCount(c); ++i) {
            if (const auto record = GetBLDCParamInfoAt(c, i)) numbers.push_back(record->number);
        }
        for (const auto& [number, value] : files::ReadBldcCategory(*file, c, numbers)) {
            WriteBLDCParameter(static_cast<uint8_t>(c), number, value);  // write errors do not stop the load
            if (progress) progress->StepIt();
        }
    }
    return true;
}

}  // namespace tarsel
