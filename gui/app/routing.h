// Where the main frame sends each drive message: one row per message kind.
#pragma once

#include <optional>
#include <span>

#include "gui/app/frame_kinds.h"
#include "gui/app/messages.h"

namespace tarsel::app {

struct Route {
    MsgKind kind;
    FrameSet frames;          // single-instance frames (and BLDC) that receive the message
    FrameSet skipWhenActive;  // of those, the ones passed over while they are the active window
    bool closeRepeatOfSlave;  // close every repeat frame serving the message's slave
    DialogSet dialogs;        // modeless dialogs that receive it
    bool destroyDialogs;      // after delivery, destroy those dialogs and forget them
};

std::span<const Route> RoutingTable();
// The row of a kind; none for messages the main frame handles itself (frame open/close, the
// command line, the loading sequence).
std::optional<Route> FindRoute(MsgKind kind);

}  // namespace tarsel::app
