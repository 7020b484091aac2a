// The command-line mode for production lines:
//   firmloader --port N --slave S [--baud B] --image BASE   update one drive
//   firmloader --check BASE                                  validate an image set only
// BASE is the image set's path without extension (an image file's own path is accepted too).
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/firmloader/core/image_set.h"
#include "tools/firmloader/core/procedure_types.h"

namespace tarsel::firmware {

namespace exit_code {
constexpr int kSuccess = 0;
constexpr int kUpdateFailed = 1;   // the procedure ended with an error message
constexpr int kUsage = 2;          // wrong arguments
constexpr int kImageRefused = 3;   // missing or unusable image files
constexpr int kConnectFailed = 4;  // port, slave or boot support
constexpr int kPowerCycle = 5;     // written, but the drive must be power-cycled
}  // namespace exit_code

struct CommandLineEnvironment {
    ProcedureTimings timings;
    std::filesystem::path iniDirectory;  // empty: beside the program
    int pollIntervalMs = 100;
};

// True when the arguments ask for the command-line mode (any argument starting with "-").
bool IsCommandLine(const std::vector<std::string>& args);

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const CommandLineEnvironment& environment = {});

// The address ranges an image set writes, one line per range, per pair.
void PrintImagePlan(const ImagePlan& plan, std::ostream& out);

}  // namespace tarsel::firmware
