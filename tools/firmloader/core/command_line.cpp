#include "tools/firmloader/core/command_line.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <optional>
#include <ostream>
#include <thread>

#include "comm/CRs232CB.h"
#include "comm/result_codes.h"
#include "formats/files/connection_settings.h"
#include "tools/firmloader/core/boot_link.h"
#include "tools/firmloader/core/image_set.h"
#include "tools/firmloader/core/update_procedure.h"

namespace tarsel::firmware {
namespace {

constexpr const char* kUsageText =
    "usage: firmloader --port N --slave S [--baud B] --image BASE\n"
    "       firmloader --check BASE\n"
    "  BASE is the image set's path without extension; the files BASE.i00, BASE.i01,\n"
    "  BASE.i10 and BASE.i11 must all exist.\n";

struct Options {
    std::optional<unsigned> port;
    std::optional<unsigned> slave;
    uint32_t baud = 115200;
    std::string image;
    std::string check;
    bool help = false;
};

std::optional<unsigned> ParseNumber(const std::string& text, unsigned max) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value > max) return std::nullopt;
    return value;
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            err << "firmloader: " << arg
                << (arg.rfind("--", 0) == 0 ? " needs a value\n" : ": unknown argument\n");
            return false;
        }
        const std::string& value = args[++i];
        if (arg == "--port") {
            options.port = ParseNumber(value, 255);
            if (!options.port || *options.port == 0) {
                err << "firmloader: --port takes a port number from 1 to 255\n";
                return false;
            }
        } else if (arg == "--slave") {
            options.slave = ParseNumber(value, 15);
            if (!options.slave) {
                err << "firmloader: --slave takes a slave number from 0 to 15\n";
                return false;
            }
        } else if (arg == "--baud") {
            const auto baud = ParseNumber(value, 4000000);
            if (!baud || *baud == 0) {
                err << "firmloader: --baud takes a baud rate\n";
                return false;
            }
            options.baud = *baud;
        } else if (arg == "--image") {
            options.image = value;
        } else if (arg == "--check") {
            options.check = value;
        } else {
            err << "firmloader: unknown argument " << arg << "\n";
            return false;
        }
    }
    return true;
}

std::string BaseOf(const std::string& path) {
    return HasImageExtension(path) ? StripExtension(path) : path;
}

// Finds and reads the image set; prints why it cannot be used.
bool LoadImageSet(const std::string& given, ImagePaths& paths, ImagePlan& plan, std::ostream& err) {
    const std::string base = BaseOf(given);
    const std::size_t found = FindImageFiles(base, paths);
    if (found < kImageSlots) {
        err << "firmloader: missing image file " << base << kImageExtensions[found] << "\n";
        return false;
    }
    ImageProblem problem;
    if (!BuildImagePlan(paths, plan, problem)) {
        err << "firmloader: image set refused: " << EnglishText(problem) << "\n";
        return false;
    }
    for (const ImageProblem& warning : plan.warnings)
        err << "firmloader: warning: " << EnglishText(warning) << "\n";
    return true;
}

void PrintProgress(std::ostream& out, std::size_t done, std::size_t total) {
    constexpr std::size_t kWidth = 40;
    const std::size_t filled = total == 0 ? kWidth : done * kWidth / total;
    out << "\r  [" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] " << done << "/"
        << total << " records" << std::flush;
}

const char* LabelStateText(LabelState state) {
    switch (state) {
        case LabelState::Pending:
            return "pending";
        case LabelState::Running:
            return "running";
        case LabelState::Done:
            return "done";
        case LabelState::Failed:
            return "failed";
        case LabelState::Skipped:
            return "skipped";
    }
    return "";
}

int RunUpdate(const Options& options, std::ostream& out, std::ostream& err,
              const CommandLineEnvironment& env) {
    ImagePaths paths;
    ImagePlan plan;
    if (!LoadImageSet(options.image, paths, plan, err)) return exit_code::kImageRefused;
    out << "Image set " << BaseOf(options.image) << ": " << plan.writes.size() << " records, "
        << plan.WordCount() << " words\n";

    CRs232CB port(TransportConfig::FirmwareWriter());
    if (!port.OpenPort(static_cast<uint8_t>(*options.port), options.baud)) {
        err << "Failed to open port. COM" << *options.port << ": " << port.LastOpenErrorText() << "\n";
        return exit_code::kConnectFailed;
    }
    const auto slave = static_cast<uint8_t>(*options.slave);
    TransportBootLink link(port, slave);
    if (link.PresenceProbe() != kResultSuccess) {
        err << "Incorrect slave number.\n";
        return exit_code::kConnectFailed;
    }
    uint8_t romType = 0;
    if (link.GetRomType(romType) != kResultSuccess) {
        err << "The drive does NOT support firmloader.\n";
        return exit_code::kConnectFailed;
    }
    files::WriteConnectionSettings({static_cast<int32_t>(*options.port), static_cast<int32_t>(options.baud)},
                                   env.iniDirectory);
    DriveIdentity identity;
    if (link.GetSlaveInfo(identity) == kResultSuccess) {
        out << "PortNo : " << *options.port << ", SlaveNo : " << unsigned{slave} << ", "
            << HistoryText(identity) << "\n";
    } else {
        out << "PortNo : " << *options.port << ", SlaveNo : " << unsigned{slave} << ", Version : \n";
    }

    UpdateProcedure procedure(link, env.timings);
    procedure.SetImagePaths(paths);
    procedure.SetHistoryWriter(
        [&](const std::string& text) { files::WriteBootRomHistory(text, env.iniDirectory); });
    procedure.Start();

    ProcedureSnapshot last;
    last.labels.fill(LabelState::Pending);
    bool progressShown = false;
    for (;;) {
        const ProcedureSnapshot now = procedure.Snapshot();
        for (std::size_t i = 0; i < kStepLabelCount; ++i) {
            if (now.labels[i] == last.labels[i]) continue;
            const bool writeEnded =
                i == static_cast<std::size_t>(StepLabel::UpdateRom) &&
                (now.labels[i] == LabelState::Done || now.labels[i] == LabelState::Failed);
            if (progressShown || writeEnded) {
                PrintProgress(out, now.recordCount, now.recordTotal);
                out << "\n";
                progressShown = false;
            }
            out << kStepLabelTexts[i] << ": " << LabelStateText(now.labels[i]) << "\n";
        }
        if (now.currentStep == Step::WriteImage && now.recordCount != last.recordCount) {
            PrintProgress(out, now.recordCount, now.recordTotal);
            progressShown = true;
        }
        last = now;
        if (!now.workerRunning) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(env.pollIntervalMs));
    }
    if (progressShown) out << "\n";
    const ProcedureSnapshot end = procedure.Snapshot();
    if (procedure.Succeeded()) {
        out << "Updating ROM is finished.\n";
        return exit_code::kSuccess;
    }
    const std::string text = MessageText(end.message);
    if (end.message.kind == MessageKind::Notice) {
        out << "Notice: " << text << "\n";
        return exit_code::kPowerCycle;
    }
    err << "Error: " << text << "\n";
    return end.message.id == MessageId::ImageSetRefused ? exit_code::kImageRefused : exit_code::kUpdateFailed;
}

}  // namespace

void PrintImagePlan(const ImagePlan& plan, std::ostream& out) {
    static constexpr const char* kPairNames[2] = {".i00/.i01", ".i10/.i11"};
    for (std::size_t pair = 0; pair < 2; ++pair) {
        out << kPairNames[pair] << ": " << plan.recordsRead[pair] << " data records\n";
        for (const AddressRange& range : plan.ranges[pair]) {
            char line[96];
            std::snprintf(line, sizeof line, "  0x%08llX-0x%08llX  %llu words\n",
                          static_cast<unsigned long long>(range.first),
                          static_cast<unsigned long long>(range.first + range.count - 1),
                          static_cast<unsigned long long>(range.count));
            out << line;
        }
    }
    out << "total: " << plan.writes.size() << " records, " << plan.WordCount() << " words\n";
}

bool IsCommandLine(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (!arg.empty() && arg[0] == '-') return true;
    return false;
}

namespace {

int RunCommandLineUnguarded(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                            const CommandLineEnvironment& environment) {
    Options options;
    if (!ParseOptions(args, options, err)) {
        err << kUsageText;
        return exit_code::kUsage;
    }
    if (options.help) {
        out << kUsageText;
        return exit_code::kSuccess;
    }
    if (!options.check.empty()) {
        if (!options.image.empty() || options.port || options.slave) {
            err << "firmloader: --check takes no other option\n" << kUsageText;
            return exit_code::kUsage;
        }
        ImagePaths paths;
        ImagePlan plan;
        if (!LoadImageSet(options.check, paths, plan, err)) return exit_code::kImageRefused;
        PrintImagePlan(plan, out);
        return exit_code::kSuccess;
    }
    if (options.image.empty() || !options.port || !options.slave) {
        err << "firmloader: --port, --slave and --image are needed\n" << kUsageText;
        return exit_code::kUsage;
    }
    return RunUpdate(options, out, err, environment);
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const CommandLineEnvironment& environment) {
    // Whatever goes wrong ends in a message and an exit code, never in an abort.
    try {
        return RunCommandLineUnguarded(args, out, err, environment);
    } catch (const std::exception& e) {
        err << "firmloader: " << e.what() << "\n";
    } catch (...) {
        err << "firmloader: unexpected failure\n";
    }
    return exit_code::kUpdateFailed;
}

}  // namespace tarsel::firmware
