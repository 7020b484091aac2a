// ZEL_GetAllStatus round trips per second through the shared library against the simulated
// line: first as fast as the simulator answers, then with the simulator sending at the byte time
// of 115200 baud.  The paced run is compared with the time the same frames need on the wire;
// the rest is the host's share (library, transport, pseudo-terminal, scheduling).
//
//   bench_library_allstatus [SECONDS_PER_RUN]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "TarselTevra.h"
#include "comm/frame.h"
#include "sim/simulator.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPort = 250;
constexpr uint32_t kBaud = 115200;
constexpr double kBitsPerByte = 10.0;  // start, 8 data, stop

struct Run {
    long roundTrips = 0;
    double seconds = 0;
    double requestWireSeconds = 0;  // the requests at kBaud
    double answerWireSeconds = 0;   // the answers at kBaud
    int failures = 0;
};

// Wire bytes of a body once framed (header, doubled 0xAA bytes, tail).
std::size_t WireBytes(const uint8_t* body, std::size_t length) {
    uint8_t wire[tarsel::kWireBufferSize];
    return tarsel::StuffFrame(body, length, wire);
}

Run Measure(double seconds, uint8_t& sync) {
    Run run;
    const Clock::time_point start = Clock::now();
    const auto end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < end) {
        uint64_t inputs = 0;
        uint32_t outputs = 0, axis = 0;
        int32_t command = 0, actual = 0, error = 0, velocity = 0;
        uint16_t item = 0;
        ++sync;
        if (ZEL_GetAllStatus(kPort, 0, &inputs, &outputs, &axis, &command, &actual, &error, &velocity,
                             &item) != 0) {
            ++run.failures;
            continue;
        }
        ++run.roundTrips;
        // Rebuild both frames to count their wire bytes exactly (stuffing included).
        uint8_t body[tarsel::kBodyBufferSize];
        std::size_t n =
            tarsel::BuildRequestBody(tarsel::FrameForm::Sequenced, 0, sync, 0x43, nullptr, 0, body);
        run.requestWireSeconds += WireBytes(body, n) * kBitsPerByte / kBaud;
        uint8_t data[33];
        for (int i = 0; i < 5; ++i) data[i] = static_cast<uint8_t>(inputs >> (8 * i));
        tarsel::PutU32(data + 5, outputs);
        tarsel::PutU32(data + 9, axis);
        tarsel::PutU32(data + 13, static_cast<uint32_t>(command));
        tarsel::PutU32(data + 17, static_cast<uint32_t>(actual));
        tarsel::PutU32(data + 21, static_cast<uint32_t>(error));
        tarsel::PutU32(data + 25, static_cast<uint32_t>(velocity));
        tarsel::PutU32(data + 29, item);  // the upper half of the running item is not returned
        n = tarsel::BuildResponseBody(tarsel::FrameForm::Sequenced, 0, sync, 0x43, 0, data, sizeof(data),
                                      body);
        run.answerWireSeconds += WireBytes(body, n) * kBitsPerByte / kBaud;
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return run;
}

void Report(const char* title, const Run& run) {
    const double perTrip = run.roundTrips ? run.seconds / run.roundTrips : 0;
    std::printf("%-28s %8ld round trips in %.2f s: %9.1f per second, %8.1f us each", title, run.roundTrips,
                run.seconds, run.roundTrips / run.seconds, perTrip * 1e6);
    if (run.failures) std::printf(" (%d failed)", run.failures);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    char pattern[] = "/tmp/tarsel-bench-ports-XXXXXX";
    const char* directory = ::mkdtemp(pattern);
    if (directory == nullptr) return 1;
    ::setenv("TARSEL_PORTS_DIR", directory, 1);

    tarsel::sim::SimLine line;
    tarsel::sim::DriveConfig drive;
    drive.version = {8, 0, 0, 0};
    if (!line.Start() || !line.AddDrive(drive) || !line.Publish(kPort)) {
        std::fprintf(stderr, "the simulated line could not be started\n");
        return 1;
    }
    for (uint8_t slave = 1; slave < 16; ++slave) {  // answering but refused: a quick connect scan
        tarsel::sim::DriveConfig other;
        other.slave = slave;
        line.AddDrive(other);
    }
    ZEL_EnableLog(0);
    if (!ZEL_Connect(kPort, kBaud)) {
        std::fprintf(stderr, "ZEL_Connect failed\n");
        return 1;
    }
    uint8_t sync = 0xF1;  // the connect scan used the first sync number of slave 0

    const Run unpaced = Measure(seconds, sync);
    Report("unpaced:", unpaced);

    line.SetPacing(true, kBaud, 0);
    const Run paced = Measure(seconds, sync);
    Report("paced at 115200 baud:", paced);
    if (paced.roundTrips > 0) {
        const double trips = static_cast<double>(paced.roundTrips);
        const double perTrip = paced.seconds / trips;
        const double request = paced.requestWireSeconds / trips, answer = paced.answerWireSeconds / trips;
        std::printf(
            "wire time of the same frames: request %.1f us + answer %.1f us = %.1f us (%.1f per second at "
            "most)\n",
            request * 1e6, answer * 1e6, (request + answer) * 1e6, 1 / (request + answer));
        // The simulator paces its answers only; the request crosses the pseudo-terminal at once.
        const double host = perTrip - answer;
        std::printf("host share of a paced round trip: %.1f us of %.1f us (%.1f %%)\n", host * 1e6,
                    perTrip * 1e6, 100.0 * host / perTrip);
        std::printf("on a real line at 115200 baud: %.1f us per round trip, %.1f per second\n",
                    (request + answer + host) * 1e6, 1 / (request + answer + host));
    }

    ZEL_Close(kPort);
    line.Stop();
    std::filesystem::remove_all(directory);
    return unpaced.failures + paced.failures == 0 ? 0 : 1;
}
