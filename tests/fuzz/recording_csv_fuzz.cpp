// Plotvane's CSV reader, which opens any file the user picks.  A text it accepts must write back
// to CSV and read again to the same recording.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "gui/plotvane/recording.h"

namespace {

using tarsel::plotvane::Recording;

bool Same(const Recording& a, const Recording& b) {
    if (a.series.size() != b.series.size() || a.samples.size() != b.samples.size()) return false;
    for (std::size_t i = 0; i < a.series.size(); ++i)
        if (a.series[i].name != b.series[i].name || a.series[i].colorref != b.series[i].colorref)
            return false;
    for (std::size_t i = 0; i < a.samples.size(); ++i)
        if (a.samples[i].index != b.samples[i].index || a.samples[i].values != b.samples[i].values)
            return false;
    // An empty axis label is written as the default one.
    return a.axisLabel == b.axisLabel || (a.axisLabel.empty() && b.axisLabel == "[sample]");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto read = tarsel::plotvane::RecordingFromCsv(text);
    if (!read.recording) {
        if (read.error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    const Recording& recording = *read.recording;
    for (const auto& sample : recording.samples)
        if (sample.values.size() > recording.series.size()) std::abort();
    const auto again = tarsel::plotvane::RecordingFromCsv(tarsel::plotvane::RecordingToCsv(recording));
    if (!again.recording || !Same(recording, *again.recording)) std::abort();
    return 0;
}
