#include "gui/app/frame_kinds.h"

#include <QtGlobal>
#include <array>

namespace tarsel::app {

namespace {

// clang-format off
const std::array<FrameSpec, kFrameKindCount> kFrames{{
    // kind                  class name              title                                                    message                   icon                            resize  min        status viewPerType command
    {FrameKind::BoardList, "CFrameBoardList",     QT_TRANSLATE_NOOP("Frame", "Board List"),     MsgKind::BoardListFrame, "board-list", false, 0, 0,     false, false, "boards"},
    {FrameKind::ParamList, "CFrameParamList",     QT_TRANSLATE_NOOP("Frame", "Parameter List"), MsgKind::ParamListFrame, "parameters", false, 0, 0,     false, false, "parameters"},
    {FrameKind::AxisParam, "CFrameAxisParam",     QT_TRANSLATE_NOOP("Frame", "Axis Parameter"), MsgKind::AxisParamFrame, "parameters", false, 0, 0,     false, true,  "axis"},
    {FrameKind::Motion,    "CFrameMotion",        QT_TRANSLATE_NOOP("Frame", "Motion Test"),    MsgKind::MotionFrame,    "motion",     false, 0, 0,     false, true,  "motion"},
    {FrameKind::Repeat,    "CFrameRepeat",        QT_TRANSLATE_NOOP("Frame", "Repeat Test"),    MsgKind::RepeatFrame,    "motion",     false, 0, 0,     false, false, "repeat"},
    {FrameKind::IoMonitor, "CFrameIOMonitor",     QT_TRANSLATE_NOOP("Frame", "I/O Monitoring"), MsgKind::IoMonitorFrame, "io",         false, 0, 0,     false, false, "io-monitor"},
    {FrameKind::IoSetting, "CFrameIOSetting",     QT_TRANSLATE_NOOP("Frame", "I/O Setting"),    MsgKind::IoSettingFrame, "io",         false, 0, 0,     false, false, "io-setting"},
    {FrameKind::PosTable,  "CFramePosTable",      QT_TRANSLATE_NOOP("Frame", "Position Table"), MsgKind::PosTableFrame,  "motion",     true,  650, 300, true,  false, "position-table"},
    {FrameKind::Bldc,      "CFrameBLDCParameter", QT_TRANSLATE_NOOP("Frame", "BLDC Parameter"), MsgKind::BldcFrame,      "parameters", false, 0, 0,     false, false, "bldc"},
}};

const std::array<DialogSpec, kDialogKindCount> kDialogs{{
    {DialogKind::RlEstimate, "CDlgRLEstimation", "rl"},
    {DialogKind::InertiaEstimate, "CDlgInertiaEstimation", "inertia"},
    {DialogKind::Monitoring, "CDlgMonitoring", "monitoring"},
}};
// clang-format on

}  // namespace

const FrameSpec& Spec(FrameKind kind) {
    return kFrames[static_cast<std::size_t>(kind)];
}

std::optional<FrameKind> FrameOfMessage(MsgKind kind) {
    for (const FrameSpec& spec : kFrames) {
        if (spec.message == kind) return spec.kind;
    }
    return std::nullopt;
}

std::optional<FrameKind> FrameByName(std::string_view name) {
    for (const FrameSpec& spec : kFrames) {
        if (name == spec.commandName) return spec.kind;
    }
    return std::nullopt;
}

const DialogSpec& Spec(DialogKind kind) {
    return kDialogs[static_cast<std::size_t>(kind)];
}

std::optional<DialogKind> DialogByName(std::string_view name) {
    for (const DialogSpec& spec : kDialogs) {
        if (name == spec.commandName) return spec.kind;
    }
    return std::nullopt;
}

}  // namespace tarsel::app
