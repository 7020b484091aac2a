#include "sim/faults.h"

#include <algorithm>

namespace tarsel::sim {

void FaultSet::Add(const FaultSpec& fault, std::optional<uint8_t> slave) {
    faults_.push_back({fault, slave, fault.count, false});
}

bool FaultSet::IsSilent(uint8_t slave) const {
    return std::any_of(faults_.begin(), faults_.end(), [&](const Entry& e) {
        return e.spec.kind == FaultKind::Silent && (!e.slave || *e.slave == slave);
    });
}

FaultEffects FaultSet::Take(uint8_t slave) {
    FaultEffects effects;
    for (Entry& e : faults_) {
        if (e.slave && *e.slave != slave) continue;
        switch (e.spec.kind) {
            case FaultKind::DropRequest:
            case FaultKind::Silent:
                effects.ignoreRequest = true;
                break;
            case FaultKind::DelayAnswer:
                effects.delayMs = std::max(effects.delayMs, e.spec.delayMs);
                break;
            case FaultKind::CorruptCrc:
                effects.corruptCrc = true;
                break;
            case FaultKind::FlipBit:
                effects.flipBits.push_back(e.spec.bitIndex);
                break;
            case FaultKind::StrayBytes:
                effects.strayBytes.insert(effects.strayBytes.end(), e.spec.bytes.begin(), e.spec.bytes.end());
                break;
            case FaultKind::StaleSync:
                effects.staleSync = true;
                break;
        }
        if (e.spec.count > 0 && --e.remaining == 0) e.usedUp = true;
    }
    // Counted faults that were used up leave.
    faults_.erase(std::remove_if(faults_.begin(), faults_.end(), [](const Entry& e) { return e.usedUp; }),
                  faults_.end());
    return effects;
}

}  // namespace tarsel::sim
