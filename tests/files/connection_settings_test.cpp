#include "formats/files/connection_settings.h"

#include <gtest/gtest.h>

#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

TEST(ConnectionSettings, DefaultsWhenTheFileIsMissing) {
    TempDir dir;
    const ConnectionSettings settings = ReadConnectionSettings(dir.path());
    EXPECT_EQ(settings.port_number, 1);
    EXPECT_EQ(settings.baudrate, 115200);
    EXPECT_EQ(ReadBootRomHistory(dir.path()), "");
}

TEST(ConnectionSettings, WritesKeepTheOtherSection) {
    TempDir dir;
    ASSERT_TRUE(WriteBootRomHistory(FormatBootRomVersion("BootF60", 1, 0, 12, 3), dir.path()));
    ASSERT_TRUE(WriteConnectionSettings({4, 921600}, dir.path()));
    ASSERT_TRUE(WriteConnectionSettings({5, 9600}, dir.path()));
    EXPECT_EQ(
        ReadBytes(ConnectionFilePath(dir.path())),
        "[HISTORY]\r\nBootROMVersion=BootF60 ver 1.0.12.3\r\n\r\n[COMM]\r\nPortNo=5\r\nBaudrate=9600\r\n");
    const ConnectionSettings settings = ReadConnectionSettings(dir.path());
    EXPECT_EQ(settings.port_number, 5);
    EXPECT_EQ(settings.baudrate, 9600);
    EXPECT_EQ(ReadBootRomHistory(dir.path()), "BootF60 ver 1.0.12.3");
}

TEST(ConnectionSettings, ReadsAFileWrittenElsewhere) {
    TempDir dir;
    WriteBytes(ConnectionFilePath(dir.path()), "[comm]\nportno = 12 \nBAUDRATE=\"4800\"\n");
    const ConnectionSettings settings = ReadConnectionSettings(dir.path());
    EXPECT_EQ(settings.port_number, 12);
    EXPECT_EQ(settings.baudrate, 4800);
}

}  // namespace
}  // namespace tarsel::files
