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
    EXPECT_EQ(SpeedRegister(1e9, 5000), TopRegister(5000));
    // Target speed at the top register: no span to ramp over, the slowest ramp.
    EXPECT_EQ(AccelRegister(100, 5000, 5000), 16383u);
    EXPECT_GE(AccTime(100, Speed(1, 5000), 5000), 1u);
    EXPECT_LE(AccTime(9999, Speed(1, 1), 1), 9999u);
}

TEST(LinearPlan, AxisMaskUsesTheLowFiveBits) {
    EXPECT_EQ(AxisMask({1, 2}), 0x6u);
    EXPECT_EQ(AxisMask({0, 15, 33}), 0x8003u);
}

}  // namespace
}  // namespace tarsel::linear
