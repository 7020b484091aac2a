#include "gui/model/board/metadata_access.h"

#include "formats/metadata/CDefaultParam.h"
#include "formats/metadata/CDefaultParamBLDC.h"

namespace tarsel::meta {

bool IsLoaded(const CDefaultParam* table) {
    return table && table->IsLoaded();
}

uint8_t ParamCount(const CDefaultParam* table) {
    return table ? table->GetParamCount() : 0;
}

std::optional<ParamMeta> Param(const CDefaultParam* table, uint32_t number) {
    if (!table || !table->IsLoaded()) return std::nullopt;
    const CParamItemInfo* info = table->GetParamInfo(number);
    if (!info) return std::nullopt;
    return ParamMeta{info->minimum, info->maximum, info->default_value};
}

bool InRange(const CDefaultParam* table, uint32_t number, int32_t value) {
    return !table || table->IsValueInRange(number, value);
}

}  // namespace tarsel::meta

namespace tarsel::meta {
namespace {

BldcMeta ToMeta(const CBLDCParamInfo& info) {
    BldcMeta out;
    out.number = info.number;
    out.op = info.op;
    out.factor = info.factor == 0 ? 1 : info.factor;
    out.minimum = info.minimum;
    out.maximum = info.maximum;
    out.hasRounding = info.has_rounding;
    out.roundingDigits = info.rounding_digits;
    out.hidden = info.hidden;
    out.readOnly = info.read_only;
    return out;
}

}  // namespace

uint32_t BldcParamCount(const CDefaultParamBLDC* table, uint32_t category) {
    return table ? table->GetCategoryParamCount(category) : 0;
}

std::string BldcCategoryName(const CDefaultParamBLDC* table, uint32_t category) {
    return table ? table->GetCategoryName(category) : std::string();
}

std::optional<BldcMeta> BldcParam(const CDefaultParamBLDC* table, uint32_t category, uint32_t number) {
    const CBLDCParamInfo* info = table ? table->GetBLDCParamInfo(category, number) : nullptr;
    if (!info) return std::nullopt;
    return ToMeta(*info);
}

std::optional<BldcMeta> BldcParamAt(const CDefaultParamBLDC* table, uint32_t category, uint32_t index) {
    const CBLDCParamInfo* info = table ? table->GetBLDCParamInfoAt(category, index) : nullptr;
    if (!info) return std::nullopt;
    return ToMeta(*info);
}

}  // namespace tarsel::meta

namespace tarsel {

const CDefaultParamBLDC* AsBldcTable(const CDefaultParam* table) {
    return dynamic_cast<const CDefaultParamBLDC*>(table);
}

const CDefaultParam* BldcBase(const CDefaultParamBLDC* table) {
    return table;
}

}  // namespace tarsel
