// A ToolUi for tests: records every box instead of showing it and answers questions as told.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/common/tool_ui.h"

namespace tarsel::testing {

struct ShownBox {
    enum class Kind { Inform, Fail, Ask } kind;
    std::string title;
    std::string text;
    std::string detail;
};

class RecordingUi : public tools::ToolUi {
public:
    void Inform(const std::string& title, const std::string& text) override {
        Show({ShownBox::Kind::Inform, title, text, {}});
    }
    void Fail(const std::string& title, const std::string& text, const std::string& detail) override {
        Show({ShownBox::Kind::Fail, title, text, detail});
    }
    bool Ask(const std::string& title, const std::string& text) override {
        Show({ShownBox::Kind::Ask, title, text, {}});
        return answerYes;
    }

    std::string LastText() const { return boxes.empty() ? std::string() : boxes.back().text; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) texts.push_back(box.text);
        return texts;
    }

    std::vector<ShownBox> boxes;
    bool answerYes = true;
    // Called as each box opens: what the window shows behind it.
    std::function<void(const ShownBox&)> onBox;

private:
    void Show(ShownBox box) {
        boxes.push_back(std::move(box));
        if (onBox) onBox(boxes.back());
    }
};

}  // namespace tarsel::testing
