// Faults injected into a simulated line, per drive or for the whole line, counted or lasting,
// hitting every request or a share of them at random.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
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
    bool truncate = false;
    bool duplicate = false;
    std::optional<uint32_t> splitPauseMs;
};

class FaultSet {
public:
    FaultSet();
    void Add(const FaultSpec& fault, std::optional<uint8_t> slave);
    void Clear() { faults_.clear(); }
    void Seed(uint64_t seed) { random_.seed(seed); }
    // Effects on the next request to `slave`; counted faults are used up.  Echo faults are not
    // taken here.
    FaultEffects Take(uint8_t slave);
    // Whether the request to `slave` (any slave number, broadcasts included) comes back as an
    // echo; uses up a counted echo fault when it does.
    bool TakeEcho(uint8_t slave);
    // Whether `slave` is unplugged (broadcasts do not reach it either); uses nothing up.
    bool IsSilent(uint8_t slave) const;

private:
    struct Entry {
        FaultSpec spec;
        std::optional<uint8_t> slave;
        uint32_t remaining = 0;  // counted faults: uses left
        bool usedUp = false;
    };
    // Whether `e` hits this request: the right slave and, for a rate below 1, a lucky draw.
    // A hit uses up one count.
    bool Hits(Entry& e, uint8_t slave);
    void RemoveUsedUp();

    std::vector<Entry> faults_;
    std::mt19937_64 random_;
};

}  // namespace tarsel::sim
