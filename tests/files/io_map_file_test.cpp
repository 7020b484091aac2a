#include "formats/files/io_map_file.h"

#include <gtest/gtest.h>

#include "formats/files/drive_file_header.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

IoMapSettings Sample() {
    IoMapSettings s;
    s.inputs.fixed_count = 3;
    s.inputs.pins = {{1, 1, true}, {2, 1, true}, {3, 0, true}, {14, 1, true}, {0, 0, false}};
    s.outputs.fixed_count = 1;
    s.outputs.pins = {{1, 0, true}, {3, 1, true}, {0, 0, false}};
    return s;
}

TEST(IoMapFile, WritesTheDocumentedKeysInPinOrder) {
    ini::IniFile file;
    ASSERT_TRUE(WriteFileModel(file, "Dorrin Tevra Inc."));
    ASSERT_TRUE(WriteIoMapSections(file, Sample()));
    EXPECT_EQ(file.ToBytes(),
              "[Info]\r\nModel=Dorrin Tevra Inc.\r\n\r\n"
              "[INPUT0_MAP]\r\nLevel=1\r\n\r\n[INPUT1_MAP]\r\nLevel=1\r\n\r\n[INPUT2_MAP]\r\nLevel=0\r\n\r\n"
              "[INPUT3_MAP]\r\nLogicNo=14\r\nLevel=1\r\n\r\n[INPUT4_MAP]\r\nLogicNo=0\r\n\r\n"
              "[OUTPUT0_MAP]\r\nLevel=0\r\n\r\n[OUTPUT1_MAP]\r\nLogicNo=3\r\nLevel=1\r\n\r\n"
              "[OUTPUT2_MAP]\r\nLogicNo=0\r\n");
}

TEST(IoMapFile, RoundTrip) {
    TempDir dir;
    const auto path = dir / "map.fit";
    ASSERT_TRUE(SaveIoMapFile(path, "Dorrin Tevra Inc.", Sample()));
    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(ModelMatches(*file, "dorrin tevra inc."));
    const auto read = ReadIoMapSections(*file, 5, 3, 3, 1);
    ASSERT_TRUE(read);
    const IoMapSettings expected = Sample();
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(read->inputs.pins[i].logic, expected.inputs.pins[i].logic) << i;
        EXPECT_EQ(read->inputs.pins[i].level, expected.inputs.pins[i].level) << i;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read->outputs.pins[i].logic, expected.outputs.pins[i].logic) << i;
        EXPECT_EQ(read->outputs.pins[i].level, expected.outputs.pins[i].level) << i;
    }
}

TEST(IoMapFile, SavingKeepsSectionsOfPinsTheBoardDoesNotHave) {
    TempDir dir;
    const auto path = dir / "map.fit";
    WriteBytes(path, "[Info]\nModel=X\n[INPUT11_MAP]\nLogicNo=20\nLevel=1\n");
    ASSERT_TRUE(SaveIoMapFile(path, "Ravelo", Sample()));
    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetInt("INPUT11_MAP", "LogicNo", 0), 20);
    EXPECT_EQ(ReadFileModel(*file), "Ravelo");
}

TEST(IoMapFile, MissingKeysReadAsZeroAndLogicIsOneByte) {
    const auto file =
        ini::IniFile::FromBytes("[INPUT0_MAP]\nLevel=1\n[INPUT3_MAP]\nLogicNo=260\n[OUTPUT1_MAP]\nLevel=1\n");
    const auto read = ReadIoMapSections(file, 5, 3, 2, 1);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->inputs.pins[0].level, 1u);
    EXPECT_EQ(read->inputs.pins[1].logic, 2u);  // fixed pins carry their own signal
    EXPECT_EQ(read->inputs.pins[1].level, 0u);
    EXPECT_EQ(read->inputs.pins[3].logic, 4u);  // 260 taken as one byte
    EXPECT_EQ(read->inputs.pins[4].logic, 0u);
    EXPECT_EQ(read->outputs.pins[1].logic, 0u);
    EXPECT_EQ(read->outputs.pins[1].level, 1u);
}

TEST(IoMapFile, FileWithoutFirstInputSectionIsRefused) {
    EXPECT_FALSE(ReadIoMapSections(ini::IniFile::FromBytes("[Info]\nModel=Ravelo\n[INPUT1_MAP]\nLevel=1\n"),
                                   5, 3, 2, 1));
    EXPECT_FALSE(ReadIoMapSections(ini::IniFile::FromBytes("[INPUT0_MAP]\n"), 5, 3, 2, 1));
}

}  // namespace
}  // namespace tarsel::files
