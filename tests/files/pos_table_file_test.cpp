#include "formats/files/pos_table_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "formats/files/drive_file_header.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

template <typename T>
void Put(PosTableRecord& item, std::size_t offset, T value) {
    std::memcpy(item.data() + offset, &value, sizeof value);
}

// Command 3, position 1000, speeds 1 and 10000, times 100 and 100, no jumps, no loop, no PT output,
// no loop-count clear, no in-position check.
PosTableRecord ExampleItem() {
    PosTableRecord item;
    item.fill(0xFF);
    Put<int32_t>(item, 0, 1000);
    Put<uint32_t>(item, 4, 1);
    Put<uint32_t>(item, 8, 10000);
    Put<uint16_t>(item, 12, 100);
    Put<uint16_t>(item, 14, 100);
    Put<uint16_t>(item, 16, 3);
    Put<uint16_t>(item, 18, 0);
    Put<uint16_t>(item, 20, 0);
    for (std::size_t offset : {22, 24, 26, 28}) Put<uint16_t>(item, offset, 0xFFFF);
    Put<uint16_t>(item, 30, 0);
    Put<uint16_t>(item, 32, 0xFFFF);
    Put<uint16_t>(item, 34, 0);
    Put<uint16_t>(item, 36, 0xFFFF);
    Put<uint16_t>(item, 38, 0);
    return item;
}

constexpr const char* kExampleLine =
    "3\t 1000\t 1\t 10000\t 100\t 100\t 0\t 0\t 65535\t 65535\t 65535\t 65535\t 0\t 65535\t 0\t 65535\t 0";

TEST(PosTableFile, LineFormatMatchesTheDocumentedExample) {
    EXPECT_EQ(FormatPosTableLine(ExampleItem()), kExampleLine);
    PosTableRecord parsed{};
    EXPECT_TRUE(ParsePosTableLine(kExampleLine, parsed));
    EXPECT_EQ(parsed, ExampleItem());
}

TEST(PosTableFile, NegativePositionAndWideNumbers) {
    PosTableRecord item{};
    EXPECT_TRUE(ParsePosTableLine("7 -250 4294967295 5\r\n70000 -1 0 0 0 0 0 0 0 0 0 0 0", item));
    int32_t position = 0;
    uint32_t low = 0;
    uint16_t accel = 0, decel = 0;
    std::memcpy(&position, item.data(), 4);
    std::memcpy(&low, item.data() + 4, 4);
    std::memcpy(&accel, item.data() + 12, 2);
    std::memcpy(&decel, item.data() + 14, 2);
    EXPECT_EQ(position, -250);
    EXPECT_EQ(low, 4294967295u);
    EXPECT_EQ(accel, 70000 & 0xFFFF);  // 16-bit fields keep their low 16 bits
    EXPECT_EQ(decel, 0xFFFF);
    EXPECT_EQ(PosTableCommand(item), 7);
    EXPECT_TRUE(std::all_of(item.begin() + 40, item.end(), [](uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(FormatPosTableLine(item).substr(0, 22), "7\t -250\t 4294967295\t 5");
}

TEST(PosTableFile, ShortLineReadsTheMissingNumbersAsZero) {
    PosTableRecord item{};
    EXPECT_FALSE(ParsePosTableLine("2\t 500", item));
    EXPECT_EQ(PosTableCommand(item), 2);
    EXPECT_EQ(item[4], 0);
    EXPECT_EQ(item[39], 0);
    EXPECT_EQ(item[40], 0xFF);
}

TEST(PosTableFile, RoundTripSkipsEmptyItemsAndReplacesTheFile) {
    TempDir dir;
    const auto path = dir / "table.txt";
    WriteBytes(path, "[Info]\nModel=Old\n[PosTable]\n5=1 2 3\n[Other]\nx=1\n");
    std::vector<PosTableRecord> items(4, ExampleItem());
    Put<uint16_t>(items[1], 16, 10);  // empty
    Put<uint16_t>(items[2], 16, 0xFFFF);
    Put<int32_t>(items[3], 0, -42);
    ASSERT_TRUE(SavePosTableFile(path, "Ravelo2", items));

    const auto file = ini::IniFile::Load(path);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->SectionNames(), (std::vector<std::string>{"Info", "PosTable"}));
    EXPECT_EQ(file->KeyNames("PosTable"), (std::vector<std::string>{"0", "3"}));
    EXPECT_TRUE(ModelMatches(*file, "RAVELO2"));
    EXPECT_EQ(ReadPosTableItem(*file, 0), items[0]);
    EXPECT_EQ(ReadPosTableItem(*file, 3), items[3]);
    EXPECT_FALSE(ReadPosTableItem(*file, 1));
    EXPECT_FALSE(ReadPosTableItem(*file, 5));
}

}  // namespace
}  // namespace tarsel::files
