#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <unistd.h>

#include "comm/CRs232CB.h"
#include "comm/result_codes.h"
#include "tests/support/pty_responder.h"

namespace tarsel {
namespace {

using testing::AnswerTo;
using testing::PtyResponder;
using testing::Reply;
using testing::Request;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kShortTimeout = 30;

// Answers each request with the next behaviour of a list; the last one repeats.
enum class Act { Good, Silent, BadCrc, PacketError, RequestCrc, FrameTypeError, StatusOnly };

testing::Script Sequence(std::vector<Act> acts, Bytes data = {}) {
    auto index = std::make_shared<std::atomic<std::size_t>>(0);
    return [acts, data, index](const Request& r) -> std::vector<Reply> {
        const std::size_t i = std::min(index->fetch_add(1), acts.size() - 1);
        switch (acts[i]) {
            case Act::Good:
                return {{AnswerTo(r, 0, data)}};
            case Act::Silent:
                return {};
            case Act::BadCrc: {
                Bytes wire = AnswerTo(r, 0, data);
                wire[3] ^= 0x40;
                return {{wire}};
            }
            case Act::PacketError:
                return {{AnswerTo(r, 0x82)}};
            case Act::RequestCrc:
                return {{AnswerTo(r, 0xAA)}};
            case Act::FrameTypeError:
                return {{AnswerTo(r, 0x80)}};
            case Act::StatusOnly:
                return {{AnswerTo(r, 0)}};
        }
        return {};
    };
}

class TransportTest : public ::testing::Test {
protected:
    void Open(testing::Script script, TransportConfig config = TransportConfig::Library()) {
        responder = std::make_unique<PtyResponder>(std::move(script));
        port = std::make_unique<CRs232CB>(config);
        ASSERT_TRUE(port->OpenDevice(responder->DevicePath(), 7, 115200)) << port->LastOpenErrorText();
        port->SetLogEnabled(false);
    }
    uint8_t Status(uint8_t slave = 1, Bytes* out = nullptr, bool reduced = false) {
        Bytes buffer(4, 0xFF);
        const uint8_t result =
            port->DoSendCommand(slave, 0x40, nullptr, 0, buffer.data(), 4, kShortTimeout, reduced);
        if (out) *out = buffer;
        return result;
    }

    std::unique_ptr<PtyResponder> responder;
    std::unique_ptr<CRs232CB> port;
};

TEST_F(TransportTest, FirstRequestMatchesTheWorkedExampleAndTheAnswerIsUnpacked) {
    Open(Sequence({Act::Good}, {0x00, 0x00, 0x08, 0x00}));
    Bytes out;
    EXPECT_EQ(Status(1, &out), 0);
    EXPECT_EQ(out, (Bytes{0x00, 0x00, 0x08, 0x00}));
    EXPECT_EQ(responder->RawReceived(), (Bytes{0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x64, 0x60, 0xAA, 0xEE}));
}

struct RetryCase {
    const char* name;
    std::vector<Act> acts;
    bool reduced;
    uint8_t result;
    std::size_t requests;
};

void PrintTo(const RetryCase& c, std::ostream* os) {
    *os << c.name;
}

class RetryTest : public TransportTest, public ::testing::WithParamInterface<RetryCase> {};

TEST_P(RetryTest, ResultAndNumberOfAttempts) {
    const RetryCase& c = GetParam();
    Open(Sequence(c.acts, {1, 2, 3, 4}));
    EXPECT_EQ(Status(1, nullptr, c.reduced), c.result);
    // A request left unanswered may still be on its way through the responder's thread.
    responder->WaitForRequests(c.requests, 1000);
    EXPECT_EQ(responder->RequestCount(), c.requests);
    EXPECT_TRUE(port->IsOpen());
    // Retries repeat the same request: one sync number for the whole transaction.
    for (const Request& r : responder->Requests()) EXPECT_EQ(r.sync(), 0xF1);
}

INSTANTIATE_TEST_SUITE_P(
    Transport, RetryTest,
    ::testing::Values(RetryCase{"TimeoutThreeAttempts", {Act::Silent}, false, kResultTimeout, 3},
                      RetryCase{"TimeoutReducedTwoAttempts", {Act::Silent}, true, kResultTimeout, 2},
                      RetryCase{"CrcFailed", {Act::BadCrc}, false, kResultCrcFailed, 3},
                      RetryCase{"DrivePacketError", {Act::PacketError}, false, 0x82, 3},
                      RetryCase{"DriveFoundRequestCrcError", {Act::RequestCrc}, false, 0xAA, 3},
                      RetryCase{"FrameTypeErrorNotRetried", {Act::FrameTypeError}, false, 0x80, 1},
                      RetryCase{"RecoversAfterOneTimeout", {Act::Silent, Act::Good}, false, 0, 2},
                      // Alternating kinds reload the counter each time, so the transaction goes on.
                      RetryCase{"AlternatingFailuresKeepGoing",
                                {Act::Silent, Act::BadCrc, Act::Silent, Act::BadCrc, Act::Good},
                                false,
                                0,
                                5},
                      // ... but not for ever: nine requests at most.
                      RetryCase{"AlternatingFailuresEndAtTheCap",
                                {Act::Silent, Act::BadCrc, Act::Silent, Act::BadCrc, Act::Silent, Act::BadCrc,
                                 Act::Silent, Act::BadCrc, Act::Silent, Act::BadCrc, Act::Silent, Act::Good},
                                false,
                                kResultTimeout,
                                9},
                      RetryCase{"ChangeReloadsThenCountsDown",
                                {Act::Silent, Act::BadCrc, Act::BadCrc, Act::BadCrc, Act::BadCrc},
                                false,
                                kResultCrcFailed,
                                5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TransportTest, StatusOnlyAnswerIsAcceptedAndLeavesZeros) {
    Open(Sequence({Act::StatusOnly}));
    Bytes out;
    EXPECT_EQ(Status(1, &out), 0);
    EXPECT_EQ(out, Bytes(4, 0));
}

TEST_F(TransportTest, WrongDataLengthIsRetriedThenReported) {
    Open([](const Request& r) -> std::vector<Reply> { return {{AnswerTo(r, 0, {1, 2})}}; });
    EXPECT_EQ(Status(), kResultPacketError);
    EXPECT_EQ(responder->RequestCount(), 3u);
}

TEST_F(TransportTest, LateAnswerToAnEarlierRequestIsSkipped) {
    Open([](const Request& r) -> std::vector<Reply> {
        Request stale = r;
        stale.body[1] = static_cast<uint8_t>(r.sync() - 1);
        // The stale answer, then the real one after a pause longer than half the timeout:
        // the timeout restarts after the skipped frame.
        return {{AnswerTo(stale, 0, {9, 9, 9, 9})}, {AnswerTo(r, 0, {1, 2, 3, 4}), 20}};
    });
    Bytes out;
    EXPECT_EQ(Status(1, &out), 0);
    EXPECT_EQ(out, (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(responder->RequestCount(), 1u);
}

TEST_F(TransportTest, StrayBytesBeforeTheHeaderDoNotDisturbTheFrame) {
    Open([](const Request& r) -> std::vector<Reply> {
        Bytes wire{0x13, 0x37};
        const Bytes answer = AnswerTo(r, 0, {5, 6, 7, 8});
        wire.insert(wire.end(), answer.begin(), answer.end());
        return {{wire}};
    });
    Bytes out;
    EXPECT_EQ(Status(1, &out), 0);
    EXPECT_EQ(out, (Bytes{5, 6, 7, 8}));
}

TEST_F(TransportTest, The257thBodyByteEndsTheTransactionAtOnce) {
    Open([](const Request&) -> std::vector<Reply> {
        Bytes wire{0xAA, 0xCC};
        wire.insert(wire.end(), 257, 0x01);
        return {{wire}};
    });
    EXPECT_EQ(Status(), kResultPacketError);
    EXPECT_EQ(responder->RequestCount(), 1u);
    EXPECT_TRUE(port->IsOpen());
}

TEST_F(TransportTest, HangUpGivesDisconnectedAndThePortStaysClosed) {
    Open(Sequence({Act::Good}, {0, 0, 0, 0}));
    EXPECT_EQ(Status(), 0);
    responder->HangUp();
    EXPECT_EQ(Status(), kResultDisconnected);
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(Status(), kResultDisconnected);
    EXPECT_EQ(port->DoSendCommandNoResp(kBroadcastSlave, 0x2A, nullptr, 0), kResultDisconnected);
}

long MsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count());
}

// An adapter that stops transmitting must not hold a call beyond the transaction's limit: the
// write ends with a time-out and the port stays open.
TEST_F(TransportTest, AWriteThatCannotLeaveEndsWithinTheTransactionLimit) {
    Open(Sequence({Act::Good}, {0, 0, 0, 0}));
    ASSERT_EQ(Status(), 0);
    responder->StopReading();

    const long limit = CRs232CB::TransactionLimitMs(kShortTimeout, true, 115200);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Status(1, nullptr, true), kResultTimeout);
    const long took = MsSince(start);
    EXPECT_GE(took, limit / 2) << "the write waited for room within the limit";
    EXPECT_LT(took, 3 * limit) << "limit " << limit << " ms";
    EXPECT_TRUE(port->IsOpen());
}

// A broadcast has no time-out code: it fails within the bound of a transaction without answer.
TEST_F(TransportTest, ABroadcastThatCannotLeaveFailsWithinItsBound) {
    Open(nullptr);
    responder->StopReading();
    const long limit = CRs232CB::TransactionLimitMs(0, false, 115200);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port->DoSendCommandNoResp(kBroadcastSlave, 0x2A, nullptr, 0), kResultDisconnected);
    EXPECT_LT(MsSince(start), 3 * limit) << "limit " << limit << " ms";
    EXPECT_FALSE(port->IsOpen());
}

TEST_F(TransportTest, SecondOpenerIsRefusedAndTheDeviceReopensAfterClose) {
    Open(Sequence({Act::Good}, {0, 0, 0, 0}));
    CRs232CB second;
    EXPECT_FALSE(second.OpenDevice(responder->DevicePath(), 7, 115200));
    EXPECT_EQ(second.LastOpenError(), platform::OpenError::Busy);
    port->ClosePort();
    EXPECT_TRUE(second.OpenDevice(responder->DevicePath(), 7, 115200)) << second.LastOpenErrorText();
}

TEST_F(TransportTest, BroadcastUsesTheCommonSyncNumberAndWaitsForNoAnswer) {
    Open(nullptr);
    const uint8_t data[] = {1};
    EXPECT_EQ(port->DoSendCommandNoResp(kBroadcastSlave, 0x2A, data, 1), 0);
    ASSERT_TRUE(responder->WaitForRequests(1, 1000));
    const Request r = responder->Requests().at(0);
    EXPECT_EQ(r.slave(), kBroadcastSlave);
    EXPECT_EQ(r.sync(), 0xF1);
    EXPECT_EQ(port->SyncCounter(5), 0xF1);
}

TEST_F(TransportTest, TimeoutCountsAreKeptOnlyWhenConfigured) {
    Open(Sequence({Act::Silent, Act::Silent, Act::Silent, Act::Good}, {0, 0, 0, 0}), TransportConfig::Gui());
    EXPECT_EQ(Status(2), kResultTimeout);
    EXPECT_EQ(port->TimeoutCount(2), 3);
    EXPECT_EQ(Status(2), 0);
    EXPECT_EQ(port->TimeoutCount(2), 0);
}

// A legacy drive answers a sequenced request with a short answer it cannot match; the port then
// switches to the legacy form, and back again when a sequenced drive answers a legacy request.
TEST_F(TransportTest, FormDetectionSwitchesBothWays) {
    Open(nullptr, TransportConfig::SlaveIdTool());
    responder->SetForm(FrameForm::Legacy);
    responder->SetScript([](const Request& r) -> std::vector<Reply> {
        if (r.body.size() == 2) return {{AnswerTo(r, 0, {'V', '1', '0'})}};  // a legacy identification
        return {{AnswerTo(r, 0x82)}};                                        // not understood
    });
    uint8_t info[70] = {};
    EXPECT_EQ(port->DoSendCommand(1, 0x01, nullptr, 0, info, sizeof(info), kShortTimeout), 0);
    EXPECT_TRUE(port->IsLegacyForm());
    EXPECT_EQ(info[0], 'V');

    responder->SetForm(FrameForm::Sequenced);
    responder->SetScript([](const Request& r) -> std::vector<Reply> {
        if (r.body.size() == 3) return {{AnswerTo(r, 0, Bytes(70, 0x11))}};
        // Six bytes: the sequenced drive did not understand the legacy request.
        return {{testing::AnswerWire(FrameForm::Sequenced, r.body[0], 0, r.body[1], 0x82)}};
    });
    EXPECT_EQ(port->DoSendCommand(1, 0x01, nullptr, 0, info, sizeof(info), kShortTimeout), 0);
    EXPECT_FALSE(port->IsLegacyForm());
    EXPECT_EQ(info[69], 0x11);
}

TEST_F(TransportTest, ConcurrentCallersNeverInterleaveFrames) {
    Open(Sequence({Act::Good}, {0, 0, 0, 0}));
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                if (Status(static_cast<uint8_t>(t)) != 0) ++failures;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(responder->RequestCount(), 100u);
}

}  // namespace
}  // namespace tarsel

namespace tarsel {
namespace {

TEST(TransportPorts, PortNumbersResolveThroughThePortsDirectory) {
    const std::string dir = ::testing::TempDir() + "tarsel-ports-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    ::setenv("TARSEL_PORTS_DIR", dir.c_str(), 1);
    testing::PtyResponder responder(
        [](const testing::Request& r) -> std::vector<testing::Reply> { return {{testing::AnswerTo(r, 0)}}; });
    std::filesystem::create_symlink(responder.DevicePath(), dir + "/com42");

    CRs232CB port;
    EXPECT_FALSE(port.OpenPort(43, 115200));
    EXPECT_EQ(port.LastOpenError(), platform::OpenError::NoSuchPort);
    EXPECT_FALSE(port.LastOpenErrorText().empty());
    ASSERT_TRUE(port.OpenPort(42, 115200)) << port.LastOpenErrorText();
    EXPECT_EQ(port.PortNumber(), 42);
    EXPECT_EQ(port.DoSendCommand(1, 0x40, nullptr, 0, nullptr, 0, 50), 0);
    port.ClosePort();
    ::unsetenv("TARSEL_PORTS_DIR");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tarsel
