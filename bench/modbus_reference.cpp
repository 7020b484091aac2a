// Reference point for the transport benchmark: the same kind of exchange (a short request and
// an answer with four data bytes) made by libmodbus in RTU mode over a pseudo-terminal, against
// a responder that answers at once.  Prints the same figures as bench_transport.
#include <modbus.h>
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

#include "comm/frame.h"

namespace {

double ThreadCpuMicros() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// Answers "read holding registers" (8-byte requests) with two registers.
void Answer(int master, std::atomic<bool>& stop) {
    std::vector<uint8_t> request;
    uint8_t in[256];
    while (!stop) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        const ssize_t n = read(master, in, sizeof(in));
        if (n <= 0) continue;
        request.insert(request.end(), in, in + n);
        while (request.size() >= 8) {
            uint8_t answer[9] = {request[0], 0x03, 4, 0, 0, 8, 0, 0, 0};
            const uint16_t crc = tarsel::CalcCRC(answer, 7);
            answer[7] = static_cast<uint8_t>(crc);
            answer[8] = static_cast<uint8_t>(crc >> 8);
            request.erase(request.begin(), request.begin() + 8);
            if (write(master, answer, sizeof(answer)) < 0) return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return 1;
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    std::atomic<bool> stop{false};
    std::thread drive(Answer, master, std::ref(stop));

    modbus_t* ctx = modbus_new_rtu(name, 115200, 'N', 8, 1);
    if (!ctx || modbus_set_slave(ctx, 1) != 0 || modbus_connect(ctx) != 0) {
        std::fprintf(stderr, "libmodbus could not open %s\n", name);
        return 1;
    }
    std::vector<double> micros;
    uint16_t registers[2];
    int failures = 0;
    const double cpuStart = ThreadCpuMicros();
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (modbus_read_registers(ctx, 0, 2, registers) != 2) ++failures;
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    const double cpu = (ThreadCpuMicros() - cpuStart) / count;
    modbus_close(ctx);
    modbus_free(ctx);
    stop = true;
    drive.join();
    close(slave);
    close(master);

    std::sort(micros.begin(), micros.end());
    const double median = micros[micros.size() / 2];
    std::printf("libmodbus RTU transactions: %d (failures %d)\n", count, failures);
    std::printf("round trip: median %.1f us, p99 %.1f us\n", median, micros[micros.size() * 99 / 100]);
    std::printf("client CPU per transaction: %.1f us (%.0f%% of the median round trip)\n", cpu, 100.0 * cpu / median);
    return failures == 0 ? 0 : 1;
}
