#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame.h"

namespace tarsel {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Request(FrameForm form, uint8_t slave, uint8_t sync, uint8_t type, const Bytes& data = {}) {
    uint8_t body[kBodyBufferSize];
    const std::size_t bodyLength = BuildRequestBody(form, slave, sync, type, data.data(), data.size(), body);
    uint8_t wire[kWireBufferSize];
    const std::size_t wireLength = StuffFrame(body, bodyLength, wire);
    return Bytes(wire, wire + wireLength);
}

Bytes Response(uint8_t slave, uint8_t sync, uint8_t type, uint8_t status, const Bytes& data = {}) {
    uint8_t body[kBodyBufferSize];
    const std::size_t bodyLength =
        BuildResponseBody(FrameForm::Sequenced, slave, sync, type, status, data.data(), data.size(), body);
    uint8_t wire[kWireBufferSize];
    return Bytes(wire, wire + StuffFrame(body, bodyLength, wire));
}

TEST(Crc, CheckValueOfTheStandardText) {
    const std::string text = "123456789";
    EXPECT_EQ(CalcCRC(reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0x4B37);
}

TEST(FrameBuilding, WorkedExamplesAreExactOnTheWire) {
    EXPECT_EQ(Request(FrameForm::Sequenced, 1, 0xF1, 0x40),
              (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x64, 0x60, 0xAA, 0xEE}));
    EXPECT_EQ(Response(1, 0xF1, 0x40, 0x00, {0x00, 0x00, 0x08, 0x00}),
              (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x00, 0x00, 0x00, 0x08, 0x00, 0x68, 0x08, 0xAA, 0xEE}));
    EXPECT_EQ(Response(1, 0xF1, 0x40, 0x80),
              (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x80, 0x60, 0x4B, 0xAA, 0xEE}));
    EXPECT_EQ(
        Request(FrameForm::Sequenced, 1, 0xF2, 0x12, {0x03, 0xAA, 0x00, 0x00, 0x00}),
        (Bytes{0xAA, 0xCC, 0x01, 0xF2, 0x12, 0x03, 0xAA, 0xAA, 0x00, 0x00, 0x00, 0x34, 0xA2, 0xAA, 0xEE}));
    EXPECT_EQ(Request(FrameForm::Legacy, 1, 0, 0x40),
              (Bytes{0xAA, 0xCC, 0x01, 0x40, 0x01, 0xD0, 0xAA, 0xEE}));
}

TEST(FrameBuilding, RefusesBodiesThatDoNotFit) {
    uint8_t body[kBodyBufferSize];
    Bytes data(252, 0);
    EXPECT_EQ(BuildRequestBody(FrameForm::Sequenced, 1, 0, 1, data.data(), 251, body), 256u);
    EXPECT_EQ(BuildRequestBody(FrameForm::Sequenced, 1, 0, 1, data.data(), 252, body), 0u);
    // A body of 0xAA only needs twice the room: the wire buffer refuses rather than overflows.
    Bytes all(300, 0xAA);
    uint8_t wire[kWireBufferSize];
    EXPECT_EQ(StuffFrame(all.data(), 255, wire), 0u);
    EXPECT_EQ(StuffFrame(all.data(), 254, wire), 512u);
}

struct Fed {
    std::vector<FrameReceiver::Event> events;
    Bytes frame;
};

Fed FeedAll(FrameReceiver& receiver, const Bytes& bytes) {
    Fed fed;
    for (uint8_t b : bytes) {
        const auto event = receiver.Feed(b);
        if (event == FrameReceiver::Event::None) continue;
        fed.events.push_back(event);
        if (event == FrameReceiver::Event::Complete)
            fed.frame.assign(receiver.Data(), receiver.Data() + receiver.EventCount());
    }
    return fed;
}

TEST(FrameReceiver, UnstuffsAndChecksCrcIncludingEscapedCrcBytes) {
    // Find a status-only answer whose CRC contains 0xAA, so the receiver must unstuff it.
    for (unsigned sync = 0; sync < 256; ++sync) {
        uint8_t body[kBodyBufferSize];
        const std::size_t n =
            BuildResponseBody(FrameForm::Sequenced, 3, static_cast<uint8_t>(sync), 0x40, 0, nullptr, 0, body);
        if (body[n - 1] != 0xAA && body[n - 2] != 0xAA) continue;
        uint8_t wire[kWireBufferSize];
        const Bytes bytes(wire, wire + StuffFrame(body, n, wire));
        FrameReceiver receiver;
        const Fed fed = FeedAll(receiver, bytes);
        ASSERT_EQ(fed.events, std::vector<FrameReceiver::Event>{FrameReceiver::Event::Complete});
        EXPECT_EQ(fed.frame, Bytes(body, body + n));
        return;
    }
    FAIL() << "no sync number gives a CRC with 0xAA";
}

TEST(FrameReceiver, HeaderInsideAFrameRestartsItAndStrayBytesAreReported) {
    FrameReceiver receiver;
    Bytes good = Response(1, 0xF1, 0x40, 0x00);
    Bytes bytes{0x11, 0x22, 0xAA, 0xCC, 0x05, 0x06};  // stray bytes, then a frame that is cut off
    bytes.insert(bytes.end(), good.begin(), good.end());
    const Fed fed = FeedAll(receiver, bytes);
    EXPECT_EQ(fed.events, (std::vector<FrameReceiver::Event>{FrameReceiver::Event::UnknownBytes,
                                                             FrameReceiver::Event::DataCanceled,
                                                             FrameReceiver::Event::Complete}));
    ASSERT_EQ(fed.frame.size(), 6u);
    EXPECT_EQ(Bytes(fed.frame.begin(), fed.frame.begin() + 4), (Bytes{0x01, 0xF1, 0x40, 0x00}));
}

TEST(FrameReceiver, UnknownPairDropsTheByteAndKeepsWaitingForTheSecond) {
    FrameReceiver receiver;
    Bytes wire = Response(1, 0xF1, 0x40, 0x00);
    // Insert AA 55 before the tail's AA EE: 0x55 is dropped, then EE completes the tail.
    Bytes bytes(wire.begin(), wire.end() - 2);
    bytes.insert(bytes.end(), {0xAA, 0x55, 0xEE});
    const Fed fed = FeedAll(receiver, bytes);
    EXPECT_EQ(fed.events, std::vector<FrameReceiver::Event>{FrameReceiver::Event::Complete});
}

TEST(FrameReceiver, OverflowAtThe257thByteWithoutWritingPastTheBuffer) {
    FrameReceiver receiver;
    Bytes bytes{0xAA, 0xCC};
    bytes.insert(bytes.end(), 256, 0x01);
    Fed fed = FeedAll(receiver, bytes);
    EXPECT_TRUE(fed.events.empty());
    EXPECT_EQ(receiver.Feed(0x01), FrameReceiver::Event::Overflow);

    // Stray bytes filling the buffer followed by a failed header pair never write beyond it.
    FrameReceiver stray;
    for (int i = 0; i < 255; ++i) stray.Feed(0x01);
    EXPECT_EQ(stray.Feed(0xAA), FrameReceiver::Event::None);
    EXPECT_EQ(stray.Feed(0x02), FrameReceiver::Event::HeaderFailed);
    EXPECT_EQ(stray.EventCount(), 256u);
}

TEST(FrameReceiver, DoubledEscapeOutsideAFrameStillFindsTheHeader) {
    const Bytes answer = Response(1, 0xF1, 0x40, 0x00);
    for (const Bytes& stray : {Bytes{0xAA}, Bytes{0xAA, 0xAA, 0xAA}, Bytes{0x12, 0xAA}}) {
        FrameReceiver receiver;
        Bytes wire = stray;
        wire.insert(wire.end(), answer.begin(), answer.end());
        const Fed fed = FeedAll(receiver, wire);
        EXPECT_EQ(fed.events, (std::vector<FrameReceiver::Event>{FrameReceiver::Event::UnknownBytes,
                                                                 FrameReceiver::Event::Complete}));
        ASSERT_EQ(fed.frame.size(), 6u);
        EXPECT_EQ(Bytes(fed.frame.begin(), fed.frame.begin() + 4), (Bytes{0x01, 0xF1, 0x40, 0x00}));
    }
    // Inside a frame the pairing rule is unchanged: AA AA is one data byte.
    FrameReceiver receiver;
    const Bytes withEscape = Response(1, 0xF1, 0x40, 0xAA);
    EXPECT_EQ(FeedAll(receiver, withEscape).frame[3], 0xAA);
}

TEST(FrameReceiver, BadCrcIsReported) {
    FrameReceiver receiver;
    Bytes wire = Response(1, 0xF1, 0x40, 0x00);
    wire[5] ^= 0x01;
    EXPECT_EQ(FeedAll(receiver, wire).events,
              std::vector<FrameReceiver::Event>{FrameReceiver::Event::CrcFailed});
}

TEST(SyncCounters, AddressedWrapAndSlavesAbove15) {
    SyncCounters counters;
    EXPECT_EQ(counters.Next(1), 0xF1);
    EXPECT_EQ(counters.Next(1), 0xF2);
    counters.Set(2, 0xFF);
    EXPECT_EQ(counters.Next(2), 0x00);
    EXPECT_EQ(counters.Next(16), 0);
    EXPECT_EQ(counters.Get(16), SyncCounters::kInitial);
}

TEST(SyncCounters, BroadcastMakesOnePassAndSetsAllCounters) {
    SyncCounters a;
    for (uint8_t s = 0; s < 16; ++s) a.Set(s, 0xF1);
    a.Set(0, 0xF3);
    a.Set(1, 0xF4);
    EXPECT_EQ(a.Next(kBroadcastSlave), 0xF5);
    for (uint8_t s = 0; s < 16; ++s) EXPECT_EQ(a.Get(s), 0xF5);

    SyncCounters b;
    for (uint8_t s = 0; s < 16; ++s) b.Set(s, 0x10);
    b.Set(0, 0xF5);
    b.Set(3, 0xF7);  // equals the final candidate but is passed before it is reached
    b.Set(15, 0xF6);
    EXPECT_EQ(b.Next(kBroadcastSlave), 0xF7);
}

}  // namespace
}  // namespace tarsel
