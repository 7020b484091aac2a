#include "sim/family.h"

#include "sim/simulator.h"

namespace tarsel::sim {
namespace {

FamilyTraits MakeServo() {
    FamilyTraits t;
    t.modelCode = model::kServo;
    t.modelName = "Dorrin Tevra Inc.";
    t.hasBrake = true;
    t.hasDriveWord = true;
    t.defaultTableSize = 256;
    t.legacyTypeByte = 3;
    return t;
}

FamilyTraits MakeController(uint16_t code) {
    FamilyTraits t;
    t.modelCode = code;
    t.modelName = code == model::kMotionController ? "Ravelo" : "Ravelo2";
    t.inputSignals = 32;
    t.defaultInputPins = 10;
    t.defaultOutputPins = 2;
    t.legacyTypeByte = code == model::kMotionController ? 10 : 11;
    t.outBrake = kNoSignal;
    t.firstUserOutput = t.lastUserOutput = 16;
    t.alarmBit = 0;  // bit 0 is the servo alarm itself
    if (code == model::kMotionController2) {
        t.originStartParam = 15;
        t.originRunParam = 14;
        t.originAccDecParam = 16;
        t.originMethodParam = 17;
        t.limitLevelParam = 13;
        t.originLevelParam = 21;
        t.servoOnLevelParam = kNoParam;
        t.alarmResetLevelParam = kNoParam;
        t.alarmOutputLevelParam = kNoParam;
    }
    return t;
}

FamilyTraits MakeStepper() {
    FamilyTraits t;
    t.modelCode = model::kStepper;
    t.modelName = "Pellin Tevra";
    t.servo = false;
    t.stepper = true;
    t.defaultTableSize = 256;
    t.legacyTypeByte = 20;
    t.servoOnLevelParam = kNoParam;
    t.runStopOutputLevelParam = 10;
    t.outInposition = kNoSignal;
    t.outServoReady = kNoSignal;
    t.outMoving = kNoSignal;
    t.outRunStop = 4;
    t.alarmBit = 1u << 7;  // Err Step Alarm
    return t;
}

FamilyTraits MakeAbsServo() {
    FamilyTraits t = MakeServo();
    t.modelCode = model::kAbsServo;
    t.modelName = "Dorrin Tevra Abs.";
    t.outputSignals = 25;
    t.defaultInputPins = 9;
    t.defaultOutputPins = 9;
    t.defaultTableSize = 64;
    t.legacyTypeByte = 35;
    t.hasPt3 = true;
    t.firstUserOutput = 17;
    t.lastUserOutput = 25;
    return t;
}

FamilyTraits MakeBldc() {
    FamilyTraits t = MakeAbsServo();
    t.modelCode = model::kBldc;
    t.modelName = "Dorrin Tevra BLDC F60";
    t.bldc = true;
    t.hasDriveWord = true;
    t.defaultInputPins = 12;
    t.defaultOutputPins = 10;
    t.legacyTypeByte = 1;
    t.speedParam = 0;
    t.startSpeedParam = 1;
    t.accelParam = 2;
    t.decelParam = 3;
    t.originStartParam = 17;
    t.originRunParam = 16;
    t.originAccDecParam = 18;
    t.originMethodParam = 19;
    t.limitLevelParam = 15;
    t.originLevelParam = 23;
    t.servoOnLevelParam = 9;
    t.alarmResetLevelParam = 10;
    t.alarmOutputLevelParam = 8;
    return t;
}

}  // namespace

const FamilyTraits& Traits(uint16_t modelCode) {
    static const FamilyTraits servo = MakeServo();
    static const FamilyTraits ravelo = MakeController(model::kMotionController);
    static const FamilyTraits ravelo2 = MakeController(model::kMotionController2);
    static const FamilyTraits stepper = MakeStepper();
    static const FamilyTraits abs = MakeAbsServo();
    static const FamilyTraits bldcTraits = MakeBldc();
    switch (modelCode) {
        case model::kMotionController:
            return ravelo;
        case model::kMotionController2:
            return ravelo2;
        case model::kStepper:
            return stepper;
        case model::kAbsServo:
            return abs;
        case model::kBldc:
            return bldcTraits;
        default:
            return servo;
    }
}

std::string ModelName(uint16_t modelCode) {
    return Traits(modelCode).modelName;
}

}  // namespace tarsel::sim
