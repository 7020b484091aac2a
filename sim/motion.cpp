#include "sim/motion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarsel::sim {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Rate(double from, double to, double seconds) {
    double dv = std::fabs(to - from);
    if (dv <= 0 || seconds <= 0) return kInf;
    return dv / seconds;
}

void Push(std::vector<MotionPhase>& phases, MotionPhase::Kind kind, double duration, double v0, double a) {
    if (duration > 0) phases.push_back({kind, duration, v0, a});
}

}  // namespace

MotionPlan::MotionPlan(Clock::time_point start, double startPosition, int direction,
                       std::vector<MotionPhase> phases, double endPosition, bool exactEnd)
    : active_(true),
      start_(start),
      startPosition_(startPosition),
      direction_(direction < 0 ? -1 : 1),
      phases_(std::move(phases)),
      endPosition_(endPosition),
      exactEnd_(exactEnd) {}

double MotionPlan::TotalSeconds() const {
    double total = 0;
    for (const auto& p : phases_) total += p.duration;
    return total;
}

MotionSample MotionPlan::At(Clock::time_point t) const {
    MotionSample s;
    s.position = startPosition_;
    if (!active_) return s;
    double elapsed = std::max(0.0, Seconds(t - start_));
    double distance = 0;
    for (const auto& p : phases_) {
        if (elapsed < p.duration) {
            distance += p.v0 * elapsed + 0.5 * p.a * elapsed * elapsed;
            s.position = startPosition_ + direction_ * distance;
            s.velocity = direction_ * (p.v0 + p.a * elapsed);
            s.accel = direction_ * p.a;
            s.kind = p.kind;
            s.done = false;
            return s;
        }
        distance += p.v0 * p.duration + 0.5 * p.a * p.duration * p.duration;
        elapsed -= p.duration;
    }
    s.position = exactEnd_ ? endPosition_ : startPosition_ + direction_ * distance;
    s.velocity = 0;
    s.done = true;
    return s;
}

MotionPlan PlanMove(Clock::time_point start, double from, double to, MoveShape shape) {
    const int direction = to >= from ? 1 : -1;
    const double d = std::fabs(to - from);
    std::vector<MotionPhase> phases;
    double vmax = std::max(shape.maxSpeed, 1.0);
    double vs = std::min(std::max(shape.startSpeed, 0.0), vmax);
    double ve = std::min(std::max(shape.endSpeed, 0.0), vmax);
    const double a1 = Rate(vs, vmax, shape.accelSeconds);
    const double a2 = Rate(vmax, ve, shape.decelSeconds);
    auto rampDistance = [](double v0, double v1, double a) {
        return std::isinf(a) ? 0.0 : std::fabs(v1 * v1 - v0 * v0) / (2 * a);
    };
    if (d > 0) {
        double d1 = rampDistance(vs, vmax, a1), d3 = rampDistance(vmax, ve, a2);
        if (d1 + d3 <= d) {
            Push(phases, MotionPhase::Kind::Accel, std::isinf(a1) ? 0 : (vmax - vs) / a1, vs, a1);
            Push(phases, MotionPhase::Kind::Constant, (d - d1 - d3) / vmax, vmax, 0);
            Push(phases, MotionPhase::Kind::Decel, std::isinf(a2) ? 0 : (vmax - ve) / a2, vmax, -a2);
        } else {
            // Triangle: the peak speed vp meets (vp²-vs²)/2a1 + (vp²-ve²)/2a2 = d.
            double inv1 = std::isinf(a1) ? 0 : 1 / a1, inv2 = std::isinf(a2) ? 0 : 1 / a2;
            double vp = std::sqrt((2 * d + vs * vs * inv1 + ve * ve * inv2) / (inv1 + inv2));
            if (vp <= std::max(vs, ve)) {
                // Too short even for the ramps: run the whole way at the start speed.
                double v = std::max(vs, 1.0);
                Push(phases, MotionPhase::Kind::Constant, d / v, v, 0);
            } else {
                Push(phases, MotionPhase::Kind::Accel, (vp - vs) * inv1, vs, a1);
                Push(phases, MotionPhase::Kind::Decel, (vp - ve) * inv2, vp, -a2);
            }
        }
    }
    return MotionPlan(start, from, direction, std::move(phases), to, true);
}

MotionPlan PlanJog(Clock::time_point start, double from, int direction, MoveShape shape) {
    std::vector<MotionPhase> phases;
    double vmax = std::max(shape.maxSpeed, 1.0);
    double vs = std::min(std::max(shape.startSpeed, 0.0), vmax);
    double a1 = Rate(vs, vmax, shape.accelSeconds);
    Push(phases, MotionPhase::Kind::Accel, std::isinf(a1) ? 0 : (vmax - vs) / a1, vs, a1);
    phases.push_back({MotionPhase::Kind::Constant, kInf, vmax, 0});
    return MotionPlan(start, from, direction, std::move(phases), from, false);
}

MotionPlan PlanStop(Clock::time_point start, double from, int direction, double speed, double rate) {
    std::vector<MotionPhase> phases;
    if (speed > 0 && !std::isinf(rate) && rate > 0)
        Push(phases, MotionPhase::Kind::Decel, speed / rate, speed, -rate);
    return MotionPlan(start, from, direction, std::move(phases), from, false);
}

}  // namespace tarsel::sim
