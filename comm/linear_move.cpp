#include "comm/linear_move.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tarsel::linear {
namespace {

constexpr uint64_t kPulseClock = 30000000;  // 30 MHz timer clock of the pulse generator
constexpr uint32_t kPrescalerNumerator = 29998169;
constexpr uint32_t kPrescalerMax = 4095;
constexpr uint32_t kRegisterMax = 16383;
constexpr double kRegisterStep = 1831.0546875;  // kPulseClock / 16384

template <typename T>
T Clamp(T value, T low, T high) {
    return std::min(std::max(value, low), high);
}

uint32_t AtLeastOne(double value) {
    if (!(value >= 1.0)) return 1;  // also NaN
    if (value >= static_cast<double>(std::numeric_limits<uint32_t>::max())) {
        return std::numeric_limits<uint32_t>::max();
    }
    return static_cast<uint32_t>(value);  // truncation toward zero
}

double Magnitude(int32_t d) {
    return std::fabs(static_cast<double>(d));
}

}  // namespace

uint32_t Prescaler(uint32_t v) {
    if (v == 0) return kPrescalerMax;
    return Clamp<uint32_t>(kPrescalerNumerator / v, 1, kPrescalerMax);
}

uint32_t TopRegister(uint32_t v) {
    const uint64_t r = static_cast<uint64_t>(v) * (Prescaler(v) + 1) * 16384 / kPulseClock;
    return static_cast<uint32_t>(Clamp<uint64_t>(r, 1, kRegisterMax));
}

uint32_t SpeedRegister(uint32_t a, uint32_t v) {
    const uint64_t r = static_cast<uint64_t>(std::min(a, v)) * (Prescaler(v) + 1) * 16384 / kPulseClock;
    return static_cast<uint32_t>(Clamp<uint64_t>(r, 1, kRegisterMax));
}

// The speed the register really produces, truncated like every other timing value: the ramp
// of AccTime then starts from the register this whole speed gives, which may be one step below
// R(a, v).
uint32_t Speed(uint32_t a, uint32_t v) {
    return static_cast<uint32_t>(std::trunc(SpeedRegister(a, v) * kRegisterStep / (Prescaler(v) + 1)));
}

uint32_t AccelRegister(uint32_t t, uint32_t a, uint32_t v) {
    const int64_t span = static_cast<int64_t>(TopRegister(v)) - SpeedRegister(a, v);
    // Target speed at the top register: nothing to accelerate over, the slowest ramp it is.
    if (span <= 0) return kRegisterMax;
    const int64_t r = static_cast<int64_t>(t) * 30000 / (span * 2) - 1;
    return static_cast<uint32_t>(Clamp<int64_t>(r, 1, kRegisterMax));
}

uint32_t AccTime(uint32_t t, uint32_t a, uint32_t v) {
    const uint32_t speed = Speed(a, v);
    const int64_t span = static_cast<int64_t>(TopRegister(v)) - SpeedRegister(speed, v);
    const int64_t r = (static_cast<int64_t>(AccelRegister(t, speed, v)) * 2 + 2) * span / 30000;
    return static_cast<uint32_t>(Clamp<int64_t>(r, 1, kMaxAccelerationTime));
}

Plan PlanMove(const std::vector<int32_t>& distances, uint32_t velocity, uint16_t accelerationTime) {
    const std::size_t n = distances.size();
    Plan plan;
    plan.velocities.assign(n, 1);
    int64_t q = Clamp<int64_t>(accelerationTime, 1, kMaxAccelerationTime);

    double sumSquares = 0;
    for (int32_t d : distances) sumSquares += Magnitude(d) * Magnitude(d);
    const double length = std::sqrt(sumSquares);
    if (length <= 0.0) {  // nothing moves: every axis keeps the minimum velocity
        plan.accelerationTime = static_cast<uint16_t>(q);
        return plan;
    }

    std::vector<uint32_t>& v = plan.velocities;
    double pathVelocity = velocity;
    uint32_t largest = 0;
    double largestDistance = 0;
    for (std::size_t i = 0; i < n; ++i) {
        v[i] = AtLeastOne(Magnitude(distances[i]) * pathVelocity / length);
        if (v[i] > largest) {
            largest = v[i];
            largestDistance = Magnitude(distances[i]);
        }
    }
    if (largest > kMaxAxisVelocity) {
        pathVelocity = std::trunc(length * kMaxAxisVelocity / largestDistance);
        for (std::size_t i = 0; i < n; ++i)
            v[i] = AtLeastOne(Magnitude(distances[i]) * pathVelocity / length);
    }

    for (;;) {
        int64_t s = q;
        for (std::size_t i = 0; i < n; ++i) {
            if (distances[i] == 0) continue;
            const double c = std::trunc(1000.0 * std::sqrt(Magnitude(distances[i]) * q / v[i] / 1000.0));
            s = std::min<int64_t>(s, AtLeastOne(c));
        }
        if (s < q) {
            for (uint32_t& vi : v) vi = AtLeastOne(static_cast<double>(static_cast<uint64_t>(vi) * s / q));
            q = s;
        }
        s = q;
        for (std::size_t i = 0; i < n; ++i) {
            if (distances[i] == 0) continue;
            s = std::min<int64_t>(s, AccTime(static_cast<uint32_t>(q), Speed(1, v[i]), v[i]));
        }
        if (q - s > 1) {
            q = s;
            continue;
        }
        break;
    }

    double duration = pathVelocity > 0 ? length / pathVelocity : std::numeric_limits<double>::infinity();
    std::size_t slowest = n;  // none
    for (std::size_t i = 0; i < n; ++i) {
        if (distances[i] == 0) continue;
        const double axisDuration = Magnitude(distances[i]) / v[i];
        if (axisDuration > duration) {
            duration = axisDuration;
            slowest = i;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (distances[i] == 0 || i == slowest) continue;
        v[i] = AtLeastOne(Magnitude(distances[i]) / duration);
    }
    plan.accelerationTime = static_cast<uint16_t>(q);
    return plan;
}

uint32_t AxisMask(const std::vector<uint8_t>& slaves) {
    uint32_t mask = 0;
    for (uint8_t slave : slaves) mask |= 1u << (slave & 31);
    return mask;
}

}  // namespace tarsel::linear
