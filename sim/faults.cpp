#include "sim/faults.h"

#include <algorithm>

namespace tarsel::sim {

FaultSet::FaultSet() : random_(std::random_device{}()) {}

void FaultSet::Add(const FaultSpec& fault, std::optional<uint8_t> slave) {
    faults_.push_back({fault, slave, fault.count, false});
}

bool FaultSet::IsSilent(uint8_t slave) const {
    return std::any_of(faults_.begin(), faults_.end(), [&](const Entry& e) {
        return e.spec.kind == FaultKind::Silent && (!e.slave || *e.slave == slave);
    });
}

bool FaultSet::Hits(Entry& e, uint8_t slave) {
    if (e.usedUp || (e.slave && *e.slave != slave)) return false;
    if (e.spec.rate < 1.0) {
        if (e.spec.rate <= 0.0) return false;
        if (!std::bernoulli_distribution(e.spec.rate)(random_)) return false;
    }
    if (e.spec.count > 0 && --e.remaining == 0) e.usedUp = true;
    return true;
}

void FaultSet::RemoveUsedUp() {
    faults_.erase(std::remove_if(faults_.begin(), faults_.end(), [](const Entry& e) { return e.usedUp; }),
                  faults_.end());
}

bool FaultSet::TakeEcho(uint8_t slave) {
    bool echo = false;
    for (Entry& e : faults_)
        if (e.spec.kind == FaultKind::Echo && Hits(e, slave)) echo = true;
    RemoveUsedUp();
    return echo;
}

FaultEffects FaultSet::Take(uint8_t slave) {
    FaultEffects effects;
    for (Entry& e : faults_) {
        if (e.spec.kind == FaultKind::Echo || !Hits(e, slave)) continue;
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
            case FaultKind::Truncate:
                effects.truncate = true;
                break;
            case FaultKind::Duplicate:
                effects.duplicate = true;
                break;
            case FaultKind::Split:
                effects.splitPauseMs = std::max(effects.splitPauseMs.value_or(0), e.spec.pauseMs);
                break;
            case FaultKind::Echo:
                break;
        }
    }
    RemoveUsedUp();
    return effects;
}

}  // namespace tarsel::sim
