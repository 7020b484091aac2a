// Per-slave counters of the transactions a port ran: how many, how many attempts timed out or
// failed their CRC, how many were retried, and the round-trip times of the last minute.  The
// transport records while it holds the port mutex; any thread may read a snapshot.  Nothing here
// causes traffic.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>

namespace tarsel {

struct SlaveHealth {
    uint64_t transactions = 0;
    uint64_t timeouts = 0;     // attempts that got no (complete) answer
    uint64_t crcFailures = 0;  // attempts whose answer failed its CRC
    uint64_t retries = 0;      // attempts after the first
    uint32_t samples = 0;      // answered transactions of the last minute
    double medianMs = 0;       // round-trip times of those
    double worstMs = 0;
};

class LineHealth {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kWindow = std::chrono::seconds(60);
    static constexpr std::size_t kMaxSamples = 6000;  // per slave, bounded

    struct Transaction {
        uint8_t slave = 0;
        uint32_t timeouts = 0;
        uint32_t crcFailures = 0;
        uint32_t attempts = 1;
        bool answered = false;
        Clock::duration roundTrip{};
    };

    void Record(const Transaction& t, Clock::time_point now = Clock::now());
    SlaveHealth Snapshot(uint8_t slave, Clock::time_point now = Clock::now()) const;
    void Reset();

private:
    struct Slave {
        SlaveHealth totals;
        std::deque<std::pair<Clock::time_point, double>> roundTrips;  // ms
    };
    static void Prune(std::deque<std::pair<Clock::time_point, double>>& samples, Clock::time_point now);

    mutable std::mutex mutex_;
    mutable std::array<Slave, 256> slaves_{};
};

}  // namespace tarsel
