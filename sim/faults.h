// Faults injected into a simulated line, per drive or for the whole line, counted or lasting.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/simulator.h"

namespace tarsel::sim {

// What the faults do to one request and its answer.
struct FaultEffects {
    bool ignoreRequest = false;  // dropped or the drive is silent: no execution, no answer
    uint32_t delayMs = 0;
    bool corruptCrc = false;
    std::vector<uint32_t> flipBits;
    std::vector<uint8_t> strayBytes;
    bool staleSync = false;
};

class FaultSet {
public:
    void Add(const FaultSpec& fault, std::optional<uint8_t> slave);
    void Clear() { faults_.clear(); }
    // Effects on the next request to `slave`; counted faults are used up.
    FaultEffects Take(uint8_t slave);
    // Whether `slave` is unplugged (broadcasts do not reach it either); uses nothing up.
    bool IsSilent(uint8_t slave) const;

private:
    struct Entry {
        FaultSpec spec;
        std::optional<uint8_t> slave;
        uint32_t remaining = 0;  // counted faults: uses left
        bool usedUp = false;
    };
    std::vector<Entry> faults_;
};

}  // namespace tarsel::sim
