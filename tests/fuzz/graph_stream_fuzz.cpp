// The graph link's byte stream as a graph server receives it from any local process.  The first
// byte picks how the rest is cut into chunks; every cut must decode to the same messages as the
// whole stream at once, nothing incomplete may be kept beyond one message, and a data record that
// decodes encodes back to the same bytes.  The stream's end is clean only between messages.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "gui/graphlink/graph_messages.h"

namespace {

using tarsel::graphlink::CGraphStreamDecoder;
using tarsel::graphlink::GraphCommand;
using tarsel::graphlink::GraphMessage;

bool Same(const GraphMessage& a, const GraphMessage& b) {
    return a.command == b.command && a.name == b.name && a.text == b.text && a.colorref == b.colorref &&
           a.index == b.index && a.values == b.values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t chunk = 1 + data[0] % 64;
    const std::span<const uint8_t> stream(data + 1, size - 1);

    CGraphStreamDecoder whole;
    std::vector<GraphMessage> expected;
    const bool wholeOk = whole.Feed(stream, expected);

    CGraphStreamDecoder pieces;
    std::vector<GraphMessage> got;
    bool piecesOk = true;
    for (std::size_t at = 0; at < stream.size() && piecesOk; at += chunk) {
        piecesOk = pieces.Feed(stream.subspan(at, std::min(chunk, stream.size() - at)), got);
        // One length byte, one command byte and at most 254 more: an incomplete message is short.
        if (pieces.Pending() > 256) std::abort();
    }
    if (wholeOk != piecesOk || expected.size() != got.size()) std::abort();
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!Same(expected[i], got[i])) std::abort();
    if (!wholeOk && (whole.Error().empty() || whole.Feed(stream, expected))) std::abort();
    // The end of the stream is clean exactly when no part of a message is left over.
    const bool cleanEnd = piecesOk && pieces.Pending() == 0;
    if (pieces.Finish() != cleanEnd || (!cleanEnd && pieces.Error().empty())) std::abort();

    for (const auto& message : got) {
        if (message.command != GraphCommand::Data) continue;
        if (message.values.size() > tarsel::graphlink::kMaxDataValues) std::abort();
        CGraphStreamDecoder again;
        std::vector<GraphMessage> back;
        if (!again.Feed(tarsel::graphlink::EncodeData(message.index, message.values), back) ||
            back.size() != 1 || !Same(back[0], message))
            std::abort();
    }
    return 0;
}
