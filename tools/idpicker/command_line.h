// Command-line use of the slave-number tool, for production lines that number drives by script:
//   idpicker --port N [--baud B] --scan
//   idpicker --port N [--baud B] --change FROM TO
// (--timeout MS shortens or lengthens the answer time of the probes, 100 ms by default)
// and the options of the dialog (--port N preselects a port, --connect scans at start).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/idpicker/slave_link.h"

namespace tarsel::idpicker {

// Exit codes of the command-line modes.
enum ExitCode : int {
    kExitOk = 0,
    kExitUsage = 1,             // arguments not understood
    kExitConnectionFailed = 2,  // the port cannot be opened, or the line failed during a scan
    kExitNotFound = 3,          // no slave answers (--scan), or FROM does not answer (--change)
    kExitNumberInUse = 4,       // TO answers already
    kExitCommandFailed = 5,     // the change command returned a nonzero code
    kExitNotVerified = 6,       // after the change FROM still answers or TO does not
    kExitFailure = 7,           // an unexpected failure of the tool itself (printed)
};

struct Options {
    enum class Mode { Dialog, Scan, Change, Help };
    Mode mode = Mode::Dialog;
    std::optional<unsigned> port;
    uint32_t baud = 115200;
    uint32_t probeTimeoutMs = 100;  // answer time limit of the probe and the identity request
    int from = -1;
    int to = -1;
    bool connectAtStart = false;  // dialog: scan the preselected port at start
};

// Parses the arguments after the program name.  Empty with a message in `error` when they are
// not understood.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::string UsageText();

// Runs --scan or --change over `link`; prints results to `out` and failures to `err`.  Throws
// nothing.
int RunCommandLine(const Options& options, SlaveLink& link, std::ostream& out, std::ostream& err);

}  // namespace tarsel::idpicker
