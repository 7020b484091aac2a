// Metadata of one BLDC tuning parameter and of one BLDC parameter category.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel {

class CBLDCParamInfo {
public:
    static constexpr std::size_t kMaxNameChars = 47;
    static constexpr std::size_t kMaxFieldChars = 15;

    CBLDCParamInfo() = default;
    virtual ~CBLDCParamInfo() = default;
    CBLDCParamInfo(const CBLDCParamInfo&) = default;
    CBLDCParamInfo& operator=(const CBLDCParamInfo&) = default;

    // Parses "name|field|access|operator|factor|minimum|maximum[|rounding digits]".
    virtual void Parse(std::string_view line);
    // minimum <= value <= maximum (display values).
    virtual bool IsInRange(double value) const { return minimum <= value && value <= maximum; }

    uint8_t category = 0;    // category index, 0 for "Category1"
    uint32_t number = 0;     // the key, from 1
    uint32_t present = 0;    // 1 when the key was found
    std::string name;        // trailing blanks removed, at most 47 characters
    std::string field;       // trimmed, at most 15 characters
    bool hidden = false;     // access "H"
    bool read_only = false;  // access "RO" ("RW" and anything else: neither)
    char op = 0;             // '*' or '/' act on conversions; 0 when the token is empty
    int32_t factor = 1;      // a 0 in the file is stored as 1
    double minimum = 0.0;
    double maximum = 0.0;
    bool has_rounding = false;
    int8_t rounding_digits = 0;  // power of ten of the value step
};

class CBLDCCategoryInfo {
public:
    static constexpr std::size_t kMaxNameBytes = 100;

    virtual ~CBLDCCategoryInfo() = default;

    uint8_t number = 0;                  // "CategoryNo"
    std::string name;                    // "CategoryName", at most 100 bytes
    uint32_t declared_count = 0;         // "ParamCount": highest key number looked at
    uint32_t present_count = 0;          // number of records present
    std::vector<CBLDCParamInfo> params;  // the present records, in key order
};

}  // namespace tarsel
