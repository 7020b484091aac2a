#include "comm/linear_move.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarsel::linear {
namespace {

TEST(LinearPlan, ProportionalVelocitiesWhenTheRampFits) {
    const Plan plan = PlanMove({3000, 4000}, 5000, 100);
    EXPECT_EQ(plan.velocities, (std::vector<uint32_t>{3000, 4000}));
    EXPECT_EQ(plan.accelerationTime, 100);
}

TEST(LinearPlan, AccelerationTimeIsClampedBeforePlanning) {
    const std::vector<std::vector<int32_t>> moves = {{3000, 4000}, {100000, -200000, 5}, {7, 0}};
    for (const auto& d : moves) {
        const Plan zero = PlanMove(d, 5000, 0), one = PlanMove(d, 5000, 1);
        EXPECT_EQ(zero.velocities, one.velocities);
        EXPECT_EQ(zero.accelerationTime, one.accelerationTime);
        const Plan big = PlanMove(d, 5000, 20000), top = PlanMove(d, 5000, 9999);
        EXPECT_EQ(big.velocities, top.velocities);
        EXPECT_EQ(big.accelerationTime, top.accelerationTime);
        EXPECT_LE(big.accelerationTime, 9999);
    }
}

// A long ramp on a short move: the time shrinks and every velocity with it, in proportion.
TEST(LinearPlan, ShortMoveShrinksRampAndVelocities) {
    const Plan plan = PlanMove({3000, 4000}, 5000, 9999);
    EXPECT_LT(plan.accelerationTime, 9999);
    ASSERT_EQ(plan.velocities.size(), 2u);
    EXPECT_LT(plan.velocities[1], 4000u);
    EXPECT_NEAR(double(plan.velocities[0]) / plan.velocities[1], 0.75, 0.01);
}

TEST(LinearPlan, ZeroDistancesGetTheMinimumVelocity) {
    EXPECT_EQ(PlanMove({0, 5000}, 5000, 100).velocities, (std::vector<uint32_t>{1, 5000}));
    const Plan still = PlanMove({0, 0}, 5000, 0);
    EXPECT_EQ(still.velocities, (std::vector<uint32_t>{1, 1}));
    EXPECT_EQ(still.accelerationTime, 1);
    EXPECT_EQ(PlanMove({10, 20}, 0, 10).velocities, (std::vector<uint32_t>{1, 1}));
}

// The fastest axis is held at 500000; the products of step 7 need 64 bits at these values.
TEST(LinearPlan, FastestAxisLimitedWithoutOverflow) {
    for (uint16_t q : {uint16_t(1), uint16_t(500), uint16_t(9999)}) {
        const Plan plan = PlanMove({2000000000, -1000000000}, 4000000000u, q);
        ASSERT_EQ(plan.velocities.size(), 2u);
        EXPECT_LE(plan.velocities[0], kMaxAxisVelocity) << q;
        EXPECT_GT(plan.velocities[0], 100000u) << q;
        EXPECT_NEAR(double(plan.velocities[1]) / plan.velocities[0], 0.5, 0.01) << q;
    }
}

TEST(LinearPlan, TimingRegisters) {
    EXPECT_EQ(Prescaler(1), 4095u);
    EXPECT_EQ(Prescaler(29998169), 1u);
    EXPECT_EQ(Prescaler(100000), 299u);
    EXPECT_EQ(TopRegister(5000), 11184u);  // P(5000) = 5999 clamps to 4095
    EXPECT_EQ(SpeedRegister(1, 5000), 2u);
    EXPECT_EQ(SpeedRegister(1000000000, 5000), TopRegister(5000));
    // Target speed at the top register: no span to ramp over, the slowest ramp.
    EXPECT_EQ(AccelRegister(100, 5000, 5000), 16383u);
    EXPECT_GE(AccTime(100, Speed(1, 5000), 5000), 1u);
    EXPECT_LE(AccTime(9999, Speed(1, 1), 1), 9999u);
}

// Speed(a, v) is truncated like the other timing values; the ramp of AccTime then starts one
// register step lower than a fractional speed would give.
TEST(LinearPlan, SpeedIsAWholeNumber) {
    EXPECT_EQ(Speed(1000, 20000), 999u);  // R = 819, 819 x 1831.0546875 / 1500 = 999.75
    EXPECT_EQ(Speed(1, 1000), 0u);        // R = 2, 2 x 1831.0546875 / 4096 = 0.89
    EXPECT_EQ(SpeedRegister(Speed(1, 1000), 1000), 1u);
    // P = 4095, R(1000) = 2236, R(0, 1000) = 1: A = 16383, (16383 x 2 + 2) x 2235 / 30000.
    EXPECT_EQ(AccTime(2500, 0, 1000), 2441u);
    // A = 2441 x 30000 / 4470 - 1 = 16381, (16381 x 2 + 2) x 2235 / 30000 = 2440.9.
    EXPECT_EQ(AccTime(2441, 0, 1000), 2440u);
}

// Plans whose acceleration loop runs two or three times, worked out step by step.
TEST(LinearPlan, AccelerationLoopSettles) {
    struct Case {
        std::vector<int32_t> distances;
        uint32_t velocity;
        uint16_t accelerationTime;
        std::vector<uint32_t> velocities;
        uint16_t expectedTime;
    };
    const Case cases[] = {
        // v = 1000; the ramp fits (c = 5000); AccTime 2441, then 2440: one apart, q stays 2441.
        {{10000}, 1000, 2500, {1000}, 2441},
        // c = 3162 shrinks v to 948 and 1264; AccTime 2314 (axis 1), then 2313: q = 2314.  Both
        // axes take 3000 / 948 s, the second gets 4000 x 948 / 3000 = 1264.
        {{3000, 4000}, 5000, 9999, {948, 1264}, 2314},
        // c = 4540 shrinks v to 4403 and 1100; AccTime 2685 (axis 2), then 2684 on both.  Axis 2
        // is the slowest, axis 1 gets 20000 x 1100 / 5000 = 4400.
        {{20000, -5000}, 5000, 5000, {4400, 1100}, 2685},
        // Three passes: q 9426 -> 3189 (axis 3) -> 3187 (axis 1), then 3186 everywhere.
        {{294153, 186700, 43502}, 10545, 9426, {8830, 5605, 1306}, 3187},
        // c = 2829 first, then AccTime 1257 (axis 3), then 1255, then 1254 everywhere.
        {{-185171, -215702, -1458}, 321740, 9060, {65406, 76191, 515}, 1255},
    };
    for (const Case& c : cases) {
        const Plan plan = PlanMove(c.distances, c.velocity, c.accelerationTime);
        EXPECT_EQ(plan.velocities, c.velocities) << c.distances[0];
        EXPECT_EQ(plan.accelerationTime, c.expectedTime) << c.distances[0];
    }
}

TEST(LinearPlan, AxisMaskUsesTheLowFiveBits) {
    EXPECT_EQ(AxisMask({1, 2}), 0x6u);
    EXPECT_EQ(AxisMask({0, 15, 33}), 0x8003u);
}

}  // namespace
}  // namespace tarsel::linear
