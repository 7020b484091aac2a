// Board operations against simulated drives: the command pattern with its log line and failure
// report, parameter and I/O couplings, the position table and the repeat run.
#include <thread>

#include "gui/model/board/board_classes.h"
#include "model_fixture.h"

namespace tarsel::test {
namespace {

using sim::model::kMotionController2;
using sim::model::kServo;
using sim::model::kStepper;

class BoardTest : public ModelTest {
protected:
    std::shared_ptr<CBoardInterface> Connect(uint16_t model, uint8_t slave = 1) {
        PortOptions quiet;
        quiet.pollPeriod = std::chrono::hours(1);  // no polling traffic in the request log
        master_.SetPortOptions(quiet);
        EXPECT_EQ(ConnectWith({Drive(slave, model)}), CCommMaster::kConnected);
        auto board = master_.GetBoard(port_, slave);
        EXPECT_NE(board, nullptr);
        return board;
    }
};

TEST_F(BoardTest, ParameterWriteLogsPostsAndSkipsAnUnchangedValue) {
    auto board = Connect(kServo);
    ASSERT_TRUE(board->ReadAllParameters());
    const int32_t old = board->GetParameterValue(17);
    sink_.Clear();
    ASSERT_TRUE(board->SetParameter(17, old + 5));
    EXPECT_EQ(line_.GetParameter(1, 17), old + 5);
    EXPECT_EQ(board->GetParameterRecord(17)->modified, 1u);
    const auto lines = sink_.Of(kMsgCommandLine);
    ASSERT_EQ(lines.size(), 1u);
    char expected[128];
    std::snprintf(expected, sizeof expected, "ZEL_SetParameter(%d, 1, 17, %d); Return : 0x00", port_,
                  old + 5);
    EXPECT_EQ(lines[0].text, expected);
    const auto changed = sink_.Of(kMsgParameterChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].wParam, 1u);
    EXPECT_EQ(changed[0].lParam, 17);

    line_.ClearRequestLog();
    EXPECT_TRUE(board->SetParameter(17, old + 5));
    EXPECT_TRUE(line_.RequestLog().empty());
    EXPECT_FALSE(board->SetParameter(board->GetParameterCount(), 1));
}

TEST_F(BoardTest, TimeoutOffersRetryAndRepeatsTheCommand) {
    auto board = Connect(kServo);
    sim::FaultSpec drop;
    drop.kind = sim::FaultKind::DropRequest;
    drop.count = 3;  // one whole transaction
    line_.InjectFault(drop, 1);
    reporter_.Answer(BoxAnswer::Retry);
    EXPECT_TRUE(board->SaveAllParameters());
    auto boxes = reporter_.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].retryCancel);
    EXPECT_EQ(boxes[0].title, "Communication Error");
    EXPECT_NE(boxes[0].text.find("ZEL_SaveAllParameters"), std::string::npos);
    EXPECT_EQ(sink_.Of(kMsgCommandLine).size(), 2u);  // one line per attempt

    line_.InjectFault(drop, 1);  // Cancel ends it
    EXPECT_FALSE(board->SaveAllParameters());
    EXPECT_EQ(reporter_.Boxes().size(), 2u);
}

TEST_F(BoardTest, CommandSupportIsProbed) {
    auto board = Connect(kServo);
    EXPECT_FALSE(board->IsCommandSupported(0x0B));  // a servo has no step current
    EXPECT_TRUE(board->IsCommandSupported(0x2E));
    EXPECT_TRUE(board->IsCommandSupported(0x12));  // not probed
}

TEST_F(BoardTest, LimitLevelWriteRereadsTheLimitPins) {
    auto board = Connect(kServo);
    ASSERT_TRUE(board->ReadAllParameters());
    ASSERT_TRUE(board->ReadIOAssignMaps());
    const uint8_t limitParam = board->TypeInfo().limitParam;
    const int32_t level = board->GetParameterValue(limitParam);
    line_.ClearRequestLog();
    sink_.Clear();
    ASSERT_TRUE(board->SetParameter(limitParam, level ? 0 : 1));

    std::vector<uint8_t> reread;
    for (const auto& r : line_.RequestLog()) {
        if (r.frameType == 0x27) reread.push_back(r.data.at(0));
    }
    EXPECT_EQ(reread, (std::vector<uint8_t>{0, 1}));  // the pins of "Limit +" and "Limit -"
    const CIOInfo io = board->GetIOInfo();
    EXPECT_EQ(io.input.Record(1)->changed, 1u);
    EXPECT_EQ(io.input.Record(2)->changed, 1u);
    EXPECT_EQ(io.input.Record(3)->changed, 0u);
    EXPECT_EQ(io.input.Record(1)->level, level ? 0u : 1u);
    const auto levels = sink_.Of(kMsgIoLevelChanged);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].lParam, PinParam(0, false));
    EXPECT_EQ(levels[1].lParam, PinParam(1, false));
}

TEST_F(BoardTest, PinLevelChangeReadsTheTiedParameterBack) {
    auto board = Connect(kServo);
    ASSERT_TRUE(board->ReadAllParameters());
    ASSERT_TRUE(board->ReadIOAssignMaps());
    const uint8_t origin = board->TypeInfo().originParam;
    const int32_t before = board->GetParameterValue(origin);
    sink_.Clear();
    ASSERT_TRUE(board->SetInputPinLevel(2, before ? 0 : 1));
    EXPECT_EQ(board->GetParameterValue(origin), before ? 0 : 1);  // the drive keeps both in step
    EXPECT_EQ(sink_.Of(kMsgIoLevelChanged).size(), 1u);
    const auto params = sink_.Of(kMsgParameterChanged);
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(params[0].lParam, origin);
}

TEST_F(BoardTest, AssigningASignalCarriedByAnotherPinSendsNothing) {
    auto board = Connect(kServo);
    ASSERT_TRUE(board->ReadIOAssignMaps());
    CIOInfo io = board->GetIOInfo();
    const uint8_t fixed = io.input.FixedCount();
    ASSERT_GT(io.input.PinCount(), fixed + 1);
    // Give pin `fixed` a signal, then try to put the same signal on the next pin.
    const uint8_t signal = io.input.SignalOnPin(fixed) ? io.input.SignalOnPin(fixed) : 20;
    ASSERT_TRUE(board->AssignInputPin(fixed, signal));
    line_.ClearRequestLog();
    sink_.Clear();
    EXPECT_FALSE(board->AssignInputPin(fixed + 1, signal));
    EXPECT_FALSE(board->AssignInputPinEx(fixed + 1, signal, 1));
    EXPECT_TRUE(line_.RequestLog().empty());
    EXPECT_TRUE(sink_.Messages().empty());

    // Clearing the pin frees the signal for the other one.
    ASSERT_TRUE(board->AssignInputPin(fixed, 0));
    ASSERT_TRUE(board->AssignInputPin(fixed + 1, signal));
    io = board->GetIOInfo();
    EXPECT_EQ(io.input.SignalOnPin(fixed), 0);
    EXPECT_EQ(io.input.Record(signal)->pin, fixed + 1u);
    EXPECT_EQ(line_.GetInputAssignment(1, fixed + 1)->first, signal);
    EXPECT_EQ(sink_.Of(kMsgIoAssignChanged).size(), 2u);
    EXPECT_FALSE(board->AssignInputPin(io.input.PinCount(), 0));
}

TEST_F(BoardTest, EmptyPositionTableItemIsCachedWithTen) {
    auto board = Connect(kServo);
    std::array<uint8_t, 64> item{};
    item[0] = 100;
    item[16] = 1;
    ASSERT_TRUE(line_.SetTableItem(1, 1, item));
    line_.ClearRequestLog();
    ASSERT_TRUE(board->ReadPosTable());
    EXPECT_EQ(CountRequests(line_, 1, 0x65), 1u);
    EXPECT_EQ(CountRequests(line_, 1, 0x60), 1u);  // only the item that holds data
    EXPECT_EQ(*board->GetPosTableItem(1), item);
    const auto empty = *board->GetPosTableItem(0);
    EXPECT_EQ(empty[16], 10);
    EXPECT_EQ(empty[17], 0);
    EXPECT_FALSE(board->GetPosTableItem(board->GetPosTableItemCount()).has_value());
}

TEST_F(BoardTest, WrittenItemIsCachedLoggedAndAnnounced) {
    auto board = Connect(kServo);
    PosTableItem item;
    item.fill(0);
    item[0] = 0xE8, item[1] = 0x03;  // position 1000
    item[16] = 3;
    sink_.Clear();
    ASSERT_TRUE(board->WritePosTableItem(4, item, true));
    EXPECT_EQ(*board->GetPosTableItem(4), item);
    EXPECT_EQ(*line_.GetTableItem(1, 4), item);
    const auto lines = sink_.Of(kMsgCommandLine);
    ASSERT_EQ(lines.size(), 1u);
    char expected[200];
    std::snprintf(expected, sizeof expected,
                  "ZEL_PosTableWriteItem(%d, 1, 4, [1000, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0]); "
                  "Return : 0x00",
                  port_);
    EXPECT_EQ(lines[0].text, expected);
    const auto written = sink_.Of(kMsgPosItemWritten);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].lParam, 4);
    EXPECT_FALSE(board->WritePosTableItem(board->GetPosTableItemCount(), item, true));
}

TEST_F(BoardTest, RepeatRunWithCountZeroRunsUntilStopped) {
    auto board = std::dynamic_pointer_cast<CBoardDorrinTevra>(Connect(kServo));
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->ServoEnable(true));
    std::atomic<uint32_t> cycles{0};
    RepeatInputs in;
    in.positions = {0, 2000, 0};
    in.speed = 200000;
    in.repeatCount = 0;
    bool result = false;
    std::thread worker([&] { result = board->RunRepeat([&] { return in; }, &cycles, nullptr); });
    ASSERT_TRUE(WaitUntil([&] { return cycles.load() >= 3; }, std::chrono::seconds(30)));
    EXPECT_TRUE(board->IsRepeatRunning());
    board->StopRepeat();
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_FALSE(board->IsRepeatRunning());
}

TEST_F(BoardTest, RepeatRunWithCountThreeEndsAtTheFirstPosition) {
    auto board = std::dynamic_pointer_cast<CBoardDorrinTevra>(Connect(kServo));
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->ServoEnable(true));
    board->repeatPosition1 = 500;
    board->repeatPosition2 = 3000;
    board->repeatPosition3 = -1000;
    board->repeatUseThird = true;
    board->repeatSpeed = 200000;
    board->repeatCount = 3;
    std::atomic<uint32_t> cycles{0};
    std::atomic<uint64_t> start{0};
    EXPECT_TRUE(board->RunRepeat(&cycles, &start));
    EXPECT_EQ(cycles.load(), 3u);
    EXPECT_GT(start.load(), 0u);
    EXPECT_EQ(line_.GetAxisState(1)->commandPosition, 500);
    EXPECT_FALSE(board->IsRepeatRunning());
}

TEST_F(BoardTest, StopSignalsInTheInputWordStopTheRepeatRun) {
    auto board = std::dynamic_pointer_cast<CBoardDorrinTevra>(Connect(kServo));
    ASSERT_NE(board, nullptr);
    ASSERT_TRUE(board->SetIOInput(1ull << 13, 0));
    EXPECT_TRUE(board->IsRepeatStopped());
    ASSERT_TRUE(board->SetIOInput(0, 1ull << 13));
    ASSERT_TRUE(board->ServoEnable(true));
    ASSERT_TRUE(board->MoveSingleAxisIncPos(10, 1000, true));  // a motion command clears it
    EXPECT_FALSE(board->IsRepeatStopped());
}

TEST_F(BoardTest, ServoResolutionZeroShowsTheDrivesOwnNumber) {
    auto config = Drive(1, kServo);
    config.driveWord = 4096;
    PortOptions quiet;
    quiet.pollPeriod = std::chrono::hours(1);
    master_.SetPortOptions(quiet);
    ASSERT_EQ(ConnectWith({config}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    EXPECT_EQ(board->GetParamValueText(0, 0), "4096");
    EXPECT_EQ(board->GetParamValueText(0, 2), "1000");
    EXPECT_EQ(board->GetParamValueText(26, 9), "Accurate1");
    EXPECT_EQ(board->GetParamValueText(16, 1), "High Active");
    EXPECT_EQ(board->GetParamValueText(16, 2), std::nullopt);
    EXPECT_EQ(board->GetParamValueText(5, 0), std::nullopt);
}

TEST(BoardTypes, LabelsUserOutputsAndEnumeratedTexts) {
    EXPECT_EQ(TypeInfo(1).inputLabels.size(), 35u);
    EXPECT_EQ(TypeInfo(10).inputLabels.size(), 32u);
    EXPECT_EQ(TypeInfo(30).outputLabels.size(), 25u);
    EXPECT_EQ(TypeInfo(20).outputLabels.at(3), "Run/Stop");
    EXPECT_EQ(TypeInfo(30).inputLabels.at(3), "Reserved");
    EXPECT_EQ(TypeInfo(40).outputLabels.at(15), "PT OUT 3");
    EXPECT_EQ(TypeInfo(110).inputLabels.at(10), "Reserved");
    EXPECT_EQ(TypeInfo(77).typeCode, 1);  // unknown codes are servos
    EXPECT_EQ(EnumeratedText(ValueTexts::Origin5, 4), "Torque Z Origin");
    EXPECT_EQ(EnumeratedText(ValueTexts::Origin3, 4), "");
    EXPECT_EQ(EnumeratedText(ValueTexts::StepResolution, 15), "50000");
}

TEST(StepVersion, WordsOfTheVersionText) {
    int variant = -1;
    EXPECT_TRUE(ParseStepVersion("pellin BIPOLAR version 3 1 x", variant));
    EXPECT_EQ(variant, 1);
    EXPECT_TRUE(ParseStepVersion("Pellin Bipolar Version/2.0\r\n7", variant));
    EXPECT_EQ(variant, 0);
    EXPECT_FALSE(ParseStepVersion("Pellin Bipolar Version 3 1", variant));  // no sixth word
    EXPECT_FALSE(ParseStepVersion("Pellin Unipolar Version 3 1 x", variant));
    EXPECT_FALSE(ParseStepVersion("Pellin Bipolar Version 3 2 x", variant));
}

TEST_F(BoardTest, StepVersionCheckReadsTheVariantOfTheSimulatedStepper) {
    PortOptions quiet;
    quiet.pollPeriod = std::chrono::hours(1);
    master_.SetPortOptions(quiet);
    sim::DriveConfig first = Drive(3, kStepper);
    first.version = {8, 1, 0, 0};  // a minor version that could pass for a variant
    sim::DriveConfig second = first;
    second.slave = 4;
    second.stepperVariant = 1;
    ASSERT_EQ(ConnectWith({first, second}), CCommMaster::kConnected);
    for (const auto& [slave, expected] : {std::pair{3, 0}, std::pair{4, 1}}) {
        auto board = std::dynamic_pointer_cast<CBoardPellinTevra>(master_.GetBoard(port_, slave));
        ASSERT_NE(board, nullptr);
        int variant = -1;
        EXPECT_TRUE(board->CheckStepVersion(variant)) << "slave " << slave;
        EXPECT_EQ(variant, expected) << "slave " << slave;
    }
}

}  // namespace
}  // namespace tarsel::test
