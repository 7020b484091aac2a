// The data files of a board read back what they wrote, keep foreign sections, and check models.
#include <fstream>
#include <sstream>

#include "formats/files/drive_file_header.h"
#include "formats/files/pos_table_file.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "model_fixture.h"

namespace tarsel::test {
namespace {

class FilesTest : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        dir_ = std::filesystem::temp_directory_path() /
               ("tarsel-files-" + std::to_string(::getpid()) + "-" + std::to_string(port_));
        std::filesystem::create_directories(dir_);
        PortOptions quiet;
        quiet.pollPeriod = std::chrono::hours(1);
        master_.SetPortOptions(quiet);
    }
    void TearDown() override {
        ModelTest::TearDown();
        std::filesystem::remove_all(dir_);
    }
    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path dir_;
};

TEST_F(FilesTest, ParameterFileRoundTripKeepsOtherSections) {
    ASSERT_EQ(ConnectWith({Drive(1, sim::model::kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    ASSERT_TRUE(board->ReadAllParameters());
    const std::string path = Path("servo.fpt");
    std::ofstream(path) << "; kept\n[Notes]\nauthor=me\n[Parameter]\nExtra=1\n";
    ASSERT_TRUE(board->SaveParameterFile(path));
    const std::string text = Read(path);
    EXPECT_NE(text.find("author=me"), std::string::npos);
    EXPECT_NE(text.find("Extra=1"), std::string::npos);
    EXPECT_NE(text.find("ParamCnt=" + std::to_string(board->GetParameterCount())), std::string::npos);
    EXPECT_TRUE(files::ModelMatches(path, "DORRIN TEVRA INC."));
    EXPECT_FALSE(files::ModelMatches(path, "Pellin Tevra"));

    // Change the drive, load the file back: the saved values return.
    const int32_t saved = board->GetParameterValue(17);
    ASSERT_TRUE(board->SetParameter(17, saved + 1));
    ASSERT_TRUE(board->LoadParameterFile(path, nullptr));
    EXPECT_EQ(line_.GetParameter(1, 17), saved);
    EXPECT_EQ(board->GetParameterValue(17), saved);
}

TEST_F(FilesTest, ParameterFileWithoutSectionFailsAndMissingKeysReadAsZero) {
    ASSERT_EQ(ConnectWith({Drive(1, sim::model::kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    ASSERT_TRUE(board->ReadAllParameters());
    const std::string empty = Path("empty.fpt");
    std::ofstream(empty) << "[Info]\nModel=Dorrin Tevra Inc.\n";
    EXPECT_FALSE(board->LoadParameterFile(empty, nullptr));

    // Key 0 is missing: parameter 0 is set to 0, the others to their values.
    ASSERT_TRUE(board->SetParameter(0, 4));
    const std::string partial = Path("partial.fpt");
    {
        std::ofstream out(partial);
        out << "[Parameter]\nParamCnt=" << int(board->GetParameterCount()) << "\n";
        for (int i = 1; i < board->GetParameterCount(); ++i)
            out << i << "=" << board->GetParameterValue(i) << "\n";
    }
    EXPECT_TRUE(board->LoadParameterFile(partial, nullptr));
    EXPECT_EQ(board->GetParameterValue(0), 0);
    EXPECT_EQ(line_.GetParameter(1, 0), 0);
}

TEST_F(FilesTest, IoMapFileRoundTrip) {
    ASSERT_EQ(ConnectWith({Drive(1, sim::model::kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    ASSERT_TRUE(board->ReadIOAssignMaps());
    const CIOInfo before = board->GetIOInfo();
    const std::string path = Path("servo.fit");
    ASSERT_TRUE(board->SaveIOMapFile(path));
    const std::string text = Read(path);
    EXPECT_NE(text.find("[INPUT0_MAP]"), std::string::npos);
    EXPECT_EQ(text.find("LogicNo", text.find("[INPUT0_MAP]")),
              text.find("LogicNo", text.find("[INPUT3_MAP]")));

    // Unassign an assignable pin, then restore the map from the file.
    const uint8_t pin = before.input.FixedCount();
    ASSERT_TRUE(board->AssignInputPin(pin, 0));
    ASSERT_TRUE(board->LoadIOMapFile(path, nullptr));
    const CIOInfo after = board->GetIOInfo();
    for (uint8_t p = 0; p < before.input.PinCount(); ++p) {
        EXPECT_EQ(after.input.SignalOnPin(p), before.input.SignalOnPin(p)) << "pin " << int(p);
    }
    EXPECT_EQ(line_.GetInputAssignment(1, pin)->first, before.input.SignalOnPin(pin));

    const std::string noPins = Path("nopins.fit");
    std::ofstream(noPins) << "[Info]\nModel=Dorrin Tevra Inc.\n";
    EXPECT_FALSE(board->LoadIOMapFile(noPins, nullptr));
}

TEST_F(FilesTest, PositionTableFileRoundTrip) {
    ASSERT_EQ(ConnectWith({Drive(1, sim::model::kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    PosTableItem item;
    item.fill(0xFF);
    files::ParsePosTableLine(
        "3\t 1000\t 1\t 10000\t 100\t 100\t 0\t 0\t 65535\t 65535\t 65535\t 65535\t 0\t 65535\t 0\t "
        "65535\t 0",
        item);
    EXPECT_EQ(files::FormatPosTableLine(item),
              "3\t 1000\t 1\t 10000\t 100\t 100\t 0\t 0\t 65535\t 65535\t 65535\t 65535\t 0\t 65535\t 0\t "
              "65535\t 0");
    ASSERT_TRUE(board->WritePosTableItem(2, item, false));
    ASSERT_TRUE(board->ReadPosTable());
    const std::string path = Path("table.txt");
    ASSERT_TRUE(board->SavePosTableFile(path));
    const std::string text = Read(path);
    EXPECT_NE(text.find("2=3\t 1000\t 1\t 10000"), std::string::npos);
    EXPECT_EQ(text.find("\n0="), std::string::npos);  // empty items get no line

    // Clear the item on the drive, then load the file back.
    PosTableItem cleared = item;
    cleared[16] = 10;
    ASSERT_TRUE(board->WritePosTableItem(2, cleared, false));
    ASSERT_TRUE(board->LoadPosTableFile(path, nullptr));
    const auto loaded = *line_.GetTableItem(1, 2);
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.begin() + 40, item.begin()));
}

TEST_F(FilesTest, BldcFileRoundTrip) {
    PortOptions options;
    options.pollPeriod = std::chrono::milliseconds(20);
    master_.SetPortOptions(options);
    ASSERT_EQ(ConnectWith({Drive(2, sim::model::kBldc)}), CCommMaster::kConnected);
    auto board = std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(port_, 2));
    ASSERT_NE(board, nullptr);
    board->bldcReloadRequest = true;
    ASSERT_TRUE(WaitUntil([&] { return board->bldcLoaded.load(); }));
    master_.GetPort(port_)->StopPolling();
    const uint32_t first = board->GetBLDCParamInfoAt(1, 0)->number;
    const int32_t value = board->GetBLDCParameterValue(1, first);
    const std::string path = Path("bldc.fbt");
    ASSERT_TRUE(board->SaveBLDCFile(path, nullptr));
    EXPECT_NE(Read(path).find("[Category7]"), std::string::npos);

    ASSERT_TRUE(board->WriteBLDCParameter(1, first, value + 1));
    ASSERT_TRUE(board->LoadBLDCFile(path, nullptr));
    EXPECT_EQ(board->GetBLDCParameterValue(1, first), value);
    EXPECT_EQ(line_.GetBldcParameter(2, 1, first), value);
}

TEST_F(FilesTest, SaveFailsAndKeepsAnExistingFileItCannotRead) {
    ASSERT_EQ(ConnectWith({Drive(1, sim::model::kServo)}), CCommMaster::kConnected);
    auto board = master_.GetBoard(port_, 1);
    ASSERT_TRUE(board->ReadAllParameters());
    ASSERT_TRUE(board->ReadIOAssignMaps());
    const std::string path = Path("locked.fpt");
    const std::string content = "[Info]\nModel=Dorrin Tevra Inc.\n[Parameter]\nParamCnt=1\n0=42\n";
    std::ofstream(path) << content;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write);
    if (std::ifstream(path).is_open()) GTEST_SKIP() << "the user can read any file";
    EXPECT_FALSE(board->SaveParameterFile(path));
    EXPECT_FALSE(board->SaveIOMapFile(path));
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(Read(path), content);
}

TEST(FileModel, Utf16FileIsRead) {
    const auto path = std::filesystem::temp_directory_path() / ("tarsel-utf16-" + std::to_string(::getpid()));
    const std::string text = "[Info]\r\nModel=Ravelo2\r\n";
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    std::ofstream(path, std::ios::binary) << bytes;
    EXPECT_TRUE(files::ModelMatches(path, "ravelo2"));
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace tarsel::test
