// The few facts the board objects take from the parameter metadata tables, in one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarsel {

class CDefaultParam;
class CDefaultParamBLDC;

struct ParamMeta {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t defaultValue = 0;
};

struct BldcMeta {
    uint32_t number = 0;
    char op = 0;         // '*' or '/' act; anything else leaves the value alone
    int32_t factor = 1;  // never 0
    double minimum = 0;
    double maximum = 0;
    bool hasRounding = false;
    int8_t roundingDigits = 0;
    bool hidden = false;
    bool readOnly = false;
};

namespace meta {

bool IsLoaded(const CDefaultParam* table);
uint8_t ParamCount(const CDefaultParam* table);
std::optional<ParamMeta> Param(const CDefaultParam* table, uint32_t number);
// True when the table is not loaded; false when the number has no record; else the range test.
bool InRange(const CDefaultParam* table, uint32_t number, int32_t value);

// BLDC categories are numbered from 1.
uint32_t BldcParamCount(const CDefaultParamBLDC* table, uint32_t category);
std::string BldcCategoryName(const CDefaultParamBLDC* table, uint32_t category);
std::optional<BldcMeta> BldcParam(const CDefaultParamBLDC* table, uint32_t category, uint32_t number);
std::optional<BldcMeta> BldcParamAt(const CDefaultParamBLDC* table, uint32_t category, uint32_t index);

}  // namespace meta

// The BLDC table behind a parameter table pointer (null when it is not one), and back.
const CDefaultParamBLDC* AsBldcTable(const CDefaultParam* table);
const CDefaultParam* BldcBase(const CDefaultParamBLDC* table);

}  // namespace tarsel
