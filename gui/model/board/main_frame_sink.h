// What the drive model tells the main frame.  The model never touches a window: every message
// goes through this interface, which the GUI implements on its main frame and the tests with a
// recorder.  Message numbers are those of the program's private window messages.
#pragma once

#include <cstdint>
#include <stop_token>

namespace tarsel {

constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kMsgCommandLine = kWmUser + 1;        // wParam: const char* line
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

    // Synchronous: returns once the main frame has handled the message.  A caller on another
    // thread than the GUI's passes a stop token; when a stop is requested while the message
    // waits, the implementation gives up and returns false (the message may then never be
    // handled).  Without a token the call waits as long as it takes.
    virtual bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam, std::stop_token cancel) = 0;
    // Asynchronous: queued for the main frame, returns at once.
    virtual void Post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

    bool Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
        return Send(message, wParam, lParam, std::stop_token{});
    }
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
