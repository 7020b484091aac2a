// Inputs, outputs and the pin assignment of a simulated drive.
#include <algorithm>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

constexpr uint64_t kInputMask40 = (uint64_t{1} << 40) - 1;

uint64_t SignalBit(int signal) {
    return signal >= 1 ? uint64_t{1} << (signal - 1) : 0;
}

}  // namespace

void Drive::InitIoMap() {
    inputMap_.assign(config_.inputCount, {});
    outputMap_.assign(config_.outputCount, {});
    // Fixed pins carry their own signal; the assignable ones get a typical wiring.
    const int assignableInputs[] = {in::kPtA0,       in::kPtA0 + 1, in::kPtA0 + 2, in::kPtStart, in::kStop,
                                    in::kAlarmReset, in::kEStop,    in::kJogPlus,  in::kJogMinus};
    std::size_t next = 0;
    for (std::size_t pin = 0; pin < inputMap_.size(); ++pin) {
        if (static_cast<int>(pin) < traits_.fixedInputs) {
            inputMap_[pin].signal = static_cast<uint8_t>(pin + 1);
        } else if (next < std::size(assignableInputs)) {
            inputMap_[pin].signal = static_cast<uint8_t>(assignableInputs[next++]);
        }
        inputMap_[pin].level = 1;
    }
    std::vector<int> outputs = {traits_.outAlarm,   traits_.outInposition, traits_.outMoving,
                                traits_.outRunStop, traits_.outOrgOk,      traits_.outPt0,
                                traits_.outPt0 + 1, traits_.outPt0 + 2,    traits_.firstUserOutput};
    outputs.erase(std::remove(outputs.begin(), outputs.end(), kNoSignal), outputs.end());
    next = 0;
    for (std::size_t pin = 0; pin < outputMap_.size(); ++pin) {
        if (static_cast<int>(pin) < traits_.fixedOutputs) {
            outputMap_[pin].signal = static_cast<uint8_t>(pin + 1);
        } else if (next < outputs.size()) {
            outputMap_[pin].signal = static_cast<uint8_t>(outputs[next++]);
        }
        outputMap_[pin].level = 1;
    }
    // Levels tied to parameters start from the parameters.
    for (int number :
         {traits_.limitLevelParam, traits_.originLevelParam, traits_.servoOnLevelParam,
          traits_.alarmResetLevelParam, traits_.alarmOutputLevelParam, traits_.runStopOutputLevelParam})
        if (number != kNoParam) ApplyLevelParam(number, Param(number, 0));
    romInputMap_ = inputMap_;
    romOutputMap_ = outputMap_;
}

int Drive::InputPinOf(int signal) const {
    for (std::size_t pin = 0; pin < inputMap_.size(); ++pin)
        if (inputMap_[pin].signal == signal) return static_cast<int>(pin);
    return -1;
}

int Drive::OutputPinOf(int signal) const {
    for (std::size_t pin = 0; pin < outputMap_.size(); ++pin)
        if (outputMap_[pin].signal == signal) return static_cast<int>(pin);
    return -1;
}

void Drive::ApplyLevelParam(int number, int32_t value) {
    if (number == kNoParam) return;
    const uint8_t level = value != 0 ? 1 : 0;
    auto setInput = [&](int signal) {
        if (int pin = InputPinOf(signal); pin >= 0) inputMap_[static_cast<std::size_t>(pin)].level = level;
    };
    auto setOutput = [&](int signal) {
        if (int pin = OutputPinOf(signal); pin >= 0) outputMap_[static_cast<std::size_t>(pin)].level = level;
    };
    if (number == traits_.limitLevelParam) {
        setInput(in::kLimitPlus);
        setInput(in::kLimitMinus);
    }
    if (number == traits_.originLevelParam) setInput(in::kOrigin);
    if (number == traits_.servoOnLevelParam) setInput(in::kServoOn);
    if (number == traits_.alarmResetLevelParam) setInput(in::kAlarmReset);
    if (number == traits_.alarmOutputLevelParam) setOutput(traits_.outAlarm);
    if (number == traits_.runStopOutputLevelParam) setOutput(traits_.outRunStop);
}

void Drive::SetLevelCoupledParam(int number, uint8_t level) {
    if (number == kNoParam || number >= static_cast<int>(params_.size())) return;
    StoreParam(number, level);
}

bool Drive::InputActive(int signal, Clock::time_point now) const {
    return (InputStatus(now) & SignalBit(signal)) != 0;
}

uint64_t Drive::InputStatus(Clock::time_point now) const {
    uint64_t status = softInputs_;
    for (std::size_t pin = 0; pin < inputMap_.size() && pin < 32; ++pin)
        if ((inputPins_ >> pin) & 1u) status |= SignalBit(inputMap_[pin].signal);
    // The limit and origin sensors follow the axis.
    const AxisEnvironment& env = config_.axis;
    double position = CurrentPosition(now);
    if (position >= env.limitPlus) status |= SignalBit(in::kLimitPlus);
    if (position <= env.limitMinus) status |= SignalBit(in::kLimitMinus);
    if (position >= env.originSensor && position <= static_cast<double>(env.originSensor) + env.originWidth)
        status |= SignalBit(in::kOrigin);
    uint64_t signalMask = (uint64_t{1} << traits_.inputSignals) - 1;
    return status & signalMask & kInputMask40;
}

uint32_t Drive::OutputStatus(Clock::time_point now) const {
    uint32_t status = ptOutputs_ | userOutputs_;
    auto set = [&](int signal, bool on) {
        if (signal != kNoSignal && on) status |= 1u << (signal - 1);
    };
    uint32_t axis = AxisStatus(now);
    set(traits_.outInposition, (axis & bit::kInposition) != 0);
    set(traits_.outAlarm, alarmType_ != 0);
    set(traits_.outMoving, Moving());
    set(traits_.outRunStop, Moving());
    set(traits_.outAccDec, (axis & (bit::kMotionAccel | bit::kMotionDecel)) != 0);
    set(traits_.outOrgOk, orgRetOk_);
    set(traits_.outServoReady, servoOn_ && alarmType_ == 0);
    set(traits_.outBrake, brake_);
    uint32_t mask = traits_.outputSignals >= 32 ? 0xFFFFFFFFu : (1u << traits_.outputSignals) - 1;
    return status & mask;
}

std::optional<PinAssignment> Drive::InputAssignment(uint8_t pin) const {
    if (pin >= inputMap_.size()) return std::nullopt;
    return inputMap_[pin];
}

std::optional<PinAssignment> Drive::OutputAssignment(uint8_t pin) const {
    if (pin >= outputMap_.size()) return std::nullopt;
    return outputMap_[pin];
}

DriveResponse Drive::HandleIo(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now) {
    switch (type) {
        case 0x20: {
            if (length < 8) return Status(kStatusPacketError);
            uint32_t userMask = 0;
            for (int s = traits_.firstUserOutput; s <= traits_.lastUserOutput; ++s) userMask |= 1u << (s - 1);
            userOutputs_ = ((userOutputs_ | GetU32(data)) & ~GetU32(data + 4)) & userMask;
            return {};
        }
        case 0x21:
            if (length < 10) return Status(kStatusPacketError);
            softInputs_ = ((softInputs_ | GetInputMask(data)) & ~GetInputMask(data + 5)) & kInputMask40;
            return {};
        case 0x22: {
            DriveResponse r;
            AppendInputs(r, InputStatus(now));
            return r;
        }
        case 0x23:
            return WithS32(static_cast<int32_t>(OutputStatus(now)));
        case 0x24:
        case 0x25: {
            if (length < 3) return Status(kStatusPacketError);
            const bool input = type == 0x24;
            std::vector<PinAssignment>& map = input ? inputMap_ : outputMap_;
            const int fixed = input ? traits_.fixedInputs : traits_.fixedOutputs;
            const int signals = input ? traits_.inputSignals : traits_.outputSignals;
            const uint8_t pin = data[0], signal = data[1], level = data[2] ? 1 : 0;
            if (pin >= map.size()) return Status(kStatusDataError);
            if (pin < fixed) {
                if (signal != pin + 1) return Status(kStatusDataError);
            } else if (signal != 0 && (signal <= fixed || signal > signals)) {
                return Status(kStatusDataError);
            }
            // A signal is carried by one pin at most: the pin that carried it before is freed.
            if (signal != 0)
                for (auto& other : map)
                    if (&other != &map[pin] && other.signal == signal) other = {};
            map[pin] = {signal, level};
            if (input) {
                if (signal == in::kLimitPlus || signal == in::kLimitMinus)
                    SetLevelCoupledParam(traits_.limitLevelParam, level);
                if (signal == in::kOrigin) SetLevelCoupledParam(traits_.originLevelParam, level);
                if (signal == in::kServoOn) SetLevelCoupledParam(traits_.servoOnLevelParam, level);
                if (signal == in::kAlarmReset) SetLevelCoupledParam(traits_.alarmResetLevelParam, level);
            } else {
                if (signal == traits_.outAlarm) SetLevelCoupledParam(traits_.alarmOutputLevelParam, level);
                if (signal == traits_.outRunStop && signal != kNoSignal)
                    SetLevelCoupledParam(traits_.runStopOutputLevelParam, level);
            }
            return {};
        }
        case 0x26:
            inputMap_ = romInputMap_;
            outputMap_ = romOutputMap_;
            return WithU8(0);
        case 0x27:
        case 0x28: {
            if (length < 1) return Status(kStatusPacketError);
            const std::vector<PinAssignment>& map = type == 0x27 ? inputMap_ : outputMap_;
            if (data[0] >= map.size()) return Status(kStatusDataError);
            DriveResponse r;
            r.data = {map[data[0]].signal, map[data[0]].level};
            return r;
        }
    }
    return Status(kStatusFrameTypeError);
}

void Drive::ProcessInputEdges(Clock::time_point now) {
    const uint64_t current = InputStatus(now);
    const uint64_t rising = current & ~lastInputs_;
    const uint64_t falling = lastInputs_ & ~current;
    lastInputs_ = current;
    if (rising == 0 && falling == 0) return;
    auto rose = [&](int signal) { return (rising & SignalBit(signal)) != 0; };
    auto fell = [&](int signal) { return (falling & SignalBit(signal)) != 0; };
    if (rose(in::kEStop)) {
        EmergencyStop(now);
        EndTable();
    }
    if (rose(in::kStop)) {
        StopDecelerating(now);
        EndTable();
    }
    if (rose(in::kAlarmReset)) ResetAlarm();
    if (InputPinOf(in::kServoOn) >= 0 && traits_.servoOnLevelParam != kNoParam) {
        if (rose(in::kServoOn)) ForceServo(true, now);
        if (fell(in::kServoOn)) ForceServo(false, now);
    }
    if (rose(in::kPause)) Pause(true, now);
    if (fell(in::kPause)) Pause(false, now);
    if (rose(in::kClearPos) && !Moving()) ForcePositions(0, 0);
    if (rose(in::kOriginSearch)) StartOrigin(now);
    if (rose(in::kJogPlus) || rose(in::kJogMinus))
        StartJog(rose(in::kJogPlus) ? 1 : -1, Param(traits_.originRunParam, 10000), now);
    if ((fell(in::kJogPlus) || fell(in::kJogMinus)) && motion_ == MotionKind::Jog) StopDecelerating(now);
    if (rose(in::kPtStart)) {
        uint16_t item = static_cast<uint16_t>((current >> (in::kPtA0 - 1)) & 0xFF);
        StartTable(item, false, now);
    }
    lastInputs_ = InputStatus(now);
}

}  // namespace tarsel::sim
