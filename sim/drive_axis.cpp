// The simulated axis: servo, alarms, brake, moves, stops and the status words.
#include <cmath>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

constexpr uint8_t kRunFail = 0x85;
constexpr uint8_t kServoOnFailAlarm = 0x87;
constexpr uint8_t kServoOnFailEStop = 0x88;
constexpr uint8_t kServoOnFailInput = 0x89;
constexpr double kServoLagSeconds = 0.001;  // following error of a servo: one millisecond of travel

int32_t Round(double v) {
    double r = std::floor(v + 0.5);
    if (r > 2147483647.0) return INT32_MAX;
    if (r < -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(r);
}

uint32_t AlarmBit(const FamilyTraits& traits, uint8_t type) {
    if (type == 0) return 0;
    if (traits.stepper) {
        static const int bits[] = {7, 8, 9, 10, 12, 13, 14, 15};
        return type <= std::size(bits) ? 1u << bits[type - 1] : 0;
    }
    if (traits.alarmBit == 0) return 0;  // pulse-output controllers: bit 0 only
    return type <= 10 ? 1u << (5 + type) : 0;
}

}  // namespace

MotionSample Drive::Sample(Clock::time_point now) const {
    if (motion_ == MotionKind::None || paused_) {
        MotionSample s;
        s.position = position_;
        return s;
    }
    return plan_.At(now);
}

bool Drive::MotorReady() const {
    if (alarmType_ != 0) return false;
    return traits_.servo ? servoOn_ : stepperEnabled_;
}

uint8_t Drive::CheckMotionAllowed(Clock::time_point now) const {
    if (!MotorReady() || Moving() || InputActive(in::kEStop, now) || InputActive(in::kStop, now))
        return kRunFail;
    return 0;
}

MoveShape Drive::ShapeFromParams(double speed) const {
    MoveShape shape;
    shape.startSpeed = Param(traits_.startSpeedParam, 100);
    shape.maxSpeed = speed;
    shape.endSpeed = shape.startSpeed;
    shape.accelSeconds = Param(traits_.accelParam, 100) / 1000.0;
    shape.decelSeconds = Param(traits_.decelParam, 100) / 1000.0;
    return shape;
}

double Drive::ClampSoftLimits(double target) {
    const AxisEnvironment& env = config_.axis;
    swLimitPlusHit_ = swLimitMinusHit_ = false;
    if (!env.softLimitsEnabled) return target;
    if (target > env.softLimitPlus) {
        swLimitPlusHit_ = true;
        return env.softLimitPlus;
    }
    if (target < env.softLimitMinus) {
        swLimitMinusHit_ = true;
        return env.softLimitMinus;
    }
    return target;
}

uint8_t Drive::StartMove(double target, MoveShape shape, Clock::time_point now, MotionKind kind) {
    if (kind == MotionKind::Move) target = ClampSoftLimits(target);
    plan_ = PlanMove(now, position_, target, shape);
    motion_ = kind;
    moveTarget_ = target;
    moveShape_ = shape;
    paused_ = false;
    emgStop_ = false;
    OnMoveStarted(now);
    return 0;
}

uint8_t Drive::StartJog(int direction, double speed, Clock::time_point now) {
    if (uint8_t refused = CheckMotionAllowed(now)) return refused;
    MoveShape shape = ShapeFromParams(speed);
    plan_ = PlanJog(now, position_, direction, shape);
    motion_ = MotionKind::Jog;
    moveShape_ = shape;
    paused_ = false;
    emgStop_ = false;
    OnMoveStarted(now);
    return 0;
}

uint8_t Drive::StartOrigin(Clock::time_point now, std::optional<MoveShape> shape) {
    if (uint8_t refused = CheckMotionAllowed(now)) return refused;
    orgRetOk_ = false;
    const int method = Param(traits_.originMethodParam, 0);
    if (method == 5) {  // set origin: the present position becomes 0
        ForcePositions(0, 0);
        orgRetOk_ = true;
        return 0;
    }
    const AxisEnvironment& env = config_.axis;
    double target = method <= 1 ? env.originSensor + env.originWidth / 2.0 : env.limitMinus;
    if (!shape) {
        MoveShape s;
        s.startSpeed = Param(traits_.originStartParam, 1000);
        s.maxSpeed = Param(traits_.originRunParam, 20000);
        s.endSpeed = s.startSpeed;
        s.accelSeconds = s.decelSeconds = Param(traits_.originAccDecParam, 100) / 1000.0;
        shape = s;
    }
    return StartMove(target, *shape, now, MotionKind::Origin);
}

void Drive::StopAt(double position, Clock::time_point) {
    position_ = position;
    motion_ = MotionKind::None;
    plan_ = {};
    paused_ = false;
}

void Drive::StopDecelerating(Clock::time_point now) {
    if (!Moving() || motion_ == MotionKind::Stop) return;
    if (paused_) {
        StopAt(position_, now);
        return;
    }
    MotionSample s = plan_.At(now);
    double dv = moveShape_.maxSpeed - moveShape_.endSpeed;
    double rate = (moveShape_.decelSeconds > 0 && dv > 0) ? dv / moveShape_.decelSeconds : INFINITY;
    plan_ = PlanStop(now, s.position, s.velocity < 0 ? -1 : 1, std::fabs(s.velocity), rate);
    motion_ = MotionKind::Stop;
}

void Drive::EmergencyStop(Clock::time_point now) {
    StopAt(CurrentPosition(now), now);
    emgStop_ = true;
}

void Drive::Pause(bool on, Clock::time_point now) {
    if (on && Moving() && !paused_ && motion_ != MotionKind::Stop) {
        position_ = plan_.At(now).position;
        paused_ = true;
    } else if (!on && paused_) {
        paused_ = false;
        if (motion_ == MotionKind::Jog)
            plan_ = PlanJog(now, position_, plan_.Direction(), moveShape_);
        else
            plan_ = PlanMove(now, position_, moveTarget_, moveShape_);
    }
}

void Drive::FinishMotion(Clock::time_point now) {
    MotionSample s = plan_.At(now);
    const MotionKind kind = motion_;
    StopAt(s.position, now);
    if (kind == MotionKind::Origin) {
        ForcePositions(0, 0);
        orgRetOk_ = true;
    }
    if (kind == MotionKind::Move) ++finishedMoves_;
}

void Drive::CheckLimits(Clock::time_point now) {
    if (paused_) return;
    MotionSample s = plan_.At(now);
    const AxisEnvironment& env = config_.axis;
    if (s.velocity > 0 && s.position > env.limitPlus)
        StopAt(env.limitPlus, now);
    else if (s.velocity < 0 && s.position < env.limitMinus)
        StopAt(env.limitMinus, now);
}

void Drive::ResetAlarm() {
    alarmType_ = 0;
    emgStop_ = false;
}

void Drive::ForcePositions(int32_t command, int32_t actual) {
    position_ = command;
    actualOffset_ = static_cast<double>(actual) - command;
    if (Moving()) {
        motion_ = MotionKind::None;
        plan_ = {};
        paused_ = false;
    }
}

bool Drive::ForceServo(bool on, Clock::time_point now) {
    if (traits_.servo) {
        if (!on && Moving()) StopAt(CurrentPosition(now), now);
        servoOn_ = on;
    } else {
        if (!on && Moving()) StopAt(CurrentPosition(now), now);
        stepperEnabled_ = on;
    }
    if (!on) EndTable();
    return true;
}

void Drive::ForceAlarm(uint8_t type, Clock::time_point now) {
    alarmType_ = type;
    if (type != 0) {
        if (Moving()) StopAt(CurrentPosition(now), now);
        EndTable();
        servoOn_ = false;
    }
}

uint32_t Drive::AxisStatus(Clock::time_point now) const {
    uint32_t status = 0;
    if (alarmType_ != 0) status |= bit::kErrorAll | AlarmBit(traits_, alarmType_);
    const uint64_t inputs = InputStatus(now);
    if (inputs & (1u << (in::kLimitPlus - 1))) status |= bit::kHwLimitPlus;
    if (inputs & (1u << (in::kLimitMinus - 1))) status |= bit::kHwLimitMinus;
    if (inputs & (1u << (in::kOrigin - 1))) status |= bit::kOriginSensor;
    if (swLimitPlusHit_) status |= bit::kSwLimitPlus;
    if (swLimitMinusHit_) status |= bit::kSwLimitMinus;
    if (emgStop_) status |= bit::kEmgStop;
    if (motion_ == MotionKind::Stop) status |= bit::kSlowStop;
    if (motion_ == MotionKind::Origin) status |= bit::kOrgReturning;
    if (traits_.servo) {
        if (servoOn_) status |= bit::kServoOn;
        if (servoOn_ && alarmType_ == 0 && !Moving()) status |= bit::kInposition;
    } else if (!stepperEnabled_) {
        status |= bit::kAlarmReset;  // the stepper's motor is free
    }
    if (!run_.running) status |= bit::kPtStopped;
    if (orgRetOk_) status |= bit::kOrgRetOk;
    MotionSample s = Sample(now);
    if (config_.axis.zPulsePeriod > 0) {
        double phase = std::fmod(std::fabs(s.position), static_cast<double>(config_.axis.zPulsePeriod));
        if (phase < 1.0) status |= bit::kZPulse;
    }
    if (Moving()) {
        status |= bit::kMotioning;
        if (plan_.Direction() < 0) status |= bit::kMotionDir;
        if (paused_) {
            status |= bit::kMotionPause;
        } else if (s.kind == MotionPhase::Kind::Accel) {
            status |= bit::kMotionAccel;
        } else if (s.kind == MotionPhase::Kind::Decel) {
            status |= bit::kMotionDecel;
        } else {
            status |= bit::kMotionConstant;
        }
    }
    return status;
}

AxisState Drive::Axis(Clock::time_point now) const {
    AxisState a;
    MotionSample s = Sample(now);
    a.status = AxisStatus(now);
    a.commandPosition = Round(s.position);
    double lag = traits_.servo ? s.velocity * kServoLagSeconds : 0.0;
    a.actualPosition = Round(s.position + actualOffset_ - lag);
    a.positionError = a.commandPosition - a.actualPosition;
    a.actualVelocity = Round(s.velocity);
    a.runningItem = run_.item;
    a.servoOn = traits_.servo ? servoOn_ : stepperEnabled_;
    a.brakeOn = brake_;
    a.alarmType = alarmType_;
    a.bootRom = bootRom_;
    return a;
}

DriveResponse Drive::HandleServo(uint8_t type, const uint8_t* data, std::size_t length,
                                 Clock::time_point now) {
    switch (type) {
        case 0x2A: {
            if (length < 1) return Status(kStatusPacketError);
            const bool on = data[0] != 0;
            if (on && traits_.servo) {
                if (alarmType_ != 0) return Status(kServoOnFailAlarm);
                if (InputActive(in::kEStop, now)) return Status(kServoOnFailEStop);
                if (traits_.servoOnLevelParam != kNoParam && InputPinOf(in::kServoOn) >= 0)
                    return Status(kServoOnFailInput);
            }
            ForceServo(on, now);
            return {};
        }
        case 0x2B:
            ResetAlarm();
            return {};
        case 0x2C:
            if (!traits_.stepper) return Status(kStatusFrameTypeError);
            if (length < 1) return Status(kStatusPacketError);
            // The stepper's alarm-reset input: held, it clears the alarm and frees the motor;
            // released, the motor is driven again.
            if (data[0]) ResetAlarm();
            ForceServo(data[0] == 0, now);
            return {};
        case 0x2D:
            if (!traits_.hasBrake) return Status(kStatusFrameTypeError);
            if (length < 1) return Status(kStatusPacketError);
            if (data[0] == 0 || data[0] == 1) brake_ = data[0] == 1;  // 2 and above: query only
            return WithU8(brake_ ? 1 : 0);
        case 0x2E:
            return WithU8(alarmType_);
    }
    return Status(kStatusFrameTypeError);
}

DriveResponse Drive::HandleMotion(uint8_t type, const uint8_t* data, std::size_t length,
                                  Clock::time_point now) {
    auto need = [&](std::size_t n) { return length >= n; };
    switch (type) {
        case 0x31:
        case 0x3B:
            StopDecelerating(now);
            EndTable();
            return {};
        case 0x32:
        case 0x3C:
            EmergencyStop(now);
            EndTable();
            return {};
        case 0x33:
        case 0x3D:
            return Status(StartOrigin(now));
        case 0x34:
        case 0x3E:
        case 0x80:
        case 0x35:
        case 0x3F:
        case 0x81: {
            if (!need(8)) return Status(kStatusPacketError);
            const int32_t value = GetS32(data);
            const uint32_t velocity = GetU32(data + 4);
            if (velocity == 0) return Status(kStatusDataError);
            if (uint8_t refused = CheckMotionAllowed(now)) return Status(refused);
            const bool absolute = type == 0x34 || type == 0x3E || type == 0x80;
            double target = absolute ? value : position_ + value;
            return Status(StartMove(target, ShapeFromParams(velocity), now));
        }
        case 0x36: {
            if (!need(5)) return Status(kStatusPacketError);
            const uint32_t velocity = GetU32(data);
            if (velocity == 0) return Status(kStatusDataError);
            if (uint8_t refused = CheckMotionAllowed(now)) return Status(refused);
            double target = data[4] ? config_.axis.limitPlus : config_.axis.limitMinus;
            return Status(StartMove(target, ShapeFromParams(velocity), now, MotionKind::ToLimit));
        }
        case 0x37:
        case 0x82: {
            if (!need(5)) return Status(kStatusPacketError);
            const uint32_t velocity = GetU32(data);
            if (velocity == 0) return Status(kStatusDataError);
            return Status(StartJog(data[4] ? 1 : -1, velocity, now));
        }
        case 0x38:
        case 0x39: {
            if (!need(4)) return Status(kStatusPacketError);
            if (motion_ != MotionKind::Move || paused_) return Status(kRunFail);
            MotionSample s = plan_.At(now);
            double target = ClampSoftLimits(type == 0x38 ? GetS32(data) : moveTarget_ + GetS32(data));
            MoveShape shape = moveShape_;
            const bool sameDirection = (target - s.position) * s.velocity > 0;
            if (sameDirection) shape.startSpeed = std::fabs(s.velocity);
            plan_ = PlanMove(now, s.position, target, shape);
            moveTarget_ = target;
            return {};
        }
        case 0x3A: {
            if (!need(4)) return Status(kStatusPacketError);
            const uint32_t velocity = GetU32(data);
            if (velocity == 0) return Status(kStatusDataError);
            if ((motion_ != MotionKind::Move && motion_ != MotionKind::Jog) || paused_)
                return Status(kRunFail);
            MotionSample s = plan_.At(now);
            MoveShape shape = moveShape_;
            shape.maxSpeed = velocity;
            moveShape_ = shape;
            shape.startSpeed = std::min(std::fabs(s.velocity), static_cast<double>(velocity));
            if (motion_ == MotionKind::Jog)
                plan_ = PlanJog(now, s.position, plan_.Direction(), shape);
            else
                plan_ = PlanMove(now, s.position, moveTarget_, shape);
            return {};
        }
        case 0x58:
            if (!need(1)) return Status(kStatusPacketError);
            Pause(data[0] != 0, now);
            return {};
        case 0x70:
            if (!need(10)) return Status(kStatusPacketError);
            linear_ = {true, GetS32(data), GetU32(data + 4), GetU16(data + 8)};
            return {};
        case 0x71: {
            if (!need(4)) return Status(kStatusPacketError);
            const uint32_t mask = GetU32(data);
            if (!linear_.valid || Slave() > 31 || !((mask >> Slave()) & 1u)) return {};
            linear_.valid = false;
            if (linear_.velocity == 0) return Status(kStatusDataError);
            if (uint8_t refused = CheckMotionAllowed(now)) return Status(refused);
            MoveShape shape = ShapeFromParams(linear_.velocity);
            shape.accelSeconds = shape.decelSeconds = linear_.accel / 1000.0;
            return Status(StartMove(position_ + linear_.distance, shape, now));
        }
    }
    return Status(kStatusFrameTypeError);
}

DriveResponse Drive::HandleStatus(uint8_t type, const uint8_t* data, std::size_t length,
                                  Clock::time_point now) {
    const AxisState a = Axis(now);
    DriveResponse r;
    switch (type) {
        case 0x40:
            return WithS32(static_cast<int32_t>(a.status));
        case 0x41:
            AppendInputs(r, InputStatus(now));
            AppendU32(r, OutputStatus(now));
            return r;
        case 0x43:
            AppendInputs(r, InputStatus(now));
            AppendU32(r, OutputStatus(now));
            AppendU32(r, a.status);
            [[fallthrough]];
        case 0x42:
            AppendU32(r, static_cast<uint32_t>(a.commandPosition));
            AppendU32(r, static_cast<uint32_t>(a.actualPosition));
            AppendU32(r, static_cast<uint32_t>(a.positionError));
            AppendU32(r, static_cast<uint32_t>(a.actualVelocity));
            AppendU32(r, a.runningItem);
            return r;
        case 0x44:
            return WithS32(static_cast<int32_t>(a.runningItem));
        case 0x50:
        case 0x52:
            if (length < 4) return Status(kStatusPacketError);
            if (Moving()) return Status(kRunFail);
            ForcePositions(GetS32(data), GetS32(data));
            return {};
        case 0x53:
            return WithS32(a.actualPosition);
        case 0x54:
            return WithS32(a.positionError);
        case 0x55:
            return WithS32(a.actualVelocity);
        case 0x56:
            if (Moving()) return Status(kRunFail);
            ForcePositions(0, 0);
            return {};
    }
    return Status(kStatusFrameTypeError);
}

}  // namespace tarsel::sim
