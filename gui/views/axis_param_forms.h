// The forms of the axis parameter view, one per drive family: the drive parameter number each
// control binds (-1 where the family's form lacks the control) and the captions of the controls.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tarsel::views {

struct AxisParamForm {
    const char* className;
    uint8_t typeCode;
    int form;
    int motorDirection;
    int originDirection;
    int originOffset;
    int originPositionSet;
    int inPosition;
    int limitStopMode;
    int softLimitPlus;
    int softLimitMinus;
    int trackingLimit;
    int speedRatio;
    int runStopLogic;      // "Run/Stop Signal Logic"
    int encoderDirection;  // "Encoder Direction", two-way
    int pulseType;
    int encoderDirection3;  // the second "Encoder Direction", three-way
};

// A radio group: its title, captions (button k writes value k) and bound parameter.
struct RadioControl {
    const char* name;  // object name stem
    const char* title;
    std::array<const char*, 3> captions;  // the third is empty for a pair
    int AxisParamForm::*parameter;
};

struct EditControl {
    const char* name;
    const char* caption;
    const char* unit;  // empty: none
    int AxisParamForm::*parameter;
};

std::span<const AxisParamForm> AxisParamForms();
// The form of a board type code; the first form for codes without one.
const AxisParamForm& AxisParamFormOf(uint8_t typeCode);

}  // namespace tarsel::views
