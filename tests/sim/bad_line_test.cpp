// Lines that misbehave the way real ones do: adapters that echo, stray bytes, noise, failures of
// changing kinds, and answers cut, doubled or split.  The transport must never accept a wrong
// value and every call must end within its bound.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "comm/result_codes.h"
#include "tests/sim/sim_fixture.h"

namespace tarsel::sim::testing {
namespace {

using Clock = std::chrono::steady_clock;

constexpr uint8_t kGetParameter = 0x13;
constexpr uint8_t kSetCommandPosition = 0x50;
constexpr uint8_t kMovePause = 0x58;

class BadLineTest : public SimLineTest {
protected:
    // Parameter read through the transport; the value is left at -1 when nothing was accepted.
    uint8_t ReadParameter(uint8_t slave, uint8_t number, int32_t& value, uint32_t timeoutMs = 100) {
        Bytes answer;
        const uint8_t rc = Send(slave, kGetParameter, {number}, &answer, 4, timeoutMs);
        value = rc == kResultSuccess ? GetS32(answer.data()) : -1;
        return rc;
    }

    std::size_t RequestsLogged() { return line.RequestLog().size(); }
};

struct EchoCase {
    const char* name;
    TransportConfig config;
};

void PrintTo(const EchoCase& c, std::ostream* os) {
    *os << c.name;
}

class EchoTest : public BadLineTest, public ::testing::WithParamInterface<EchoCase> {};

TEST_P(EchoTest, EchoedRequestsAreNeverTakenForTheAnswer) {
    StartLine({Drive(1, model::kServo)}, GetParam().config);
    ASSERT_TRUE(line.SetParameter(1, 22, 9));
    ASSERT_TRUE(line.SetParameter(1, 0, 1234));
    line.InjectFault({FaultKind::Echo});

    // The echo of a read of parameter n looks like a status-only answer with status n.
    int32_t value = 0;
    EXPECT_EQ(ReadParameter(1, 22, value), kResultSuccess);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(ReadParameter(1, 0, value), kResultSuccess);
    EXPECT_EQ(value, 1234);

    // The echo of a position write of 261 (05 01 00 00) reads as status 5 and would close the port.
    EXPECT_EQ(Send(1, kSetCommandPosition, U32(261)), kResultSuccess);
    EXPECT_EQ(line.GetAxisState(1)->commandPosition, 261);
    EXPECT_TRUE(port->IsOpen());

    // A one-byte command with the value 0 is answered by a frame equal to its request; on a port
    // seen echoing, the first such frame is the echo and the drive's answer follows it.
    const std::size_t before = line.RequestLog().size();
    EXPECT_EQ(Send(1, kMovePause, {0}), kResultSuccess);
    EXPECT_EQ(line.RequestLog().size() - before, 1u);
    EXPECT_EQ(ReadParameter(1, 22, value), kResultSuccess);
    EXPECT_EQ(value, 9);

    // Nobody at slave 4: only the echo comes back, and that is no answer.
    EXPECT_EQ(ReadParameter(4, 22, value, 30), kResultTimeout);
}

INSTANTIATE_TEST_SUITE_P(EveryTransport, EchoTest,
                         ::testing::Values(EchoCase{"Library", TransportConfig::Library()},
                                           EchoCase{"Gui", TransportConfig::Gui()},
                                           EchoCase{"SlaveIdTool", TransportConfig::SlaveIdTool()},
                                           EchoCase{"FirmwareWriter", TransportConfig::FirmwareWriter()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BadLineTest, StrayEscapeBytesBeforeTheHeaderDoNotCostTheAnswer) {
    StartLine({Drive(1, model::kServo)});
    ASSERT_TRUE(line.SetParameter(1, 22, 9));
    const std::vector<Bytes> strays = {{0xAA}, {0xAA, 0xAA}, {0x12, 0xAA}, {0xAA, 0x12, 0xAA}};
    for (const Bytes& stray : strays) {
        line.ClearFaults();
        FaultSpec fault{FaultKind::StrayBytes};
        fault.bytes = stray;
        line.InjectFault(fault, 1);
        const std::size_t before = RequestsLogged();
        int32_t value = 0;
        EXPECT_EQ(ReadParameter(1, 22, value), kResultSuccess) << stray.size() << " stray bytes";
        EXPECT_EQ(value, 9);
        EXPECT_EQ(RequestsLogged() - before, 1u) << "the first answer was taken";
    }
}

TEST_F(BadLineTest, NoiseOnTheLineDoesNotKeepACallToASilentSlaveAlive) {
    StartLine({Drive(1, model::kServo)});
    std::atomic<bool> stop{false};
    std::thread noise([&] {
        // A byte of noise every 40 ms, for longer than the call may take.
        const auto end = Clock::now() + std::chrono::seconds(4);
        while (!stop && Clock::now() < end) {
            line.SendRaw({0x55});
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
        }
    });
    const auto start = Clock::now();
    int32_t value = 0;
    const uint8_t rc = ReadParameter(3, 22, value, 100);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    stop = true;
    noise.join();
    EXPECT_EQ(rc, kResultTimeout);
    const uint32_t limit = CRs232CB::TransactionLimitMs(100, false, 115200);
    EXPECT_LE(took.count(), limit + 150) << "limit " << limit << " ms";
    EXPECT_GE(took.count(), 300) << "the per-byte rule still holds until the limit";
}

TEST_F(BadLineTest, FailuresOfChangingKindsEndAfterTheAttemptCap) {
    StartLine({Drive(1, model::kServo)});
    // Every answer that leaves is corrupted, and about half of the requests are lost: the kind
    // of failure changes often, which restarts the attempt counter.
    line.SetFaultSeed(12);
    line.InjectFault({FaultKind::CorruptCrc});
    FaultSpec lost{FaultKind::DropRequest};
    lost.rate = 0.5;
    line.InjectFault(lost);
    const int cap = CRs232CB::AttemptCap(false);
    const uint32_t limit = CRs232CB::TransactionLimitMs(30, false, 115200);
    for (int call = 0; call < 30; ++call) {
        const auto start = Clock::now();
        int32_t value = 0;
        const uint8_t rc = ReadParameter(1, 22, value, 30);
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
        EXPECT_TRUE(rc == kResultTimeout || rc == kResultCrcFailed) << int{rc};
        EXPECT_LE(took.count(), limit + 100) << "call " << call;
        // The requests of this call carry its sync number; the line may still be reading the
        // last of them.
        const uint8_t sync = port->SyncCounter(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::vector<RequestRecord> log = line.RequestLog();
        const auto requests =
            std::count_if(log.begin(), log.end(), [&](const RequestRecord& r) { return r.sync == sync; });
        EXPECT_LE(requests, cap) << "call " << call;
    }
}

struct AnswerFaultCase {
    const char* name;
    FaultSpec fault;
    uint32_t timeoutMs;
    uint8_t result;
};

void PrintTo(const AnswerFaultCase& c, std::ostream* os) {
    *os << c.name;
}

FaultSpec Fault(FaultKind kind, uint32_t count = 0, uint32_t pauseMs = 30) {
    FaultSpec spec{kind, count};
    spec.pauseMs = pauseMs;
    return spec;
}

class AnswerFaultTest : public BadLineTest, public ::testing::WithParamInterface<AnswerFaultCase> {};

TEST_P(AnswerFaultTest, ResultAndNoWrongValue) {
    const AnswerFaultCase& c = GetParam();
    StartLine({Drive(1, model::kServo)});
    ASSERT_TRUE(line.SetParameter(1, 22, 9));
    line.InjectFault(c.fault, 1);
    int32_t value = 0;
    EXPECT_EQ(ReadParameter(1, 22, value, c.timeoutMs), c.result);
    if (c.result == kResultSuccess) {
        EXPECT_EQ(value, 9);
    }
    // Whatever is left on the line is skipped by the next call.
    line.ClearFaults();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    ASSERT_TRUE(line.SetParameter(1, 22, 10));
    EXPECT_EQ(ReadParameter(1, 22, value), kResultSuccess);
    EXPECT_EQ(value, 10);
}

INSTANTIATE_TEST_SUITE_P(
    Simulator, AnswerFaultTest,
    ::testing::Values(AnswerFaultCase{"TruncatedAlways", Fault(FaultKind::Truncate), 30, kResultTimeout},
                      AnswerFaultCase{"TruncatedOnce", Fault(FaultKind::Truncate, 1), 30, kResultSuccess},
                      AnswerFaultCase{"Duplicated", Fault(FaultKind::Duplicate), 100, kResultSuccess},
                      AnswerFaultCase{"SplitShortPause", Fault(FaultKind::Split, 0, 20), 100, kResultSuccess},
                      AnswerFaultCase{"SplitPauseBeyondTimeout", Fault(FaultKind::Split, 0, 50), 20,
                                      kResultTimeout},
                      AnswerFaultCase{"EchoOnce", Fault(FaultKind::Echo, 1), 100, kResultSuccess}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BadLineTest, FaultRateHitsAShareOfTheRequests) {
    StartLine({Drive(1, model::kServo)});
    line.SetFaultSeed(7);
    FaultSpec never{FaultKind::DropRequest};
    never.rate = 0.0;
    line.InjectFault(never, 1);
    int32_t value = 0;
    for (int i = 0; i < 20; ++i) ASSERT_EQ(ReadParameter(1, 22, value, 20), kResultSuccess);
    EXPECT_EQ(RequestsLogged(), 20u) << "rate 0 never hits";

    line.ClearFaults();
    FaultSpec some{FaultKind::DropRequest};
    some.rate = 0.25;
    line.InjectFault(some, 1);
    line.ClearRequestLog();
    for (int i = 0; i < 100; ++i) ReadParameter(1, 22, value, 20);
    const std::vector<RequestRecord> log = line.RequestLog();
    const auto lost =
        std::count_if(log.begin(), log.end(), [](const RequestRecord& r) { return !r.answered; });
    const double share = static_cast<double>(lost) / static_cast<double>(log.size());
    EXPECT_GT(share, 0.15);
    EXPECT_LT(share, 0.35);
}

}  // namespace
}  // namespace tarsel::sim::testing
