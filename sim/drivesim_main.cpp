// drivesim: plays a whole RS-485 line of drives on a pseudo-terminal until interrupted.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/line_file.h"
#include "sim/simulator.h"

namespace {

using namespace tarsel::sim;

constexpr unsigned kDefaultPort = 99;

void PrintUsage() {
    std::puts(
        "usage: drivesim [options]\n"
        "  --port N          publish the line as com<N> in the ports directory (default 99)\n"
        "  --line FILE       drives and line settings from a line file\n"
        "  --demo            one drive of each family at slaves 0..5 (the default without drives)\n"
        "  --drive SPEC      add a drive: SLAVE:MODEL[,version=A.B.C.D][,form=legacy][,fwtype=N]\n"
        "                    [,name=TEXT][,motor=N][,motorname=TEXT][,inputs=N][,outputs=N]\n"
        "                    [,table=N][,variant=0|1][,boot]\n"
        "  --baud B          baud rate used for pacing (default 115200)\n"
        "  --pace            answer at the byte time of the baud rate\n"
        "  --turnaround MS   delay before every answer\n"
        "  --state DIR       load the drives' stored state from DIR and save it there on exit\n"
        "  --data DIR        directory of the parameter metadata files\n"
        "  --fault SPEC      KIND[:SLAVE][,count=N][,rate=R][,delay=MS][,bit=N][,bytes=HEX..][,pause=MS]\n"
        "                    KIND: drop, delay, crc, flip, stray, stale, silent, echo, truncate,\n"
        "                    duplicate, split, hangup[,after=MS]; rate=0.02 hits 2 % of the requests\n"
        "  --seed N          seed of the fault draws (repeatable runs)");
}

bool NextArg(int argc, char** argv, int& i, std::string& value) {
    if (i + 1 >= argc) {
        std::fprintf(stderr, "drivesim: %s needs a value\n", argv[i]);
        return false;
    }
    value = argv[++i];
    return true;
}

const char* FamilyText(uint16_t code) {
    switch (code) {
        case model::kServo:
            return "servo";
        case model::kMotionController:
            return "pulse-output controller";
        case model::kStepper:
            return "stepper";
        case model::kAbsServo:
            return "absolute servo";
        case model::kBldc:
            return "BLDC servo";
        case model::kMotionController2:
            return "pulse-output controller 2";
        default:
            return "unknown model";
    }
}

}  // namespace

int main(int argc, char** argv) {
    unsigned port = kDefaultPort;
    LineDescription line;
    bool demo = false;
    std::string stateDir;
    std::vector<FaultRequest> faults;
    std::optional<uint64_t> seed;
    std::string value, error;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage();
            return 0;
        } else if (arg == "--port") {
            if (!NextArg(argc, argv, i, value)) return 2;
            char* end = nullptr;
            unsigned long n = std::strtoul(value.c_str(), &end, 10);
            if (*end || n > 255) {
                std::fprintf(stderr, "drivesim: port must be 0..255\n");
                return 2;
            }
            port = static_cast<unsigned>(n);
        } else if (arg == "--line") {
            if (!NextArg(argc, argv, i, value)) return 2;
            if (!LoadLineFile(value, line, error)) {
                std::fprintf(stderr, "drivesim: %s\n", error.c_str());
                return 2;
            }
        } else if (arg == "--demo") {
            demo = true;
        } else if (arg == "--drive") {
            if (!NextArg(argc, argv, i, value)) return 2;
            auto drive = ParseDriveSpec(value, error);
            if (!drive) {
                std::fprintf(stderr, "drivesim: %s\n", error.c_str());
                return 2;
            }
            line.drives.push_back(*drive);
        } else if (arg == "--baud") {
            if (!NextArg(argc, argv, i, value)) return 2;
            line.options.baudRate = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
            if (line.options.baudRate == 0) {
                std::fprintf(stderr, "drivesim: bad baud rate\n");
                return 2;
            }
        } else if (arg == "--pace") {
            line.options.pace = true;
        } else if (arg == "--turnaround") {
            if (!NextArg(argc, argv, i, value)) return 2;
            line.options.turnaroundMs = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        } else if (arg == "--state") {
            if (!NextArg(argc, argv, i, stateDir)) return 2;
        } else if (arg == "--data") {
            if (!NextArg(argc, argv, i, line.options.dataDirectory)) return 2;
        } else if (arg == "--seed") {
            if (!NextArg(argc, argv, i, value)) return 2;
            char* end = nullptr;
            seed = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || *end) {
                std::fprintf(stderr, "drivesim: bad seed\n");
                return 2;
            }
        } else if (arg == "--fault") {
            if (!NextArg(argc, argv, i, value)) return 2;
            auto fault = ParseFaultSpec(value, error);
            if (!fault) {
                std::fprintf(stderr, "drivesim: %s\n", error.c_str());
                return 2;
            }
            faults.push_back(*fault);
        } else {
            std::fprintf(stderr, "drivesim: unknown option %s\n", arg.c_str());
            PrintUsage();
            return 2;
        }
    }
    if (demo || line.drives.empty())
        for (const DriveConfig& d : DemoDrives()) line.drives.push_back(d);

    // Signals are taken by sigtimedwait below; block them before any thread starts.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SimLine sim;
    if (!sim.Start(line.options)) {
        std::fprintf(stderr, "drivesim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    for (const DriveConfig& d : line.drives) {
        if (!sim.AddDrive(d)) {
            std::fprintf(stderr, "drivesim: slave %u is given twice\n", d.slave);
            return 2;
        }
    }
    if (!stateDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(stateDir, ec);
        sim.LoadState(stateDir);
    }
    if (seed) sim.SetFaultSeed(*seed);
    uint32_t hangUpAfterMs = 0;
    bool hangUp = false;
    for (const FaultRequest& f : faults) {
        if (f.hangUp) {
            hangUp = true;
            hangUpAfterMs = f.hangUpAfterMs;
        } else {
            sim.InjectFault(f.spec, f.slave);
        }
    }
    if (!sim.Publish(port)) {
        std::fprintf(stderr, "drivesim: cannot publish com%u: %s\n", port, std::strerror(errno));
        return 1;
    }
    std::printf("drivesim: port %u device %s (entry %s)\n", port, sim.DevicePath().c_str(),
                sim.PublishedPath().c_str());
    for (uint8_t slave : sim.Slaves()) {
        DriveConfig c = *sim.GetDriveConfig(slave);
        std::printf("  slave %2u: model %3u %-26s %s%s\n", slave, c.modelCode, FamilyText(c.modelCode),
                    c.name.empty() ? ModelName(c.modelCode).c_str() : c.name.c_str(),
                    c.form == tarsel::FrameForm::Legacy ? " (legacy frames)" : "");
    }
    std::printf("Press Ctrl+C to stop.\n");
    std::fflush(stdout);

    const timespec tick{0, 100 * 1000 * 1000};
    uint64_t elapsedMs = 0;
    for (;;) {
        int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        if (sig == SIGINT || sig == SIGTERM) break;
        elapsedMs += 100;
        if (hangUp && elapsedMs >= hangUpAfterMs) {
            sim.HangUp();
            hangUp = false;
            std::printf("drivesim: line hung up\n");
            std::fflush(stdout);
        }
    }
    if (!stateDir.empty() && !sim.SaveState(stateDir))
        std::fprintf(stderr, "drivesim: cannot save the state in %s\n", stateDir.c_str());
    sim.Stop();
    std::printf("drivesim: stopped\n");
    return 0;
}
