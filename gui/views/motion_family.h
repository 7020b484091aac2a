// What the six motion test views differ in, one row per drive family: the origin methods, how the
// motor's enable state shows in the axis status and is captioned, the brake button, the parameter
// numbers behind the fields and the status lamp labels.  The view itself is one class.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarsel::views {

// The parameters the fields of the view are bound to.
struct MotionParams {
    uint8_t moveSpeed;  // range check only: the move speed is kept by the view
    uint8_t startSpeed, accel, decel;
    uint8_t jogSpeed, jogAccDec;
    uint8_t originSpeed, originSearchSpeed, originAccDec, originMethod;
};

// How the enable state shows: the servo's "Servo On" bit, or the stepper's "Alarm Reset" and
// "Err Step Alarm" bits (set while the motor is free).
enum class EnableKind : uint8_t { Servo, Step };

struct MotionFamily {
    const char* className;
    uint8_t typeCode;
    std::vector<const char*> originMethods;
    EnableKind enable;
    bool brake;
    MotionParams params;
    std::array<const char*, 32> lampLabels;

    // Status bits that make up the enable state.
    uint32_t EnableMask() const { return enable == EnableKind::Servo ? 1u << 20 : (1u << 21) | (1u << 7); }
    bool EnableState(uint32_t status) const { return (status & EnableMask()) != 0; }
    // Caption of the enable button while the enable state is `set`.
    const char* EnableCaption(bool set) const;
    // The argument of the board's MotorEnable that toggles the shown state.
    bool MotorEnableArgument(bool set) const { return enable == EnableKind::Servo ? !set : set; }
};

// The six families, in the order of their board type codes 1, 20, 10, 30, 40, 110.
const std::vector<MotionFamily>& MotionFamilies();
// The family of a board type code; the servo's for any code without one.
const MotionFamily& MotionFamilyOf(uint8_t typeCode);

// The name of an alarm code (1 to 16 but 13), or none.
const char* AlarmName(uint8_t code);
// The alarm type as the view shows it (untranslated): empty for 0, "name [code]" for a named
// code, else the number.
std::string AlarmText(uint8_t code);

// The enabling of the command buttons.
enum class MotionButtons : uint8_t { Idle, Busy, BusyJog };
MotionButtons ButtonState(bool busy, bool tableRunning, bool repeatRunning, bool jog);

}  // namespace tarsel::views
