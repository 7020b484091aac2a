// What distinguishes the six drive families inside the simulator: pin and signal counts, the
// parameter numbers with a role, the output signals the drive drives itself and the status
// bits it has.
#pragma once

#include <cstdint>
#include <string>

namespace tarsel::sim {

constexpr int kNoParam = -1;
constexpr int kNoSignal = 0;

// Input signal numbers (the same on every family; signal n is input status bit n-1).
namespace in {
constexpr int kLimitPlus = 1, kLimitMinus = 2, kOrigin = 3, kClearPos = 4, kPtA0 = 5, kPtStart = 13,
              kStop = 14, kJogPlus = 15, kJogMinus = 16, kAlarmReset = 17, kServoOn = 18, kPause = 19,
              kOriginSearch = 20, kTeaching = 21, kEStop = 22, kJptIn0 = 23, kJptStart = 26;
}

// Axis status bits.
namespace bit {
constexpr uint32_t kErrorAll = 1u << 0, kHwLimitPlus = 1u << 1, kHwLimitMinus = 1u << 2,
                   kSwLimitPlus = 1u << 3, kSwLimitMinus = 1u << 4, kEmgStop = 1u << 16, kSlowStop = 1u << 17,
                   kOrgReturning = 1u << 18, kInposition = 1u << 19, kServoOn = 1u << 20,
                   kAlarmReset = 1u << 21, kPtStopped = 1u << 22, kOriginSensor = 1u << 23,
                   kZPulse = 1u << 24, kOrgRetOk = 1u << 25, kMotionDir = 1u << 26, kMotioning = 1u << 27,
                   kMotionPause = 1u << 28, kMotionAccel = 1u << 29, kMotionDecel = 1u << 30,
                   kMotionConstant = 1u << 31;
}

struct FamilyTraits {
    uint16_t modelCode = 1;
    const char* modelName = "";
    bool servo = true;          // servo-on bit 20 and in-position bit 19 (all but the stepper)
    bool stepper = false;       // stepper extras (0x0B-0x0F, step alarm reset)
    bool bldc = false;          // BLDC parameters, monitoring, estimation
    bool hasBrake = false;      // 0x2D
    bool hasDriveWord = false;  // 0x06
    bool hasPt3 = false;        // PT OUT 3 and the end-sign flag 0x10
    // Counts.
    int inputSignals = 35;
    int outputSignals = 24;
    int fixedInputs = 3;
    int fixedOutputs = 1;
    uint16_t defaultInputPins = 12;
    uint16_t defaultOutputPins = 10;
    uint16_t defaultTableSize = 64;
    uint8_t legacyTypeByte = 1;
    // Parameters used for moves: maximum speed, start speed, acceleration and deceleration time.
    int speedParam = 1, startSpeedParam = 2, accelParam = 3, decelParam = 4;
    // Origin search: start speed, run speed, acceleration/deceleration time, method.
    int originStartParam = 18, originRunParam = 17, originAccDecParam = 19, originMethodParam = 20;
    // Level parameters (value 0 low active, 1 high active).
    int limitLevelParam = 16, originLevelParam = 24, servoOnLevelParam = 10, alarmResetLevelParam = 11,
        alarmOutputLevelParam = 9, runStopOutputLevelParam = kNoParam;
    // Output signals the drive drives.
    int outInposition = 2, outAlarm = 3, outMoving = 4, outAccDec = 5, outOrgOk = 9, outServoReady = 10,
        outBrake = 12, outRunStop = kNoSignal;
    int outPt0 = 13;  // PT OUT 0..2 (and PT OUT 3 = outPt0 + 3 when hasPt3)
    int firstUserOutput = 16, lastUserOutput = 24;
    // Alarm bit set with the alarm type.
    uint32_t alarmBit = 1u << 6;
};

const FamilyTraits& Traits(uint16_t modelCode);

}  // namespace tarsel::sim
