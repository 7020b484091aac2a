// The I/O pin map of a drive: which logic signal each physical pin carries, and for each logic
// signal whether a pin carries it, which one, and its active level.  The first fixed-count pins
// of each side carry fixed signals (pin k carries signal k+1); only their level can change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarsel {

struct SignalRecord {
    uint32_t signal = 0;
    uint32_t assigned = 0;
    uint32_t pin = 0;
    uint32_t level = 0;    // 0 "Low Active", 1 "High Active"
    uint32_t changed = 0;  // set when a level coupling re-read the signal's pin
};

class CIOSide {
public:
    CIOSide(uint8_t pinCount, uint8_t signalCount, uint8_t fixedCount,
            const std::vector<std::string>& labels);

    uint8_t PinCount() const { return static_cast<uint8_t>(pinMap_.size()); }
    uint8_t SignalCount() const { return static_cast<uint8_t>(records_.size() - 1); }
    uint8_t FixedCount() const { return fixedCount_; }
    // Label of signal n (1-based); empty for 0 or beyond the count.
    std::string Label(uint32_t signal) const;

    // Logic signal on pin (0 none or pin out of range).
    uint8_t SignalOnPin(uint32_t pin) const { return pin < pinMap_.size() ? pinMap_[pin] : 0; }
    // Record of signal n, n from 0 ("none") to the signal count; null beyond.
    const SignalRecord* Record(uint32_t signal) const;
    SignalRecord* Record(uint32_t signal);

    // Stores what the drive reported for a pin: out-of-range signals become 0.
    void StorePin(uint32_t pin, uint32_t signal, uint32_t level);
    // The pin now carries `signal` (0 clears it): the old signal becomes unassigned.
    void Assign(uint32_t pin, uint32_t signal, uint32_t level);
    void Clear();

private:
    uint8_t fixedCount_;
    std::vector<std::string> labels_;
    std::vector<uint8_t> pinMap_;
    std::vector<SignalRecord> records_;
};

class CIOInfo {
public:
    CIOInfo(uint8_t inputPins, uint8_t inputSignals, uint8_t inputFixed,
            const std::vector<std::string>& inputLabels, uint8_t outputPins, uint8_t outputSignals,
            uint8_t outputFixed, const std::vector<std::string>& outputLabels)
        : input(inputPins, inputSignals, inputFixed, inputLabels),
          output(outputPins, outputSignals, outputFixed, outputLabels) {}

    CIOSide& Side(bool isOutput) { return isOutput ? output : input; }
    const CIOSide& Side(bool isOutput) const { return isOutput ? output : input; }
    void Clear() {
        input.Clear();
        output.Clear();
    }

    CIOSide input;
    CIOSide output;
};

}  // namespace tarsel
