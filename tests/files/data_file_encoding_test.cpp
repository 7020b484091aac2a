// Drive data files with non-ASCII model names and notes: written, read back, written again from
// what was read, byte for byte the same, in the encoding the code page allows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/ini/profile.h"
#include "base/ini/text_encoding.h"
#include "formats/files/bldc_file.h"
#include "formats/files/drive_file_header.h"
#include "formats/files/io_map_file.h"
#include "formats/files/parameter_file.h"
#include "formats/files/pos_table_file.h"
#include "tests/ini/code_page_scope.h"
#include "tests/ini/temp_dir.h"

namespace tarsel::files {
namespace {

using ini::IniFile;
using ini::TextEncoding;
using tarsel::testing::CodePageScope;
using tarsel::testing::ReadBytes;
using tarsel::testing::TempDir;

const std::string kKoreanModel = "Tevra \xEB\xAA\xA8\xED\x84\xB0 F60";  // "motor" in Hangul
const std::string kKoreanModel949 = "Tevra \xB8\xF0\xC5\xCD F60";
const std::string kKoreanNote = "\xEC\xB6\x95 \xED\x95\x9C\xEA\xB8\x80";  // "axis Hangul"
const std::string kWesternModel = "Moteur \xC3\xA9tape";
const std::string kWesternNote =
    "Gr\xC3\xB6\xC3\x9F"
    "e \xE2\x82\xAC";

constexpr std::string_view kNotes = "Notes";
constexpr std::string_view kNoteKey = "Text";

// One kind of data file: writes its sample payload, and writes again what a read of a file gives.
struct DataFileKind {
    const char* name;
    std::function<bool(const std::filesystem::path&, const std::string&)> save_sample;
    std::function<bool(const IniFile&, const std::filesystem::path&, const std::string&)> save_read;
    bool keeps_other_sections;
};

PosTableRecord Item(uint16_t command, int32_t position) {
    PosTableRecord item;
    item.fill(0);
    item[kPosTableCommandOffset] = static_cast<uint8_t>(command);
    for (std::size_t i = 0; i < 4; ++i)
        item[i] = static_cast<uint8_t>(static_cast<uint32_t>(position) >> (8 * i));
    return item;
}

const std::vector<DataFileKind>& Kinds() {
    static const std::vector<DataFileKind> kinds = {
        {"parameter file .fpt",
         [](const auto& path, const auto& model) {
             return SaveParameterFile(path, model, {5, -7, 100000});
         },
         [](const IniFile& file, const auto& path, const auto& model) {
             const auto read = ReadParameterSection(file, 3);
             return read && SaveParameterFile(path, model, read->values);
         },
         true},
        {"I/O map file .fit",
         [](const auto& path, const auto& model) {
             IoMapSettings settings;
             settings.inputs = {1, {{1, 1, true}, {5, 0, true}, {0, 0, false}}};
             settings.outputs = {0, {{3, 1, true}}};
             return SaveIoMapFile(path, model, settings);
         },
         [](const IniFile& file, const auto& path, const auto& model) {
             const auto read = ReadIoMapSections(file, 3, 1, 1, 0);
             return read && SaveIoMapFile(path, model, *read);
         },
         true},
        {"position table file .txt",
         [](const auto& path, const auto& model) {
             return SavePosTableFile(path, model, {Item(3, -1000), Item(10, 0), Item(1, 250)});
         },
         [](const IniFile& file, const auto& path, const auto& model) {
             std::vector<PosTableRecord> items;
             for (uint32_t i = 0; i < 3; ++i)
                 items.push_back(ReadPosTableItem(file, i).value_or(Item(10, 0)));
             return SavePosTableFile(path, model, items);
         },
         false},
        {"BLDC parameter file .fbt",
         [](const auto& path, const auto& model) {
             return SaveBldcFile(path, model, {{2, {{1, 150}, {2, -7}}}, {1, {{1, 40}}}});
         },
         [](const IniFile& file, const auto& path, const auto& model) {
             std::vector<BldcFileCategory> categories;
             for (uint32_t c = 1; file.HasSection(BldcCategorySection(c)); ++c) {
                 auto values = ReadBldcCategory(file, c, 100);
                 categories.push_back({static_cast<uint32_t>(values.size()), std::move(values)});
             }
             return SaveBldcFile(path, model, categories);
         },
         true},
    };
    return kinds;
}

TEST(DataFileEncoding, RoundTripIsByteForByteInThePolicyEncoding) {
    const struct {
        int code_page;
        const std::string& model;
        const std::string& note;
        TextEncoding stored;
        TextEncoding stored_without_note;  // the position table file drops the note
    } cases[] = {
        {ini::kCodePageKorean, kKoreanModel, kKoreanNote, TextEncoding::Cp949, TextEncoding::Cp949},
        {ini::kCodePageWestern, kKoreanModel, kKoreanNote, TextEncoding::Utf16LE, TextEncoding::Utf16LE},
        {ini::kCodePageWestern, kWesternModel, kWesternNote, TextEncoding::Cp1252, TextEncoding::Cp1252},
        {ini::kCodePageKorean, kKoreanModel, kWesternNote, TextEncoding::Utf16LE, TextEncoding::Cp949},
    };
    for (const auto& c : cases) {
        const CodePageScope code_page(c.code_page);
        for (const DataFileKind& kind : Kinds()) {
            SCOPED_TRACE(std::string(kind.name) + ", code page " + std::to_string(c.code_page));
            TempDir dir;
            const auto first = dir / "first";
            const auto second = dir / "second";
            // A note written by hand earlier; the data file is saved over it.
            ASSERT_TRUE(ini::WriteProfileString(first, kNotes, kNoteKey, c.note));
            ASSERT_TRUE(kind.save_sample(first, c.model));

            const TextEncoding stored = kind.keeps_other_sections ? c.stored : c.stored_without_note;
            const auto read = IniFile::Load(first);
            ASSERT_TRUE(read);
            EXPECT_EQ(read->encoding(), stored);
            EXPECT_EQ(ReadFileModel(*read), c.model);
            EXPECT_TRUE(ModelMatches(first, c.model));
            if (kind.keeps_other_sections) {
                EXPECT_EQ(read->GetString(kNotes, kNoteKey), c.note);
                ASSERT_TRUE(
                    ini::WriteProfileString(second, kNotes, kNoteKey, read->GetString(kNotes, kNoteKey)));
            }
            ASSERT_TRUE(kind.save_read(*read, second, ReadFileModel(*read)));
            const std::string bytes = ReadBytes(first);
            EXPECT_EQ(ReadBytes(second), bytes);

            // The stored bytes are exactly the text in that encoding: valid UTF-16LE with its mark,
            // or code page bytes without a mark.
            const std::string text = ini::DecodeText(bytes, stored);
            EXPECT_EQ(ini::EncodeText(text, stored), bytes);
            EXPECT_EQ(bytes.substr(0, 2) == "\xFF\xFE", stored == TextEncoding::Utf16LE);
            if (stored == TextEncoding::Cp949) {
                EXPECT_NE(bytes.find("Model=" + kKoreanModel949 + "\r\n"), std::string::npos);
            }
        }
    }
}

}  // namespace
}  // namespace tarsel::files
