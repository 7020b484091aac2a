// Host time per flash write record of the firmware writer, against the simulated boot ROM.
//
// A write record is one 0x1D frame with 64 words and its status answer.  At 115200 baud its
// wire time (request and answer, 10 bits a byte) is the floor of any update; what the host adds
// on top is measured twice: against a line that paces its answers at the baud rate, and against
// an unpaced line, where the time per record is the host's (and the simulator's) own work.
// The image pairing (reading and checking the files) is timed per record as well.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "comm/CRs232CB.h"
#include "comm/frame.h"
#include "sim/simulator.h"
#include "tools/firmloader/core/boot_link.h"
#include "tools/firmloader/core/image_set.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace tarsel;
using namespace tarsel::firmware;

constexpr uint32_t kBaud = 115200;
constexpr int kRecords = 400;
constexpr uint8_t kSlave = 1;

std::size_t WireBytes(const uint8_t* body, std::size_t length) {
    uint8_t wire[kWireBufferSize];
    return StuffFrame(body, length, wire);
}

// Wire bytes of one write record: the 133-byte request in the sequenced form and its
// status-only answer.
struct RecordWire {
    std::size_t request = 0;
    std::size_t answer = 0;
};
RecordWire RecordWireBytes(const std::vector<uint16_t>& words) {
    uint8_t data[kWriteFlashDataSize] = {};
    PutU32(data, 0x100000);
    data[4] = static_cast<uint8_t>(words.size());
    for (std::size_t k = 0; k < words.size(); ++k) PutU16(data + 5 + 2 * k, words[k]);
    uint8_t body[kBodyBufferSize];
    RecordWire wire;
    const std::size_t request = BuildRequestBody(FrameForm::Sequenced, kSlave, 0xF1, frame_type::kWriteFlash,
                                                 data, sizeof data, body);
    wire.request = WireBytes(body, request);
    const std::size_t answer =
        BuildResponseBody(FrameForm::Sequenced, kSlave, 0xF1, frame_type::kWriteFlash, 0, nullptr, 0, body);
    wire.answer = WireBytes(body, answer);
    return wire;
}

std::vector<uint16_t> Words(int seed) {
    std::vector<uint16_t> words(kMaxWordsPerWrite);
    for (std::size_t k = 0; k < words.size(); ++k) words[k] = static_cast<uint16_t>(seed * 131 + k * 7);
    return words;
}

// Mean microseconds per write record on a line with or without pacing.
double MeasureWrites(bool pace) {
    sim::SimLine line;
    sim::LineOptions options;
    options.baudRate = kBaud;
    options.pace = pace;
    if (!line.Start(options)) return -1;
    sim::DriveConfig config;
    config.slave = kSlave;
    config.startInBootRom = true;
    config.boot.eraseDurationMs = 0;
    line.AddDrive(config);
    CRs232CB port(TransportConfig::FirmwareWriter());
    if (!port.OpenDevice(line.DevicePath(), 1, kBaud)) return -1;
    TransportBootLink link(port, kSlave);
    if (link.EraseRom(5000) != 0) return -1;
    uint8_t erased = 0;
    while (link.GetEraseState(erased) == 0 && erased != 1) std::this_thread::yield();

    const std::vector<uint16_t> words = Words(1);
    const auto start = Clock::now();
    for (int i = 0; i < kRecords; ++i) {
        if (link.WriteFlash(0x100000u + static_cast<uint32_t>(i) * 64, words.data(), words.size()) != 0)
            return -1;
    }
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kRecords;
}

// Microseconds per record to read and pair an image set of kRecords full records.
double MeasurePairing() {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("bench-firmware-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    ImagePaths paths;
    for (std::size_t slot = 0; slot < kImageSlots; ++slot) {
        paths[slot] = (dir / (std::string("fw") + kImageExtensions[slot])).string();
        std::ofstream out(paths[slot]);
        if (slot >= 2) continue;  // the second pair stays empty
        for (int r = 0; r < kRecords; ++r) {
            char line[8 + 2 * 64 + 8];
            int n = std::snprintf(line, sizeof line, ":40%04X00", (r * 64) & 0xFFFF);
            for (int k = 0; k < 64; ++k)
                n += std::snprintf(line + n, sizeof line - n, "%02X", (r + k) & 0xFF);
            out << line << "00\n";
        }
        out << ":00000001FF\n";
    }
    ImagePlan plan;
    std::string error;
    constexpr int kRounds = 20;
    const auto start = Clock::now();
    for (int i = 0; i < kRounds; ++i) BuildImagePlan(paths, plan, error);
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    std::filesystem::remove_all(dir);
    return plan.writes.size() == kRecords ? micros / kRounds / kRecords : -1;
}

}  // namespace

int main() {
    const RecordWire wire = RecordWireBytes(Words(1));
    const auto micros = [](std::size_t bytes) { return bytes * 10.0 * 1e6 / kBaud; };
    const double wireMicros = micros(wire.request + wire.answer);
    const double paced = MeasureWrites(true);
    const double unpaced = MeasureWrites(false);
    const double pairing = MeasurePairing();
    if (paced < 0 || unpaced < 0 || pairing < 0) {
        std::fprintf(stderr, "bench_firmware_write: the simulated line failed\n");
        return 1;
    }
    const double host = unpaced + pairing;
    std::printf("write record (64 words), %d records at %u baud\n", kRecords, kBaud);
    std::printf("  wire time: request %zu bytes + answer %zu bytes     %9.1f us\n", wire.request, wire.answer,
                wireMicros);
    std::printf("  per record, line pacing the answers (%.1f us of it) %9.1f us\n", micros(wire.answer),
                paced);
    std::printf("  per record, unpaced line (host + simulator work)    %9.1f us\n", unpaced);
    std::printf("  reading and pairing the image files, per record     %9.2f us\n", pairing);
    std::printf("  host share of a record on a %u baud line          %9.1f %%\n", kBaud,
                100.0 * host / (wireMicros + host));
    return 0;
}
