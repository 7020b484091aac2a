// A record of a drive's input and output words while the I/O monitor is open, so that an
// intermittent sensor can be caught without watching the screen.  A sample is kept only when a
// word changed since the last one; the oldest samples go when the record is full.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <string>

namespace tarsel::views {

class IoRecorder {
public:
    static constexpr std::size_t kDefaultLimit = 100000;

    struct Sample {
        std::chrono::system_clock::time_point time;
        uint8_t slave = 0;
        uint64_t inputs = 0;
        uint32_t outputs = 0;
    };

    explicit IoRecorder(std::size_t limit = kDefaultLimit) : limit_(limit > 0 ? limit : 1) {}

    // Keeps the sample when it is the first, names another drive, or a word changed; true when
    // kept.
    bool Add(const Sample& sample);
    void Clear();
    std::size_t Size() const { return samples_.size(); }
    // Samples dropped because the record was full.
    std::size_t Dropped() const { return dropped_; }
    const std::deque<Sample>& Samples() const { return samples_; }

    // "Time,Slave,Inputs,Outputs" then one line per sample: local time with milliseconds, the
    // slave number, the words in hexadecimal (inputs 40 bits, outputs 32 bits).
    std::string ToCsv() const;
    // Writes the CSV text; an existing file is replaced in one step.
    bool Save(const std::filesystem::path& path) const;

private:
    std::size_t limit_;
    std::size_t dropped_ = 0;
    std::deque<Sample> samples_;
};

}  // namespace tarsel::views
