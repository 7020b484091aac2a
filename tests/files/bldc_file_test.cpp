#include "formats/files/bldc_file.h"

#include <gtest/gtest.h>

#include "formats/files/drive_file_header.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

TEST(BldcFile, RoundTripKeepsNumbersAndOtherSections) {
    TempDir dir;
    const auto path = dir / "tune.fbt";
    WriteBytes(path, "[Info]\r\nModel=x\r\n[Notes]\r\ntext=kept\r\n");
    const std::vector<BldcFileCategory> categories = {
        {3, {{1, 150}, {2, -7}, {3, 0}}},
        {4, {{1, 1}, {2, 2}, {4, 40}}},
    };
    ASSERT_TRUE(SaveBldcFile(path, "Dorrin Tevra BLDC F60", categories));
    EXPECT_EQ(ReadBytes(path),
              "[Info]\r\nModel=Dorrin Tevra BLDC F60\r\n[Notes]\r\ntext=kept\r\n\r\n"
              "[Category1]\r\nParamCnt=3\r\n1=150\r\n2=-7\r\n3=0\r\n\r\n"
              "[Category2]\r\nParamCnt=4\r\n1=1\r\n2=2\r\n4=40\r\n");

    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(ModelMatches(*file, "dorrin tevra bldc f60"));
    ASSERT_TRUE(HasBldcSections(*file));
    EXPECT_EQ(ReadBldcCategory(*file, 1, 3),
              (std::vector<std::pair<uint32_t, int32_t>>{{1, 150}, {2, -7}, {3, 0}}));
    EXPECT_EQ(ReadBldcCategory(*file, 2, 4),
              (std::vector<std::pair<uint32_t, int32_t>>{{1, 1}, {2, 2}, {3, 0}, {4, 40}}));
}

TEST(BldcFile, CountIsLimitedByTheBoardAndMissingSectionsReadNothing) {
    const auto file = ini::IniFile::FromBytes("[Category1]\nParamCnt=9\n1=5\n2=6\n[Category2]\n1=3\n");
    EXPECT_EQ(ReadBldcCategory(file, 1, 2), (std::vector<std::pair<uint32_t, int32_t>>{{1, 5}, {2, 6}}));
    EXPECT_EQ(ReadBldcCategory(file, 1, 1), (std::vector<std::pair<uint32_t, int32_t>>{{1, 5}}));
    EXPECT_TRUE(ReadBldcCategory(file, 2, 5).empty());  // no "ParamCnt": 0
    EXPECT_TRUE(ReadBldcCategory(file, 3, 5).empty());
    EXPECT_FALSE(HasBldcSections(ini::IniFile::FromBytes("[Info]\nModel=x\n[Category2]\nParamCnt=1\n")));
}

TEST(BldcFile, ParametersWithSkippedNumbersAreReadByTheirOwnKeys) {
    // Metadata with the keys 1, 2 and 4: the saved file holds "ParamCnt=3" and "4=40".
    const auto file = ini::IniFile::FromBytes("[Category1]\nParamCnt=3\n1=10\n2=20\n4=40\n");
    using Values = std::vector<std::pair<uint32_t, int32_t>>;
    EXPECT_EQ(ReadBldcCategory(file, 1, std::vector<uint32_t>{1, 2, 4}), (Values{{1, 10}, {2, 20}, {4, 40}}));
    // A smaller count leaves the later parameters out; a negative one reads nothing.
    const auto shorter = ini::IniFile::FromBytes("[Category1]\nParamCnt=2\n1=10\n2=20\n4=40\n");
    EXPECT_EQ(ReadBldcCategory(shorter, 1, std::vector<uint32_t>{1, 2, 4}), (Values{{1, 10}, {2, 20}}));
    const auto negative = ini::IniFile::FromBytes("[Category1]\nParamCnt=-1\n1=10\n");
    EXPECT_TRUE(ReadBldcCategory(negative, 1, std::vector<uint32_t>{1}).empty());
}

}  // namespace
}  // namespace tarsel::files
