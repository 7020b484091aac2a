// Short ways to describe the simulated drives and faults of the tools' tests.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "sim/simulator.h"

namespace tarsel::testing {

inline sim::DriveConfig SimDrive(uint8_t slave, std::string name = {},
                                 std::array<uint16_t, 4> version = {2, 1, 0, 0},
                                 FrameForm form = FrameForm::Sequenced) {
    sim::DriveConfig config;
    config.slave = slave;
    config.name = std::move(name);
    config.version = version;
    config.form = form;
    return config;
}

inline sim::FaultSpec SimFault(sim::FaultKind kind, uint32_t count = 0, std::vector<uint8_t> bytes = {}) {
    sim::FaultSpec fault;
    fault.kind = kind;
    fault.count = count;
    if (!bytes.empty()) fault.bytes = std::move(bytes);
    return fault;
}

}  // namespace tarsel::testing
