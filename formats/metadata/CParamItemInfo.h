// One drive parameter's metadata: name, field text, range and default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarsel {

class CParamItemInfo {
public:
    static constexpr std::size_t kMaxNameChars = 27;
    static constexpr std::size_t kMaxFieldChars = 11;

    CParamItemInfo() = default;
    explicit CParamItemInfo(uint32_t number) : number(number) {}
    virtual ~CParamItemInfo() = default;
    CParamItemInfo(const CParamItemInfo&) = default;
    CParamItemInfo& operator=(const CParamItemInfo&) = default;

    // Parses "name|field|minimum|maximum|default"; missing tokens leave empty texts and zeros.
    virtual void Parse(std::string_view line);
    // minimum <= value <= maximum.
    virtual bool IsInRange(int32_t value) const { return minimum <= value && value <= maximum; }

    uint32_t number = 0;  // the key, from 0
    std::string name;     // trailing blanks removed, at most 27 characters
    std::string field;    // trimmed, at most 11 characters (the "Field" column)
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t default_value = 0;
};

}  // namespace tarsel
