#include "tools/framebench/frame_bench_controller.h"

#include <cstdio>

#include "tools/common/port_choices.h"
#include "tools/common/text_format.h"

namespace tarsel::framebench {

namespace {
constexpr const char* kTitle = "framebench";

std::string HexList(const std::vector<uint8_t>& bytes) {
    std::string text;
    char item[4];
    for (const uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        std::snprintf(item, sizeof item, "%02X", byte);
        text += item;
    }
    return text;
}
}  // namespace

FrameBenchController::FrameBenchController(RawPort& port, tools::ToolUi& ui) : port_(port), ui_(ui) {}

std::string FrameBenchController::ConnectCaption() const {
    if (!everConnected_) return Tr(QT_TRANSLATE_NOOP("FrameBench", "CONNECT"));
    return connected_ ? Tr(QT_TRANSLATE_NOOP("FrameBench", "Disconnect"))
                      : Tr(QT_TRANSLATE_NOOP("FrameBench", "Connect"));
}

void FrameBenchController::PressConnect(const std::string& portText, const std::string& baudText) {
    if (connected_) {
        port_.Close();
        connected_ = false;
        return;
    }
    const auto port = tools::ParseDecimal(portText.substr(0, 10), 0xFFFFFFFFu);
    const auto baud = tools::ParseDecimal(baudText, 0xFFFFFFFFu);
    std::string reason;
    bool opened = false;
    if (!port)
        reason = Tr(QT_TRANSLATE_NOOP("FrameBench", "The port number is not a decimal number."));
    else if (!baud || *baud == 0)
        reason = Tr(QT_TRANSLATE_NOOP("FrameBench", "The baud rate is not a number."));
    else if (!(opened = port_.Open(*port, *baud)))
        reason = port_.OpenErrorText();
    if (!opened) {
        ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "connection failed.")), reason);
        return;
    }
    connected_ = true;
    everConnected_ = true;
    composer_.Clear();
    received_.clear();
    sentRequest_.clear();
    drained_ = false;
}

bool FrameBenchController::Report(AppendResult result) {
    switch (result) {
        case AppendResult::Ok:
            return true;
        case AppendResult::NoData:
            ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "There is NO data to insert.")));
            break;
        case AppendResult::ConvertFailed:
            ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "Failed to convert.")));
            break;
        case AppendResult::OutOfRange:
            ui_.Fail(kTitle,
                     Tr(QT_TRANSLATE_NOOP("FrameBench", "The number inserted is bigger than expected.")));
            break;
        case AppendResult::NoCrcData:
            ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "No data to calculate the CRC.")));
            break;
        case AppendResult::BufferFull:
            ui_.Fail(kTitle,
                     tools::FormatText(
                         Tr(QT_TRANSLATE_NOOP("FrameBench",
                                              "The send buffer holds at most %1 bytes; nothing was added.")),
                         {std::to_string(kSendCapacity)}));
            break;
    }
    return false;
}

bool FrameBenchController::AppendHeader() {
    return Report(composer_.AppendHeader());
}
bool FrameBenchController::AppendSlave(const std::string& text) {
    return Report(composer_.AppendSlave(text));
}
bool FrameBenchController::AppendData(const std::string& text, int width) {
    return Report(composer_.AppendData(text, width));
}
bool FrameBenchController::AppendCrc() {
    return Report(composer_.AppendCrc());
}
bool FrameBenchController::AppendTail() {
    return Report(composer_.AppendTail());
}
bool FrameBenchController::AppendHex(const std::string& text) {
    return Report(composer_.AppendHex(text));
}

bool FrameBenchController::PressSend() {
    if (!connected_) {
        ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "It's NOT connected yet.")));
        return false;
    }
    received_.clear();
    drained_ = false;
    sentRequest_ = composer_.Bytes();
    const std::vector<uint8_t> copy = composer_.TransmitCopy();
    if (!port_.Write(copy.data(), copy.size())) {
        ui_.Fail(kTitle, Tr(QT_TRANSLATE_NOOP("FrameBench", "WriteComm Error")));
        return false;
    }
    return true;
}

void FrameBenchController::Drain() {
    std::size_t discarded = 0;
    uint8_t byte = 0;
    for (std::size_t total = 0; total < kDrainLimit && port_.ReadOne(byte); ++total) {
        if (received_.size() < kReceiveCapacity)
            received_.push_back(byte);
        else
            ++discarded;
    }
    drained_ = true;
    if (discarded > 0) {
        ui_.Fail(kTitle,
                 tools::FormatText(Tr(QT_TRANSLATE_NOOP("FrameBench",
                                                        "The receive buffer holds at most %1 bytes: %2 "
                                                        "further bytes were discarded.")),
                                   {std::to_string(kReceiveCapacity), std::to_string(discarded)}));
    }
}

std::string FrameBenchController::CellText(int cell) const {
    if (cell < 0 || cell >= kGridCells || static_cast<std::size_t>(cell) >= received_.size()) return {};
    return tools::HexByte(received_[static_cast<std::size_t>(cell)]);
}

CellValues FrameBenchController::Values(int cell) const {
    return ValuesAt(received_, cell);
}

std::string FrameBenchController::DecodedText() const {
    if (!drained_) return {};
    if (received_.empty()) return Tr(QT_TRANSLATE_NOOP("FrameBench", "Nothing was received."));
    const DecodedAnswer answer = DecodeAnswer(received_, sentRequest_);
    std::string text = tools::FormatText(Tr(QT_TRANSLATE_NOOP("FrameBench", "%1 bytes received. ")),
                                         {std::to_string(received_.size())});
    switch (answer.kind) {
        case DecodedAnswer::Kind::NoHeader:
            return text + Tr(QT_TRANSLATE_NOOP("FrameBench", "No frame header (AA CC) was received."));
        case DecodedAnswer::Kind::Incomplete:
            return text + Tr(QT_TRANSLATE_NOOP("FrameBench", "The frame has no tail (AA EE)."));
        case DecodedAnswer::Kind::TooShort:
            return text +
                   tools::FormatText(Tr(QT_TRANSLATE_NOOP("FrameBench", "The frame is too short: %1.")),
                                     {HexList(answer.body)});
        case DecodedAnswer::Kind::Frame:
            break;
    }
    const std::string crc = answer.crcGood ? Tr(QT_TRANSLATE_NOOP("FrameBench", "CRC good"))
                                           : Tr(QT_TRANSLATE_NOOP("FrameBench", "CRC bad"));
    const std::string data = answer.data.empty() ? "-" : HexList(answer.data);
    if (answer.form == FrameForm::Sequenced) {
        text += tools::FormatText(
            Tr(QT_TRANSLATE_NOOP("FrameBench", "Slave %1, sync %2, type %3, status %4, data %5, %6")),
            {std::to_string(answer.slave), tools::HexByte(answer.sync), tools::HexByte(answer.frameType),
             tools::HexByte(answer.status), data, crc});
    } else {
        text += tools::FormatText(
            Tr(QT_TRANSLATE_NOOP("FrameBench", "Legacy form: slave %1, type %2, status %3, data %4, %5")),
            {std::to_string(answer.slave), tools::HexByte(answer.frameType), tools::HexByte(answer.status),
             data, crc});
    }
    if (answer.strayBytes > 0)
        text += tools::FormatText(Tr(QT_TRANSLATE_NOOP("FrameBench", " (%1 bytes before the header)")),
                                  {std::to_string(answer.strayBytes)});
    return text;
}

}  // namespace tarsel::framebench
