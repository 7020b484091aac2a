#include "formats/metadata/CBLDCParamInfo.h"

#include "formats/metadata/item_line.h"

namespace tarsel {

void CBLDCParamInfo::Parse(std::string_view line) {
    using namespace metadata;
    const auto tokens = SplitItemLine(line);
    const auto token = [&tokens](std::size_t i) -> std::string_view {
        return i < tokens.size() ? std::string_view(tokens[i]) : std::string_view{};
    };
    name = LimitChars(TrimTrailingBlanks(token(0)), kMaxNameChars);
    field = LimitChars(TrimBlanks(token(1)), kMaxFieldChars);
    const std::string access = TrimBlanks(token(2));
    hidden = access == "H";
    read_only = access == "RO";
    const std::string op_token = TrimBlanks(token(3));
    op = op_token.empty() ? '\0' : op_token.front();
    factor = ParseDecimal(token(4));
    if (factor == 0) factor = 1;
    minimum = ParseReal(token(5));
    maximum = ParseReal(token(6));
    has_rounding = tokens.size() > 7;
    rounding_digits = has_rounding ? static_cast<int8_t>(ParseDecimal(token(7))) : int8_t{0};
}

}  // namespace tarsel
