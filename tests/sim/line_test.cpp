// The line: addressing, frame forms, the slave-number change, faults and the hang-up.
#include <unistd.h>

#include "comm/result_codes.h"
#include "tests/sim/sim_fixture.h"

namespace tarsel::sim::testing {
namespace {

TEST_F(SimLineTest, SlaveNumberChangeMovesTheDrive) {
    StartLine({Drive(3, model::kServo), Drive(5, model::kStepper)});
    EXPECT_EQ(Send(3, 0x08, {5, 4}, nullptr, 0, 2000), kStatusDataError) << "5 is taken";
    EXPECT_EQ(Send(3, 0x08, {7, 3}, nullptr, 0, 2000), kStatusDataError) << "the constant must be 4";
    ASSERT_EQ(Send(3, 0x08, {7, 4}, nullptr, 0, 2000), 0);
    Bytes info;
    EXPECT_EQ(Send(3, 0x01, {}, &info, 70, 20), kResultTimeout);
    ASSERT_EQ(Send(7, 0x01, {}, &info, 70), 0);
    EXPECT_EQ(GetU16(info.data() + 38), model::kServo);
    EXPECT_EQ(line.Slaves(), (std::vector<uint8_t>{5, 7}));
}

TEST_F(SimLineTest, SlaveInformationRecordCarriesTheConfiguration) {
    DriveConfig c = Drive(2, model::kAbsServo);
    c.version = {7, 2, 3, 4};
    c.firmwareType = 1;
    c.motorNumber = 42;
    c.motorName = "MOTOR-A";
    c.tableSize = 128;
    StartLine({c, Drive(9, 999)});
    Bytes info;
    ASSERT_EQ(Send(2, 0x01, {}, &info, 70), 0);
    EXPECT_EQ(GetU16(info.data()), 7);
    EXPECT_EQ(GetU16(info.data() + 6), 4);
    EXPECT_STREQ(reinterpret_cast<const char*>(info.data() + 8), "Dorrin Tevra Abs.");
    EXPECT_EQ(GetU16(info.data() + 38), model::kAbsServo);
    EXPECT_EQ(GetU16(info.data() + 40), 42);
    EXPECT_STREQ(reinterpret_cast<const char*>(info.data() + 42), "MOTOR-A");
    EXPECT_EQ(GetU16(info.data() + 62), 9);
    EXPECT_EQ(GetU16(info.data() + 64), 9);
    EXPECT_EQ(GetU16(info.data() + 66), 128);
    EXPECT_EQ(GetU16(info.data() + 68), 1);
    // An unknown model code answers with its own code and behaves like the servo drive.
    ASSERT_EQ(Send(9, 0x01, {}, &info, 70), 0);
    EXPECT_EQ(GetU16(info.data() + 38), 999);
    EXPECT_EQ(Send(9, 0x06, {}, &info, 2), 0);
}

TEST_F(SimLineTest, LegacyDriveAnswersInItsFormAndWithTheLegacyText) {
    DriveConfig c = Drive(1, model::kStepper);
    c.form = FrameForm::Legacy;
    c.version = {2, 3, 1, 0};
    c.name = "Pell";
    StartLine({c}, TransportConfig::Gui());
    Bytes text(70);
    // The first attempt in the sequenced form gets a legacy answer; the port falls back.
    ASSERT_EQ(port->DoSendCommandAuto(1, 0x01, nullptr, 0, text.data(), 70, 50, true), 0);
    EXPECT_TRUE(port->IsLegacyForm());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text.data()), 13), "\x14Pell(V2.3.1)");
    EXPECT_EQ(text[13], 0);
    Bytes status(4);
    ASSERT_EQ(port->DoSendCommandAuto(1, 0x40, nullptr, 0, status.data(), 4, 100), 0);
    EXPECT_EQ(LastRecord(1, 0x40).form, FrameForm::Legacy);
}

TEST_F(SimLineTest, StepperVersionTextNamesItsVariantForTheBoardCheck) {
    DriveConfig variant1 = Drive(2, model::kStepper);
    variant1.stepperVariant = 1;
    StartLine({Drive(1, model::kStepper), variant1});
    for (uint8_t slave : {1, 2}) {
        Bytes text;
        ASSERT_EQ(Send(slave, 0x0D, {}, &text, 247), 0);
        // Words split at blanks, tabs, line ends, "." and "/": Pellin Bipolar Version x <variant> y.
        std::vector<std::string> words;
        std::string word;
        for (char c : std::string(reinterpret_cast<const char*>(text.data()))) {
            if (std::string(" \t\r\n./").find(c) != std::string::npos) {
                if (!word.empty()) words.push_back(word);
                word.clear();
            } else {
                word.push_back(c);
            }
        }
        if (!word.empty()) words.push_back(word);
        ASSERT_GE(words.size(), 6u);
        EXPECT_EQ(words[0], "Pellin");
        EXPECT_EQ(words[1], "Bipolar");
        EXPECT_EQ(words[2], "Version");
        EXPECT_EQ(words[4], slave == 1 ? "0" : "1");
    }
}

TEST_F(SimLineTest, SequencedDriveLetsALegacyPortSwitchBack) {
    StartLine({Drive(1, model::kServo)}, TransportConfig::Gui());
    port->SetLegacyForm(true);
    Bytes info(70);
    // The legacy request is too short for the drive: its packet-error answer turns the port round.
    ASSERT_EQ(port->DoSendCommandAuto(1, 0x01, nullptr, 0, info.data(), 70, 50, true), 0);
    EXPECT_FALSE(port->IsLegacyForm());
    EXPECT_EQ(GetU16(info.data() + 38), model::kServo);
}

TEST_F(SimLineTest, RequestWithBadCrcIsAnsweredWithStatusAA) {
    StartLine({Drive(1, model::kServo)});
    const uint8_t wire[] = {0xAA, 0xCC, 0x01, 0xF1, 0x40, 0x00, 0x00, 0xAA, 0xEE};
    ASSERT_TRUE(port->WriteRaw(wire, sizeof(wire)));
    FrameReceiver receiver;
    bool complete = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!complete && std::chrono::steady_clock::now() < end) {
        uint8_t byte;
        if (port->ReadCommOneByte(byte)) complete = receiver.Feed(byte) == FrameReceiver::Event::Complete;
    }
    ASSERT_TRUE(complete);
    ASSERT_EQ(receiver.EventCount(), 6u);
    EXPECT_EQ(receiver.Data()[0], 1);
    EXPECT_EQ(receiver.Data()[1], 0xF1);
    EXPECT_EQ(receiver.Data()[3], kStatusRequestCrcError);
    EXPECT_TRUE(LastRecord(1, 0x40).crcError);
}

TEST_F(SimLineTest, FramesForOtherSlavesAreIgnored) {
    StartLine({Drive(1, model::kServo)});
    EXPECT_EQ(Send(2, 0x40, {}, nullptr, 4, 20), kResultTimeout);
    EXPECT_EQ(Send(1, 0x40, {}, nullptr, 4), 0);
}

TEST_F(SimLineTest, InjectedFaultsReachTheHostAsTransportResults) {
    StartLine({Drive(1, model::kServo), Drive(2, model::kServo)});
    Bytes status;
    // Counted faults: two corrupted answers are retried away, three are not.
    line.InjectFault({FaultKind::CorruptCrc, 2}, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), 0);
    line.InjectFault({FaultKind::CorruptCrc, 3}, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), kResultCrcFailed);
    // A flipped bit in the answer body breaks the CRC as well.
    FaultSpec flip{FaultKind::FlipBit, 3};
    flip.bitIndex = 30;
    line.InjectFault(flip, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), kResultCrcFailed);
    // Stale sync numbers are skipped by the host until the timeout.
    line.InjectFault({FaultKind::StaleSync, 3}, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4, 30), kResultTimeout);
    // Stray bytes before the answer are skipped.
    line.InjectFault({FaultKind::StrayBytes, 1}, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), 0);
    // A dropped request: the retry gets through, and nothing was executed twice.
    line.InjectFault({FaultKind::DropRequest, 1}, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4, 30), 0);
    // An answer late beyond the timeout on every attempt.
    FaultSpec late{FaultKind::DelayAnswer, 3};
    late.delayMs = 100;
    line.InjectFault(late, 1);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4, 30), kResultTimeout);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), 0) << "late answers of the earlier request are skipped";
    // A silent drive, while the other one answers; the fault lasts until cleared.
    line.InjectFault({FaultKind::Silent, 0}, 2);
    EXPECT_EQ(Send(2, 0x40, {}, &status, 4, 20), kResultTimeout);
    EXPECT_EQ(Send(2, 0x40, {}, &status, 4, 20), kResultTimeout);
    EXPECT_EQ(Send(1, 0x40, {}, &status, 4), 0);
    line.ClearFaults();
    EXPECT_EQ(Send(2, 0x40, {}, &status, 4), 0);
}

TEST_F(SimLineTest, PacedAnswersTakeTheirByteTime) {
    StartLine({Drive(1, model::kServo)});
    line.SetPacing(true, 9600, 20);
    const auto start = std::chrono::steady_clock::now();
    Bytes info;
    ASSERT_EQ(Send(1, 0x01, {}, &info, 70, 200), 0);
    // 70 data bytes and the frame around them at 9600 baud, plus the turnaround.
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(20 + 80 * 10 * 1000 / 9600));
}

TEST_F(SimLineTest, HangUpEndsEveryTransactionWithDisconnected) {
    StartLine({Drive(1, model::kServo)});
    ASSERT_EQ(Send(1, 0x40, {}, nullptr, 4), 0);
    line.HangUp();
    EXPECT_EQ(Send(1, 0x40, {}, nullptr, 4), kResultDisconnected);
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(Send(1, 0x01, {}, nullptr, 70), kResultDisconnected);
    EXPECT_EQ(port->DoSendCommandNoResp(kBroadcastSlave, 0x3B, nullptr, 0), kResultDisconnected);
}

}  // namespace
}  // namespace tarsel::sim::testing
