#include "gui/graphlink/graph_messages.h"

#include <algorithm>
#include <cstring>

namespace tarsel::graphlink {

namespace {

void PutU32(std::vector<uint8_t>& out, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(std::span<const uint8_t> in, std::size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(in[at + i]) << (8 * i);
    return value;
}

// Copies at most size - 1 bytes so that the field always ends with a zero.
void PutText(std::vector<uint8_t>& out, std::size_t at, std::size_t size, std::string_view text) {
    const std::size_t n = std::min(text.size(), size - 1);
    std::copy_n(text.begin(), n, out.begin() + static_cast<std::ptrdiff_t>(at));
}

// Reads up to the first zero; a field without one is taken whole.
std::string GetText(std::span<const uint8_t> in, std::size_t at, std::size_t size) {
    const auto field = in.subspan(at, size);
    const auto end = std::find(field.begin(), field.end(), uint8_t{0});
    return std::string(field.begin(), end);
}

// Length byte, command byte and a zeroed payload of `payload` bytes.
std::vector<uint8_t> Frame(GraphCommand command, std::size_t payload) {
    std::vector<uint8_t> out(2 + payload, 0);
    out[0] = static_cast<uint8_t>(payload + 1);
    out[1] = static_cast<uint8_t>(command);
    return out;
}

// Series and axis share one record; the words at 156 to 176 are what the graph program expects.
std::vector<uint8_t> NameRecord(GraphCommand command, std::string_view name, std::string_view text,
                                uint32_t w156, uint32_t colorref, uint32_t w172) {
    auto out = Frame(command, kNameRecordSize);
    constexpr std::size_t base = 2;
    PutText(out, base + 4, kNameFieldSize, name);
    PutText(out, base + 104, kTextFieldSize, text);
    PutU32(out, base + 156, w156);
    PutU32(out, base + 160, 1);
    PutU32(out, base + 164, colorref);
    PutU32(out, base + 168, 10);
    PutU32(out, base + 172, w172);
    return out;
}

// The length byte each command must carry (command byte included).
int ExpectedLength(uint8_t command) {
    switch (static_cast<GraphCommand>(command)) {
        case GraphCommand::Reset:
        case GraphCommand::End:
        case GraphCommand::Clear:
            return 1;
        case GraphCommand::Series:
        case GraphCommand::Axis:
            return 1 + static_cast<int>(kNameRecordSize);
        case GraphCommand::Data:
            return 1 + static_cast<int>(kDataRecordSize);
        case GraphCommand::Mark:
            return 9;
        default:
            return -1;
    }
}

}  // namespace

std::vector<uint8_t> EncodeProbe() {
    return {0x00};
}
std::vector<uint8_t> EncodeReset() {
    return Frame(GraphCommand::Reset, 0);
}
std::vector<uint8_t> EncodeEnd() {
    return Frame(GraphCommand::End, 0);
}
std::vector<uint8_t> EncodeClear() {
    return Frame(GraphCommand::Clear, 0);
}

std::vector<uint8_t> EncodeSeries(std::string_view name, uint32_t colorref) {
    return NameRecord(GraphCommand::Series, name, {}, 0, colorref, 1000);
}

std::vector<uint8_t> EncodeAxis(std::string_view label) {
    return NameRecord(GraphCommand::Axis, {}, label, 1, 0, 25);
}

std::vector<uint8_t> EncodeData(uint32_t index, std::span<const int32_t> values) {
    auto out = Frame(GraphCommand::Data, kDataRecordSize);
    const std::size_t n = std::min(values.size(), kMaxDataValues);
    constexpr std::size_t base = 2;
    PutU32(out, base + 4, index);
    PutU32(out, base + 8, static_cast<uint32_t>(n));
    for (std::size_t i = 0; i < n; ++i) PutU32(out, base + 12 + 4 * i, static_cast<uint32_t>(values[i]));
    return out;
}

std::vector<uint8_t> EncodeMark(int32_t first, int32_t second) {
    auto out = Frame(GraphCommand::Mark, 8);
    PutU32(out, 2, static_cast<uint32_t>(first));
    PutU32(out, 6, static_cast<uint32_t>(second));
    return out;
}

bool CGraphStreamDecoder::Feed(std::span<const uint8_t> bytes, std::vector<GraphMessage>& out) {
    if (Malformed()) return false;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::size_t at = 0;
    while (at < pending_.size()) {
        const uint8_t length = pending_[at];
        if (length == 0) {  // probe
            out.push_back(GraphMessage{});
            ++at;
            continue;
        }
        if (pending_.size() - at < 2) break;  // the command byte tells whether the length fits
        if (ExpectedLength(pending_[at + 1]) != length) {
            error_ = "length " + std::to_string(length) + " does not fit command byte 0x";
            static constexpr char kHex[] = "0123456789abcdef";
            error_ += kHex[pending_[at + 1] >> 4];
            error_ += kHex[pending_[at + 1] & 0xf];
            pending_.clear();
            return false;
        }
        if (pending_.size() - at < 1u + length) break;
        GraphMessage message;
        if (!DecodeOne(std::span<const uint8_t>(pending_).subspan(at + 1, length), message)) {
            pending_.clear();
            return false;
        }
        out.push_back(std::move(message));
        at += 1u + length;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool CGraphStreamDecoder::Finish() {
    if (Malformed()) return false;
    if (pending_.empty()) return true;
    // Only an incomplete message is ever kept, and its first byte is its length.
    error_ = "the stream ended after " + std::to_string(pending_.size()) + " of the " +
             std::to_string(1 + pending_[0]) + " bytes of a message";
    pending_.clear();
    return false;
}

bool CGraphStreamDecoder::DecodeOne(std::span<const uint8_t> message, GraphMessage& out) {
    out.command = static_cast<GraphCommand>(message[0]);
    const auto payload = message.subspan(1);
    switch (out.command) {
        case GraphCommand::Series:
            out.name = GetText(payload, 4, kNameFieldSize);
            out.text = GetText(payload, 104, kTextFieldSize);
            out.colorref = GetU32(payload, 164);
            break;
        case GraphCommand::Axis:
            out.text = GetText(payload, 104, kTextFieldSize);
            break;
        case GraphCommand::Data: {
            out.index = GetU32(payload, 4);
            const uint32_t n = GetU32(payload, 8);
            if (n > kMaxDataValues) {
                error_ = "data record with " + std::to_string(n) + " values";
                return false;
            }
            out.values.resize(n);
            for (uint32_t i = 0; i < n; ++i)
                out.values[i] = static_cast<int32_t>(GetU32(payload, 12 + 4 * i));
            break;
        }
        case GraphCommand::Mark:
            out.values = {static_cast<int32_t>(GetU32(payload, 0)), static_cast<int32_t>(GetU32(payload, 4))};
            break;
        default:
            break;
    }
    return true;
}

}  // namespace tarsel::graphlink
