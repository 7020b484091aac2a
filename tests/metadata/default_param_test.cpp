#include "formats/metadata/CDefaultParam.h"

#include <gtest/gtest.h>

#include "tests/ini/temp_dir.h"

namespace tarsel {
namespace {

using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

class DefaultParamTest : public ::testing::Test {
protected:
    void Write(const std::string& text) { WriteBytes(dir_ / "Table.ini", text); }
    TempDir dir_;
};

TEST_F(DefaultParamTest, LoadsTheSectionFromTheGivenDirectory) {
    Write(
        "[OTHER]\nParamCount=1\n0=Wrong|x|0|0|0\n[TYPE]\nParamCount=3\n0=Zero|[a]|0|9|1\n1=One|[b]|-5|5|0\n"
        "2=Two|[c]|10|20|15\n");
    CDefaultParam table(dir_.path());
    ASSERT_TRUE(table.Load("Table.ini", "type"));
    EXPECT_TRUE(table.IsLoaded());
    EXPECT_EQ(table.GetParamCount(), 3);
    ASSERT_NE(table.GetParamInfo(2), nullptr);
    EXPECT_EQ(table.GetParamInfo(2)->name, "Two");
    EXPECT_EQ(table.GetParamInfo(2)->number, 2u);
    EXPECT_EQ(table.GetParamInfo(3), nullptr);
    EXPECT_TRUE(table.IsValueInRange(1, -5));
    EXPECT_FALSE(table.IsValueInRange(1, 6));
    EXPECT_FALSE(table.IsValueInRange(3, 0));  // no record
}

TEST_F(DefaultParamTest, MissingKeyGivesAnEmptyRecord) {
    Write("[T]\nParamCount=5\n0=a|f|0|1|0\n1=b|f|0|1|0\n2=c|f|0|1|0\n4=e|f|0|1|0\n");
    CDefaultParam table(dir_.path());
    ASSERT_TRUE(table.Load("Table.ini", "T"));
    const CParamItemInfo* third = table.GetParamInfo(3);
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(third->name.empty());
    EXPECT_TRUE(table.IsValueInRange(3, 0));
    EXPECT_FALSE(table.IsValueInRange(3, 1));
    EXPECT_FALSE(table.IsValueInRange(3, -1));
}

TEST_F(DefaultParamTest, CountIsOneByte) {
    Write("[T]\nParamCount=256\n0=a|f|0|1|0\n");
    CDefaultParam table(dir_.path());
    EXPECT_FALSE(table.Load("Table.ini", "T"));
    EXPECT_EQ(table.GetParamCount(), 0);

    Write("[T]\nParamCount=257\n0=a|f|0|1|0\n");
    ASSERT_TRUE(table.Load("Table.ini", "T"));
    EXPECT_EQ(table.GetParamCount(), 1);
}

TEST_F(DefaultParamTest, FailuresLeaveTheTableUnloadedAndPermissive) {
    CDefaultParam table(dir_.path());
    EXPECT_FALSE(table.Load("Absent.ini", "T"));
    Write("[T]\nParamCount=0\n");
    EXPECT_FALSE(table.Load("Table.ini", "T"));
    EXPECT_FALSE(table.Load("Table.ini", "MISSING"));
    EXPECT_FALSE(table.IsLoaded());
    EXPECT_EQ(table.GetParamCount(), 0);
    EXPECT_EQ(table.GetParamInfo(0), nullptr);
    EXPECT_TRUE(table.IsValueInRange(0, 123456));
}

TEST_F(DefaultParamTest, ReloadReplacesThePreviousTable) {
    Write("[T]\nParamCount=2\n0=a|f|0|1|0\n1=b|f|0|1|0\n");
    CDefaultParam table(dir_.path());
    ASSERT_TRUE(table.Load("Table.ini", "T"));
    EXPECT_FALSE(table.Load("Table.ini", "U"));
    EXPECT_FALSE(table.IsLoaded());
    EXPECT_EQ(table.GetParamInfo(0), nullptr);
}

TEST_F(DefaultParamTest, DefaultDirectoryIsTheProgramDirectory) {
    CDefaultParam table;
    EXPECT_EQ(table.ResolvePath("x.ini").parent_path(),
              std::filesystem::canonical("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace tarsel
