// The update procedure against a scripted boot ROM: the branches that depend on how a drive
// answers after its restarts and during the erase.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "comm/result_codes.h"
#include "image_files.h"
#include "tools/firmloader/core/update_procedure.h"

namespace tarsel::firmware {
namespace {

using namespace std::chrono_literals;

// A boot ROM whose answers the test decides.  Every call is recorded by frame type.
class ScriptedLink : public BootLink {
public:
    std::function<uint8_t(uint8_t&)> romType = [this](uint8_t& t) {
        t = inBootRom ? 0 : 1;
        return kResultSuccess;
    };
    std::function<uint8_t()> probe = [] { return kResultSuccess; };
    std::function<uint8_t(uint8_t&)> eraseState = [](uint8_t& s) {
        s = 1;
        return kResultSuccess;
    };
    std::function<uint8_t()> erase = [] { return kResultSuccess; };
    std::function<uint8_t()> write = [] { return kResultSuccess; };
    std::atomic<bool> inBootRom{false};

    uint8_t GetSlaveInfo(DriveIdentity& identity) override {
        Record(0x01);
        identity.name = "Boot";
        identity.version = {6, 1, 2, 3};
        return kResultSuccess;
    }
    uint8_t PresenceProbe() override { return Record(0x51), probe(); }
    uint8_t GetRomType(uint8_t& type) override { return Record(0x1B), romType(type); }
    uint8_t GetEraseState(uint8_t& state) override { return Record(0x1A), eraseState(state); }
    uint8_t EraseRom(uint32_t) override { return Record(0x1C), erase(); }
    uint8_t WriteFlash(uint32_t, const uint16_t*, std::size_t) override { return Record(0x1D), write(); }
    uint8_t RebootToBootRom() override {
        Record(0x1E);
        inBootRom = true;
        return kResultSuccess;
    }
    uint8_t RebootToRunRom() override {
        Record(0x1F);
        inBootRom = false;
        return kResultSuccess;
    }

    std::vector<uint8_t> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void ClearCalls() {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

private:
    void Record(uint8_t type) {
        std::lock_guard lock(mutex_);
        calls_.push_back(type);
    }
    std::mutex mutex_;
    std::vector<uint8_t> calls_;
};

ProcedureTimings FastTimings() {
    ProcedureTimings t;
    t.restartWait = 150ms;
    t.eraseWait = 150ms;
    t.afterRestartPause = 0ms;
    t.afterErasePause = 0ms;
    return t;
}

class UpdateProcedureTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string base = dir.File("fw");
        ASSERT_TRUE(testing::WriteImageSet(base, 0x100, testing::PatternWords(100, 1), 0x8000,
                                           testing::PatternWords(40, 2)));
        paths = {base + ".i00", base + ".i01", base + ".i10", base + ".i11"};
    }
    ProcedureSnapshot RunToEnd(UpdateProcedure& procedure) {
        procedure.Start();
        for (int i = 0; i < 500 && procedure.Snapshot().workerRunning; ++i) std::this_thread::sleep_for(10ms);
        return procedure.Snapshot();
    }
    LabelState Label(const ProcedureSnapshot& s, StepLabel l) {
        return s.labels[static_cast<std::size_t>(l)];
    }

    testing::TempDir dir;
    ImagePaths paths;
    ScriptedLink link;
};

TEST_F(UpdateProcedureTest, FullRunFromRunRomWritesEveryRecordAndRecordsTheBootRom) {
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    std::string history;
    procedure.SetHistoryWriter([&](const std::string& text) { history = text; });
    const ProcedureSnapshot s = RunToEnd(procedure);
    EXPECT_TRUE(procedure.Succeeded());
    EXPECT_FALSE(s.messagePending);
    EXPECT_EQ(s.currentStep, Step::Finished);
    for (LabelState state : s.labels) EXPECT_EQ(state, LabelState::Done);
    EXPECT_EQ(s.recordTotal, s.recordCount);
    EXPECT_GT(s.recordCount, 0u);
    EXPECT_EQ(history, "Boot ver 6.1.2.3");
    const std::vector<uint8_t> calls = link.Calls();
    // Type check, restart, three probes and the type, identification, erase, erase state, writes.
    const std::vector<uint8_t> start = {0x1B, 0x1E, 0x51, 0x51, 0x51, 0x1B, 0x01, 0x1C, 0x1A, 0x1D};
    ASSERT_GE(calls.size(), start.size());
    EXPECT_EQ(std::vector<uint8_t>(calls.begin(), calls.begin() + static_cast<long>(start.size())), start);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), 0x1D), static_cast<long>(s.recordTotal));
}

TEST_F(UpdateProcedureTest, ProbesMustAnswerThreeTimesInARowAfterTheRestart) {
    // Answer, answer, silence, then answers: the ROM type is asked only after three in a row.
    std::atomic<int> n{0};
    link.probe = [&] { return ++n == 3 ? kResultTimeout : kResultSuccess; };
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    RunToEnd(procedure);
    EXPECT_TRUE(procedure.Succeeded());
    const std::vector<uint8_t> calls = link.Calls();
    const std::vector<uint8_t> start = {0x1B, 0x1E, 0x51, 0x51, 0x51, 0x51, 0x51, 0x51, 0x1B, 0x01};
    EXPECT_EQ(std::vector<uint8_t>(calls.begin(), calls.begin() + static_cast<long>(start.size())), start);
}

TEST_F(UpdateProcedureTest, DriveAnsweringOnlyTwiceInARowAfterTheRunRomRestartNeedsAPowerCycle) {
    std::atomic<int> n{0};
    link.probe = [&] {
        if (!link.inBootRom) return ++n % 3 == 0 ? kResultTimeout : kResultSuccess;
        return kResultSuccess;
    };
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = RunToEnd(procedure);
    EXPECT_FALSE(procedure.Succeeded());
    EXPECT_EQ(s.currentStep, Step::Abort);
    EXPECT_EQ(s.message.kind, MessageKind::Notice);
    EXPECT_EQ(MessageText(s.message), "Power OFF and ON again to reboot.");
    EXPECT_EQ(Label(s, StepLabel::Reboot), LabelState::Running);
    EXPECT_EQ(Label(s, StepLabel::UpdateRom), LabelState::Done);
}

TEST_F(UpdateProcedureTest, RestartWaitMessagesTellWhatTheDriveDid) {
    struct Case {
        std::function<uint8_t(uint8_t&)> romTypeAfterRestart;
        std::string message;
        MessageKind kind;
    };
    const std::vector<Case> cases = {
        {[](uint8_t& t) { return t = 1, kResultSuccess; },
         "Failed to change to Boot ROM.\nIt's Run ROM connected.", MessageKind::Error},
        {[](uint8_t&) { return kResultCrcFailed; },
         "Checking ROM type was failed.\n\n\tReturn Code : 7[0x07]", MessageKind::Error},
    };
    for (const Case& c : cases) {
        link.inBootRom = false;
        std::atomic<bool> restarted{false};
        link.romType = [&](uint8_t& t) {
            if (!restarted) {
                restarted = true;
                return t = 1, kResultSuccess;
            }
            return c.romTypeAfterRestart(t);
        };
        UpdateProcedure procedure(link, FastTimings());
        procedure.SetImagePaths(paths);
        const ProcedureSnapshot s = RunToEnd(procedure);
        EXPECT_EQ(MessageText(s.message), c.message);
        EXPECT_EQ(s.message.kind, c.kind);
        EXPECT_EQ(Label(s, StepLabel::BootRom), LabelState::Failed);
        EXPECT_EQ(Label(s, StepLabel::Erase), LabelState::Pending);
    }

    // After the restart into the run ROM the drive stays in its boot ROM.
    link.romType = [&](uint8_t& t) { return t = 0, kResultSuccess; };
    link.inBootRom = true;
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = RunToEnd(procedure);
    EXPECT_EQ(MessageText(s.message),
              "Failed to connect Run ROM.\nIt's Boot ROM connected.\n\nPower OFF and ON again to reboot.");
    EXPECT_EQ(s.message.kind, MessageKind::Notice);
    EXPECT_EQ(Label(s, StepLabel::BootRom), LabelState::Skipped);
}

TEST_F(UpdateProcedureTest, FailedCommandsCarryTheirReturnCode) {
    link.inBootRom = true;
    link.romType = [](uint8_t&) { return kResultTimeout; };
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    ProcedureSnapshot s = RunToEnd(procedure);
    EXPECT_EQ(MessageText(s.message), "Checking ROM type was failed.\n\n\tReturn Code : 6[0x06]");
    EXPECT_EQ(Label(s, StepLabel::CheckType), LabelState::Failed);

    link.romType = [](uint8_t& t) { return t = 0, kResultSuccess; };
    link.erase = [] { return uint8_t{0x85}; };
    s = RunToEnd(procedure);
    EXPECT_EQ(MessageText(s.message), "Failed to erase ROM.\n\n\tReturn Code : 133[0x85]");

    link.erase = [] { return kResultSuccess; };
    link.eraseState = [](uint8_t&) { return kResultTimeout; };
    s = RunToEnd(procedure);
    EXPECT_EQ(MessageText(s.message), "Failed to erase ROM. There was no response.");

    link.eraseState = [](uint8_t& st) { return st = 1, kResultSuccess; };
    std::atomic<int> writes{0};
    link.write = [&] { return ++writes == 5 ? kResultCrcFailed : kResultSuccess; };
    s = RunToEnd(procedure);
    EXPECT_EQ(MessageText(s.message),
              "An error occured while writing data to flash.\n\n\tReturn Code : 7[0x07]");
    EXPECT_EQ(s.recordCount, 4u);
    EXPECT_EQ(Label(s, StepLabel::UpdateRom), LabelState::Failed);
    EXPECT_EQ(s.message.kind, MessageKind::Error);
}

TEST_F(UpdateProcedureTest, RefusedImageSetStopsBeforeTheDriveIsTouched) {
    testing::WriteText(paths[1], ":0100000022DD\n:0100050022DD\n");
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = RunToEnd(procedure);
    EXPECT_EQ(s.message.id, MessageId::ImageSetRefused);
    EXPECT_NE(s.message.detail.find("fw.i01"), std::string::npos);
    EXPECT_TRUE(link.Calls().empty());
}

TEST_F(UpdateProcedureTest, StopDuringTheEraseWaitEndsTheWorkerPromptly) {
    link.eraseState = [](uint8_t& st) { return st = 0, kResultSuccess; };
    ProcedureTimings timings = FastTimings();
    timings.eraseWait = 60s;
    UpdateProcedure procedure(link, timings);
    procedure.SetImagePaths(paths);
    procedure.Start();
    while (procedure.Snapshot().currentStep != Step::WaitForErase) std::this_thread::sleep_for(1ms);
    const auto before = std::chrono::steady_clock::now();
    procedure.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_FALSE(procedure.Snapshot().workerRunning);
    EXPECT_FALSE(procedure.Succeeded());
}

}  // namespace
}  // namespace tarsel::firmware
