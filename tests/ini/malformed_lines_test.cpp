// Hand-edited and foreign files: line ends, broken headers, keys before any section, NUL and
// Ctrl-Z characters, read and written the way the Windows profile functions treat them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/ini/ini_file.h"

namespace tarsel::ini {
namespace {

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    std::string bytes;
    const char* section;
    const char* key;
    std::optional<std::string> expected;  // none: the key is not found
};

TEST(IniFileMalformed, ReadsLikeTheProfileFunctions) {
    const ReadCase cases[] = {
        {"lone CR ends a line", "[A]\rk=1\rj=2", "A", "j", "2"},
        {"lone CR, first key", "[A]\rk=1\rj=2", "A", "k", "1"},
        {"LF CR ends a line", "[A]\n\rk=1\n\rj=2\n\r", "A", "j", "2"},
        {"mixed line ends", "[A]\r\nk=1\rj=2\nm=3\n\rn=4", "a", "n", "4"},
        {"CR CR LF", "[A]\r\r\nk=1\r\r\n", "A", "k", "1"},
        {"unclosed bracket is no section", "[A]\n[b\nk=1\n", "A", "k", "1"},
        {"unclosed bracket, no section b", "[A]\n[b\nk=1\n", "b", "k", std::nullopt},
        {"unclosed bracket line is a key", "[A]\n[b=2\n", "A", "[b", "2"},
        {"key before any section", "k=1\n[A]\nx=2\n", "", "k", "1"},
        {"key before any section, blanks", "  k = 1 \n[A]\n", " ", "K", "1"},
        {"key before any section is no key of A", "k=1\n[A]\nx=2\n", "A", "k", std::nullopt},
        {"no keys before any section", "; note\n[A]\nk=1\n", "", "k", std::nullopt},
        {"explicit empty section name", "[A]\nx=1\n[]\nk=2\n", "", "k", "2"},
        {"leading keys win over []", "k=1\n[]\nk=2\n", "", "k", "1"},
        {"NUL ends a value", "[A]\nk=ab\0cd\n"s, "A", "k", "ab"},
        {"NUL after blanks keeps them", "[A]\nk=ab  \0cd\n"s, "A", "k", "ab  "},
        {"NUL cuts before unquoting", "[A]\nk=\"q\"\0x\"\n"s, "A", "k", "q"},
        {"trailing Ctrl-Z ignored", "[A]\r\nk=1\x1A", "A", "k", "1"},
        {"Ctrl-Z after last line end", "[A]\r\nk=1\r\n\x1A", "A", "k", "1"},
        {"Ctrl-Z inside stays text", "[A]\r\nk=1\x1A\r\n", "A", "k", "1\x1A"},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile file = IniFile::FromBytes(c.bytes);
        EXPECT_EQ(file.Find(c.section, c.key), c.expected);
    }
}

TEST(IniFileMalformed, SectionListsAndIntegers) {
    const IniFile file = IniFile::FromBytes("top=0X1F\r[A\r[B]\rk=0x1F\rn=0B11\r");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(file.SectionEntries(""), (std::vector<std::string>{"top=0X1F", "[A"}));
    EXPECT_EQ(file.KeyNames(""), (std::vector<std::string>{"top"}));
    EXPECT_TRUE(file.HasSection(""));
    EXPECT_FALSE(file.HasSection("A"));
    EXPECT_EQ(file.GetInt("", "top", 5), 0);  // upper-case prefix: 0 followed by text
    EXPECT_EQ(file.GetInt("B", "k", 5), 31);
    EXPECT_EQ(file.GetInt("B", "n", 5), 0);
}

struct WriteCase {
    const char* name;
    std::string bytes;
    const char* section;
    const char* key;
    const char* value;
    std::string expected;
};

TEST(IniFileMalformed, WritesInPlace) {
    const WriteCase cases[] = {
        {"lone CR kept", "[A]\rk=1\rj=2", "A", "k", "5", "[A]\rk=5\rj=2"},
        {"new key takes the CR line end", "[A]\rk=1\r", "A", "n", "5", "[A]\rk=1\rn=5\r"},
        {"LF CR kept", "[A]\n\rk=1\n\r", "A", "k", "5", "[A]\n\rk=5\n\r"},
        {"key before any section rewritten", "k=1\r\n[A]\r\nk=2\r\n", "", "K", "9", "k=9\r\n[A]\r\nk=2\r\n"},
        {"new key after the leading keys", "k=1\r\n\r\n[A]\r\n", "", "n", "2", "k=1\r\nn=2\r\n\r\n[A]\r\n"},
        {"new key after the opening comment", "; top\r\n\r\n[A]\r\n", "", "k", "v",
         "; top\r\nk=v\r\n\r\n[A]\r\n"},
        {"new key at the top", "[A]\r\nx=1\r\n", "", "k", "v", "k=v\r\n[A]\r\nx=1\r\n"},
        {"empty file, empty section", "", "", "k", "v", "k=v\r\n"},
        {"explicit [] section used", "[A]\nx=1\n[]\nk=2\n", "", "k", "3", "[A]\nx=1\n[]\nk=3\n"},
        {"unclosed bracket stays a key line", "[A]\n[b\n", "A", "k", "1", "[A]\n[b\nk=1\n"},
        {"Ctrl-Z stays last", "[A]\r\nk=1\r\n\x1A", "A", "k", "2", "[A]\r\nk=2\r\n\x1A"},
        {"Ctrl-Z after a new section", "[A]\r\nk=1\x1A", "B", "k", "2",
         "[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\n\x1A"},
        {"line with NUL rewritten whole", "[A]\nk=ab\0cd\nj=1\n"s, "A", "k", "x", "[A]\nk=x\nj=1\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        IniFile file = IniFile::FromBytes(c.bytes);
        ASSERT_TRUE(file.SetString(c.section, c.key, c.value));
        EXPECT_EQ(file.ToBytes(), c.expected);
        EXPECT_EQ(IniFile::FromBytes(file.ToBytes()).Find(c.section, c.key), c.value);
    }
}

TEST(IniFileMalformed, DeletingTheLeadingSectionKeepsComments) {
    IniFile file = IniFile::FromBytes("; top\nk=1\nloose\n\n[A]\nx=2\n");
    EXPECT_TRUE(file.DeleteKey("", "k"));
    EXPECT_TRUE(file.DeleteSection(""));
    EXPECT_FALSE(file.DeleteSection(""));
    EXPECT_EQ(file.ToBytes(), "; top\n\n[A]\nx=2\n");
}

TEST(IniFileMalformed, NulIsRefusedInNamesAndValues) {
    IniFile file = IniFile::FromBytes("[A]\nx=1\n");
    EXPECT_FALSE(file.SetString("A", "x", "1\0002"s));
    EXPECT_FALSE(file.SetString("A", "x\0y"s, "1"));
    EXPECT_FALSE(file.SetString("A\0B"s, "x", "1"));
    EXPECT_EQ(file.ToBytes(), "[A]\nx=1\n");
}

}  // namespace
}  // namespace tarsel::ini
