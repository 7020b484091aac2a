// A simulated line published as a numbered port in a private ports directory, for the tools'
// tests.
#pragma once

#include <QTemporaryDir>
#include <cstdlib>
#include <stdexcept>

#include "sim/simulator.h"

namespace tarsel::testing {

class SimPort {
public:
    static constexpr unsigned kPort = 41;
    static constexpr unsigned kMissingPort = 42;

    SimPort() {
        // Every test program gets its own ports directory so that parallel tests never meet.
        ::setenv("TARSEL_PORTS_DIR", dir_.path().toLocal8Bit().constData(), 1);
        if (!line.Start() || !line.Publish(kPort)) throw std::runtime_error("simulated line did not start");
    }

    QTemporaryDir dir_;
    sim::SimLine line;
};

}  // namespace tarsel::testing
