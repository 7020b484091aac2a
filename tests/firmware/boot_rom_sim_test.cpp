// The whole update through the serial transport against the simulated drive's boot ROM.
#include <gtest/gtest.h>

#include <thread>

#include "comm/CRs232CB.h"
#include "image_files.h"
#include "sim/simulator.h"
#include "tools/firmloader/core/update_procedure.h"

namespace tarsel::firmware {
namespace {

using namespace std::chrono_literals;

constexpr uint8_t kSlave = 3;

class BootRomSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(line.Start());
        words0 = testing::PatternWords(700, 11);
        words1 = testing::PatternWords(130, 12);
        base = dir.File("drive");
        ASSERT_TRUE(testing::WriteImageSet(base, kFirst0, words0, kFirst1, words1));
        paths = {base + ".i00", base + ".i01", base + ".i10", base + ".i11"};
    }
    void AddDrive(bool startInBootRom, sim::BootRomTimings timings = FastBoot(),
                  FrameForm form = FrameForm::Sequenced) {
        sim::DriveConfig config;
        config.slave = kSlave;
        config.modelCode = sim::model::kServo;
        config.startInBootRom = startInBootRom;
        config.boot = timings;
        config.form = form;
        ASSERT_TRUE(line.AddDrive(config));
        ASSERT_TRUE(port.OpenDevice(line.DevicePath(), 7, 115200));
    }
    static sim::BootRomTimings FastBoot() {
        sim::BootRomTimings t;
        t.silenceAfterRestartMs = 60;
        t.eraseDurationMs = 40;
        return t;
    }
    static ProcedureTimings FastTimings() {
        ProcedureTimings t;
        t.restartWait = 1500ms;
        t.eraseWait = 400ms;
        t.afterRestartPause = 10ms;
        t.afterErasePause = 5ms;
        return t;
    }
    ProcedureSnapshot Run(UpdateProcedure& procedure) {
        procedure.Start();
        for (int i = 0; i < 1000 && procedure.Snapshot().workerRunning; ++i)
            std::this_thread::sleep_for(10ms);
        return procedure.Snapshot();
    }
    std::vector<uint8_t> FrameTypes() {
        std::vector<uint8_t> types;
        for (const sim::RequestRecord& r : line.RequestLog()) types.push_back(r.frameType);
        return types;
    }

    static constexpr uint32_t kFirst0 = 0x10FF80;  // crosses a 64 Ki boundary above 1 MiB
    static constexpr uint32_t kFirst1 = 0x200000;
    testing::TempDir dir;
    std::string base;
    ImagePaths paths;
    std::vector<uint16_t> words0, words1;
    sim::SimLine line;
    CRs232CB port{TransportConfig::FirmwareWriter()};
};

TEST_F(BootRomSimTest, FullUpdateLeavesExactlyTheImageWordsInFlashAndTheRunRomRunning) {
    AddDrive(false);
    TransportBootLink link(port, kSlave);
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    std::string history;
    procedure.SetHistoryWriter([&](const std::string& text) { history = text; });
    const ProcedureSnapshot s = Run(procedure);
    ASSERT_TRUE(procedure.Succeeded()) << MessageText(s.message);
    for (LabelState state : s.labels) EXPECT_EQ(state, LabelState::Done);

    const auto flash = line.GetFlashImage(kSlave);
    ASSERT_TRUE(flash.has_value());
    const std::map<uint32_t, uint16_t> expected = testing::ExpectedFlash(kFirst0, words0, kFirst1, words1);
    const std::map<uint32_t, uint16_t> written(flash->begin(), flash->end());
    EXPECT_EQ(written, expected);
    EXPECT_FALSE(line.IsInBootRom(kSlave));
    EXPECT_NE(history.find(" ver "), std::string::npos);
    EXPECT_EQ(s.recordCount, s.recordTotal);
}

TEST_F(BootRomSimTest, LegacyFormDriveIsUpdatedToo) {
    AddDrive(false, FastBoot(), FrameForm::Legacy);
    TransportBootLink link(port, kSlave);
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = Run(procedure);
    ASSERT_TRUE(procedure.Succeeded()) << MessageText(s.message);
    EXPECT_EQ(line.GetFlashImage(kSlave)->size(), words0.size() + words1.size());
    EXPECT_TRUE(port.IsLegacyForm());
}

TEST_F(BootRomSimTest, DriveAlreadyInBootRomSkipsTheRestart) {
    AddDrive(true);
    TransportBootLink link(port, kSlave);
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = Run(procedure);
    ASSERT_TRUE(procedure.Succeeded()) << MessageText(s.message);
    EXPECT_EQ(s.labels[static_cast<std::size_t>(StepLabel::BootRom)], LabelState::Skipped);
    EXPECT_EQ(LabelColour(LabelState::Skipped), (Rgb{1, 176, 1}));
    const std::vector<uint8_t> types = FrameTypes();
    EXPECT_EQ(std::count(types.begin(), types.end(), 0x1E), 0);
    EXPECT_FALSE(line.IsInBootRom(kSlave));
}

TEST_F(BootRomSimTest, DriveSilentAfterTheRestartGivesNoResponse) {
    sim::BootRomTimings timings = FastBoot();
    timings.silenceAfterRestartMs = 600'000;
    AddDrive(false, timings);
    TransportBootLink link(port, kSlave);
    ProcedureTimings limits = FastTimings();
    limits.restartWait = 300ms;
    UpdateProcedure procedure(link, limits);
    procedure.SetImagePaths(paths);
    const ProcedureSnapshot s = Run(procedure);
    EXPECT_EQ(MessageText(s.message), "Failed to connect to driver. There was no response.");
    EXPECT_EQ(s.message.kind, MessageKind::Error);
    EXPECT_EQ(s.labels[static_cast<std::size_t>(StepLabel::BootRom)], LabelState::Failed);
    EXPECT_TRUE(line.GetFlashImage(kSlave)->empty());
}

TEST_F(BootRomSimTest, EraseThatNeverCompletesFailsAndTheRetryStartsWithTheRomTypeCheck) {
    sim::BootRomTimings timings = FastBoot();
    timings.eraseDurationMs = 600'000;
    AddDrive(false, timings);
    TransportBootLink link(port, kSlave);
    UpdateProcedure procedure(link, FastTimings());
    procedure.SetImagePaths(paths);
    ProcedureSnapshot s = Run(procedure);
    EXPECT_EQ(MessageText(s.message), "Failed to erase ROM. ROM was not erased.");
    EXPECT_EQ(s.labels[static_cast<std::size_t>(StepLabel::Erase)], LabelState::Failed);
    EXPECT_TRUE(line.IsInBootRom(kSlave));

    // The retry finds the drive in its boot ROM: ROM type first, no restart, and the erase
    // completes this time.
    sim::BootRomTimings quick = FastBoot();
    ASSERT_TRUE(line.SetBootRomTimings(kSlave, quick));
    line.ClearRequestLog();
    s = Run(procedure);
    ASSERT_TRUE(procedure.Succeeded()) << MessageText(s.message);
    const std::vector<uint8_t> types = FrameTypes();
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(types.front(), 0x1B);
    EXPECT_EQ(std::count(types.begin(), types.end(), 0x1E), 0);
    EXPECT_EQ(s.labels[static_cast<std::size_t>(StepLabel::BootRom)], LabelState::Skipped);
}

}  // namespace
}  // namespace tarsel::firmware
