// The logic of the frame bench, free of any toolkit: the connection, the frame being composed,
// the bytes received after the last send, and every message and enabling rule of the dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/tool_ui.h"
#include "tools/framebench/answer_decoder.h"
#include "tools/framebench/frame_composer.h"
#include "tools/framebench/raw_port.h"

namespace tarsel::framebench {

// Bytes kept from one answer; more are read from the port and discarded.
constexpr std::size_t kReceiveCapacity = 1024;
// A line that never falls silent ends the drain after this many bytes.
constexpr std::size_t kDrainLimit = 65536;

class FrameBenchController {
public:
    FrameBenchController(RawPort& port, tools::ToolUi& ui);

    // CONNECT button: `portText` is the port edit's decimal number, `baudText` the baud rate.
    void PressConnect(const std::string& portText, const std::string& baudText);

    // Compose buttons.  False when nothing was appended (a message was shown).
    bool AppendHeader();
    bool AppendSlave(const std::string& text);
    bool AppendData(const std::string& text, int width);
    bool AppendCrc();
    bool AppendTail();
    bool AppendHex(const std::string& text);
    void Clear() { composer_.Clear(); }

    // SEND >>: writes the transmit copy.  True when the answer is to be drained (after 100 ms).
    bool PressSend();
    // Reads every byte the port holds into the receive buffer.
    void Drain();

    bool IsConnected() const { return connected_; }
    std::string ConnectCaption() const;
    bool IsSendEnabled() const { return connected_ && !composer_.Bytes().empty(); }
    const FrameComposer& Composer() const { return composer_; }
    std::string SendText() const { return composer_.TransmitText(); }
    const std::vector<uint8_t>& Received() const { return received_; }
    // Text of grid cell k (0..88): "0x%02X", or empty.
    std::string CellText(int cell) const;
    CellValues Values(int cell) const;
    // The received bytes taken apart as a frame, in a line.
    std::string DecodedText() const;

private:
    std::string Tr(const char* source) const { return ui_.Translate("FrameBench", source); }
    bool Report(AppendResult result);

    RawPort& port_;
    tools::ToolUi& ui_;
    FrameComposer composer_;
    std::vector<uint8_t> received_;
    std::vector<uint8_t> sentRequest_;  // send buffer of the last send, to read the answer's form
    bool connected_ = false;
    bool everConnected_ = false;
    bool drained_ = false;
};

}  // namespace tarsel::framebench
