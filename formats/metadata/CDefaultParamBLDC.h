// The BLDC board type's metadata: its plain parameter table plus the BLDC tuning parameters,
// grouped in categories, read from the same file.
//
// Categories are the sections "Category1", "Category2", ... up to the first one that is missing or
// empty; each holds "CategoryName", "CategoryNo", "ParamCount" and the keys "1" to "ParamCount"
// with "name|field|access|operator|factor|minimum|maximum[|rounding digits]".  Empty or missing
// keys are skipped.  Commands address a parameter by the category's position (from 1) and its key
// number, not by "CategoryNo".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/metadata/CBLDCParamInfo.h"
#include "formats/metadata/CDefaultParam.h"

namespace tarsel {

class CDefaultParamBLDC : public CDefaultParam {
public:
    using CDefaultParam::CDefaultParam;

    // Loads the categories, then the plain table of the section.  No category fails the load
    // (and leaves both parts unloaded); otherwise the result is that of the plain table.
    bool Load(const std::string& file_name, const std::string& section) override;

    bool IsBLDCLoaded() const { return !categories_.empty(); }
    uint32_t GetCategoryCount() const { return static_cast<uint32_t>(categories_.size()); }
    const std::vector<CBLDCCategoryInfo>& categories() const { return categories_; }
    // category is 1-based; none / 0 / empty for a category outside 1..count.
    const CBLDCCategoryInfo* GetCategory(uint32_t category) const;
    uint32_t GetCategoryParamCount(uint32_t category) const;
    uint32_t GetTotalParamCount() const;
    std::string GetCategoryName(uint32_t category) const;
    // Present record by (category, key number).
    const CBLDCParamInfo* GetBLDCParamInfo(uint32_t category, uint32_t number) const;
    // Present record by (category, index among the present records).
    const CBLDCParamInfo* GetBLDCParamInfoAt(uint32_t category, uint32_t index) const;

private:
    std::vector<CBLDCCategoryInfo> categories_;
};

}  // namespace tarsel
