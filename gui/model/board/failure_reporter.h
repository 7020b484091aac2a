// The failure report of a board command: the GUI shows a message box, tests answer it.
#pragma once

#include <string>

namespace tarsel {

// Buttons, with the values the platform's message boxes return.
enum class BoxAnswer : int { Ok = 1, Cancel = 2, Retry = 4 };

struct FailureBox {
    std::string title;
    std::string text;
    bool retryCancel = false;  // Retry and Cancel buttons; otherwise OK only
};

class IFailureReporter {
public:
    virtual ~IFailureReporter() = default;
    // Shows the box (exclamation icon) and returns the button pressed.
    virtual BoxAnswer Show(const FailureBox& box) = 0;
};

}  // namespace tarsel
