// Connecting a line: which drives get a board, the detection message text, and the lookups.
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/board_classes.h"
#include "model_fixture.h"

namespace tarsel::test {
namespace {

using sim::model::kBldc;
using sim::model::kServo;
using sim::model::kStepper;

TEST_F(ModelTest, DetectionKeepsSupportedDrivesAndExplainsTheOthers) {
    auto old = Drive(3, kServo);
    old.version = {7, 1, 0, 0};
    auto unknownModel = Drive(5, 99);
    auto foreignFirmware = Drive(12, kServo);
    foreignFirmware.firmwareType = 1;
    ASSERT_EQ(ConnectWith({Drive(0, kServo), old, unknownModel, Drive(7, kStepper), foreignFirmware}),
              CCommMaster::kConnected);

    EXPECT_EQ(master_.GetMessageText(),
              "SlaveNo :  3\tNot supported firmware version [V7.1.0.0]\n\r"
              "SlaveNo :  5\tNot supported drive model [99]\n\r"
              "SlaveNo : 12\tNot supported firmware type");
    EXPECT_TRUE(master_.IsConnected(port_));
    EXPECT_TRUE(master_.IsPortOpen(port_));
    EXPECT_EQ(master_.GetBoardCount(port_), 2);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardDorrinTevra>(master_.GetBoard(port_, 0)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardPellinTevra>(master_.GetBoard(port_, 7)), nullptr);
    for (uint8_t unsupported : {3, 5, 12}) EXPECT_EQ(master_.GetBoard(port_, unsupported), nullptr);
    EXPECT_EQ(master_.GetBoard(port_, 7)->GetModelName(), "Pellin Tevra");
    EXPECT_TRUE(master_.GetPort(port_)->IsPolling());
}

TEST_F(ModelTest, NothingSupportedGivesTwoAndClosesThePort) {
    auto old = Drive(1, kServo);
    old.version = {2, 1, 0, 0};
    EXPECT_EQ(ConnectWith({old}), CCommMaster::kNoSupportedDrive);
    EXPECT_EQ(master_.GetMessageText(), "SlaveNo :  1\tNot supported firmware version [V2.1.0.0]");
    EXPECT_FALSE(master_.IsConnected(port_));
    EXPECT_EQ(master_.GetPortCount(), 0);
}

TEST_F(ModelTest, PortThatCannotBeOpenedGivesOne) {
    EXPECT_EQ(master_.Connect(static_cast<uint8_t>(port_ + 100), 115200), CCommMaster::kOpenFailed);
}

TEST_F(ModelTest, ConnectingAConnectedPortScansNothing) {
    ASSERT_EQ(ConnectWith({Drive(2, kServo)}), CCommMaster::kConnected);
    master_.GetPort(port_)->StopPolling();
    line_.ClearRequestLog();
    EXPECT_EQ(master_.Connect(port_, 115200), CCommMaster::kConnected);
    EXPECT_TRUE(line_.RequestLog().empty());
    EXPECT_EQ(master_.GetMessageText(), "");
}

TEST_F(ModelTest, LookupsAtTheEdges) {
    ASSERT_EQ(ConnectWith({Drive(2, kServo), Drive(9, kStepper), Drive(15, kServo)}),
              CCommMaster::kConnected);
    EXPECT_EQ(master_.GetPortNumberAt(0), port_);
    EXPECT_EQ(master_.GetPortNumberAt(1), 0);
    EXPECT_EQ(master_.GetFirstSlave(port_), 2);
    EXPECT_EQ(master_.GetLastSlave(port_), 15);
    EXPECT_EQ(master_.GetPrevSlave(port_, 9), 2);
    EXPECT_EQ(master_.GetPrevSlave(port_, 2), 2);  // none below
    EXPECT_EQ(master_.GetPrevSlave(port_, 0), 0);
    EXPECT_EQ(master_.GetPrevSlave(port_, 16), 16);
    EXPECT_EQ(master_.GetNextSlave(port_, 2), 9);
    EXPECT_EQ(master_.GetNextSlave(port_, 14), 15);
    EXPECT_EQ(master_.GetNextSlave(port_, 15), 15);
    EXPECT_EQ(master_.GetBoard(port_, 16), nullptr);
    EXPECT_EQ(master_.GetBoardOrFirst(port_, 16), master_.GetBoard(port_, 2));
    EXPECT_EQ(master_.GetBoardOrFirst(port_, 4), master_.GetBoard(port_, 2));
    EXPECT_EQ(master_.GetBoardOrFirst(port_, 9), master_.GetBoard(port_, 9));

    EXPECT_EQ(master_.FindBoardOfType(port_, 2, kStepper), master_.GetBoard(port_, 9));
    EXPECT_EQ(master_.FindBoardOfType(port_, 15, kServo), master_.GetBoard(port_, 15));
    EXPECT_EQ(master_.FindBoardOfType(port_, 9, kServo), master_.GetBoard(port_, 2));
    EXPECT_EQ(master_.FindBoardOfType(port_, 2, kBldc), nullptr);
    const uint8_t types[] = {kBldc, kStepper};
    EXPECT_EQ(master_.FindBoardOfTypes(port_, 2, 2, types), master_.GetBoard(port_, 9));
    EXPECT_EQ(master_.GetBoard(static_cast<uint8_t>(port_ + 1), 2), nullptr);

    master_.DisconnectAll();
    EXPECT_FALSE(master_.IsConnected(port_));
    EXPECT_EQ(master_.GetPortCount(), 0);
    EXPECT_EQ(master_.GetBoardOrFirst(port_, 2), nullptr);
}

TEST_F(ModelTest, EachModelCodeGetsItsClass) {
    ASSERT_EQ(
        ConnectWith({Drive(0, 1), Drive(1, 10), Drive(2, 20), Drive(3, 30), Drive(4, 40), Drive(5, 110)}),
        CCommMaster::kConnected);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardDorrinTevra>(master_.GetBoard(port_, 0)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardRavelo>(master_.GetBoard(port_, 1)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardPellinTevra>(master_.GetBoard(port_, 2)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardDorrinTevraAbs>(master_.GetBoard(port_, 3)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(port_, 4)), nullptr);
    EXPECT_NE(std::dynamic_pointer_cast<CBoardRavelo2>(master_.GetBoard(port_, 5)), nullptr);
    for (uint8_t s = 0; s < 6; ++s) {
        EXPECT_EQ(master_.GetBoard(port_, s)->GetBoardType(),
                  master_.GetBoard(port_, s)->GetSlaveInfo().type);
    }
}

TEST(LogSettings, DirectoryMustExistAndGetsASeparator) {
    CCommMaster master;
    const std::string dir = std::filesystem::temp_directory_path().string();
    EXPECT_TRUE(master.SetLogDirectory(dir.c_str()));
    EXPECT_EQ(master.GetLogDirectory(), dir + "/");
    EXPECT_FALSE(master.SetLogDirectory("/no/such/directory/here"));
    EXPECT_EQ(master.GetLogDirectory(), dir + "/");
    EXPECT_TRUE(master.SetLogDirectory(""));
    EXPECT_EQ(master.GetLogDirectory(), "");
}

}  // namespace
}  // namespace tarsel::test
