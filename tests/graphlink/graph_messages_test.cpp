// The graph link's byte stream: records checked byte by byte at their offsets, and the decoder
// over chunks split and merged at every point, probes and broken streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/graphlink/graph_messages.h"

namespace tarsel::graphlink {
namespace {

using Bytes = std::vector<uint8_t>;

// The four bytes at `at`, as they stand in the message.
Bytes At(const Bytes& message, std::size_t at) {
    return Bytes(message.begin() + at, message.begin() + at + 4);
}

TEST(GraphMessages, ShortCommandsAreLengthAndCommandOnly) {
    EXPECT_EQ(EncodeProbe(), (Bytes{0x00}));
    EXPECT_EQ(EncodeReset(), (Bytes{0x01, 'r'}));
    EXPECT_EQ(EncodeEnd(), (Bytes{0x01, 'A'}));
    EXPECT_EQ(EncodeClear(), (Bytes{0x01, 'c'}));
    EXPECT_EQ(EncodeMark(1, -2), (Bytes{0x09, 'M', 1, 0, 0, 0, 0xfe, 0xff, 0xff, 0xff}));
}

TEST(GraphMessages, SeriesRecordLayout) {
    const Bytes m = EncodeSeries("Reference Position [pulse]", 0x2020FF);
    ASSERT_EQ(m.size(), 182u);
    EXPECT_EQ(m[0], 181);
    EXPECT_EQ(m[1], 'S');
    const std::size_t r = 2;  // the record starts after length and command
    EXPECT_EQ(At(m, r + 0), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(std::string(m.begin() + r + 4, m.begin() + r + 4 + 26), "Reference Position [pulse]");
    EXPECT_EQ(m[r + 4 + 26], 0);
    EXPECT_EQ(m[r + 104], 0) << "the series text is empty";
    EXPECT_EQ(At(m, r + 156), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 160), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 164), (Bytes{0xff, 0x20, 0x20, 0x00}));
    EXPECT_EQ(At(m, r + 168), (Bytes{10, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 172), (Bytes{0xe8, 0x03, 0, 0}));
    EXPECT_EQ(At(m, r + 176), (Bytes{0, 0, 0, 0}));
}

TEST(GraphMessages, AxisRecordLayout) {
    const Bytes m = EncodeAxis("[sample]");
    ASSERT_EQ(m.size(), 182u);
    EXPECT_EQ(m[0], 181);
    EXPECT_EQ(m[1], 'x');
    const std::size_t r = 2;
    for (std::size_t i = 0; i < 104; ++i) ASSERT_EQ(m[r + i], 0) << "offset " << i;
    EXPECT_EQ(std::string(m.begin() + r + 104, m.begin() + r + 112), "[sample]");
    for (std::size_t i = 112; i < 156; ++i) ASSERT_EQ(m[r + i], 0) << "offset " << i;
    EXPECT_EQ(At(m, r + 156), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 160), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 164), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 168), (Bytes{10, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 172), (Bytes{0x19, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 176), (Bytes{0, 0, 0, 0}));
}

TEST(GraphMessages, LongNamesAreCutSoTheZeroFits) {
    const std::string name(100, 'n');
    const Bytes m = EncodeSeries(name, 0);
    ASSERT_EQ(m.size(), 182u);
    EXPECT_EQ(std::string(m.begin() + 6, m.begin() + 6 + 99), std::string(99, 'n'));
    EXPECT_EQ(m[6 + 99], 0) << "byte 99 of the name field is its terminating zero";
    EXPECT_EQ(m[6 + 100], 0) << "nothing runs into the text field";

    const Bytes axis = EncodeAxis(std::string(80, 'a'));
    EXPECT_EQ(std::string(axis.begin() + 106, axis.begin() + 106 + 51), std::string(51, 'a'));
    EXPECT_EQ(axis[106 + 51], 0);
    EXPECT_EQ(At(axis, 2 + 156), (Bytes{1, 0, 0, 0}));
}

TEST(GraphMessages, DataRecordLayout) {
    const std::vector<int32_t> values{-1, 2, -32768, 32767};
    const Bytes m = EncodeData(0x01020304, values);
    ASSERT_EQ(m.size(), 254u);
    EXPECT_EQ(m[0], 253);
    EXPECT_EQ(m[1], 'D');
    const std::size_t r = 2;
    EXPECT_EQ(At(m, r + 0), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 4), (Bytes{4, 3, 2, 1}));
    EXPECT_EQ(At(m, r + 8), (Bytes{4, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 12), (Bytes{0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(At(m, r + 16), (Bytes{2, 0, 0, 0}));
    EXPECT_EQ(At(m, r + 20), (Bytes{0x00, 0x80, 0xff, 0xff}));
    EXPECT_EQ(At(m, r + 24), (Bytes{0xff, 0x7f, 0, 0}));
    for (std::size_t i = r + 28; i < m.size(); ++i) ASSERT_EQ(m[i], 0) << "unused value at " << i - r;

    const Bytes empty = EncodeData(7, {});
    ASSERT_EQ(empty.size(), 254u);
    EXPECT_EQ(At(empty, r + 4), (Bytes{7, 0, 0, 0}));
    EXPECT_EQ(At(empty, r + 8), (Bytes{0, 0, 0, 0}));

    const std::vector<int32_t> many(61, 5);
    const Bytes full = EncodeData(0, many);
    ASSERT_EQ(full.size(), 254u) << "a 61st value never makes the record longer";
    EXPECT_EQ(At(full, r + 8), (Bytes{60, 0, 0, 0}));
    EXPECT_EQ(At(full, r + 248), (Bytes{5, 0, 0, 0}));
}

// A recording as the monitoring run sends it, with a probe in front.
Bytes Recording() {
    Bytes all;
    auto add = [&all](const Bytes& m) { all.insert(all.end(), m.begin(), m.end()); };
    add(EncodeProbe());
    add(EncodeReset());
    add(EncodeSeries("Torque [%%]", 0x40FF40));
    add(EncodeSeries(std::string(120, 'q'), 0x20FFFF));
    add(EncodeAxis("[sample]"));
    for (uint32_t i = 0; i < 3; ++i) {
        const std::vector<int32_t> v{static_cast<int32_t>(i) - 2, 100 * static_cast<int32_t>(i)};
        add(EncodeData(i, v));
    }
    add(EncodeMark(3, 4));
    add(EncodeEnd());
    return all;
}

void ExpectRecording(const std::vector<GraphMessage>& got) {
    ASSERT_EQ(got.size(), 10u);
    EXPECT_EQ(got[0].command, GraphCommand::Probe);
    EXPECT_EQ(got[1].command, GraphCommand::Reset);
    EXPECT_EQ(got[2].command, GraphCommand::Series);
    EXPECT_EQ(got[2].name, "Torque [%%]");
    EXPECT_EQ(got[2].colorref, 0x40FF40u);
    EXPECT_EQ(got[3].name, std::string(99, 'q'));
    EXPECT_EQ(got[4].command, GraphCommand::Axis);
    EXPECT_EQ(got[4].text, "[sample]");
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(got[5 + i].command, GraphCommand::Data);
        EXPECT_EQ(got[5 + i].index, i);
        EXPECT_EQ(got[5 + i].values,
                  (std::vector<int32_t>{static_cast<int32_t>(i) - 2, 100 * static_cast<int32_t>(i)}));
    }
    EXPECT_EQ(got[8].command, GraphCommand::Mark);
    EXPECT_EQ(got[8].values, (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(got[9].command, GraphCommand::End);
}

TEST(GraphStreamDecoder, SameMessagesWhateverTheChunks) {
    const Bytes all = Recording();
    for (std::size_t chunk :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{181}, std::size_t{255}, all.size()}) {
        SCOPED_TRACE("chunk " + std::to_string(chunk));
        CGraphStreamDecoder decoder;
        std::vector<GraphMessage> got;
        for (std::size_t at = 0; at < all.size(); at += chunk) {
            const std::size_t n = std::min(chunk, all.size() - at);
            ASSERT_TRUE(decoder.Feed(std::span<const uint8_t>(all).subspan(at, n), got));
        }
        EXPECT_EQ(decoder.Pending(), 0u);
        ExpectRecording(got);
    }
    // Every single split point of one stream.
    for (std::size_t split = 0; split <= all.size(); ++split) {
        CGraphStreamDecoder decoder;
        std::vector<GraphMessage> got;
        ASSERT_TRUE(decoder.Feed(std::span<const uint8_t>(all).first(split), got));
        ASSERT_TRUE(decoder.Feed(std::span<const uint8_t>(all).subspan(split), got));
        ASSERT_EQ(got.size(), 10u) << "split at " << split;
    }
}

TEST(GraphStreamDecoder, IncompleteMessageWaits) {
    CGraphStreamDecoder decoder;
    std::vector<GraphMessage> got;
    const Bytes series = EncodeSeries("a", 1);
    ASSERT_TRUE(decoder.Feed(std::span<const uint8_t>(series).first(100), got));
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(decoder.Pending(), 100u);
}

TEST(GraphStreamDecoder, StreamEndingInsideAMessageIsReported) {
    const Bytes data = EncodeData(3, std::vector<int32_t>{1, 2});
    struct Case {
        const char* what;
        Bytes bytes;
        const char* errorPart;
    };
    const std::vector<Case> cases{
        {"only the length byte", {0xfd}, "after 1 of the 254 bytes"},
        {"data record cut short", Bytes(data.begin(), data.begin() + 40), "after 40 of the 254 bytes"},
        {"all but the last byte", Bytes(data.begin(), data.end() - 1), "after 253 of the 254 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CGraphStreamDecoder decoder;
        std::vector<GraphMessage> got;
        ASSERT_TRUE(decoder.Feed(EncodeReset(), got));
        ASSERT_TRUE(decoder.Feed(c.bytes, got));
        EXPECT_EQ(got.size(), 1u);
        EXPECT_FALSE(decoder.Finish());
        EXPECT_NE(decoder.Error().find(c.errorPart), std::string::npos) << decoder.Error();
        EXPECT_EQ(decoder.Pending(), 0u) << "the broken message is let go";
    }
    CGraphStreamDecoder clean;
    std::vector<GraphMessage> got;
    ASSERT_TRUE(clean.Feed(data, got));
    EXPECT_TRUE(clean.Finish()) << "a stream ending between messages is complete";
    EXPECT_TRUE(clean.Error().empty());
}

TEST(GraphStreamDecoder, BrokenStreamsAreRefusedForGood) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::size_t goodBefore;
    };
    Bytes dataTooMany = EncodeData(0, {});
    dataTooMany[2 + 8] = 61;
    Bytes dataHuge = EncodeData(0, {});
    dataHuge[2 + 11] = 0x80;
    Bytes dataAllOnes = EncodeData(0, {});
    for (std::size_t i = 0; i < 4; ++i) dataAllOnes[2 + 8 + i] = 0xff;
    const std::vector<Case> cases{
        {"unknown command", {0x01, 'z'}, 0},
        {"length of a series on a reset", {0xb5, 'r'}, 0},
        {"short series", {0x05, 'S', 0, 0, 0, 0}, 0},
        {"length 255 on data", {0xff, 'D'}, 0},
        {"value count above 60", dataTooMany, 0},
        {"negative value count", dataHuge, 0},
        {"value count 0xffffffff", dataAllOnes, 0},
        {"garbage after a good reset", {0x01, 'r', 0x7f, 0x7f, 0x7f}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CGraphStreamDecoder decoder;
        std::vector<GraphMessage> got;
        EXPECT_FALSE(decoder.Feed(c.bytes, got));
        EXPECT_TRUE(decoder.Malformed());
        EXPECT_FALSE(decoder.Error().empty());
        EXPECT_EQ(got.size(), c.goodBefore);
        const Bytes reset = EncodeReset();
        EXPECT_FALSE(decoder.Feed(reset, got)) << "nothing after the break is trusted";
        EXPECT_EQ(got.size(), c.goodBefore);
        EXPECT_FALSE(decoder.Finish()) << "a broken stream never ends well";
    }
}

TEST(GraphStreamDecoder, NamesWithoutTheirZeroStayInTheirField) {
    Bytes m = EncodeSeries("", 0x123456);
    for (std::size_t i = 0; i < 100; ++i) m[6 + i] = 'x';
    for (std::size_t i = 0; i < 52; ++i) m[106 + i] = 'y';
    CGraphStreamDecoder decoder;
    std::vector<GraphMessage> got;
    ASSERT_TRUE(decoder.Feed(m, got));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name, std::string(100, 'x'));
    EXPECT_EQ(got[0].text, std::string(52, 'y'));
    EXPECT_EQ(got[0].colorref, 0x123456u);
}

}  // namespace
}  // namespace tarsel::graphlink
