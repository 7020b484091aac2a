#include "gui/app/messages.h"

#include "gui/model/board/main_frame_sink.h"

namespace tarsel::app {

Message Message::Line(std::string text) {
    Message m;
    m.kind = MsgKind::CommandLine;
    m.text = std::move(text);
    return m;
}

Message Message::Drive(MsgKind kind, uint8_t port, uint8_t slave, int64_t value) {
    Message m;
    m.kind = kind;
    m.port = port;
    m.slave = slave;
    m.value = value;
    return m;
}

Message Message::Open(MsgKind frameKind, uint8_t port, uint8_t slave) {
    Message m = Drive(frameKind, port, slave);
    m.open = true;
    return m;
}

Message Message::Closed(MsgKind frameKind, const void* frame) {
    Message m;
    m.kind = frameKind;
    m.open = false;
    m.origin = frame;
    return m;
}

Message Message::Load(uint8_t port, uint8_t slave, uint32_t bits) {
    return Drive(MsgKind::LoadData, port, slave, bits);
}

std::optional<Message> FromModel(uint32_t number, uintptr_t wParam, intptr_t lParam, uint8_t port) {
    if (number < kWmUser + kFirstMessage || number > kWmUser + kLastMessage) return std::nullopt;
    const auto kind = static_cast<MsgKind>(number - kWmUser);
    switch (kind) {
        case MsgKind::DriveGoingAway:
        case MsgKind::DataReloaded:
        case MsgKind::ParameterChanged:
        case MsgKind::IoAssignChanged:
        case MsgKind::IoLevelChanged:
        case MsgKind::PosItemWritten:
        case MsgKind::BldcParamChanged:
        case MsgKind::ServoSwitched:
            return Message::Drive(kind, port, static_cast<uint8_t>(wParam), static_cast<int64_t>(lParam));
        default:
            return std::nullopt;
    }
}

const char* KindName(MsgKind kind) {
    switch (kind) {
        case MsgKind::CommandLine:
            return "CommandLine";
        case MsgKind::BoardListFrame:
            return "BoardListFrame";
        case MsgKind::ParamListFrame:
            return "ParamListFrame";
        case MsgKind::AxisParamFrame:
            return "AxisParamFrame";
        case MsgKind::MotionFrame:
            return "MotionFrame";
        case MsgKind::RepeatFrame:
            return "RepeatFrame";
        case MsgKind::IoMonitorFrame:
            return "IoMonitorFrame";
        case MsgKind::IoSettingFrame:
            return "IoSettingFrame";
        case MsgKind::PosTableFrame:
            return "PosTableFrame";
        case MsgKind::BldcFrame:
            return "BldcFrame";
        case MsgKind::DriveGoingAway:
            return "DriveGoingAway";
        case MsgKind::ServeDrive:
            return "ServeDrive";
        case MsgKind::DataReloaded:
            return "DataReloaded";
        case MsgKind::ParameterChanged:
            return "ParameterChanged";
        case MsgKind::IoAssignChanged:
            return "IoAssignChanged";
        case MsgKind::IoLevelChanged:
            return "IoLevelChanged";
        case MsgKind::PosItemWritten:
            return "PosItemWritten";
        case MsgKind::BldcParamChanged:
            return "BldcParamChanged";
        case MsgKind::ServoSwitched:
            return "ServoSwitched";
        case MsgKind::PosItemEdited:
            return "PosItemEdited";
        case MsgKind::LoadData:
            return "LoadData";
    }
    return "?";
}

}  // namespace tarsel::app
