#include <gtest/gtest.h>

#include "formats/metadata/CDefaultParamBLDC.h"
#include "tests/ini/temp_dir.h"

namespace tarsel {
namespace {

using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

constexpr const char* kPlainTable = "[BLDC]\nParamCount=2\n0=Speed|[pps]|1|100|10\n1=Acc|[ms]|1|100|10\n";

TEST(DefaultParamBLDC, PresentRecordsKeepTheirKeyNumbers) {
    TempDir dir;
    WriteBytes(dir / "B.ini", std::string(kPlainTable) +
                                  "[Category1]\nCategoryName=Gains\nCategoryNo=5\nParamCount=4\n"
                                  "1=P|[a]|RW|*|1|0|10\n2=I|[b]|RO|/|10|0|10|-1\n4=D|[c]|H|*|1|0|10\n"
                                  "[Category2]\nCategoryName=Second\nParamCount=1\n1=X|[x]|RW|/|10|0|1\n");
    CDefaultParamBLDC table(dir.path());
    ASSERT_TRUE(table.Load("B.ini", "BLDC"));
    EXPECT_TRUE(table.IsLoaded());
    EXPECT_EQ(table.GetParamCount(), 2);
    ASSERT_EQ(table.GetCategoryCount(), 2u);
    EXPECT_EQ(table.GetCategoryName(1), "Gains");
    EXPECT_EQ(table.GetCategory(1)->number, 5);
    EXPECT_EQ(table.GetCategoryParamCount(1), 3u);
    EXPECT_EQ(table.GetTotalParamCount(), 4u);

    ASSERT_NE(table.GetBLDCParamInfo(1, 4), nullptr);
    EXPECT_EQ(table.GetBLDCParamInfo(1, 4)->name, "D");
    EXPECT_EQ(table.GetBLDCParamInfo(1, 4)->category, 0);
    EXPECT_EQ(table.GetBLDCParamInfo(1, 3), nullptr);
    EXPECT_EQ(table.GetBLDCParamInfoAt(1, 2)->number, 4u);
    EXPECT_EQ(table.GetBLDCParamInfoAt(1, 3), nullptr);
    EXPECT_EQ(table.GetBLDCParamInfoAt(2, 0)->category, 1);
    EXPECT_EQ(table.GetBLDCParamInfo(0, 1), nullptr);
    EXPECT_EQ(table.GetBLDCParamInfo(3, 1), nullptr);
    EXPECT_EQ(table.GetCategoryParamCount(3), 0u);
    EXPECT_EQ(table.GetCategoryName(3), "");
}

TEST(DefaultParamBLDC, CategoriesEndAtTheFirstMissingOrEmptySection) {
    TempDir dir;
    WriteBytes(dir / "B.ini", std::string(kPlainTable) +
                                  "[Category1]\nParamCount=1\n1=A|f|RW|*|1|0|1\n[Category2]\n; nothing\n"
                                  "[Category3]\nParamCount=1\n1=C|f|RW|*|1|0|1\n");
    CDefaultParamBLDC table(dir.path());
    ASSERT_TRUE(table.Load("B.ini", "BLDC"));
    EXPECT_EQ(table.GetCategoryCount(), 1u);
}

TEST(DefaultParamBLDC, NoCategoryFailsTheLoad) {
    TempDir dir;
    WriteBytes(dir / "B.ini", kPlainTable);
    CDefaultParamBLDC table(dir.path());
    EXPECT_FALSE(table.Load("B.ini", "BLDC"));
    EXPECT_FALSE(table.IsBLDCLoaded());
    EXPECT_EQ(table.GetTotalParamCount(), 0u);
}

TEST(DefaultParamBLDC, ResultIsThatOfThePlainTable) {
    TempDir dir;
    WriteBytes(dir / "B.ini", "[Category1]\nCategoryName=Only\nParamCount=1\n1=A|f|RW|*|1|0|1\n");
    CDefaultParamBLDC table(dir.path());
    EXPECT_FALSE(table.Load("B.ini", "BLDC"));
    EXPECT_TRUE(table.IsBLDCLoaded());  // the categories stay usable
    EXPECT_EQ(table.GetCategoryParamCount(1), 1u);
    EXPECT_FALSE(table.IsLoaded());
}

TEST(DefaultParamBLDC, LongCategoryNameIsCutToItsBytes) {
    TempDir dir;
    const std::string name(120, 'n');
    WriteBytes(dir / "B.ini", std::string(kPlainTable) + "[Category1]\nCategoryName=" + name +
                                  "\nParamCount=1\n1=A|f|RW|*|1|0|1\n");
    CDefaultParamBLDC table(dir.path());
    ASSERT_TRUE(table.Load("B.ini", "BLDC"));
    EXPECT_EQ(table.GetCategoryName(1), std::string(100, 'n'));
}

}  // namespace
}  // namespace tarsel
