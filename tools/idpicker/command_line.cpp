#include "tools/idpicker/command_line.h"

#include <exception>

#include "comm/result_codes.h"
#include "tools/common/port_choices.h"
#include "tools/common/text_format.h"

namespace tarsel::idpicker {

namespace {

std::optional<int> ParseSlave(const std::string& text) {
    const auto value = tools::ParseDecimal(text, 15);
    if (!value) return std::nullopt;
    return static_cast<int>(*value);
}

std::string IdentityLine(int slave, const SlaveInfo& identity) {
    const auto& v = identity.version;
    return tools::FormatText("Slave %1: %2 ver.%3.%4.%5.%6",
                             {std::to_string(slave), identity.Name(), std::to_string(v[0]),
                              std::to_string(v[1]), std::to_string(v[2]), std::to_string(v[3])});
}

// A scan cut short by a line failure must not pass for a complete one: the transport closed
// the port, so no later slave could have answered.
int LineFailed(int slave, std::ostream& err) {
    err << "The line failed at slave " << slave << "; the scan is incomplete.\n";
    return kExitConnectionFailed;
}

int Scan(SlaveLink& link, std::ostream& out, std::ostream& err) {
    int count = 0;
    for (int n = 0; n < kSlaveCount; ++n) {
        const uint8_t probe = link.Probe(static_cast<uint8_t>(n));
        if (probe == kResultDisconnected || !link.IsOpen()) return LineFailed(n, err);
        if (probe != kResultSuccess) continue;
        ++count;
        SlaveInfo identity;
        const uint8_t result = link.ReadIdentity(static_cast<uint8_t>(n), identity);
        if (result == kResultDisconnected || !link.IsOpen()) return LineFailed(n, err);
        if (result == kResultSuccess)
            out << IdentityLine(n, identity) << '\n';
        else
            out << "Slave " << n << ": identity not readable (return code " << tools::HexByte(result)
                << ")\n";
    }
    if (count == 0) {
        err << "No slaves are detected.\n";
        return kExitNotFound;
    }
    return kExitOk;
}

int Change(const Options& options, SlaveLink& link, std::ostream& out, std::ostream& err) {
    const auto from = static_cast<uint8_t>(options.from);
    const auto to = static_cast<uint8_t>(options.to);
    if (link.Probe(from) != kResultSuccess) {
        err << "Slave " << options.from << " does not answer.\n";
        return kExitNotFound;
    }
    if (link.Probe(to) == kResultSuccess) {
        err << "Slave number " << options.to << " is already in use.\n";
        return kExitNumberInUse;
    }
    const uint8_t result = link.ChangeSlaveNumber(from, to);
    if (result != kResultSuccess) {
        err << "Failed to execute command.\nReturn code : " << tools::HexByte(result) << '\n';
        return kExitCommandFailed;
    }
    const bool toAnswers = link.Probe(to) == kResultSuccess;
    const bool fromAnswers = link.Probe(from) == kResultSuccess;
    if (!toAnswers || fromAnswers) {
        err << "The change was not verified: slave " << options.to
            << (toAnswers ? " answers" : " does not answer") << ", slave " << options.from
            << (fromAnswers ? " still answers" : " no longer answers") << ".\n";
        return kExitNotVerified;
    }
    out << "Slave No changed from " << options.from << " to " << options.to << ".\n";
    SlaveInfo identity;
    if (link.ReadIdentity(to, identity) == kResultSuccess) out << IdentityLine(options.to, identity) << '\n';
    return kExitOk;
}

}  // namespace

std::string UsageText() {
    return "Usage:\n"
           "  idpicker [--port N [--connect]]              the dialog\n"
           "  idpicker --port N [--baud B] --scan           list the slaves that answer\n"
           "  idpicker --port N [--baud B] --change FROM TO give slave FROM the number TO\n"
           "Slave numbers are 0 to 15; the baud rate is 115200 unless given.  --timeout MS sets the\n"
           "answer time of the probes (100 ms unless given).\n"
           "Exit codes: 0 done, 1 wrong arguments, 2 connection failed (also: the line failed during\n"
           "the scan), 3 no slave found (or FROM not answering), 4 TO already in use, 5 change\n"
           "command failed, 6 change not verified.\n";
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool modeSet = false;
    auto setMode = [&](Options::Mode mode) {
        if (modeSet && options.mode != mode) {
            error = "--scan and --change cannot be combined.";
            return false;
        }
        options.mode = mode;
        modeSet = true;
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            options.mode = Options::Mode::Help;
            return options;
        } else if (arg == "--port" && hasValue) {
            options.port = tools::ParseDecimal(args[++i], 255);
            if (!options.port) {
                error = "The port number must be 0 to 255: " + args[i];
                return std::nullopt;
            }
        } else if (arg == "--baud" && hasValue) {
            const auto baud = tools::ParseDecimal(args[++i], 0xFFFFFFFFu);
            if (!baud || *baud == 0) {
                error = "The baud rate must be a positive number: " + args[i];
                return std::nullopt;
            }
            options.baud = *baud;
        } else if (arg == "--timeout" && hasValue) {
            const auto timeout = tools::ParseDecimal(args[++i], 60000);
            if (!timeout || *timeout == 0) {
                error = "The time-out must be 1 to 60000 ms: " + args[i];
                return std::nullopt;
            }
            options.probeTimeoutMs = *timeout;
        } else if (arg == "--scan") {
            if (!setMode(Options::Mode::Scan)) return std::nullopt;
        } else if (arg == "--change" && i + 2 < args.size()) {
            if (!setMode(Options::Mode::Change)) return std::nullopt;
            const auto from = ParseSlave(args[i + 1]);
            const auto to = ParseSlave(args[i + 2]);
            if (!from || !to) {
                error = "Slave numbers must be 0 to 15: " + args[i + 1] + " " + args[i + 2];
                return std::nullopt;
            }
            if (*from == *to) {
                error = "FROM and TO are the same slave number.";
                return std::nullopt;
            }
            options.from = *from;
            options.to = *to;
            i += 2;
        } else if (arg == "--connect") {
            options.connectAtStart = true;
        } else {
            error = "Unknown or incomplete argument: " + arg;
            return std::nullopt;
        }
    }
    if ((options.mode == Options::Mode::Scan || options.mode == Options::Mode::Change) && !options.port) {
        error = "--scan and --change need --port N.";
        return std::nullopt;
    }
    if (options.connectAtStart && (!options.port || options.mode != Options::Mode::Dialog)) {
        error = "--connect needs --port N and the dialog.";
        return std::nullopt;
    }
    return options;
}

int RunCommandLine(const Options& options, SlaveLink& link, std::ostream& out, std::ostream& err) {
    try {
        if (!link.Open(*options.port, options.baud)) {
            err << "connection failed. " << link.OpenErrorText() << '\n';
            return kExitConnectionFailed;
        }
        const int code =
            options.mode == Options::Mode::Scan ? Scan(link, out, err) : Change(options, link, out, err);
        link.Close();
        return code;
    } catch (const std::exception& e) {
        err << "idpicker: " << e.what() << '\n';
    } catch (...) {
        err << "idpicker: unexpected failure\n";
    }
    link.Close();
    return kExitFailure;
}

}  // namespace tarsel::idpicker
