#include "tools/firmloader/core/image_problem.h"

namespace tarsel::firmware {

std::string FillIn(std::string_view text, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < args.size()) out += args[index];
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

std::string EnglishText(const ImageProblem& problem) {
    return FillIn(problem.text ? problem.text : "", problem.args);
}

}  // namespace tarsel::firmware
