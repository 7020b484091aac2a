// The failure report of a board command: the GUI shows a message box, tests answer it.
//
// Threading contract: Show is called on the GUI thread and on the worker threads of windows
// (repeat run, estimation), never on a polling thread (its failures stay silent).  On the GUI
// thread the implementation runs the box modally; this is a nested event loop, so anything may
// happen before it returns, including the removal of the drive whose command failed (the board
// stays alive through the caller's shared_ptr, is detached from its port, and a Retry then fails
// quietly).  On a worker thread the implementation shows the box on the GUI thread and blocks the
// worker until it is answered; a window must therefore stop its worker's command (StopRepeat,
// MoveStop) and may have to answer such a box before it joins the worker.  `box` is only valid
// during the call: copy what is kept.
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
