// Motion profiles of the simulated axis: a list of phases of constant acceleration, evaluated
// analytically from the start time, so positions are exact at any moment and cost nothing to
// keep up to date.
#pragma once

#include <chrono>
#include <vector>

namespace tarsel::sim {

using Clock = std::chrono::steady_clock;

struct MotionPhase {
    enum class Kind { Accel, Constant, Decel };
    Kind kind = Kind::Constant;
    double duration = 0;  // seconds; infinity for the endless phase of a jog
    double v0 = 0;        // speed at the start of the phase, pulses per second, >= 0
    double a = 0;         // change of speed per second (negative while decelerating)
};

struct MotionSample {
    double position = 0;
    double velocity = 0;  // signed
    double accel = 0;     // signed change of velocity per second
    MotionPhase::Kind kind = MotionPhase::Kind::Constant;
    bool done = true;
};

class MotionPlan {
public:
    MotionPlan() = default;
    MotionPlan(Clock::time_point start, double startPosition, int direction, std::vector<MotionPhase> phases,
               double endPosition, bool exactEnd);

    bool Active() const { return active_; }
    int Direction() const { return direction_; }
    Clock::time_point Start() const { return start_; }
    double TotalSeconds() const;  // infinity for endless plans
    MotionSample At(Clock::time_point t) const;
    double EndPosition() const { return endPosition_; }

private:
    bool active_ = false;
    Clock::time_point start_{};
    double startPosition_ = 0;
    int direction_ = 1;
    std::vector<MotionPhase> phases_;
    double endPosition_ = 0;
    bool exactEnd_ = false;  // the plan ends exactly at endPosition_
};

// Speeds and ramp times of one move.  A ramp time of 0 switches speed at once.
struct MoveShape {
    double startSpeed = 0;    // speed right after the start
    double maxSpeed = 0;      // cruising speed
    double endSpeed = 0;      // speed at which the axis stops at the target
    double accelSeconds = 0;  // time of the ramp from startSpeed to maxSpeed
    double decelSeconds = 0;  // time of the ramp from maxSpeed to endSpeed
};

// A move from `from` to `to`: accelerate, cruise, decelerate (a triangle when the distance is too
// short for the cruising speed).
MotionPlan PlanMove(Clock::time_point start, double from, double to, MoveShape shape);
// Endless run in `direction` after the acceleration ramp.
MotionPlan PlanJog(Clock::time_point start, double from, int direction, MoveShape shape);
// Decelerating stop from `speed` (>= 0) with `rate` pulses per second squared (infinite: at once).
MotionPlan PlanStop(Clock::time_point start, double from, int direction, double speed, double rate);

}  // namespace tarsel::sim
