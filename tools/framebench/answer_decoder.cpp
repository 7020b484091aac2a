#include "tools/framebench/answer_decoder.h"

#include <cstdio>

namespace tarsel::framebench {

namespace {

uint8_t CellByte(const std::vector<uint8_t>& shown, int cell) {
    if (cell < 0 || cell >= kGridCells || static_cast<std::size_t>(cell) >= shown.size()) return 0;
    return shown[static_cast<std::size_t>(cell)];
}

template <typename T>
std::string Decimal(T value) {
    return std::to_string(value);
}

// The unstuffed body of the request in the send buffer (after a header, up to a tail).
std::vector<uint8_t> RequestBody(const std::vector<uint8_t>& request) {
    std::size_t start = 0;
    if (request.size() >= 2 && request[0] == kFrameEscape && request[1] == kFrameHeader) start = 2;
    std::size_t end = request.size();
    if (end >= start + 2 && request[end - 2] == kFrameEscape && request[end - 1] == kFrameTail) end -= 2;
    return std::vector<uint8_t>(request.begin() + static_cast<long>(start),
                                request.begin() + static_cast<long>(end));
}

bool EchoesSequenced(const std::vector<uint8_t>& body, const std::vector<uint8_t>& req) {
    return body.size() >= kSequencedMinResponse && req.size() >= 3 && body[0] == req[0] &&
           body[1] == req[1] && body[2] == req[2];
}

bool EchoesLegacy(const std::vector<uint8_t>& body, const std::vector<uint8_t>& req) {
    return body.size() >= kLegacyMinResponse && req.size() >= 2 && body[0] == req[0] && body[1] == req[1];
}

}  // namespace

CellValues ValuesAt(const std::vector<uint8_t>& shown, int cell) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | CellByte(shown, cell + i);
    const auto low = static_cast<uint8_t>(value);
    const auto word = static_cast<uint16_t>(value);

    CellValues values;
    values.byteValue = Decimal(static_cast<unsigned>(low));
    values.wordValue = Decimal(static_cast<unsigned>(word));
    values.dwordValue = Decimal(value);
    const auto signedChar = static_cast<int8_t>(low);
    values.charValue = Decimal(static_cast<int>(signedChar));
    if (low >= 0x20 && low < 0x7F) values.charValue += std::string("(") + static_cast<char>(low) + ")";
    values.shortValue = Decimal(static_cast<int>(static_cast<int16_t>(word)));
    values.longValue = Decimal(static_cast<int32_t>(value));
    return values;
}

DecodedAnswer DecodeAnswer(const std::vector<uint8_t>& received, const std::vector<uint8_t>& request) {
    DecodedAnswer answer;
    // Same receiving rules as the transport: AA AA is one 0xAA, AA CC starts a frame (again),
    // AA EE ends it, after 0xAA any other byte is dropped.
    bool inFrame = false;
    bool escape = false;
    bool complete = false;
    std::size_t stray = 0;
    for (const uint8_t byte : received) {
        if (!escape) {
            if (byte == kFrameEscape) {
                escape = true;
            } else if (inFrame) {
                answer.body.push_back(byte);
            } else {
                ++stray;
            }
            continue;
        }
        if (byte == kFrameHeader) {
            if (!inFrame) answer.strayBytes = stray;
            inFrame = true;
            answer.body.clear();
            escape = false;
        } else if (byte == kFrameEscape && inFrame) {
            answer.body.push_back(byte);
            escape = false;
        } else if (byte == kFrameTail && inFrame) {
            complete = true;
            break;
        } else if (!inFrame) {
            stray += 2;
            escape = false;
        }
    }
    if (!inFrame) {
        answer.strayBytes = stray;
        return answer;
    }
    if (!complete) {
        answer.kind = DecodedAnswer::Kind::Incomplete;
        return answer;
    }
    answer.crcGood = answer.body.size() >= 2 && CalcCRC(answer.body.data(), answer.body.size()) == 0;
    const std::vector<uint8_t> req = RequestBody(request);
    if (EchoesSequenced(answer.body, req))
        answer.form = FrameForm::Sequenced;
    else if (EchoesLegacy(answer.body, req))
        answer.form = FrameForm::Legacy;
    else
        answer.form = answer.body.size() >= kSequencedMinResponse ? FrameForm::Sequenced : FrameForm::Legacy;
    const std::size_t minimum =
        answer.form == FrameForm::Sequenced ? kSequencedMinResponse : kLegacyMinResponse;
    if (answer.body.size() < minimum) {
        answer.kind = DecodedAnswer::Kind::TooShort;
        return answer;
    }
    answer.kind = DecodedAnswer::Kind::Frame;
    std::size_t at = 0;
    answer.slave = answer.body[at++];
    if (answer.form == FrameForm::Sequenced) answer.sync = answer.body[at++];
    answer.frameType = answer.body[at++];
    answer.status = answer.body[at++];
    answer.data.assign(answer.body.begin() + static_cast<long>(at), answer.body.end() - 2);
    return answer;
}

}  // namespace tarsel::framebench
