#include "gui/model/board/CIOInfo.h"

namespace tarsel {

CIOSide::CIOSide(uint8_t pinCount, uint8_t signalCount, uint8_t fixedCount,
                 const std::vector<std::string>& labels)
    : fixedCount_(fixedCount), labels_(labels), pinMap_(pinCount, 0), records_(signalCount + 1u) {
    for (uint32_t n = 0; n < records_.size(); ++n) records_[n].signal = n;
    // Fixed pins carry their own signals from the start.
    for (uint32_t pin = 0; pin < fixedCount_ && pin < pinMap_.size() && pin + 1 < records_.size(); ++pin) {
        pinMap_[pin] = static_cast<uint8_t>(pin + 1);
        records_[pin + 1].assigned = 1;
        records_[pin + 1].pin = pin;
    }
}

std::string CIOSide::Label(uint32_t signal) const {
    if (signal == 0 || signal > labels_.size()) return {};
    return labels_[signal - 1];
}

const SignalRecord* CIOSide::Record(uint32_t signal) const {
    return signal < records_.size() ? &records_[signal] : nullptr;
}

SignalRecord* CIOSide::Record(uint32_t signal) {
    return signal < records_.size() ? &records_[signal] : nullptr;
}

void CIOSide::StorePin(uint32_t pin, uint32_t signal, uint32_t level) {
    if (pin >= pinMap_.size()) return;
    if (signal >= records_.size()) signal = 0;
    // A pin read again may carry another signal now: the old one is no longer on it.
    const uint32_t old = pinMap_[pin];
    if (old != signal && old != 0 && old < records_.size() && records_[old].pin == pin)
        records_[old].assigned = 0;
    pinMap_[pin] = static_cast<uint8_t>(signal);
    if (signal > 0) {
        records_[signal].assigned = 1;
        records_[signal].pin = pin;
        records_[signal].level = level ? 1 : 0;
    }
}

void CIOSide::Assign(uint32_t pin, uint32_t signal, uint32_t level) {
    if (pin >= pinMap_.size()) return;
    const uint32_t old = pinMap_[pin];
    if (old != 0 && old < records_.size() && records_[old].pin == pin) {
        records_[old].assigned = 0;
    }
    if (signal >= records_.size()) signal = 0;
    pinMap_[pin] = static_cast<uint8_t>(signal);
    if (signal > 0) {
        records_[signal].assigned = 1;
        records_[signal].pin = pin;
        records_[signal].level = level ? 1 : 0;
    }
}

void CIOSide::Clear() {
    for (std::size_t pin = fixedCount_; pin < pinMap_.size(); ++pin) pinMap_[pin] = 0;
    for (std::size_t n = fixedCount_ + 1u; n < records_.size(); ++n) {
        records_[n].assigned = 0;
        records_[n].pin = 0;
        records_[n].level = 0;
        records_[n].changed = 0;
    }
}

}  // namespace tarsel
