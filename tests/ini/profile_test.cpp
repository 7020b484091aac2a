#include "base/ini/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>
#include <vector>

#include "base/ini/atomic_file.h"
#include "base/ini/ini_file.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::ini {
namespace {

using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;
using tarsel::testing::WriteBytes;

TEST(Profile, MissingFileGivesDefaults) {
    TempDir dir;
    const auto path = dir / "absent.ini";
    EXPECT_EQ(ReadProfileString(path, "COMM", "PortNo", "1"), "1");
    EXPECT_EQ(ReadProfileInt(path, "COMM", "Baudrate", 115200), 115200);
    EXPECT_TRUE(ReadProfileSection(path, "COMM").empty());
    EXPECT_TRUE(ReadProfileSectionNames(path).empty());
    EXPECT_FALSE(CanReadFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(Profile, WritesCreateAndUpdateTheFile) {
    TempDir dir;
    const auto path = dir / "Connection.ini";
    ASSERT_TRUE(WriteProfileInt(path, "COMM", "PortNo", 3));
    ASSERT_TRUE(WriteProfileInt(path, "COMM", "Baudrate", 57600));
    ASSERT_TRUE(WriteProfileString(path, "HISTORY", "BootROMVersion", "Boot ver 1.2.3.4"));
    ASSERT_TRUE(WriteProfileInt(path, "comm", "portno", 4));
    EXPECT_EQ(ReadBytes(path),
              "[COMM]\r\nPortNo=4\r\nBaudrate=57600\r\n\r\n[HISTORY]\r\nBootROMVersion=Boot ver 1.2.3.4\r\n");
    EXPECT_TRUE(CanReadFile(path));
    EXPECT_EQ(ReadProfileSectionNames(path), (std::vector<std::string>{"COMM", "HISTORY"}));
    EXPECT_EQ(ReadProfileSection(path, "comm"), (std::vector<std::string>{"PortNo=4", "Baudrate=57600"}));
    EXPECT_EQ(ReadProfileString(path, "History", "BootRomVersion", {}, 4), "Boot");
}

TEST(Profile, DeletingKeysAndSections) {
    TempDir dir;
    const auto path = dir / "x.ini";
    WriteBytes(path, "[A]\nx=1\ny=2\n[B]\nz=3\n");
    EXPECT_TRUE(DeleteProfileKey(path, "A", "x"));
    EXPECT_TRUE(DeleteProfileKey(path, "A", "x"));  // already gone
    EXPECT_TRUE(DeleteProfileSection(path, "B"));
    EXPECT_EQ(ReadBytes(path), "[A]\ny=2\n");
}

TEST(Profile, ReplacingKeepsPermissionsAndLeavesNoTemporaryFiles) {
    TempDir dir;
    const auto path = dir / "p.ini";
    WriteBytes(path, "[A]\nx=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteProfileString(path, "A", "x", "2"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST(Profile, FailedReplacementLeavesTheOldFile) {
    TempDir dir;
    const auto path = dir / "missing-folder" / "f.ini";
    EXPECT_FALSE(WriteProfileString(path, "A", "x", "1"));
    EXPECT_FALSE(ReplaceFileContents(dir.path(), "not a file"));  // a directory is never replaced
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
    EXPECT_FALSE(IniFile::Load(dir.path()));  // a directory is not read either
    EXPECT_FALSE(CanReadFile(dir.path()));
    EXPECT_EQ(ReadProfileString(dir.path(), "A", "x", "d"), "d");
}

TEST(Profile, SymbolicLinkTargetIsReplaced) {
    TempDir dir;
    const auto target = dir / "real.ini";
    const auto link = dir / "link.ini";
    WriteBytes(target, "[A]\nx=1\n");
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(WriteProfileString(link, "A", "x", "2"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "[A]\nx=2\n");
}

TEST(Profile, ConcurrentWritersLoseNoKey) {
    TempDir dir;
    const auto path = dir / "shared.ini";
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&path, t] {
            for (int k = 0; k < 10; ++k) {
                WriteProfileInt(path, "S" + std::to_string(t), std::to_string(k), t * 100 + k);
            }
        });
    }
    for (auto& writer : writers) writer.join();
    const auto file = IniFile::Load(path);
    ASSERT_TRUE(file);
    for (int t = 0; t < 4; ++t) {
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(file->GetInt("S" + std::to_string(t), std::to_string(k), -1), t * 100 + k);
        }
    }
}

}  // namespace
}  // namespace tarsel::ini
