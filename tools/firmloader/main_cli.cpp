// The firmware writer without the wizard (built when the toolkit is not available).
#include <iostream>
#include <string>
#include <vector>

#include "tools/firmloader/core/command_line.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tarsel::firmware::RunCommandLine(args, std::cout, std::cerr);
}
