// The byte stream from a recording program to the graph program: one length byte L, a command
// byte, then L - 1 payload bytes, integers little-endian.  The lone byte 0x00 (L = 0) is a probe
// that only shows the graph program is reachable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarsel::graphlink {

enum class GraphCommand : uint8_t {
    Probe = 0x00,
    Reset = 'r',   // start of a new graph configuration
    Series = 'S',  // one series: name and colour
    Axis = 'x',    // the horizontal axis label
    Data = 'D',    // one sample of every series
    End = 'A',     // end of data
    Clear = 'c',   // no payload; never sent by the monitoring run
    Mark = 'M',    // two 32-bit values; never sent by the monitoring run
};

inline constexpr std::size_t kNameRecordSize = 180;  // series and axis records
inline constexpr std::size_t kDataRecordSize = 252;
inline constexpr std::size_t kNameFieldSize = 100;  // offset 4, zero-terminated
inline constexpr std::size_t kTextFieldSize = 52;   // offset 104, zero-terminated
inline constexpr std::size_t kMaxDataValues = 60;

std::vector<uint8_t> EncodeProbe();
std::vector<uint8_t> EncodeReset();
// The name is cut to 99 bytes so that its terminating zero fits.
std::vector<uint8_t> EncodeSeries(std::string_view name, uint32_t colorref);
std::vector<uint8_t> EncodeAxis(std::string_view label);
// At most 60 values travel in one record; further ones are left out.
std::vector<uint8_t> EncodeData(uint32_t index, std::span<const int32_t> values);
std::vector<uint8_t> EncodeEnd();
std::vector<uint8_t> EncodeClear();
std::vector<uint8_t> EncodeMark(int32_t first, int32_t second);

// One decoded message.  Only the fields of its command are set.
struct GraphMessage {
    GraphCommand command = GraphCommand::Probe;
    std::string name;             // Series: series name
    std::string text;             // Series: series text; Axis: axis label
    uint32_t colorref = 0;        // Series: 0x00BBGGRR
    uint32_t index = 0;           // Data: sample index
    std::vector<int32_t> values;  // Data: the n values; Mark: the two values
};

// Splits a byte stream arriving in chunks of any size into messages.  A length byte that does not
// belong to its command, an unknown command or a data record claiming more than 60 values makes
// the stream malformed: nothing after that point is trusted, and the connection should be dropped.
class CGraphStreamDecoder {
public:
    // Appends the complete messages found to `out`; false once the stream is malformed.
    bool Feed(std::span<const uint8_t> bytes, std::vector<GraphMessage>& out);
    // The sender closed the stream: false when it stopped inside a message (Error then says how
    // many bytes of it came), which is lost.
    bool Finish();
    bool Malformed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    // Bytes of an incomplete message kept for the next chunk.
    std::size_t Pending() const { return pending_.size(); }

private:
    bool DecodeOne(std::span<const uint8_t> message, GraphMessage& out);

    std::vector<uint8_t> pending_;
    std::string error_;
};

}  // namespace tarsel::graphlink
