#include "formats/metadata/CParamItemInfo.h"

#include "formats/metadata/item_line.h"

namespace tarsel {

void CParamItemInfo::Parse(std::string_view line) {
    using namespace metadata;
    const auto tokens = SplitItemLine(line);
    const auto token = [&tokens](std::size_t i) -> std::string_view {
        return i < tokens.size() ? std::string_view(tokens[i]) : std::string_view{};
    };
    name = LimitChars(TrimTrailingBlanks(token(0)), kMaxNameChars);
    field = LimitChars(TrimBlanks(token(1)), kMaxFieldChars);
    minimum = ParseDecimal(token(2));
    maximum = ParseDecimal(token(3));
    default_value = ParseDecimal(token(4));
}

}  // namespace tarsel
