#include "gui/plotvane/recording.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarsel::plotvane {

using graphlink::GraphCommand;

std::optional<std::size_t> Recording::NearestSample(double index) const {
    if (samples.empty()) return std::nullopt;
    std::size_t best = 0;
    double bestDistance = std::abs(samples[0].index - index);
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double distance = std::abs(samples[i].index - index);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

CRecordingAssembler::Change CRecordingAssembler::Apply(const graphlink::GraphMessage& message) {
    if (message.command == GraphCommand::Reset) {
        current_.emplace();
        return Change::Started;
    }
    if (!current_) return Change::None;
    switch (message.command) {
        case GraphCommand::Series:
            if (current_->series.size() >= kMaxSeries) return Change::None;
            current_->series.push_back({message.name, message.colorref});
            return Change::Configured;
        case GraphCommand::Axis:
            current_->axisLabel = message.text;
            return Change::Configured;
        case GraphCommand::Data: {
            if (current_->samples.size() >= kMaxSamples) return Change::None;
            RecordingSample sample{message.index, message.values};
            if (sample.values.size() > current_->series.size()) sample.values.resize(current_->series.size());
            current_->samples.push_back(std::move(sample));
            return Change::Sampled;
        }
        case GraphCommand::End:
            current_->complete = true;
            return Change::Completed;
        default:
            return Change::None;
    }
}

std::optional<Recording> CRecordingAssembler::Take() {
    auto taken = std::move(current_);
    current_.reset();
    return taken;
}

uint32_t DefaultColor(std::size_t position) {
    // The monitoring colours first, then a few more that stay apart on white.
    static constexpr uint32_t kColors[] = {0x2020FF, 0x4484FF, 0x20FFFF, 0x40FF40,
                                           0xC06000, 0x800080, 0x808000, 0x404040};
    return kColors[position % std::size(kColors)];
}

namespace {

constexpr std::string_view kColorLine = "# Plotvane colors:";

std::string Quoted(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos &&
        (cell.empty() || (cell.front() != ' ' && cell.front() != '#')))
        return cell;
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string ColorText(uint32_t colorref) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colorref & 0xff, (colorref >> 8) & 0xff,
                  (colorref >> 16) & 0xff);
    return text;
}

std::optional<uint32_t> ParseColor(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    uint32_t rgb = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (ec != std::errc() || end != text.data() + 7) return std::nullopt;
    return ((rgb >> 16) & 0xff) | (rgb & 0xff00) | ((rgb & 0xff) << 16);
}

// Reads the text one row of cells at a time, honouring quotes (which may hold line breaks), so
// that only one row is ever split at once.  A comment row (its first character an unquoted '#')
// is kept as one cell with its commas, as the row reads.
struct CsvRow {
    std::vector<std::string> cells;
    std::size_t line = 0;
    bool comment = false;
};

class CsvRows {
public:
    enum class Read { Row, End, TooWide, Unclosed };
    explicit CsvRows(std::string_view text) : text_(text) {}

    // The next row that is not blank.  A row with more than `maxCells` cells stops the reading
    // at its excess cell (TooWide), so that a line of a million commas never becomes a million
    // strings.  `row.line` is the line the row starts on.
    Read Next(CsvRow& row, std::size_t maxCells) {
        while (at_ < text_.size()) {
            const Read read = ReadRow(row, maxCells);
            if (read != Read::Row) return read;
            if (!(row.cells.size() == 1 && row.cells[0].empty())) return Read::Row;
        }
        return Read::End;
    }

private:
    Read ReadRow(CsvRow& row, std::size_t maxCells) {
        row = CsvRow{};
        row.line = line_;
        std::string cell;
        bool quoted = false, cellWasQuoted = false, cellStart = true;
        auto endCell = [&] {
            if (row.comment) {  // the comment keeps its commas
                cell += ',';
            } else {
                if (row.cells.size() + 1 >= maxCells) return false;  // the last cell is still to come
                row.cells.push_back(std::move(cell));
                cell.clear();
            }
            cellWasQuoted = false;
            cellStart = true;
            return true;
        };
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (quoted) {
                if (c == '"') {
                    if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                        cell += '"';
                        ++at_;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n') ++line_;
                    cell += c;
                }
                continue;
            }
            if (c == '#' && row.cells.empty() && cell.empty() && !cellWasQuoted) row.comment = true;
            if (c == '"' && cellStart && !cellWasQuoted) {
                quoted = cellWasQuoted = true;
                cellStart = false;
            } else if (c == ',') {
                if (!endCell()) return Read::TooWide;
                continue;
            } else if (c == '\n') {
                ++line_;
                ++at_;
                break;
            } else if (c != '\r') {
                cell += c;
                cellStart = false;
            }
        }
        if (quoted) return Read::Unclosed;
        row.cells.push_back(std::move(cell));
        return Read::Row;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

std::optional<long long> ParseInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string RecordingToCsv(const Recording& recording) {
    std::string out(kColorLine);
    for (std::size_t i = 0; i < recording.series.size(); ++i) {
        out += i == 0 ? " " : ";";
        out += ColorText(recording.series[i].colorref);
    }
    out += '\n';
    out += Quoted(recording.axisLabel.empty() ? std::string("[sample]") : recording.axisLabel);
    for (const auto& series : recording.series) out += ',' + Quoted(series.name);
    out += '\n';
    for (const auto& sample : recording.samples) {
        out += std::to_string(sample.index);
        for (std::size_t i = 0; i < recording.series.size(); ++i) {
            out += ',';
            if (i < sample.values.size()) out += std::to_string(sample.values[i]);
        }
        out += '\n';
    }
    return out;
}

CsvReadResult RecordingFromCsv(const std::string& text) {
    CsvReadResult result;
    CsvRows rows(text);
    CsvRow row;
    auto unclosed = [&] {
        result.error = "line " + std::to_string(row.line) + ": a quoted cell is not closed";
    };
    Recording recording;
    recording.complete = true;
    std::vector<uint32_t> colors;
    // Comment lines before the header; the colour line among them.
    CsvRows::Read read;
    while ((read = rows.Next(row, kMaxSeries + 1)) == CsvRows::Read::Row && row.comment) {
        const std::string& joined = row.cells[0];
        if (joined.rfind(kColorLine, 0) != 0) continue;
        std::string_view list = std::string_view(joined).substr(kColorLine.size());
        colors.clear();
        while (!list.empty() && colors.size() < kMaxSeries) {
            const auto cut = list.find(';');
            if (auto color = ParseColor(list.substr(0, cut)))
                colors.push_back(*color);
            else
                colors.push_back(DefaultColor(colors.size()));
            if (cut == std::string_view::npos) break;
            list.remove_prefix(cut + 1);
        }
    }
    if (read == CsvRows::Read::Unclosed) {
        unclosed();
        return result;
    }
    if (read == CsvRows::Read::TooWide) {
        result.error = "line " + std::to_string(row.line) + ": the header names more than " +
                       std::to_string(kMaxSeries) + " series";
        return result;
    }
    if (read == CsvRows::Read::End) {
        result.error = "no header line with the series names";
        return result;
    }
    const CsvRow header = std::move(row);
    if (header.cells.size() < 2) {
        result.error = "line " + std::to_string(header.line) + ": the header names no series";
        return result;
    }
    recording.axisLabel = header.cells[0];
    for (std::size_t i = 1; i < header.cells.size(); ++i)
        recording.series.push_back(
            {header.cells[i], i - 1 < colors.size() ? colors[i - 1] : DefaultColor(i - 1)});
    while ((read = rows.Next(row, header.cells.size())) == CsvRows::Read::Row) {
        if (row.comment) continue;
        const std::string where = "line " + std::to_string(row.line) + ": ";
        if (recording.samples.size() >= kMaxSamples) {
            result.error = where + "more than " + std::to_string(kMaxSamples) + " samples";
            return result;
        }
        const auto index = ParseInteger(row.cells[0]);
        if (!index || *index < 0 || *index > UINT32_MAX) {
            result.error =
                where + "the sample number \"" + row.cells[0] + "\" is not a number from 0 to 4294967295";
            return result;
        }
        RecordingSample sample{static_cast<uint32_t>(*index), {}};
        // Values stop at the first empty cell: the sender sent no more for this sample.
        for (std::size_t i = 1; i < row.cells.size(); ++i) {
            if (row.cells[i].find_first_not_of(" \t") == std::string::npos) {
                for (std::size_t j = i + 1; j < row.cells.size(); ++j) {
                    if (row.cells[j].find_first_not_of(" \t") != std::string::npos) {
                        result.error = where + "a value follows an empty cell";
                        return result;
                    }
                }
                break;
            }
            const auto value = ParseInteger(row.cells[i]);
            if (!value || *value < INT32_MIN || *value > INT32_MAX) {
                result.error = where + "\"" + row.cells[i] + "\" is not a whole number";
                return result;
            }
            sample.values.push_back(static_cast<int32_t>(*value));
        }
        recording.samples.push_back(std::move(sample));
    }
    if (read == CsvRows::Read::Unclosed) {
        unclosed();
        return result;
    }
    if (read == CsvRows::Read::TooWide) {
        result.error = "line " + std::to_string(row.line) + ": more cells than the header names";
        return result;
    }
    result.recording = std::move(recording);
    return result;
}

}  // namespace tarsel::plotvane
