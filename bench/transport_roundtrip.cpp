// Round trip of one request against a drive that answers at once on a pseudo-terminal.
// Reports the host time per transaction (median, p99) and the CPU time the calling thread
// spends per transaction; a low CPU share shows the wait sleeps in the kernel.
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "comm/CRs232CB.h"

namespace {

double ThreadCpuMicros() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Answers every axis-status request with status 0 and four data bytes, as fast as it can.
void Answer(int master, std::atomic<bool>& stop) {
    tarsel::FrameReceiver receiver;
    uint8_t in[512];
    while (!stop) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        const ssize_t n = read(master, in, sizeof(in));
        for (ssize_t i = 0; i < n; ++i) {
            if (receiver.Feed(in[i]) != tarsel::FrameReceiver::Event::Complete) continue;
            const uint8_t* body = receiver.Data();
            const uint8_t data[4] = {0, 0, 8, 0};
            uint8_t answer[tarsel::kBodyBufferSize];
            const std::size_t length = tarsel::BuildResponseBody(
                tarsel::FrameForm::Sequenced, body[0], body[1], body[2], 0, data, sizeof(data), answer);
            uint8_t wire[tarsel::kWireBufferSize];
            const std::size_t wireLength = tarsel::StuffFrame(answer, length, wire);
            if (write(master, wire, wireLength) < 0) return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::perror("openpty");
        return 1;
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);

    std::atomic<bool> stop{false};
    std::thread drive(Answer, master, std::ref(stop));

    tarsel::CRs232CB port(tarsel::TransportConfig::Library());
    if (!port.OpenDevice(name, 1, 115200)) {
        std::fprintf(stderr, "open failed: %s\n", port.LastOpenErrorText().c_str());
        return 1;
    }
    port.SetLogEnabled(false);

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(count));
    uint8_t status[4];
    int failures = 0;
    const double cpuStart = ThreadCpuMicros();
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (port.DoSendCommand(1, 0x40, nullptr, 0, status, sizeof(status), 100) != 0) ++failures;
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    const double cpu = (ThreadCpuMicros() - cpuStart) / count;

    stop = true;
    drive.join();
    port.ClosePort();
    close(slave);
    close(master);

    std::sort(micros.begin(), micros.end());
    const double median = micros[micros.size() / 2];
    const double p99 = micros[micros.size() * 99 / 100];
    std::printf("transactions: %d (failures %d)\n", count, failures);
    std::printf("round trip: median %.1f us, p99 %.1f us\n", median, p99);
    std::printf("client CPU per transaction: %.1f us (%.0f%% of the median round trip)\n", cpu,
                100.0 * cpu / median);
    return failures == 0 ? 0 : 1;
}
