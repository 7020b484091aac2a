#include "tools/framebench/frame_composer.h"

#include <gtest/gtest.h>

#include "tools/framebench/answer_decoder.h"

namespace tarsel::framebench {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(FrameComposer, ComposesTheAxisStatusRequestByButtons) {
    FrameComposer c;
    ASSERT_EQ(c.AppendHeader(), AppendResult::Ok);
    ASSERT_EQ(c.AppendSlave("1"), AppendResult::Ok);
    ASSERT_EQ(c.AppendData("0xF1", 1), AppendResult::Ok);
    ASSERT_EQ(c.AppendData("64", 1), AppendResult::Ok);
    ASSERT_EQ(c.AppendCrc(), AppendResult::Ok);
    ASSERT_EQ(c.AppendTail(), AppendResult::Ok);
    EXPECT_EQ(c.TransmitCopy(), (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x64, 0x60, 0xAA, 0xEE}));
    EXPECT_EQ(c.TransmitText(), "[0xAA] [0xCC] [0x01] [0xF1] [0x40] [0x64] [0x60] [0xAA] [0xEE] ");
}

TEST(FrameComposer, DoublesAnAaInsideTheFrameOnly) {
    FrameComposer c;
    c.AppendHeader();
    c.AppendSlave("1");
    c.AppendData("0xF2", 1);
    c.AppendData("0x12", 1);
    c.AppendData("3", 1);
    c.AppendData("170", 4);
    c.AppendCrc();
    c.AppendTail();
    EXPECT_EQ(c.Bytes().size(), 14u);
    EXPECT_EQ(c.TransmitCopy(), (Bytes{0xAA, 0xCC, 0x01, 0xF2, 0x12, 0x03, 0xAA, 0xAA, 0x00, 0x00, 0x00, 0x34,
                                       0xA2, 0xAA, 0xEE}));
    // A lone 0xAA at the end is doubled too; one that precedes 0xCC or 0xEE is not.
    FrameComposer d;
    d.AppendData("0xAA", 1);
    EXPECT_EQ(d.TransmitText(), "[0xAA] [0xAA] ");
    d.AppendData("0xCC", 1);
    EXPECT_EQ(d.TransmitCopy(), (Bytes{0xAA, 0xCC}));
}

TEST(FrameComposer, ValueEntryRulesAndRanges) {
    FrameComposer c;
    EXPECT_EQ(c.AppendData("", 1), AppendResult::NoData);
    EXPECT_EQ(c.AppendData("12a", 1), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendData("12a", 4), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendData("0x", 1), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendData("0x-1", 1), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendData(" 1", 1), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendData("256", 1), AppendResult::OutOfRange);
    EXPECT_EQ(c.AppendData("-129", 1), AppendResult::OutOfRange);
    EXPECT_EQ(c.AppendData("65536", 2), AppendResult::OutOfRange);
    EXPECT_EQ(c.AppendData("-32769", 2), AppendResult::OutOfRange);
    EXPECT_EQ(c.AppendData("0x100000000", 4), AppendResult::OutOfRange);
    EXPECT_EQ(c.AppendData("9999999999999999999", 4), AppendResult::OutOfRange);
    EXPECT_TRUE(c.Bytes().empty());

    EXPECT_EQ(c.AppendData("-1", 1), AppendResult::Ok);
    EXPECT_EQ(c.AppendData("0X1234", 2), AppendResult::Ok);
    EXPECT_EQ(c.AppendData("-2", 4), AppendResult::Ok);
    EXPECT_EQ(c.AppendData("0xFFFFFFFF", 4), AppendResult::Ok);
    EXPECT_EQ(c.Bytes(), (Bytes{0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    // Only the first 19 characters count: the twentieth is not read.
    FrameComposer d;
    EXPECT_EQ(d.AppendData("0000000000000000001x", 1), AppendResult::Ok);
    EXPECT_EQ(d.Bytes(), (Bytes{0x01}));
}

TEST(FrameComposer, CrcNeedsTwoBytesAndSkipsTheFirstTwo) {
    FrameComposer c;
    EXPECT_EQ(c.AppendCrc(), AppendResult::NoCrcData);
    c.AppendData("1", 1);
    EXPECT_EQ(c.AppendCrc(), AppendResult::NoCrcData);
    // Header, slave 1, data 0 in one byte: the CRC covers exactly 01 00.
    FrameComposer d;
    d.AppendHeader();
    d.AppendSlave("1");
    d.AppendData("0", 1);
    d.AppendCrc();
    const Bytes body{0x01, 0x00};
    const uint16_t crc = CalcCRC(body.data(), body.size());
    EXPECT_EQ(d.Bytes(),
              (Bytes{0xAA, 0xCC, 0x01, 0x00, static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8)}));
}

TEST(FrameComposer, HexLineAppendsAllOrNothing) {
    FrameComposer c;
    EXPECT_EQ(c.AppendHex("AA CC 01 F1 40 64 60 AA EE"), AppendResult::Ok);
    EXPECT_EQ(c.TransmitCopy(), (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x64, 0x60, 0xAA, 0xEE}));
    c.Clear();
    EXPECT_EQ(c.AppendHex("0xaa,0xcc 01F140"), AppendResult::Ok);
    EXPECT_EQ(c.Bytes(), (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40}));
    EXPECT_EQ(c.AppendHex("01 2G"), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendHex("ABC"), AppendResult::ConvertFailed);
    EXPECT_EQ(c.AppendHex("   "), AppendResult::NoData);
    EXPECT_EQ(c.Bytes().size(), 5u);
}

TEST(FrameComposer, NeverHoldsMoreThanTheSendBuffer) {
    FrameComposer c;
    for (std::size_t i = 0; i < kSendCapacity / 4; ++i)
        ASSERT_EQ(c.AppendData("0xAAAAAAAA", 4), AppendResult::Ok);
    EXPECT_EQ(c.Bytes().size(), kSendCapacity);
    EXPECT_EQ(c.AppendData("1", 1), AppendResult::BufferFull);
    EXPECT_EQ(c.AppendHeader(), AppendResult::BufferFull);
    EXPECT_EQ(c.AppendCrc(), AppendResult::BufferFull);
    EXPECT_EQ(c.Bytes().size(), kSendCapacity);
    EXPECT_EQ(c.TransmitCopy().size(), 2 * kSendCapacity);
    // A frame that does not fit as a whole is refused whole.
    FrameComposer d;
    for (std::size_t i = 0; i < kSendCapacity - 1; ++i) d.AppendData("0", 1);
    EXPECT_EQ(d.AppendData("0", 2), AppendResult::BufferFull);
    EXPECT_EQ(d.AppendHex("01 02"), AppendResult::BufferFull);
    EXPECT_EQ(d.Bytes().size(), kSendCapacity - 1);
}

TEST(AnswerDecoder, ValuesOfACell) {
    const Bytes shown{0x41, 0xFF, 0x00, 0x80, 0xFE};
    CellValues v = ValuesAt(shown, 0);
    EXPECT_EQ(v.byteValue, "65");
    EXPECT_EQ(v.charValue, "65(A)");
    EXPECT_EQ(v.wordValue, "65345");
    EXPECT_EQ(v.shortValue, "-191");
    EXPECT_EQ(v.dwordValue, "2147548993");
    EXPECT_EQ(v.longValue, "-2147418303");
    v = ValuesAt(shown, 4);  // cells beyond the received bytes count as 0
    EXPECT_EQ(v.charValue, "-2");
    EXPECT_EQ(v.wordValue, "254");
    EXPECT_EQ(v.longValue, "254");
    // Cell 88 is the last one shown: 89 and beyond are 0 even when bytes were received.
    Bytes many(100, 0x01);
    EXPECT_EQ(ValuesAt(many, 88).dwordValue, "1");
    EXPECT_EQ(ValuesAt(many, 87).wordValue, "257");
}

TEST(AnswerDecoder, TakesTheAnswerApart) {
    const Bytes request{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x64, 0x60, 0xAA, 0xEE};
    DecodedAnswer a = DecodeAnswer(
        {0x12, 0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x00, 0x00, 0x00, 0x08, 0x00, 0x68, 0x08, 0xAA, 0xEE}, request);
    ASSERT_EQ(a.kind, DecodedAnswer::Kind::Frame);
    EXPECT_EQ(a.form, FrameForm::Sequenced);
    EXPECT_TRUE(a.crcGood);
    EXPECT_EQ(a.strayBytes, 1u);
    EXPECT_EQ(a.slave, 1);
    EXPECT_EQ(a.sync, 0xF1);
    EXPECT_EQ(a.frameType, 0x40);
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.data, (Bytes{0x00, 0x00, 0x08, 0x00}));

    // Status-only answer with a wrong CRC.
    a = DecodeAnswer({0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x80, 0x60, 0x4C, 0xAA, 0xEE}, request);
    ASSERT_EQ(a.kind, DecodedAnswer::Kind::Frame);
    EXPECT_FALSE(a.crcGood);
    EXPECT_EQ(a.status, 0x80);
    EXPECT_TRUE(a.data.empty());

    // Legacy answer to a legacy request, with a doubled 0xAA in its data.
    const Bytes legacyRequest{0xAA, 0xCC, 0x01, 0x40, 0x01, 0xD0, 0xAA, 0xEE};
    Bytes body{0x01, 0x40, 0x00, 0xAA, 0x00, 0x00, 0x00};
    const uint16_t crc = CalcCRC(body.data(), body.size());
    a = DecodeAnswer({0xAA, 0xCC, 0x01, 0x40, 0x00, 0xAA, 0xAA, 0x00, 0x00, 0x00, static_cast<uint8_t>(crc),
                      static_cast<uint8_t>(crc >> 8), 0xAA, 0xEE},
                     legacyRequest);
    ASSERT_EQ(a.kind, DecodedAnswer::Kind::Frame);
    EXPECT_EQ(a.form, FrameForm::Legacy);
    EXPECT_TRUE(a.crcGood);
    EXPECT_EQ(a.data, (Bytes{0xAA, 0x00, 0x00, 0x00}));

    EXPECT_EQ(DecodeAnswer({0x01, 0x02}, request).kind, DecodedAnswer::Kind::NoHeader);
    EXPECT_EQ(DecodeAnswer({0xAA, 0xCC, 0x01, 0xF1}, request).kind, DecodedAnswer::Kind::Incomplete);
    EXPECT_EQ(DecodeAnswer({0xAA, 0xCC, 0x01, 0xAA, 0xEE}, request).kind, DecodedAnswer::Kind::TooShort);
    // A header inside a frame starts it again.
    a = DecodeAnswer({0xAA, 0xCC, 0x09, 0x09, 0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x80, 0x60, 0x4B, 0xAA, 0xEE},
                     request);
    ASSERT_EQ(a.kind, DecodedAnswer::Kind::Frame);
    EXPECT_TRUE(a.crcGood);
    EXPECT_EQ(a.slave, 1);
}

}  // namespace
}  // namespace tarsel::framebench
