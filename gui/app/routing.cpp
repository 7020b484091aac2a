#include "gui/app/routing.h"

#include <array>

namespace tarsel::app {

namespace {

using F = FrameKind;
using D = DialogKind;

// clang-format off
const std::array<Route, 9> kRoutes{{
    // A drive is going away: every drive window lets go of it, repeat tests on that slave close,
    // the modeless dialogs hear it and are destroyed.
    {MsgKind::DriveGoingAway,
     {F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting, F::PosTable, F::Bldc}, {},
     true, kAllDialogs, true},
    // The drive's data was (re)loaded: every window showing drive data redraws.
    {MsgKind::DataReloaded,
     {F::BoardList, F::ParamList, F::Bldc, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting, F::PosTable}, {},
     false, {}, false},
    // A parameter was read or written: the others redraw it; the active window made the change.
    {MsgKind::ParameterChanged,
     {F::BoardList, F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting},
     {F::BoardList, F::ParamList, F::AxisParam, F::Motion, F::IoMonitor, F::IoSetting},
     false, {}, false},
    // An I/O assignment was written or loaded.
    {MsgKind::IoAssignChanged, {F::IoMonitor, F::IoSetting}, {F::IoMonitor, F::IoSetting}, false, {}, false},
    // A pin's active level changed: both I/O windows, always.
    {MsgKind::IoLevelChanged, {F::IoMonitor, F::IoSetting}, {}, false, {}, false},
    // A position table item was written to the drive.
    {MsgKind::PosItemWritten, {F::PosTable}, {}, false, {}, false},
    // A BLDC parameter was read or written: the three dialogs, and the BLDC window unless active.
    {MsgKind::BldcParamChanged, {F::Bldc}, {F::Bldc}, false, kAllDialogs, false},
    // The servo was switched from a window: the I/O monitor unless active.
    {MsgKind::ServoSwitched, {F::IoMonitor}, {F::IoMonitor}, false, {}, false},
    // A position table item was edited in a dialog.
    {MsgKind::PosItemEdited, {F::PosTable}, {}, false, {}, false},
}};
// clang-format on

}  // namespace

std::span<const Route> RoutingTable() {
    return kRoutes;
}

std::optional<Route> FindRoute(MsgKind kind) {
    for (const Route& route : kRoutes) {
        if (route.kind == kind) return route;
    }
    return std::nullopt;
}

}  // namespace tarsel::app
