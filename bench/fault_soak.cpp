// Library calls against a simulated line whose drives and adapter misbehave at random: every
// fault kind of the simulator hits a share of the requests.  Every value a call reports as read
// or written is compared with the simulator's own state.
//
//   bench_fault_soak [CALLS [RATE [SEED [values-only]]]]   (defaults: 100000 calls, 0.02 per kind, seed 1)
//
// Prints the calls made, wrong values accepted, time-outs, CRC failures, other failures, ports
// that closed (and were connected again), the longest call against the bound of one
// transaction, how late the process was scheduled meanwhile, and calls per second.  Exit status 1 when a
// wrong value was accepted or a call took longer than its bound; with "values-only" (the test suite's short
// run, on a machine whose load nobody controls) only a wrong value fails.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "TarselTevra.h"
#include "comm/CRs232CB.h"
#include "sim/simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
using tarsel::sim::FaultKind;
using tarsel::sim::FaultSpec;

constexpr int kPort = 237;
constexpr uint32_t kBaud = 115200;
constexpr uint32_t kTimeoutMs = 100;  // the time-out of every call made here
constexpr uint8_t kSlaves[] = {0, 1};
// A little over one transaction's bound allows for a loaded machine's scheduling.
constexpr double kBoundSlack = 1.25;

// Wakes every few milliseconds and keeps the largest lateness of a wake-up: how long a thread of
// this process, ready to run, waited for a processor.  A call that overran its bound while the
// probe waited about as long was held up by the machine's load, not by the transport.
class SchedulingProbe {
public:
    SchedulingProbe() : thread_([this] { Run(); }) {}
    ~SchedulingProbe() {
        stop_ = true;
        thread_.join();
    }
    SchedulingProbe(const SchedulingProbe&) = delete;
    SchedulingProbe& operator=(const SchedulingProbe&) = delete;

    // The largest lateness since the previous call, in ms.
    double Take() { return static_cast<double>(latestUs_.exchange(0)) / 1000.0; }

private:
    void Run() {
        constexpr auto kPeriod = std::chrono::milliseconds(5);
        while (!stop_) {
            const Clock::time_point before = Clock::now();
            std::this_thread::sleep_for(kPeriod);
            const auto late =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - before - kPeriod);
            long previous = latestUs_.load();
            while (late.count() > previous && !latestUs_.compare_exchange_weak(previous, late.count())) {
            }
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<long> latestUs_{0};
    std::thread thread_;
};

struct Tally {
    long calls = 0;
    long wrong = 0;
    long timeouts = 0;
    long crcFailures = 0;
    long otherFailures = 0;
    long portClosed = 0;
    double longestMs = 0;
    long longestCall = 0;
    double lateDuringLongestMs = 0;  // the probe's largest lateness during the longest call
    double latestMs = 0;             // the probe's largest lateness during the whole run
    long overBound = 0;
};

FaultSpec Fault(FaultKind kind, double rate) {
    FaultSpec spec{kind};
    spec.rate = rate;
    spec.delayMs = 150;  // beyond the time-out
    spec.bitIndex = 13;
    spec.pauseMs = 20;
    return spec;
}

class Soak {
public:
    Soak(tarsel::sim::SimLine& line, uint64_t seed, double boundMs)
        : line_(line), random_(seed), boundMs_(boundMs) {}

    void OneCall(Tally& tally) {
        const uint8_t slave = kSlaves[random_() % std::size(kSlaves)];
        (void)probe_.Take();
        const Clock::time_point start = Clock::now();
        bool wrong = false;
        int rc = 0;
        switch (random_() % 3) {
            case 0: {  // position write, then the drive must hold it
                const int32_t value = static_cast<int32_t>(random_());
                rc = ZEL_SetCommandPos(kPort, slave, value);
                if (rc == 0) wrong = line_.GetAxisState(slave)->commandPosition != value;
                break;
            }
            case 1: {  // position read
                int32_t value = 0;
                rc = ZEL_GetCommandPos(kPort, slave, &value);
                if (rc == 0) wrong = line_.GetAxisState(slave)->commandPosition != value;
                break;
            }
            default: {  // parameter read
                const uint8_t number = static_cast<uint8_t>(random_() % 32);
                int32_t value = 0;
                rc = ZEL_GetParameter(kPort, slave, number, &value);
                if (rc == 0) wrong = line_.GetParameter(slave, number) != value;
                break;
            }
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        const double lateMs = probe_.Take();
        ++tally.calls;
        if (ms > tally.longestMs) {
            tally.longestMs = ms;
            tally.longestCall = tally.calls;
            tally.lateDuringLongestMs = lateMs;
        }
        tally.latestMs = std::max(tally.latestMs, lateMs);
        if (ms > boundMs_) {
            ++tally.overBound;
            std::fprintf(
                stderr,
                "call %ld took %.1f ms (result %d); the process waited up to %.1f ms for a processor\n",
                tally.calls, ms, rc, lateMs);
        }
        if (wrong) {
            ++tally.wrong;
            std::fprintf(stderr, "wrong value accepted (slave %u, call %ld)\n", slave, tally.calls);
        }
        switch (rc) {
            case 0:
                break;
            case 6:
                ++tally.timeouts;
                break;
            case 7:
                ++tally.crcFailures;
                break;
            case 5:
                // The port closed itself: connect it again, as an application would.
                ++tally.portClosed;
                ZEL_Connect(kPort, kBaud);
                break;
            default:
                ++tally.otherFailures;
                break;
        }
    }

private:
    tarsel::sim::SimLine& line_;
    std::mt19937_64 random_;
    const double boundMs_;
    SchedulingProbe probe_;
};

}  // namespace

int main(int argc, char** argv) {
    const long calls = argc > 1 ? std::atol(argv[1]) : 100000;
    const double rate = argc > 2 ? std::atof(argv[2]) : 0.02;
    const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    const bool valuesOnly = argc > 4 && std::string(argv[4]) == "values-only";
    if (calls <= 0 || rate < 0 || rate > 1) {
        std::fprintf(stderr, "usage: %s [CALLS [RATE [SEED [values-only]]]]\n", argv[0]);
        return 2;
    }

    // A private ports directory, so that the soak never meets another line.
    std::string ports = (std::filesystem::temp_directory_path() / "tarsel-soak-XXXXXX").string();
    if (!::mkdtemp(ports.data())) return 2;
    ::setenv("TARSEL_PORTS_DIR", ports.c_str(), 1);

    tarsel::sim::SimLine line;
    if (!line.Start()) return 2;
    // Drives the library takes at the slaves of kSlaves; every other number answers with firmware
    // it refuses, which keeps the connect scan short.
    for (uint8_t slave = 0; slave < 16; ++slave) {
        tarsel::sim::DriveConfig drive;
        drive.slave = slave;
        drive.version = {7, 0, 0, 0};
        for (uint8_t used : kSlaves)
            if (used == slave) drive.version = {8, 0, 0, 0};
        line.AddDrive(drive);
    }
    int status = 2;
    if (line.Publish(kPort) && ZEL_Connect(kPort, kBaud)) {
        ZEL_EnableLog(0);
        line.SetFaultSeed(seed);
        for (FaultKind kind : {FaultKind::DropRequest, FaultKind::DelayAnswer, FaultKind::CorruptCrc,
                               FaultKind::FlipBit, FaultKind::StrayBytes, FaultKind::StaleSync,
                               FaultKind::Echo, FaultKind::Truncate, FaultKind::Duplicate, FaultKind::Split})
            line.InjectFault(Fault(kind, rate));

        const double boundMs = tarsel::CRs232CB::TransactionLimitMs(kTimeoutMs, false, kBaud) * kBoundSlack;
        Soak soak(line, seed, boundMs);
        Tally tally;
        const Clock::time_point start = Clock::now();
        for (long i = 0; i < calls; ++i) soak.OneCall(tally);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

        std::printf("calls: %ld at a rate of %.3f per fault kind (10 kinds)\n", tally.calls, rate);
        std::printf("wrong values accepted: %ld\n", tally.wrong);
        std::printf("time-outs: %ld\n", tally.timeouts);
        std::printf("CRC failures: %ld\n", tally.crcFailures);
        std::printf("other failures: %ld\n", tally.otherFailures);
        std::printf("ports closed: %ld\n", tally.portClosed);
        std::printf("longest call: %.1f ms (bound %.0f ms), call %ld\n", tally.longestMs, boundMs,
                    tally.longestCall);
        std::printf("calls over the bound: %ld\n", tally.overBound);
        std::printf("longest wait for a processor: %.1f ms during the longest call, %.1f ms in the run\n",
                    tally.lateDuringLongestMs, tally.latestMs);
        std::printf("calls per second: %.1f\n", static_cast<double>(tally.calls) / seconds);
        status = tally.wrong == 0 && (valuesOnly || tally.longestMs <= boundMs) ? 0 : 1;
        ZEL_Close(kPort);
    } else {
        std::fprintf(stderr, "the simulated line could not be connected\n");
    }
    line.Stop();
    std::filesystem::remove_all(ports);
    return status;
}
