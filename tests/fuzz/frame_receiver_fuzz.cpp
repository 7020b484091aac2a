// Bytes from the line through the frame receiver, as the transport and the simulator feed them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "comm/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tarsel::FrameReceiver receiver;
    for (std::size_t i = 0; i < size; ++i) {
        const auto event = receiver.Feed(data[i]);
        if (receiver.EventCount() > tarsel::kRecvBufferSize) std::abort();
        if (event == tarsel::FrameReceiver::Event::Complete &&
            tarsel::CalcCRC(receiver.Data(), receiver.EventCount()) != 0)
            std::abort();  // a complete frame always checks
        if (event == tarsel::FrameReceiver::Event::Overflow) receiver.Reset();
    }
    return 0;
}
