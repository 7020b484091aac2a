// The per-slave counters of a port: totals, retries, and the round-trip times of the last minute.
#include "comm/line_health.h"

#include <gtest/gtest.h>

namespace tarsel {
namespace {

using namespace std::chrono_literals;

LineHealth::Transaction Answered(uint8_t slave, std::chrono::milliseconds rtt, uint32_t attempts = 1,
                                 uint32_t timeouts = 0, uint32_t crc = 0) {
    LineHealth::Transaction t;
    t.slave = slave;
    t.attempts = attempts;
    t.timeouts = timeouts;
    t.crcFailures = crc;
    t.answered = true;
    t.roundTrip = rtt;
    return t;
}

TEST(LineHealth, CountsPerSlaveAndTakesMedianAndWorst) {
    LineHealth health;
    const auto now = LineHealth::Clock::now();
    health.Record(Answered(3, 4ms), now);
    health.Record(Answered(3, 10ms, 3, 1, 1), now);
    health.Record(Answered(3, 6ms), now);
    LineHealth::Transaction lost;
    lost.slave = 3;
    lost.attempts = 3;
    lost.timeouts = 3;
    health.Record(lost, now);

    const SlaveHealth h = health.Snapshot(3, now);
    EXPECT_EQ(h.transactions, 4u);
    EXPECT_EQ(h.timeouts, 4u);
    EXPECT_EQ(h.crcFailures, 1u);
    EXPECT_EQ(h.retries, 4u);
    EXPECT_EQ(h.samples, 3u);
    EXPECT_DOUBLE_EQ(h.medianMs, 6.0);
    EXPECT_DOUBLE_EQ(h.worstMs, 10.0);
    EXPECT_EQ(health.Snapshot(4, now).transactions, 0u);

    health.Record(Answered(3, 8ms), now);  // even count: the mean of the middle two
    EXPECT_DOUBLE_EQ(health.Snapshot(3, now).medianMs, 7.0);
}

TEST(LineHealth, RoundTripsOlderThanAMinuteDropOutButTotalsStay) {
    LineHealth health;
    const auto start = LineHealth::Clock::now();
    health.Record(Answered(0, 50ms), start);
    health.Record(Answered(0, 2ms), start + 30s);
    SlaveHealth h = health.Snapshot(0, start + 61s);
    EXPECT_EQ(h.samples, 1u);
    EXPECT_DOUBLE_EQ(h.worstMs, 2.0);
    EXPECT_EQ(h.transactions, 2u);
    h = health.Snapshot(0, start + 120s);
    EXPECT_EQ(h.samples, 0u);
    EXPECT_DOUBLE_EQ(h.medianMs, 0.0);
}

}  // namespace
}  // namespace tarsel
