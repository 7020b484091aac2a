#include "base/ini/ini_file.h"

#include <gtest/gtest.h>

namespace tarsel::ini {
namespace {

TEST(IniFileRead, SectionsAndKeysIgnoreCaseAndFirstMatchWins) {
    const IniFile file = IniFile::FromBytes(
        "[Info]\r\nModel=Ravelo\r\nmodel=Other\r\n[info]\r\nExtra=1\r\n[Parameter]\r\nParamCnt=3\r\n");
    EXPECT_EQ(file.GetString("INFO", "MODEL"), "Ravelo");
    EXPECT_EQ(file.Find("info", "extra"), std::nullopt);  // only the first "Info" section counts
    EXPECT_EQ(file.GetInt("parameter", "paramcnt", 0), 3);
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Info", "Parameter"}));
}

TEST(IniFileRead, ValuesAreTrimmedAndUnquoted) {
    const IniFile file = IniFile::FromBytes(
        "  [ Sec ]  \n"
        "  Key One  =  some value \t\n"
        "Quoted=\"  padded  \"\n"
        "Single='x'\n"
        "Mismatch=\"x'\n"
        "Empty=\n"
        "Inner=a=b\n"
        "; Commented=1\n"
        "Loose line\n");
    EXPECT_EQ(file.GetString("sec", "key one"), "some value");
    EXPECT_EQ(file.GetString("Sec", "Quoted"), "  padded  ");
    EXPECT_EQ(file.GetString("Sec", "Single"), "x");
    EXPECT_EQ(file.GetString("Sec", "Mismatch"), "\"x'");
    EXPECT_EQ(file.GetString("Sec", "Empty", "default"), "");  // present but empty: not the default
    EXPECT_EQ(file.GetString("Sec", "Inner"), "a=b");
    EXPECT_EQ(file.GetString("Sec", "; Commented", "none"), "none");
    EXPECT_EQ(file.GetString("Sec", "Missing", "fallback"), "fallback");
    EXPECT_EQ(file.GetString("Nope", "Key One", "fallback"), "fallback");
    EXPECT_EQ(file.SectionEntries("SEC"),
              (std::vector<std::string>{"Key One=some value", "Quoted=\"  padded  \"", "Single='x'",
                                        "Mismatch=\"x'", "Empty=", "Inner=a=b", "Loose line"}));
    EXPECT_TRUE(file.SectionEntries("Nope").empty());
}

TEST(IniFileRead, KeysBeforeTheFirstSectionBelongToNone) {
    const IniFile file = IniFile::FromBytes("Orphan=1\n[A]\nKey=2");
    EXPECT_EQ(file.GetInt("A", "Orphan", -1), -1);
    EXPECT_EQ(file.GetInt("A", "Key", -1), 2);  // last line without a line ending
    EXPECT_TRUE(file.HasSection("a"));
}

TEST(IniFileRead, SectionNameEndsAtTheLastBracket) {
    const IniFile file = IniFile::FromBytes("[a]b] ; note\nk=1\n");
    EXPECT_EQ(file.GetInt("a]b", "k", 0), 1);
}

TEST(IniFileRead, EmptySectionHasNoEntries) {
    const IniFile file = IniFile::FromBytes("[Empty]\n; only a comment\n\n[Next]\nK=1\n");
    EXPECT_TRUE(file.HasSection("Empty"));
    EXPECT_TRUE(file.SectionEntries("Empty").empty());
}

TEST(IniFileRead, StringsAreCutToTheRequestedCharacters) {
    const IniFile file = IniFile::FromBytes("[S]\nName=Motor \xC3\xA9l\xC3\xA9ment\n");
    EXPECT_EQ(file.GetString("S", "Name", {}, 7), "Motor \xC3\xA9");
    EXPECT_EQ(file.GetString("S", "Missing", "abcdef", 3), "abc");
}

TEST(ProfileInt, StopsAtTheFirstNonDigit) {
    EXPECT_EQ(ParseProfileInt("", 7), 7);
    EXPECT_EQ(ParseProfileInt("42", 7), 42);
    EXPECT_EQ(ParseProfileInt("-42", 7), -42);
    EXPECT_EQ(ParseProfileInt("+42", 7), 42);
    EXPECT_EQ(ParseProfileInt("12a", 7), 12);
    EXPECT_EQ(ParseProfileInt("1.9", 7), 1);
    EXPECT_EQ(ParseProfileInt("abc", 7), 0);  // present but no digits
    EXPECT_EQ(ParseProfileInt("-", 7), 0);
    EXPECT_EQ(ParseProfileInt("0x1F", 7), 31);
    EXPECT_EQ(ParseProfileInt("-0x10", 7), -16);
    EXPECT_EQ(ParseProfileInt("0o17", 7), 15);
    EXPECT_EQ(ParseProfileInt("0b101", 7), 5);
    EXPECT_EQ(ParseProfileInt("0xg", 7), 0);
    EXPECT_EQ(ParseProfileInt("012", 7), 12);  // a leading zero alone is still decimal
    EXPECT_EQ(ParseProfileInt("0", 7), 0);
    EXPECT_EQ(ParseProfileInt("  15", 7), 15);
    EXPECT_EQ(ParseProfileInt("4294967295", 7), -1);  // wraps like the 32-bit system result
    EXPECT_EQ(ParseProfileInt("256", 7) & 0xFF, 0);
}

TEST(ProfileInt, MissingOrEmptyKeyGivesTheDefault) {
    const IniFile file = IniFile::FromBytes("[S]\nEmpty=\nQuoted=\"12\"\nText=x\n");
    EXPECT_EQ(file.GetInt("S", "Empty", 5), 5);
    EXPECT_EQ(file.GetInt("S", "Missing", 5), 5);
    EXPECT_EQ(file.GetInt("S", "Quoted", 5), 12);
    EXPECT_EQ(file.GetInt("S", "Text", 5), 0);
}

TEST(IniFileWrite, ExistingKeyIsRewrittenInPlaceAndEverythingElseStays) {
    const std::string original =
        "; header comment\r\n[Info]\r\nModel=Old\r\n\r\n[Parameter]\r\n; values\r\nparamcnt = 2\r\n0=5\r\n";
    IniFile file = IniFile::FromBytes(original);
    ASSERT_TRUE(file.SetString("PARAMETER", "ParamCnt", "3"));
    EXPECT_EQ(
        file.ToBytes(),
        "; header comment\r\n[Info]\r\nModel=Old\r\n\r\n[Parameter]\r\n; values\r\nparamcnt=3\r\n0=5\r\n");
}

TEST(IniFileWrite, NewKeyFollowsTheLastKeyOfItsSection) {
    IniFile file = IniFile::FromBytes("[A]\nx=1\n; trailing comment\n\n[B]\ny=2\n");
    ASSERT_TRUE(file.SetString("a", "z", "3"));
    EXPECT_EQ(file.ToBytes(), "[A]\nx=1\nz=3\n; trailing comment\n\n[B]\ny=2\n");
    ASSERT_TRUE(file.SetString("B", "w", "4"));
    EXPECT_EQ(file.ToBytes(), "[A]\nx=1\nz=3\n; trailing comment\n\n[B]\ny=2\nw=4\n");
}

TEST(IniFileWrite, NewKeyInAnEmptySectionFollowsItsHeader) {
    IniFile file = IniFile::FromBytes("[A]\n\n[B]");
    ASSERT_TRUE(file.SetString("B", "k", "v"));
    ASSERT_TRUE(file.SetString("A", "k", "v"));
    EXPECT_EQ(file.ToBytes(), "[A]\nk=v\n\n[B]\nk=v\n");
}

TEST(IniFileWrite, NewSectionGoesToTheEnd) {
    IniFile file = IniFile::FromBytes("[A]\r\nx=1");
    ASSERT_TRUE(file.SetString("B", "y", "2"));
    EXPECT_EQ(file.ToBytes(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");

    IniFile fresh;
    ASSERT_TRUE(fresh.SetString("Info", "Model", "Ravelo"));
    ASSERT_TRUE(fresh.SetInt("Parameter", "0", -5));
    EXPECT_EQ(fresh.ToBytes(), "[Info]\r\nModel=Ravelo\r\n\r\n[Parameter]\r\n0=-5\r\n");
}

TEST(IniFileWrite, UnstorableNamesAndValuesAreRefused) {
    IniFile file = IniFile::FromBytes("[A]\nx=1\n");
    const std::string before = file.ToBytes();
    EXPECT_FALSE(file.SetString("A", "x", "1\r\n[Evil]"));
    EXPECT_FALSE(file.SetString("A", "", "1"));
    EXPECT_FALSE(file.SetString("A", "a=b", "1"));
    EXPECT_FALSE(file.SetString("A", "[k", "1"));
    EXPECT_FALSE(file.SetString("A", ";k", "1"));
    EXPECT_FALSE(file.SetString("A]", "k", "1"));
    EXPECT_FALSE(file.SetString("A\nB", "k", "1"));
    EXPECT_EQ(file.ToBytes(), before);
}

TEST(IniFileWrite, DeleteKeyAndSection) {
    IniFile file = IniFile::FromBytes("[A]\nx=1\ny=2\n[B]\nz=3\n[C]\n");
    EXPECT_TRUE(file.DeleteKey("a", "X"));
    EXPECT_FALSE(file.DeleteKey("a", "x"));
    EXPECT_TRUE(file.DeleteSection("b"));
    EXPECT_FALSE(file.DeleteSection("b"));
    EXPECT_EQ(file.ToBytes(), "[A]\ny=2\n[C]\n");
}

TEST(IniFileWrite, WrittenValueReadsBackAfterReparse) {
    IniFile file;
    ASSERT_TRUE(file.SetString("PosTable", "0", "3\t 1000\t 1"));
    const IniFile reread = IniFile::FromBytes(file.ToBytes());
    EXPECT_EQ(reread.GetString("postable", "0"), "3\t 1000\t 1");
}

}  // namespace
}  // namespace tarsel::ini
