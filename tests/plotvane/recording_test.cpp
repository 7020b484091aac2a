// Recordings of the graph program: assembled from a run's messages, written as CSV and read back,
// and the files that are refused.
#include <gtest/gtest.h>

#include "gui/plotvane/recording.h"

namespace tarsel::plotvane {
namespace {

using graphlink::GraphCommand;
using graphlink::GraphMessage;

GraphMessage Msg(GraphCommand command) {
    GraphMessage m;
    m.command = command;
    return m;
}

GraphMessage Series(const std::string& name, uint32_t color) {
    GraphMessage m = Msg(GraphCommand::Series);
    m.name = name;
    m.colorref = color;
    return m;
}

GraphMessage Data(uint32_t index, std::vector<int32_t> values) {
    GraphMessage m = Msg(GraphCommand::Data);
    m.index = index;
    m.values = std::move(values);
    return m;
}

using Change = CRecordingAssembler::Change;

TEST(RecordingAssembler, FollowsRunsAndIgnoresWhatComesBeforeTheFirstReset) {
    CRecordingAssembler a;
    EXPECT_EQ(a.Apply(Series("early", 1)), Change::None);
    EXPECT_EQ(a.Apply(Data(0, {1})), Change::None);
    EXPECT_EQ(a.Current(), nullptr);

    EXPECT_EQ(a.Apply(Msg(GraphCommand::Probe)), Change::None);
    EXPECT_EQ(a.Apply(Msg(GraphCommand::Reset)), Change::Started);
    EXPECT_EQ(a.Apply(Series("A [rpm]", 0x2020FF)), Change::Configured);
    GraphMessage axis = Msg(GraphCommand::Axis);
    axis.text = "[sample]";
    EXPECT_EQ(a.Apply(axis), Change::Configured);
    EXPECT_EQ(a.Apply(Data(0, {5, 6, 7})), Change::Sampled) << "values beyond the series are left out";
    EXPECT_EQ(a.Apply(Msg(GraphCommand::Clear)), Change::None);
    EXPECT_EQ(a.Apply(Msg(GraphCommand::End)), Change::Completed);
    ASSERT_NE(a.Current(), nullptr);
    EXPECT_TRUE(a.Current()->complete);
    EXPECT_EQ(a.Current()->axisLabel, "[sample]");
    ASSERT_EQ(a.Current()->samples.size(), 1u);
    EXPECT_EQ(a.Current()->samples[0].values, (std::vector<int32_t>{5}));

    EXPECT_EQ(a.Apply(Msg(GraphCommand::Reset)), Change::Started);
    EXPECT_TRUE(a.Current()->series.empty()) << "a new reset starts from nothing";
    const auto taken = a.Take();
    ASSERT_TRUE(taken);
    EXPECT_EQ(a.Current(), nullptr);
}

Recording Sample() {
    Recording r;
    r.axisLabel = "[sample]";
    r.series = {{"Reference Position [pulse]", 0x2020FF},
                {"Torque [%%]", 0x4484FF},
                {"odd, \"quoted\" name", 0x40FF40}};
    r.samples = {{0, {0, -32768, 2147483647}}, {1, {10, 5, -2147483647 - 1}}, {4294967295u, {-1}}, {7, {}}};
    r.complete = true;
    return r;
}

TEST(RecordingCsv, RoundTripKeepsNamesColoursAndValues) {
    const Recording r = Sample();
    const std::string csv = RecordingToCsv(r);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "# Plotvane colors: #FF2020;#FF8444;#40FF40");
    const auto back = RecordingFromCsv(csv);
    ASSERT_TRUE(back.recording) << back.error;
    EXPECT_EQ(back.recording->axisLabel, r.axisLabel);
    ASSERT_EQ(back.recording->series.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.recording->series[i].name, r.series[i].name);
        EXPECT_EQ(back.recording->series[i].colorref, r.series[i].colorref);
    }
    ASSERT_EQ(back.recording->samples.size(), r.samples.size());
    for (std::size_t i = 0; i < r.samples.size(); ++i) {
        EXPECT_EQ(back.recording->samples[i].index, r.samples[i].index);
        EXPECT_EQ(back.recording->samples[i].values, r.samples[i].values);
    }
    EXPECT_EQ(RecordingToCsv(*back.recording), csv) << "saving again writes the same file";
}

TEST(RecordingCsv, ReadsFilesFromOtherProgramsToo) {
    // No colour line, CRLF line ends, blank lines, spaces around numbers, a '#' label quoted.
    const auto r = RecordingFromCsv("\"#n\",a,b\r\n\r\n0, 1 ,+2\r\n1,-3,\r\n# a note\n");
    ASSERT_TRUE(r.recording) << r.error;
    EXPECT_EQ(r.recording->axisLabel, "#n");
    ASSERT_EQ(r.recording->series.size(), 2u);
    EXPECT_EQ(r.recording->series[0].colorref, DefaultColor(0));
    EXPECT_EQ(r.recording->series[1].colorref, DefaultColor(1));
    ASSERT_EQ(r.recording->samples.size(), 2u);
    EXPECT_EQ(r.recording->samples[0].values, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(r.recording->samples[1].values, (std::vector<int32_t>{-3}));
}

TEST(RecordingCsv, RefusesWhatIsNotARecording) {
    struct Case {
        const char* text;
        const char* errorPart;
    };
    const Case cases[] = {
        {"", "no header"},
        {"# Plotvane colors: #FF0000\n", "no header"},
        {"sample\n0\n", "names no series"},
        {"s,a\nx,1\n", "line 2"},
        {"s,a\n-1,1\n", "sample number"},
        {"s,a\n4294967296,1\n", "sample number"},
        {"s,a\n0,1.5\n", "whole number"},
        {"s,a\n0,2147483648\n", "whole number"},
        {"s,a\n0,1,2\n", "more cells"},
        {"s,a,b\n0,,2\n", "follows an empty"},
        {"s,a\n0,\"1\n", "not closed"},
        {"s,a\n0,nan\n", "whole number"},
        {"s,a\n0,inf\n", "whole number"},
        {"s,a\n0,-inf\n", "whole number"},
        {"s,a\n0,1e3\n", "whole number"},
        {"s,a\n0,99999999999999999999999999\n", "whole number"},
        {"s,a\n0x10,1\n", "sample number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto r = RecordingFromCsv(c.text);
        EXPECT_FALSE(r.recording);
        EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
    }
}

TEST(RecordingCsv, HeaderOnlyIsAnEmptyRecording) {
    const auto r = RecordingFromCsv("# Plotvane colors: #010203\r\n[sample],Position\r\n");
    ASSERT_TRUE(r.recording) << r.error;
    ASSERT_EQ(r.recording->series.size(), 1u);
    EXPECT_EQ(r.recording->series[0].name, "Position");
    EXPECT_EQ(r.recording->series[0].colorref, 0x030201u);
    EXPECT_TRUE(r.recording->samples.empty());
}

TEST(RecordingCsv, CommentsKeepTheirCommasAndQuotes) {
    // A note with commas and quotes before the colour line: neither is split into cells.
    const auto r = RecordingFromCsv("# a, \"b,c\" d\n# Plotvane colors: #FF0000;#00FF00\ns,a,b\n0,1,2\n");
    ASSERT_TRUE(r.recording) << r.error;
    ASSERT_EQ(r.recording->series.size(), 2u);
    EXPECT_EQ(r.recording->series[0].colorref, 0x0000FFu);
    EXPECT_EQ(r.recording->series[1].colorref, 0x00FF00u);
}

TEST(RecordingCsv, WideLinesAreReadUpToTheLimitAndNoFurther) {
    std::string header = "s";
    std::string row = "0";
    for (std::size_t i = 0; i < kMaxSeries; ++i) {
        header += ",c" + std::to_string(i);
        row += "," + std::to_string(i);
    }
    const auto widest = RecordingFromCsv(header + "\n" + row + "\n");
    ASSERT_TRUE(widest.recording) << widest.error;
    ASSERT_EQ(widest.recording->series.size(), kMaxSeries);
    ASSERT_EQ(widest.recording->samples.size(), 1u);
    EXPECT_EQ(widest.recording->samples[0].values.back(), static_cast<int32_t>(kMaxSeries - 1));

    const auto wider = RecordingFromCsv(header + ",one more\n");
    EXPECT_FALSE(wider.recording);
    EXPECT_NE(wider.error.find("line 1: the header names more than 1024 series"), std::string::npos)
        << wider.error;

    // Ten million commas under a two-column header are refused at the third cell.
    const auto commas = RecordingFromCsv("s,a\n0,1" + std::string(10'000'000, ',') + "\n");
    EXPECT_FALSE(commas.recording);
    EXPECT_NE(commas.error.find("line 2: more cells"), std::string::npos) << commas.error;
}

TEST(RecordingAssembler, SeriesBeyondTheLimitAreLeftOut) {
    CRecordingAssembler a;
    a.Apply(Msg(GraphCommand::Reset));
    for (std::size_t i = 0; i < kMaxSeries; ++i) ASSERT_EQ(a.Apply(Series("s", 1)), Change::Configured);
    EXPECT_EQ(a.Apply(Series("s", 1)), Change::None);
    ASSERT_EQ(a.Current()->series.size(), kMaxSeries);
    EXPECT_TRUE(RecordingFromCsv(RecordingToCsv(*a.Current())).recording) << "what is kept saves and reopens";
}

TEST(Recording, NearestSampleFollowsTheIndexNotThePosition) {
    Recording r;
    r.samples = {{0, {}}, {10, {}}, {20, {}}};
    EXPECT_EQ(r.NearestSample(-5), 0u);
    EXPECT_EQ(r.NearestSample(14), 1u);
    EXPECT_EQ(r.NearestSample(16), 2u);
    EXPECT_EQ(r.NearestSample(1e9), 2u);
    EXPECT_FALSE(Recording{}.NearestSample(0));
}

}  // namespace
}  // namespace tarsel::plotvane
