// Planning of an interpolated (linear) move over several axes: per-axis velocities and one
// common acceleration time such that all axes start together and arrive together, within the
// timing registers of the drives' pulse generators.
//
// Two choices of this implementation:
//   * Products of a velocity and a time (v * s / q when the acceleration time shrinks) are
//     computed in 64 bits: velocities reach 500000 and times 9999, beyond 32 bits.
//   * In the acceleration register A(t, a, v) the divisor R(v) - R(a, v) may be 0 (the target
//     speed equals the top speed register); the register then takes its slowest value, 16383.
#pragma once

#include <cstdint>
#include <vector>

namespace tarsel::linear {

constexpr uint32_t kMaxAxisVelocity = 500000;
constexpr uint32_t kMaxAccelerationTime = 9999;

// Stepper pulse-generator timing functions (results truncated toward zero, then clamped).
uint32_t Prescaler(uint32_t v);                              // P(v)
uint32_t TopRegister(uint32_t v);                            // R(v)
uint32_t SpeedRegister(uint32_t a, uint32_t v);              // R(a, v)
uint32_t Speed(uint32_t a, uint32_t v);                      // Speed(a, v), a whole number too
uint32_t AccelRegister(uint32_t t, uint32_t a, uint32_t v);  // A(t, a, v)
uint32_t AccTime(uint32_t t, uint32_t a, uint32_t v);        // AccTime(t, a, v)

struct Plan {
    std::vector<uint32_t> velocities;  // one per axis, each at least 1
    uint16_t accelerationTime = 1;     // common q for every axis
};

// Plans the move for signed `distances` at path velocity `velocity` with the acceleration time
// argument `accelerationTime` (0 is taken as 1, 10000 and above as 9999).
Plan PlanMove(const std::vector<int32_t>& distances, uint32_t velocity, uint16_t accelerationTime);

// Start mask: bit (slave & 31) for every axis.
uint32_t AxisMask(const std::vector<uint8_t>& slaves);

}  // namespace tarsel::linear
