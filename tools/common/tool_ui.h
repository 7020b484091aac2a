// What a tool's logic needs from its user interface: message boxes, a yes/no question, the
// translation of its texts and a chance to redraw during a long blocking step.  The dialogs
// implement it with Qt; tests and the command line put in their own implementations, so that no
// box ever blocks a test.
#pragma once

#include <string>

// Marks a text for the translation tools without pulling in any toolkit header.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tarsel::tools {

class ToolUi {
public:
    virtual ~ToolUi() = default;

    // An information box with an OK button.
    virtual void Inform(const std::string& title, const std::string& text) = 0;
    // An error box; `detail` explains the failure further and may be empty.
    virtual void Fail(const std::string& title, const std::string& text, const std::string& detail = {}) = 0;
    // A Yes/No question with an exclamation icon; true for Yes.
    virtual bool Ask(const std::string& title, const std::string& text) = 0;
    // The text in the user's language; `source` is the English text.
    virtual std::string Translate(const char* /*context*/, const char* source) const { return source; }
    // The state changed in the middle of a blocking step: show it now.
    virtual void Refresh() {}
};

}  // namespace tarsel::tools
