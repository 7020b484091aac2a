// What distinguishes the six drive families in the model: names, I/O signal vocabularies,
// enumerated parameter texts, the parameters tied to signal levels and to the default speeds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comm/protocol.h"

namespace tarsel {

// A parameter that carries the active level of a signal: the drive keeps the two in step.
struct LevelTie {
    uint8_t parameter = 0;
    bool output = false;
    uint8_t signal = 0;
    bool onParameterWrite = true;  // a parameter write re-reads the signal's pin
};

// Enumerated texts of a parameter's values.
enum class ValueTexts : uint8_t {
    None,
    Level,
    StopKind,
    Direction,
    Multiplier,
    PulseMode,
    Origin3,
    Origin5,
    Origin6,
    ServoResolution,
    ServoGain,
    StepResolution,
    StepEncoder
};

struct EnumeratedParam {
    uint8_t parameter = 0;
    ValueTexts texts = ValueTexts::None;
};

struct BoardTypeInfo {
    uint8_t typeCode = 0;
    const char* modelName = "";
    const char* defaultFile = "";
    const char* defaultSection = "";
    uint8_t inputSignals = 0, inputFixed = 0, outputSignals = 0, outputFixed = 0;
    std::vector<std::string> inputLabels;
    std::vector<std::string> outputLabels;
    uint8_t firstUserOutput = 0, lastUserOutput = 0;
    uint8_t checkValueBase = 1;  // CheckValue1..4 check parameters base .. base+3
    uint8_t startSpeedParam = 0, runSpeedParam = 0, accDecParam = 0;
    uint8_t limitParam = 0, originParam = 0;
    std::vector<LevelTie> ties;
    std::vector<EnumeratedParam> enumerated;
    bool queriesBrake = false;  // a brake: BrakeSet, and the polling step reads its state
    bool servoCommands = true;  // ServoEnable and ServoAlarmReset
    bool stepCommands = false;  // StepAlarmReset and the stepper extras
};

// The information of a type code; any code without a family of its own gets the servo's.
const BoardTypeInfo& TypeInfo(uint8_t typeCode);

// Text of an enumerated value, or empty when the list has no text for it.  The servo
// resolution's value 0 is the drive's own number and is handled by the board.
std::string EnumeratedText(ValueTexts texts, int32_t value);

}  // namespace tarsel
