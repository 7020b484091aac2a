#include "comm/line_health.h"

#include <algorithm>
#include <vector>

namespace tarsel {

void LineHealth::Prune(std::deque<std::pair<Clock::time_point, double>>& samples, Clock::time_point now) {
    while (!samples.empty() && (now - samples.front().first > kWindow || samples.size() > kMaxSamples))
        samples.pop_front();
}

void LineHealth::Record(const Transaction& t, Clock::time_point now) {
    std::lock_guard<std::mutex> lock(mutex_);
    Slave& s = slaves_[t.slave];
    ++s.totals.transactions;
    s.totals.timeouts += t.timeouts;
    s.totals.crcFailures += t.crcFailures;
    s.totals.retries += t.attempts > 1 ? t.attempts - 1 : 0;
    if (t.answered) {
        s.roundTrips.emplace_back(now, std::chrono::duration<double, std::milli>(t.roundTrip).count());
        Prune(s.roundTrips, now);
    }
}

SlaveHealth LineHealth::Snapshot(uint8_t slave, Clock::time_point now) const {
    std::lock_guard<std::mutex> lock(mutex_);
    Slave& s = slaves_[slave];
    Prune(s.roundTrips, now);
    SlaveHealth health = s.totals;
    health.samples = static_cast<uint32_t>(s.roundTrips.size());
    if (!s.roundTrips.empty()) {
        std::vector<double> times;
        times.reserve(s.roundTrips.size());
        for (const auto& sample : s.roundTrips) times.push_back(sample.second);
        const std::size_t middle = times.size() / 2;
        std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(middle), times.end());
        health.medianMs = times[middle];
        if (times.size() % 2 == 0) {
            const double lower =
                *std::max_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(middle));
            health.medianMs = (lower + health.medianMs) / 2;
        }
        health.worstMs = *std::max_element(times.begin(), times.end());
    }
    return health;
}

void LineHealth::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Slave& s : slaves_) s = Slave{};
}

}  // namespace tarsel
