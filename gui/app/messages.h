// The configuration program's private messages as values.  Every message the main frame routes
// (from the board objects, the polling thread, the loading sequence and the windows) is one
// `Message`: its kind (the number after WM_USER), the drive it concerns and its arguments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarsel::app {

// Numbered as the offsets from WM_USER.
enum class MsgKind : uint8_t {
    CommandLine = 1,     // text: one line for the command message bar
    BoardListFrame = 2,  // open: drive to show; closed: origin = the frame
    ParamListFrame = 3,
    AxisParamFrame = 4,
    MotionFrame = 5,
    RepeatFrame = 6,  // open always creates a new frame
    IoMonitorFrame = 7,
    IoSettingFrame = 8,
    PosTableFrame = 9,
    BldcFrame = 10,
    DriveGoingAway = 11,    // slave: its board is about to be destroyed (sent synchronously)
    ServeDrive = 12,        // to a frame or view: the drive to serve; value = board type code or 0
    DataReloaded = 13,      // slave: its data was (re)loaded or its board is gone
    ParameterChanged = 14,  // value: parameter number
    IoAssignChanged = 15,   // value: pin * 65536 + side, or -1 for all pins
    IoLevelChanged = 16,    // value: pin * 65536 + side
    PosItemWritten = 17,    // value: item number
    BldcParamChanged = 18,  // value: category + number * 65536
    ServoSwitched = 19,
    PosItemEdited = 20,  // port, slave and value: item number
    LoadData = 21,       // value: load bits (kLoad*)
};

constexpr uint32_t kFirstMessage = 1;
constexpr uint32_t kLastMessage = 21;

// Load bits of LoadData.
constexpr uint32_t kLoadParameters = 1;
constexpr uint32_t kLoadIoMap = 2;
constexpr uint32_t kLoadPosTable = 4;
constexpr uint32_t kLoadBldc = 8;

struct Message {
    MsgKind kind = MsgKind::CommandLine;
    uint8_t port = 0;
    uint8_t slave = 0;
    bool open = false;             // frame messages: open (true) or closed
    int64_t value = 0;             // the argument of the kind, see MsgKind
    std::string text;              // CommandLine
    const void* origin = nullptr;  // closed frame messages: the frame that closed

    // Pin messages.
    bool AllPins() const { return value == -1; }
    uint32_t Pin() const { return static_cast<uint32_t>(value >> 16) & 0xFFFF; }
    bool Output() const { return (value & 0xFFFF) != 0; }
    // BldcParamChanged.
    uint32_t Category() const { return static_cast<uint32_t>(value & 0xFFFF); }
    uint32_t BldcNumber() const { return static_cast<uint32_t>(value >> 16) & 0xFFFF; }

    static Message Line(std::string text);
    static Message Drive(MsgKind kind, uint8_t port, uint8_t slave, int64_t value = 0);
    static Message Open(MsgKind frameKind, uint8_t port, uint8_t slave);
    static Message Closed(MsgKind frameKind, const void* frame);
    static Message Load(uint8_t port, uint8_t slave, uint32_t bits);

    bool operator==(const Message&) const = default;
};

// A drive packed into one 32-bit message parameter: port low 16 bits, slave high 16 bits.
constexpr uint32_t PackDrive(uint8_t port, uint8_t slave) {
    return static_cast<uint32_t>(port) | (static_cast<uint32_t>(slave) << 16);
}
constexpr uint8_t PackedPort(uint32_t drive) {
    return static_cast<uint8_t>(drive & 0xFFFF);
}
constexpr uint8_t PackedSlave(uint32_t drive) {
    return static_cast<uint8_t>((drive >> 16) & 0xFFFF);
}

// True for the frame open/closed messages (BoardListFrame .. BldcFrame).
constexpr bool IsFrameMessage(MsgKind kind) {
    return kind >= MsgKind::BoardListFrame && kind <= MsgKind::BldcFrame;
}

// The drive message a board object or the polling thread hands to the main frame (number from
// WM_USER, wParam = slave, lParam), as a value for a drive on `port`.  None for other numbers
// (command lines come as text through their own call).
std::optional<Message> FromModel(uint32_t number, uintptr_t wParam, intptr_t lParam, uint8_t port);

// Short name of a kind for logs and test output ("DriveGoingAway").
const char* KindName(MsgKind kind);

}  // namespace tarsel::app
