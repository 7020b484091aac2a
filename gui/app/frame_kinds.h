// The nine kinds of child window of the main frame and the three modeless dialogs it keeps, with
// what distinguishes them: title, icon, sizing, the message that opens and closes them and the
// name by which the command line asks for them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "gui/app/messages.h"

namespace tarsel::app {

enum class FrameKind : uint8_t {
    BoardList,
    ParamList,
    AxisParam,
    Motion,
    Repeat,
    IoMonitor,
    IoSetting,
    PosTable,
    Bldc
};
constexpr int kFrameKindCount = 9;

enum class DialogKind : uint8_t { RlEstimate, InertiaEstimate, Monitoring };
constexpr int kDialogKindCount = 3;

struct FrameSpec {
    FrameKind kind;
    const char* className;  // object name of the frame window
    const char* title;      // shown in the title bar (translated)
    MsgKind message;        // the open/closed message
    const char* icon;       // name of the frame's icon (NamedIcon)
    bool resizable;         // false: fixed to its view's size, no maximise button
    int minWidth, minHeight;
    bool statusBar;           // the frame has a status bar of its own
    bool viewPerType;         // the view class follows the drive's board type code
    const char* commandName;  // --show name
};

const FrameSpec& Spec(FrameKind kind);
std::optional<FrameKind> FrameOfMessage(MsgKind kind);
std::optional<FrameKind> FrameByName(std::string_view name);

struct DialogSpec {
    DialogKind kind;
    const char* className;
    const char* commandName;
};
const DialogSpec& Spec(DialogKind kind);
std::optional<DialogKind> DialogByName(std::string_view name);

// A set of frame kinds.
class FrameSet {
public:
    constexpr FrameSet() = default;
    constexpr FrameSet(std::initializer_list<FrameKind> kinds) {
        for (FrameKind k : kinds) bits_ |= Bit(k);
    }
    constexpr bool Has(FrameKind kind) const { return (bits_ & Bit(kind)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const FrameSet&) const = default;

private:
    static constexpr uint16_t Bit(FrameKind kind) {
        return static_cast<uint16_t>(1u << static_cast<unsigned>(kind));
    }
    uint16_t bits_ = 0;
};

class DialogSet {
public:
    constexpr DialogSet() = default;
    constexpr DialogSet(std::initializer_list<DialogKind> kinds) {
        for (DialogKind k : kinds) bits_ |= static_cast<uint8_t>(1u << static_cast<unsigned>(k));
    }
    constexpr bool Has(DialogKind kind) const { return (bits_ >> static_cast<unsigned>(kind)) & 1u; }
    constexpr bool Empty() const { return bits_ == 0; }

private:
    uint8_t bits_ = 0;
};

constexpr DialogSet kAllDialogs{DialogKind::RlEstimate, DialogKind::InertiaEstimate, DialogKind::Monitoring};

}  // namespace tarsel::app
