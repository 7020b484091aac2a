// One recording as the graph program holds it: the series (name and colour), the label of the
// sample axis and the samples in arrival order.  Built from the graph link's messages or read
// from a CSV file; saved as CSV.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gui/graphlink/graph_messages.h"

namespace tarsel::plotvane {

// The most series and samples one recording holds, from the link or from a file, so that a
// sender that never stops or a file of a million columns cannot take all the memory.  A recording
// Plotvane saves always reads back.
inline constexpr std::size_t kMaxSeries = 1024;
inline constexpr std::size_t kMaxSamples = 10'000'000;

struct RecordingSeries {
    std::string name;
    uint32_t colorref = 0;  // 0x00BBGGRR
};

struct RecordingSample {
    uint32_t index = 0;
    std::vector<int32_t> values;  // one per series at most; fewer when the sender sent fewer
};

struct Recording {
    std::vector<RecordingSeries> series;
    std::string axisLabel;
    std::vector<RecordingSample> samples;
    bool complete = false;  // the end message came (a file read is always complete)

    // The sample whose index is nearest to `index`; none when there are no samples.
    std::optional<std::size_t> NearestSample(double index) const;
};

// Follows one connection's messages: "r" starts a new recording, "S", "x" and "D" fill the
// current one, "A" completes it.  Messages before the first "r" have nothing to fill and are
// left out; probes, "c" and "M" change nothing, nor do series and samples beyond the limits.
class CRecordingAssembler {
public:
    enum class Change { None, Started, Configured, Sampled, Completed };
    Change Apply(const graphlink::GraphMessage& message);
    // The recording being filled; null before the first "r".
    Recording* Current() { return current_ ? &*current_ : nullptr; }
    // Hands the current recording over (the assembler then waits for the next "r").
    std::optional<Recording> Take();

private:
    std::optional<Recording> current_;
};

// The CSV file: an optional first line "# Plotvane colors: #RRGGBB;#RRGGBB;..." with the series
// colours, a header line with the axis label and the series names, then one line per sample
// with its index and its values (an empty cell for a value the sender did not send).  Cells with
// commas, quotes or line breaks are quoted.
std::string RecordingToCsv(const Recording& recording);

struct CsvReadResult {
    std::optional<Recording> recording;
    std::string error;  // why the text is not a recording, with its line number
};
CsvReadResult RecordingFromCsv(const std::string& text);

// The default colours of series read from a file without the colour line (COLORREF).
uint32_t DefaultColor(std::size_t position);

}  // namespace tarsel::plotvane
