// One row per per-slave export: the frame it must send and the answer that the test line
// returns, and a call that checks the unpacked outputs (on success) or that they were left alone
// (on failure).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/library/scripted_line.h"

namespace tarsel::testing {

struct ExportCase {
    std::string name;
    uint8_t frameType;
    Bytes request;
    Bytes answer;
    std::function<int(int port, int slave)> call;
};

const std::vector<ExportCase>& PerSlaveExportCases();

}  // namespace tarsel::testing
