// Servo on/off, alarm reset and brake, and the stepper's alarm-reset input, with the refusal of
// the types that lack a command.
#include "gui/model/board/CBoardInterface.h"

namespace tarsel {

bool CBoardInterface::ServoEnable(bool on) {
    if (!HasServoCommands()) return false;
    return Run(
        "ZEL_ServoEnable", [&] { return Port()->ServoEnable(slave_, on); },
        [&](uint8_t code) {
            LogCommand("ZEL_ServoEnable(%d, %d, %d); Return : 0x%02X", PortNumber(), slave_, on ? 1 : 0,
                       code);
        });
}

bool CBoardInterface::ServoAlarmReset() {
    if (!HasServoCommands()) return false;
    return Run(
        "ZEL_ServoAlarmReset", [&] { return Port()->ServoAlarmReset(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_ServoAlarmReset(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

bool CBoardInterface::BrakeSet(bool on, uint32_t& state) {
    if (!HasBrake()) return false;
    uint32_t read = 0;
    const bool ok = Run(
        "ZEL_BrakeSet", [&] { return Port()->BrakeSet(slave_, on ? 1 : 0, &read); },
        [&](uint8_t code) {
            LogCommand("ZEL_BrakeSet(%d, %d, %d, [%d]); Return : 0x%02X", PortNumber(), slave_, on ? 1 : 0,
                       static_cast<int>(read), code);
        });
    if (ok) state = read;
    return ok;
}

bool CBoardInterface::StepAlarmReset(bool reset) {
    if (!HasStepCommands()) return false;
    return Run(
        "ZEL_StepAlarmReset", [&] { return Port()->StepAlarmReset(slave_, reset); },
        [&](uint8_t code) {
            LogCommand("ZEL_StepAlarmReset(%d, %d, %d); Return : 0x%02X", PortNumber(), slave_, reset ? 1 : 0,
                       code);
        });
}

bool CBoardInterface::MotorEnable(bool on) {
    // The stepper has no enable command: holding its alarm-reset input switches the motor off.
    if (HasStepCommands()) return StepAlarmReset(!on);
    return ServoEnable(on);
}

bool CBoardInterface::AlarmReset() {
    if (HasStepCommands()) return StepAlarmReset(true) && StepAlarmReset(false);
    return ServoAlarmReset();
}

}  // namespace tarsel
