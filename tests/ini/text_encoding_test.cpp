#include "base/ini/text_encoding.h"

#include <gtest/gtest.h>

#include "base/ini/ini_file.h"
#include "tests/ini/code_page_scope.h"

namespace tarsel::ini {
namespace {

std::string Utf16LE(const std::u16string& text, bool bom = true) {
    std::string out = bom ? std::string("\xFF\xFE") : std::string();
    for (const char16_t unit : text) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

using tarsel::testing::CodePageScope;

TEST(TextEncoding, DetectsByByteOrderMarkThenByUtf8Validity) {
    const CodePageScope western(kCodePageWestern);
    EXPECT_EQ(DetectEncoding("\xFF\xFE[\0"), TextEncoding::Utf16LE);
    EXPECT_EQ(DetectEncoding("\xFE\xFF\0["), TextEncoding::Utf16BE);
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF[A]"), TextEncoding::Utf8Bom);
    EXPECT_EQ(DetectEncoding("[A]\nName=\xC3\xA9"), TextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("[A]\nName=\xE9t\xE9"), TextEncoding::Cp1252);
    EXPECT_EQ(DetectEncoding("[A]\nName=plain"), TextEncoding::Ansi);
    EXPECT_EQ(DetectEncoding(""), TextEncoding::Ansi);
    const CodePageScope korean(kCodePageKorean);
    EXPECT_EQ(DetectEncoding("[A]\nName=\xC7\xD1\xB1\xDB"), TextEncoding::Cp949);
}

TEST(TextEncoding, Utf16RoundTripIncludingSurrogatePairs) {
    const std::string utf8 = "[A]\r\nName=\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\n";
    const std::string bytes = EncodeText(utf8, TextEncoding::Utf16LE);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(DecodeText(bytes, TextEncoding::Utf16LE), utf8);
    EXPECT_EQ(DecodeText(EncodeText(utf8, TextEncoding::Utf16BE), TextEncoding::Utf16BE), utf8);
}

TEST(TextEncoding, MalformedUtf16BecomesReplacementCharacters) {
    std::string lone_surrogate = Utf16LE(u"A");
    lone_surrogate += std::string("\x00\xD8", 2);  // high surrogate without its pair
    lone_surrogate += "B";                         // and an odd trailing byte
    EXPECT_EQ(DecodeText(lone_surrogate, TextEncoding::Utf16LE), "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextEncoding, Windows1252) {
    EXPECT_EQ(DecodeText("\x80 \xE9 \x9F \x81", TextEncoding::Cp1252),
              "\xE2\x82\xAC \xC3\xA9 \xC5\xB8 \xC2\x81");
    EXPECT_EQ(EncodeText("\xE2\x82\xAC \xC3\xA9 \xE4\xB8\xAD", TextEncoding::Cp1252), "\x80 \xE9 ?");
}

TEST(TextEncoding, TruncationNeverSplitsACharacter) {
    EXPECT_EQ(Utf8Length("a\xC3\xA9\xE2\x82\xAC"), 3u);
    EXPECT_EQ(Utf8Truncate("a\xC3\xA9\xE2\x82\xAC", 2), "a\xC3\xA9");
    EXPECT_EQ(Utf8Truncate("abc", 10), "abc");
}

TEST(TextEncoding, Utf16FileIsParsedAndKeepsItsEncoding) {
    IniFile file = IniFile::FromBytes(Utf16LE(u"[Info]\r\nModel=Pellin Tevra\r\n[COMM]\r\nPortNo=7\r\n"));
    EXPECT_EQ(file.encoding(), TextEncoding::Utf16LE);
    EXPECT_EQ(file.GetString("info", "model"), "Pellin Tevra");
    EXPECT_EQ(file.GetInt("comm", "portno", 1), 7);
    ASSERT_TRUE(file.SetString("COMM", "Baudrate", "9600"));
    EXPECT_EQ(file.ToBytes(),
              Utf16LE(u"[Info]\r\nModel=Pellin Tevra\r\n[COMM]\r\nPortNo=7\r\nBaudrate=9600\r\n"));
}

TEST(TextEncoding, AnsiFileKeepsItsBytesOnRewrite) {
    const CodePageScope western(kCodePageWestern);
    IniFile file = IniFile::FromBytes("[MOTOR_NUMBER]\r\n1=Moteur \xE9tape\r\n");
    EXPECT_EQ(file.encoding(), TextEncoding::Cp1252);
    EXPECT_EQ(file.GetString("MOTOR_NUMBER", "1"), "Moteur \xC3\xA9tape");
    ASSERT_TRUE(file.SetString("MOTOR_NUMBER", "2", "\xC3\xA9"));
    EXPECT_EQ(file.ToBytes(), "[MOTOR_NUMBER]\r\n1=Moteur \xE9tape\r\n2=\xE9\r\n");
}

TEST(TextEncoding, Utf8ByteOrderMarkIsKept) {
    IniFile file = IniFile::FromBytes("\xEF\xBB\xBF[A]\nk=v\n");
    EXPECT_EQ(file.GetString("A", "k"), "v");
    ASSERT_TRUE(file.SetString("A", "k", "w"));
    EXPECT_EQ(file.ToBytes(), "\xEF\xBB\xBF[A]\nk=w\n");
}

}  // namespace
}  // namespace tarsel::ini
