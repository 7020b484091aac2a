// Several threads calling exports on one port at once: every call succeeds and the line carries
// whole frames only, one after the other.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "TarselTevra.h"
#include "tests/library/scripted_line.h"

namespace tarsel::testing {
namespace {

TEST(LibraryThreads, FramesOfConcurrentCallsNeverInterleave) {
    ScriptedLine line(230, {{1, SupportedDrive(1)}, {2, SupportedDrive(20)}, {3, SupportedDrive(30)}});
    line.SetHandler([](const Request& r) -> std::vector<Reply> {
        if (r.frameType() == 0x43) return {{AnswerTo(r, 0, Bytes(33, 0xAA))}};
        return {{AnswerTo(r, 0, r.frameType() == 0x40 ? Bytes{1, 2, 3, 4} : Bytes{})}};
    });
    ZEL_SetLogPath(TestPortsDirectory().c_str());
    ASSERT_TRUE(ZEL_Connect(230, 115200));
    const std::size_t scanFrames = line.RequestCount();

    constexpr int kThreads = 4;
    constexpr int kCalls = 40;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &failures] {
            const int slave = 1 + t % 3;
            for (int i = 0; i < kCalls; ++i) {
                uint32_t status = 0;
                uint16_t item = 0;
                int result = 0;
                switch (i % 4) {
                    case 0:
                        result = ZEL_GetAxisStatus(230, slave, &status);
                        break;
                    case 1:
                        result = ZEL_SetParameter(230, slave, 0xAA, -0x55555556);  // stuffed bytes
                        break;
                    case 2:
                        result = ZEL_GetAllStatus(230, slave, nullptr, nullptr, &status, nullptr, nullptr,
                                                  nullptr, nullptr, &item);
                        break;
                    default:
                        result = ZEL_AllMoveStop(230);
                        break;
                }
                if (result != 0) ++failures;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    ASSERT_TRUE(line.Responder().WaitForRequests(scanFrames + kThreads * kCalls, 2000));
    EXPECT_EQ(line.RequestCount(), scanFrames + kThreads * kCalls);

    // Replaying the raw bytes: only complete frames, no cancelled or corrupted ones.
    FrameReceiver receiver;
    std::size_t frames = 0;
    for (uint8_t byte : line.Responder().RawReceived()) {
        const FrameReceiver::Event event = receiver.Feed(byte);
        ASSERT_TRUE(event == FrameReceiver::Event::None || event == FrameReceiver::Event::Complete);
        if (event == FrameReceiver::Event::Complete) ++frames;
    }
    EXPECT_EQ(frames, scanFrames + kThreads * kCalls);
    ZEL_Close(230);
}

}  // namespace
}  // namespace tarsel::testing
