// What the drive model tells the main frame.  The model never touches a window: every message
// goes through this interface, which the GUI implements on its main frame and the tests with a
// recorder.  Message numbers are those of the program's private window messages.
//
// Threading contract (the GUI's implementation must keep it):
//
// - CommandLine: called on the GUI thread and on the worker threads of windows (repeat run,
//   estimation), never on a polling thread.  The line is handed over by value and belongs to the
//   implementation.  Called on a worker thread, the implementation queues the line for the GUI
//   thread and returns at once; it never waits for the GUI thread (which may be joining that very
//   worker).  Lines of one thread arrive in the order they were written.
// - Send: called only by a port's polling thread, for the "drive going away" notice, with the
//   thread's stop token.  The implementation hands the message to the GUI thread and returns true
//   once the GUI thread has handled it (the windows have let go of the drive).  When a stop is
//   requested on the token while the message waits, it gives up and returns false at once (the
//   message may then never be handled; the port is being stopped by the GUI thread itself, which
//   would otherwise wait for a thread that waits for it).  It is never called on the GUI thread.
// - Post: called on any thread (GUI, polling, workers); queues the message for the GUI thread and
//   returns at once.  Messages posted by one thread arrive in the order they were posted.
//
// Every call may come while the GUI thread is inside a nested event loop (a failure box with
// Retry); boards stay alive through their shared ownership meanwhile (see CCommPort).
#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

namespace tarsel {

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kMsgCommandLine = kWmUser + 1;        // the line of CommandLine
constexpr uint32_t kMsgDriveGoingAway = kWmUser + 11;    // wParam: slave (sent)
constexpr uint32_t kMsgDataReloaded = kWmUser + 13;      // wParam: slave (posted)
constexpr uint32_t kMsgParameterChanged = kWmUser + 14;  // wParam: slave, lParam: parameter
constexpr uint32_t kMsgIoAssignChanged = kWmUser + 15;   // lParam: pin * 65536 + side
constexpr uint32_t kMsgIoLevelChanged = kWmUser + 16;    // lParam: pin * 65536 + side
constexpr uint32_t kMsgPosItemWritten = kWmUser + 17;    // lParam: item number
constexpr uint32_t kMsgBldcParamChanged = kWmUser + 18;  // lParam: category + number * 65536

class IMainFrameSink {
public:
    virtual ~IMainFrameSink() = default;

    // A line for the command message bar (message kMsgCommandLine); see the contract above.
    virtual void CommandLine(std::string line) = 0;
    // Synchronous, from the polling thread only; false when given up on a stop request.
    virtual bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam, std::stop_token cancel) = 0;
    // Asynchronous: queued for the main frame, returns at once.
    virtual void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// lParam of the I/O messages: pin number in the high 16 bits, side (0 input, 1 output) low.
constexpr intptr_t PinParam(uint32_t pin, bool output) {
    return static_cast<intptr_t>(pin) * 65536 + (output ? 1 : 0);
}
// lParam of the BLDC parameter message.
constexpr intptr_t BldcParam(uint32_t category, uint32_t number) {
    return static_cast<intptr_t>(category) + static_cast<intptr_t>(number) * 65536;
}

}  // namespace tarsel
