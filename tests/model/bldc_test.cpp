// The BLDC board: value conversions from the metadata, its parameter cache and its file.
#include <fstream>

#include "formats/metadata/CDefaultParamBLDC.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "model_fixture.h"

namespace tarsel::test {
namespace {

// A BLDC board on a port that is never opened, with metadata written for the test.
class BldcConversion : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("tarsel-bldc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        std::ofstream(dir_ / "Bldc.ini") << "[Category1]\nCategoryName=Gains\nCategoryNo=1\nParamCount=5\n"
                                            "1=Divided|[x]|RW|/|10|0|100\n"
                                            "2=Hundredths|[x]|RW|/|100|-5|5|-2\n"
                                            "3=Scaled|[x]|RO|*|4|0|1000|1\n"
                                            "5=Plain|[x]|H| |0|-10|10\n"
                                            "[DORRIN_TEVRA_BLDC]\nParamCount=2\n0=A|f|0|9|1\n1=B|f|0|9|0\n";
        table_.set_directory(dir_);
        ASSERT_TRUE(table_.Load("Bldc.ini", "DORRIN_TEVRA_BLDC"));
        board_ = std::make_unique<CBoardDorrinTevraBLDC>(0, port_, nullptr, &table_, BoardContext{});
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
    CDefaultParamBLDC table_;
    CCommPort port_{PortEnvironment{}};
    std::unique_ptr<CBoardDorrinTevraBLDC> board_;
};

TEST_F(BldcConversion, DisplayToRawAndBack) {
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 1, 1.25), 13);  // "/" 10, no rounding digits
    EXPECT_DOUBLE_EQ(board_->BLDCRawToDisplay(1, 1, 13), 1.3);
    // Rounding digits -2: the value is snapped down to hundredths before scaling.
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 2, 1.239), 123);
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 2, 1.23), 123);
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 2, -1.3), -130);
    EXPECT_NEAR(board_->BLDCRawToDisplay(1, 2, 123), 1.23, 1e-12);
    // "*" 4 with a step of 10.
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 3, 87.0), 20);         // 80 / 4
    EXPECT_DOUBLE_EQ(board_->BLDCRawToDisplay(1, 3, 21), 80.0);  // 84 -> 80
    // No operator: the value passes; factor 0 acts as 1.
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 5, -3.4), -3);
    // No record: 0.
    EXPECT_EQ(board_->BLDCDisplayToRaw(1, 4, 5.0), 0);
    EXPECT_EQ(board_->BLDCRawToDisplay(2, 1, 5), 0.0);
}

TEST_F(BldcConversion, MetadataLookupsAndRanges) {
    EXPECT_EQ(board_->GetBLDCCategoryCount(), 7u);
    EXPECT_EQ(board_->GetBLDCParamCount(1), 4u);
    EXPECT_EQ(board_->GetBLDCParamCount(2), 0u);
    EXPECT_EQ(board_->GetBLDCTotalParamCount(), 4u);
    EXPECT_EQ(board_->GetBLDCCategoryName(1), "Gains");
    EXPECT_EQ(board_->GetBLDCParamInfoAt(1, 3)->number, 5u);
    EXPECT_TRUE(board_->GetBLDCParamInfo(1, 3)->readOnly);
    EXPECT_TRUE(board_->GetBLDCParamInfo(1, 5)->hidden);
    EXPECT_TRUE(board_->IsBLDCValueInRange(1, 2, -5.0));
    EXPECT_FALSE(board_->IsBLDCValueInRange(1, 2, 5.01));
    EXPECT_FALSE(board_->IsBLDCValueInRange(1, 4, 0.0));
    // Nothing is written before the cache is loaded.
    EXPECT_FALSE(board_->WriteBLDCParameter(1, 1, 5));
    EXPECT_EQ(board_->GetBLDCParameterValue(1, 1), 0);
}

TEST_F(ModelTest, BldcCacheIsFilledOnRequestAndUnchangedValuesAreNotSent) {
    PortOptions options;
    options.pollPeriod = std::chrono::milliseconds(20);
    master_.SetPortOptions(options);
    ASSERT_EQ(ConnectWith({Drive(4, sim::model::kBldc)}), CCommMaster::kConnected);
    auto board = std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(master_.GetBoard(port_, 4));
    ASSERT_NE(board, nullptr);
    ASSERT_GT(board->GetBLDCTotalParamCount(), 0u);
    ASSERT_TRUE(line_.SetBldcParameter(4, 1, 1, 77));
    board->bldcReloadRequest = true;
    ASSERT_TRUE(WaitUntil([&] { return board->bldcLoaded.load(); }));
    EXPECT_EQ(board->bldcReadCount.load(), board->GetBLDCTotalParamCount());
    EXPECT_EQ(board->GetBLDCParameterValue(1, 1), 77);

    master_.GetPort(port_)->StopPolling();
    line_.ClearRequestLog();
    sink_.Clear();
    EXPECT_TRUE(board->WriteBLDCParameter(1, 1, 77));
    EXPECT_TRUE(line_.RequestLog().empty());
    EXPECT_TRUE(board->WriteBLDCParameter(1, 1, 78));
    EXPECT_EQ(line_.GetBldcParameter(4, 1, 1), 78);
    const auto changed = sink_.Of(kMsgBldcParamChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].lParam, BldcParam(1, 1));
}

}  // namespace
}  // namespace tarsel::test
