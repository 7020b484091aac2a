// The image file reader and the pairing of an image set into flash writes.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "image_files.h"
#include "tools/firmloader/core/hex_reader.h"
#include "tools/firmloader/core/image_set.h"

namespace tarsel::firmware {
namespace {

using testing::TempDir;
using testing::WriteText;

// A line-based decoder written independently of the reader, for files that have one record a line.
struct LineRecord {
    unsigned count, address, type;
    std::vector<uint8_t> data;
};
std::vector<LineRecord> DecodeLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<LineRecord> records;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != ':') continue;
        LineRecord r{};
        r.count = std::stoul(line.substr(1, 2), nullptr, 16);
        r.address = std::stoul(line.substr(3, 4), nullptr, 16);
        r.type = std::stoul(line.substr(7, 2), nullptr, 16);
        for (unsigned k = 0; k < r.count; ++k)
            r.data.push_back(static_cast<uint8_t>(std::stoul(line.substr(9 + 2 * k, 2), nullptr, 16)));
        records.push_back(r);
    }
    return records;
}

TEST(HexReader, ReadsObjcopyImagesRecordForRecordAboveOneMebibyte) {
    TempDir dir;
    const uint32_t first = 0x10FF00;  // crosses the 64 Ki boundary at 0x110000
    const std::vector<uint16_t> words = testing::PatternWords(0x300, 7);
    ASSERT_TRUE(testing::WritePairWithObjcopy(dir.File("fw.i00"), dir.File("fw.i01"), first, words));

    for (const char* name : {"fw.i00", "fw.i01"}) {
        const std::vector<LineRecord> expected = DecodeLines(dir.File(name));
        const std::vector<HexRecord> records = ReadHexFile(dir.File(name));
        ASSERT_EQ(records.size(), expected.size()) << name;
        int extended = 0;
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].byteCount, expected[i].count);
            EXPECT_EQ(records[i].address, expected[i].address);
            EXPECT_EQ(records[i].type, expected[i].type);
            EXPECT_EQ(records[i].data, expected[i].data);
            EXPECT_EQ(records[i].line, i + 1);
            EXPECT_FALSE(records[i].truncated);
            if (records[i].type == record_type::kExtendedLinear) {
                ++extended;
                EXPECT_EQ(records[i].upperAddress, (expected[i].data[0] << 8) | expected[i].data[1]);
            }
        }
        EXPECT_GE(extended, 2) << "objcopy should have started a new 64 Ki segment";
    }

    ImagePaths paths = {dir.File("fw.i00"), dir.File("fw.i01"), dir.File("none.i10"), dir.File("none.i11")};
    WriteText(paths[2], "");
    WriteText(paths[3], "");
    ImagePlan plan;
    std::string error;
    ASSERT_TRUE(BuildImagePlan(paths, plan, error)) << error;
    std::vector<uint16_t> written;
    uint32_t next = first;
    for (const FlashWrite& w : plan.writes) {
        EXPECT_EQ(w.address, next);
        next += static_cast<uint32_t>(w.words.size());
        written.insert(written.end(), w.words.begin(), w.words.end());
    }
    EXPECT_EQ(written, words);
    ASSERT_EQ(plan.ranges[0].size(), 1u);
    EXPECT_EQ(plan.ranges[0][0].first, first);
    EXPECT_EQ(plan.ranges[0][0].count, words.size());
    EXPECT_TRUE(plan.ranges[1].empty());
}

TEST(HexReader, FindsRecordsByColonAndReadsDigitsLeniently) {
    // Two records on one line, lower-case digits, a wrong checksum, text between records, and a
    // non-hex character in a digit position (read as 0).
    const std::string text =
        "junk:0400100001aBcDeF00:02000004001FDB  garbage\n"
        ":02002000G1ff99\r\n"
        ":00000001FF";
    const std::vector<HexRecord> r = ParseHexRecords(text);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0].address, 0x0010);
    EXPECT_EQ(r[0].data, (std::vector<uint8_t>{0x01, 0xAB, 0xCD, 0xEF}));
    EXPECT_EQ(r[1].type, record_type::kExtendedLinear);
    EXPECT_EQ(r[1].upperAddress, 0x001F);
    EXPECT_EQ(r[1].line, 1u);
    EXPECT_EQ(r[2].data, (std::vector<uint8_t>{0x01, 0xFF}));
    EXPECT_EQ(r[2].line, 2u);
    EXPECT_EQ(r[3].type, record_type::kEndOfFile);
    EXPECT_EQ(r[3].line, 3u);
}

TEST(HexReader, StopsWhenFewerThanTenCharactersRemainAndFlagsCutRecords) {
    EXPECT_TRUE(ParseHexRecords(":0000000").empty());
    EXPECT_TRUE(ParseHexRecords("").empty());
    const std::vector<HexRecord> r = ParseHexRecords(":04000000AABB");
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(r[0].truncated);
    EXPECT_EQ(r[0].data, (std::vector<uint8_t>{0xAA, 0xBB, 0x00, 0x00}));
    bool readable = true;
    EXPECT_TRUE(ReadHexFile("/nonexistent/fw.i00", &readable).empty());
    EXPECT_FALSE(readable);
}

class ImageSetTest : public ::testing::Test {
protected:
    ImagePaths Paths() const {
        return {dir.File("fw.i00"), dir.File("fw.i01"), dir.File("fw.i10"), dir.File("fw.i11")};
    }
    void Write(const std::string& i00, const std::string& i01, const std::string& i10 = "",
               const std::string& i11 = "") {
        const ImagePaths p = Paths();
        WriteText(p[0], i00);
        WriteText(p[1], i01);
        WriteText(p[2], i10);
        WriteText(p[3], i11);
    }
    std::string Refusal() {
        ImagePlan plan;
        std::string error;
        EXPECT_FALSE(BuildImagePlan(Paths(), plan, error));
        EXPECT_TRUE(plan.writes.empty());
        return error;
    }
    TempDir dir;
};

TEST_F(ImageSetTest, TypeTwoRecordSetsTheUpperAddressLikeTypeFour) {
    Write(":020000020003F9\n:0200100011223A\n:020000040002F8\n:02000000334451\n:00000001FF\n",
          ":020000020003F9\n:02001000AABB3A\n:020000040002F8\n:02000000CCDD51\n:00000001FF\n",
          ":0100050077FF\n:00000001FF\n", ":0100050088FF\n:00000001FF\n");
    ImagePlan plan;
    std::string error;
    ASSERT_TRUE(BuildImagePlan(Paths(), plan, error)) << error;
    ASSERT_EQ(plan.writes.size(), 3u);
    EXPECT_EQ(plan.writes[0].address, 0x30010u);
    EXPECT_EQ(plan.writes[0].words, (std::vector<uint16_t>{0xAA11, 0xBB22}));
    EXPECT_EQ(plan.writes[1].address, 0x20000u);
    EXPECT_EQ(plan.writes[1].words, (std::vector<uint16_t>{0xCC33, 0xDD44}));
    // The second pair starts again from upper address 0.
    EXPECT_EQ(plan.writes[2].address, 0x5u);
    EXPECT_EQ(plan.writes[2].words, (std::vector<uint16_t>{0x8877}));
}

TEST_F(ImageSetTest, RecordsAfterTheEndRecordAndOtherTypesAreIgnored) {
    Write(":0400000300001234B3\n:01000000AA55\n:00000001FF\n:01000100BB43\n",
          ":0400000300001234B3\n:01000000CC33\n:00000001FF\n");
    ImagePlan plan;
    std::string error;
    ASSERT_TRUE(BuildImagePlan(Paths(), plan, error)) << error;
    ASSERT_EQ(plan.writes.size(), 1u);
    EXPECT_EQ(plan.writes[0].words, (std::vector<uint16_t>{0xCCAA}));
}

TEST_F(ImageSetTest, RefusesUnwritableSetsNamingFileAndRecord) {
    std::string longRecord = ":41000000";
    for (int i = 0; i < 0x41; ++i) longRecord += "00";
    longRecord += "BF\n";
    Write(":0100000011EE\n" + longRecord, ":0100000022DD\n" + longRecord);
    std::string error = Refusal();
    EXPECT_NE(error.find("fw.i00: record 2 (line 2)"), std::string::npos) << error;
    EXPECT_NE(error.find("65 data bytes"), std::string::npos) << error;

    Write(":0100000011EE\n:0100010011EE\n", ":0100000022DD\n:0100020022DD\n");
    error = Refusal();
    EXPECT_NE(error.find("fw.i01: record 2 (line 2) does not correspond to fw.i00: record 2"),
              std::string::npos)
        << error;

    Write(":0100000011EE\n:0100010011EE\n:00000001FF\n", ":0100000022DD\n");
    error = Refusal();
    EXPECT_NE(error.find("fw.i01 has no record to pair with fw.i00: record 2"), std::string::npos) << error;

    Write(":0100000011EE\n", ":0100000022DD\n:0100010022DD\n");
    error = Refusal();
    EXPECT_NE(error.find("fw.i01: record 2"), std::string::npos) << error;

    Write("", "", ":0100000011EE\n:020000040001", ":0100000022DD\n:020000040001F9\n");
    error = Refusal();
    EXPECT_NE(error.find("fw.i10: record 2 (line 2) is cut short"), std::string::npos) << error;

    Write(":00000001FF\n", ":00000001FF\n");
    EXPECT_EQ(Refusal(), "The image files hold no data records.");
}

// A folder named like an image file: the stream library reports reading it by throwing, which
// once ended the program.
TEST_F(ImageSetTest, FolderInTheSetIsRefusedByItsPath) {
    Write(":0100000011EE\n", ":0100000022DD\n", ":00000001FF\n", "");
    const ImagePaths paths = Paths();
    for (std::size_t slot : {std::size_t{0}, std::size_t{3}}) {
        std::filesystem::remove(paths[slot]);
        std::filesystem::create_directory(paths[slot]);
        bool readable = true;
        EXPECT_TRUE(ReadHexFile(paths[slot], &readable).empty());
        EXPECT_FALSE(readable);
        EXPECT_EQ(Refusal(), paths[slot] + " is a folder, not an image file.");
        std::filesystem::remove(paths[slot]);
        WriteText(paths[slot], slot == 0 ? ":0100000011EE\n" : "");
    }
}

TEST_F(ImageSetTest, TypeTwoRecordsAreNamedInAWarning) {
    const std::string typeTwo =
        ":0100000011EE\n:020000020003F9\n:0200100011223A\n:020000020004F8\n:0100000011EE\n";
    Write(typeTwo, typeTwo, ":020000040002F8\n:0100050077FF\n", ":020000040002F8\n:0100050088FF\n");
    ImagePlan plan;
    ImageProblem problem;
    ASSERT_TRUE(BuildImagePlan(Paths(), plan, problem)) << EnglishText(problem);
    ASSERT_EQ(plan.warnings.size(), 1u);  // one for the first pair; type 04 records are what the loader means
    const std::string text = EnglishText(plan.warnings[0]);
    EXPECT_EQ(text.rfind("fw.i00 has 2 type 02 address records (the first: record 2, line 2).", 0), 0u)
        << text;
    EXPECT_NE(text.find("written from address 0x30000, not from 0x30 "), std::string::npos) << text;

    Write(":0100000011EE\n", ":0100000022DD\n", typeTwo, typeTwo);
    ASSERT_TRUE(BuildImagePlan(Paths(), plan, problem));
    ASSERT_EQ(plan.warnings.size(), 1u);
    EXPECT_EQ(plan.warnings[0].args.front(), "fw.i10");
}

TEST(ImageTexts, PlaceholdersAreFilledOnce) {
    EXPECT_EQ(FillIn("%2 then %1, %3%", {"a%2", "b"}), "b then a%2, %");
    EXPECT_EQ(FillIn("100%", {}), "100%");
}

TEST_F(ImageSetTest, FindsTheFourFilesOfABaseNameInSlotOrder) {
    Write(":00000001FF", ":00000001FF", ":00000001FF", ":00000001FF");
    ImagePaths found;
    EXPECT_EQ(FindImageFiles(StripExtension(dir.File("fw.i10")), found), 4u);
    EXPECT_EQ(found[3], dir.File("fw.i11"));
    std::filesystem::remove(dir.File("fw.i11"));
    EXPECT_EQ(FindImageFiles(StripExtension(dir.File("fw.i10")), found), 3u);
    std::filesystem::remove(dir.File("fw.i00"));
    EXPECT_EQ(FindImageFiles(dir.File("fw"), found), 0u);

    EXPECT_EQ(StripExtension("/a.b/fw"), "/a.b/fw");
    EXPECT_EQ(StripExtension("/a/.hidden"), "/a/.hidden");
    EXPECT_EQ(StripExtension("dir/fw.v2.I01"), "dir/fw.v2");
    EXPECT_TRUE(HasImageExtension("x.I11"));
    EXPECT_FALSE(HasImageExtension("x.i12"));
}

}  // namespace
}  // namespace tarsel::firmware
