// The frame bench's logic over a scripted port: connection, send and drain rules, and the limits
// of both buffers.
#include <gtest/gtest.h>

#include <deque>

#include "recording_ui.h"
#include "tools/common/text_format.h"
#include "tools/framebench/frame_bench_controller.h"

namespace tarsel::framebench {
namespace {

using testing::RecordingUi;

class FakePort : public RawPort {
public:
    bool Open(unsigned port, uint32_t baud) override {
        openedPort = port;
        openedBaud = baud;
        return openSucceeds;
    }
    std::string OpenErrorText() const override { return "busy"; }
    void Close() override { closed = true; }
    bool Write(const uint8_t* data, std::size_t length) override {
        written.assign(data, data + length);
        return writeSucceeds;
    }
    bool ReadOne(uint8_t& byte) override {
        if (incoming.empty()) return false;
        byte = incoming.front();
        incoming.pop_front();
        return true;
    }

    bool openSucceeds = true;
    bool writeSucceeds = true;
    bool closed = false;
    unsigned openedPort = 0;
    uint32_t openedBaud = 0;
    std::vector<uint8_t> written;
    std::deque<uint8_t> incoming;
};

struct BenchTest : ::testing::Test {
    FakePort port;
    RecordingUi ui;
    FrameBenchController c{port, ui};
};

TEST_F(BenchTest, ConnectAndDisconnect) {
    EXPECT_EQ(c.ConnectCaption(), "CONNECT");
    c.PressConnect("12a", "115200");
    EXPECT_EQ(ui.LastText(), "connection failed.");
    port.openSucceeds = false;
    c.PressConnect("300", "115200");
    EXPECT_EQ(ui.LastText(), "connection failed.");
    EXPECT_EQ(ui.boxes.back().detail, "busy");

    port.openSucceeds = true;
    c.AppendHeader();
    c.PressConnect("300", "9600");
    EXPECT_EQ(port.openedPort, 300u);
    EXPECT_EQ(port.openedBaud, 9600u);
    EXPECT_TRUE(c.IsConnected());
    EXPECT_EQ(c.ConnectCaption(), "Disconnect");
    EXPECT_TRUE(c.Composer().Bytes().empty());  // connecting empties the send buffer
    EXPECT_FALSE(c.IsSendEnabled());
    c.AppendHeader();
    EXPECT_TRUE(c.IsSendEnabled());
    c.PressConnect("300", "9600");
    EXPECT_TRUE(port.closed);
    EXPECT_EQ(c.ConnectCaption(), "Connect");
    EXPECT_FALSE(c.IsSendEnabled());
    EXPECT_FALSE(c.PressSend());
    EXPECT_EQ(ui.LastText(), "It's NOT connected yet.");
}

TEST_F(BenchTest, MessagesOfTheComposeButtons) {
    EXPECT_FALSE(c.AppendData("", 2));
    EXPECT_EQ(ui.LastText(), "There is NO data to insert.");
    EXPECT_FALSE(c.AppendSlave(""));
    EXPECT_EQ(ui.LastText(), "There is NO data to insert.");
    EXPECT_FALSE(c.AppendData("12a", 2));
    EXPECT_EQ(ui.LastText(), "Failed to convert.");
    EXPECT_FALSE(c.AppendData("65536", 2));
    EXPECT_EQ(ui.LastText(), "The number inserted is bigger than expected.");
    EXPECT_FALSE(c.AppendCrc());
    EXPECT_EQ(ui.LastText(), "No data to calculate the CRC.");
    for (int i = 0; i < 128; ++i) ASSERT_TRUE(c.AppendHeader());
    EXPECT_FALSE(c.AppendTail());
    EXPECT_EQ(ui.LastText(), "The send buffer holds at most 256 bytes; nothing was added.");
}

TEST_F(BenchTest, SendWritesTheTransmitCopyAndDrainsTheAnswer) {
    c.PressConnect("1", "115200");
    c.AppendHex("AA CC 01 AA 02");
    ASSERT_TRUE(c.PressSend());
    EXPECT_EQ(port.written, (std::vector<uint8_t>{0xAA, 0xCC, 0x01, 0xAA, 0xAA, 0x02}));
    EXPECT_EQ(c.DecodedText(), "");  // nothing read yet
    port.incoming = {0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x80, 0x60, 0x4B, 0xAA, 0xEE};
    c.Drain();
    EXPECT_EQ(c.Received().size(), 10u);
    EXPECT_EQ(c.CellText(0), "0xAA");
    EXPECT_EQ(c.CellText(9), "0xEE");
    EXPECT_EQ(c.CellText(10), "");
    EXPECT_EQ(c.DecodedText(),
              "10 bytes received. Slave 1, sync 0xF1, type 0x40, status 0x80, data -, CRC good");

    // The next send starts with an empty receive buffer; a failed write says so.
    port.writeSucceeds = false;
    EXPECT_FALSE(c.PressSend());
    EXPECT_EQ(ui.LastText(), "WriteComm Error");
    EXPECT_TRUE(c.Received().empty());
}

TEST_F(BenchTest, ReceiveBufferNeverGrowsBeyondItsCapacity) {
    c.PressConnect("1", "115200");
    c.AppendHeader();
    ASSERT_TRUE(c.PressSend());
    port.incoming.assign(kReceiveCapacity + 10, 0x55);
    c.Drain();
    EXPECT_EQ(c.Received().size(), kReceiveCapacity);
    EXPECT_TRUE(port.incoming.empty());  // the rest was read and discarded
    EXPECT_EQ(ui.LastText(), "The receive buffer holds at most 1024 bytes: 10 further bytes were discarded.");
    EXPECT_EQ(c.CellText(88), "0x55");
    EXPECT_EQ(c.CellText(89), "");
}

TEST(TextFormat, ReplacesNumberedArguments) {
    EXPECT_EQ(tools::FormatText("from %1 to %2, %1 again, 100% %3", {"a", "b"}),
              "from a to b, a again, 100% %3");
    EXPECT_EQ(tools::HexByte(0x0A), "0x0A");
}

}  // namespace
}  // namespace tarsel::framebench
