#include "formats/files/parameter_file.h"

#include <gtest/gtest.h>

#include "formats/files/drive_file_header.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

TEST(ParameterFile, NewFileHasTheDocumentedLayoutAndReadsBack) {
    TempDir dir;
    const auto path = dir / "servo.fpt";
    ASSERT_TRUE(SaveParameterFile(path, "Dorrin Tevra Inc.", {9, -5, 134217727}));
    EXPECT_EQ(ReadBytes(path),
              "[Info]\r\nModel=Dorrin Tevra "
              "Inc.\r\n\r\n[Parameter]\r\nParamCnt=3\r\n0=9\r\n1=-5\r\n2=134217727\r\n");

    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(ModelMatches(*file, "DORRIN TEVRA INC."));
    EXPECT_FALSE(ModelMatches(*file, "Pellin Tevra"));
    const auto read = ReadParameterSection(*file, 3);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->progress_range, 3);
    EXPECT_EQ(read->values, (std::vector<int32_t>{9, -5, 134217727}));
}

TEST(ParameterFile, WritingIntoAnExistingFileKeepsItsOtherSections) {
    TempDir dir;
    const auto path = dir / "mixed.fpt";
    WriteBytes(
        path, "; notes\n[Info]\nModel=Old\nAuthor=me\n[Parameter]\nParamCnt=5\n0=1\n4=44\n[Extra]\nKeep=1\n");
    ASSERT_TRUE(SaveParameterFile(path, "Ravelo", {7, 8}));
    EXPECT_EQ(
        ReadBytes(path),
        "; "
        "notes\n[Info]\nModel=Ravelo\nAuthor=me\n[Parameter]\nParamCnt=2\n0=7\n4=44\n1=8\n[Extra]\nKeep=1\n");
}

TEST(ParameterFile, ReadingFollowsTheBoardsCount) {
    const auto file = ini::IniFile::FromBytes("[Parameter]\nParamCnt=50\n0=3\n2=x7\n");
    const auto read = ReadParameterSection(file, 4);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->progress_range, 4);                           // limited to the board's count
    EXPECT_EQ(read->values, (std::vector<int32_t>{3, 0, 0, 0}));  // missing keys are 0

    const auto fewer = ReadParameterSection(ini::IniFile::FromBytes("[Parameter]\nParamCnt=2\n3=9\n"), 4);
    ASSERT_TRUE(fewer);
    EXPECT_EQ(fewer->progress_range, 2);
    EXPECT_EQ(fewer->values, (std::vector<int32_t>{0, 0, 0, 9}));  // every board parameter is still read

    const auto no_count = ReadParameterSection(ini::IniFile::FromBytes("[Parameter]\n0=1\n"), 3);
    ASSERT_TRUE(no_count);
    EXPECT_EQ(no_count->progress_range, 3);
}

TEST(ParameterFile, MissingOrEmptySectionIsRefused) {
    EXPECT_FALSE(ReadParameterSection(ini::IniFile::FromBytes("[Info]\nModel=Ravelo\n"), 3));
    EXPECT_FALSE(ReadParameterSection(ini::IniFile::FromBytes("[Parameter]\n; nothing\n"), 3));
}

TEST(ParameterFile, Utf16FileIsRead) {
    std::string bytes = "\xFF\xFE";
    for (const char c :
         std::string("[info]\r\nmodel=pellin tevra\r\n[PARAMETER]\r\nPARAMCNT=2\r\n0=12\r\n1=-3\r\n")) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    TempDir dir;
    const auto path = dir / "u16.fpt";
    WriteBytes(path, bytes);
    EXPECT_TRUE(ModelMatches(path, "Pellin Tevra"));
    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    const auto read = ReadParameterSection(*file, 2);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->values, (std::vector<int32_t>{12, -3}));

    ASSERT_TRUE(SaveParameterFile(path, "Pellin Tevra", {1, 2}));  // stays UTF-16
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
}

TEST(ParameterFile, UnreadableExistingFileIsNotReplaced) {
    TempDir dir;
    EXPECT_FALSE(SaveParameterFile(dir.path(), "Ravelo", {1}));  // a directory, not a file
    EXPECT_FALSE(ModelMatches(dir / "absent.fpt", ""));
}

}  // namespace
}  // namespace tarsel::files
