// Which code page files without a byte order mark use, and in which encoding text is written.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <map>
#include <optional>
#include <string>

#include "base/ini/code_page.h"
#include "base/ini/ini_file.h"
#include "base/ini/text_encoding.h"
#include "tests/ini/code_page_scope.h"

namespace tarsel::ini {
namespace {

using tarsel::testing::CodePageScope;

// UTF-8, code page 949 and UTF-16LE forms of the same texts.
const std::string kHangul = "\xED\x95\x9C\xEA\xB8\x80";  // "Hangul" in Hangul
const std::string kHangul949 = "\xC7\xD1\xB1\xDB";
const std::string kHangul16("\x5C\xD5\x00\xAE", 4);
const std::string kMotor = "\xEB\xAA\xA8\xED\x84\xB0";  // "motor" in Hangul
const std::string kMotor949 = "\xB8\xF0\xC5\xCD";
const std::string kEAcute = "\xC3\xA9";
const std::string kEuro = "\xE2\x82\xAC";

std::string Utf16LEOfAscii(std::string_view ascii) {
    std::string out;
    for (const char c : ascii) {
        out.push_back(c);
        out.push_back('\0');
    }
    return out;
}

// Sets or removes environment variables for one test and puts the old values back.
class EnvironmentScope {
public:
    void Set(const char* name, const char* value) {
        if (saved_.find(name) == saved_.end()) {
            const char* old = ::getenv(name);
            saved_.emplace(name, old ? std::optional<std::string>(old) : std::nullopt);
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~EnvironmentScope() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(CodePage, FollowsTheUserInterfaceLanguage) {
    const struct {
        const char* language;
        int code_page;
    } cases[] = {
        {"ko", 949},      {"ko_KR.UTF-8", 949},  {"ko-KR", 949}, {"KO_kr", 949}, {"ko:en", 949},
        {"kok_IN", 1252}, {"en_US.UTF-8", 1252}, {"C", 1252},    {"", 1252},     {"de_DE@euro", 1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageForLanguage(c.language), c.code_page) << c.language;
    }
}

TEST(CodePage, ProgramSettingBeforeVariableBeforeLanguage) {
    EnvironmentScope env;
    env.Set("LANGUAGE", nullptr);
    env.Set("LC_ALL", nullptr);
    env.Set("LC_MESSAGES", "ko_KR.UTF-8");
    env.Set("LANG", "en_US.UTF-8");
    env.Set(kCodePageVariable, nullptr);
    EXPECT_EQ(AnsiCodePage(), 949);  // LC_MESSAGES comes before LANG

    env.Set("LC_ALL", "en_GB.UTF-8");
    EXPECT_EQ(AnsiCodePage(), 1252);

    env.Set(kCodePageVariable, "949");
    EXPECT_EQ(AnsiCodePage(), 949);
    env.Set(kCodePageVariable, "850");  // not supported: ignored
    EXPECT_EQ(AnsiCodePage(), 1252);

    env.Set(kCodePageVariable, "949");
    ASSERT_TRUE(SetAnsiCodePage(1252));
    EXPECT_EQ(AnsiCodePage(), 1252);
    EXPECT_FALSE(SetAnsiCodePage(932));
    EXPECT_EQ(AnsiCodePage(), 1252);
    ASSERT_TRUE(SetAnsiCodePage(0));
    EXPECT_EQ(AnsiCodePage(), 949);
}

TEST(CodePage, Korean949RoundTripAndUnmappableText) {
    EXPECT_EQ(EncodeCp949("[" + kHangul + "]\r\n" + kMotor + "=1"),
              "[" + kHangul949 + "]\r\n" + kMotor949 + "=1");
    EXPECT_EQ(DecodeCp949("A" + kHangul949 + kMotor949), "A" + kHangul + kMotor);

    bool fits = true;
    EXPECT_EQ(EncodeCp949("a" + kEAcute + kHangul, &fits), "a?" + kHangul949);
    EXPECT_FALSE(fits);
    fits = true;
    EncodeCp949("\xFF", &fits);  // malformed UTF-8 does not fit either
    EXPECT_FALSE(fits);

    // Bytes that start no character (a stray byte, a lead byte before a line end or cut off by the
    // end) read as private-use characters and are written back unchanged.
    const std::string stray = "a\x80 \xE9\r\n\xFF" + kHangul949 + "\xB0";
    EXPECT_EQ(DecodeCp949(stray), "a\xEF\x9E\x80 \xEF\x9F\xA9\r\n\xEF\x9F\xBF" + kHangul + "\xEF\x9E\xB0");
    fits = true;
    EXPECT_EQ(EncodeCp949(DecodeCp949(stray), &fits), stray);
    EXPECT_TRUE(fits);
}

TEST(CodePage, Western1252FitsOnlyItsCharacters) {
    bool fits = true;
    EXPECT_EQ(EncodeCp1252(kEAcute + kEuro + std::string(1, '\0'), &fits), std::string("\xE9\x80\0", 3));
    EXPECT_TRUE(fits);
    EXPECT_EQ(EncodeCp1252(kHangul, &fits), "??");
    EXPECT_FALSE(fits);
    // Every byte, the undefined ones included, survives a round trip.
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(EncodeCp1252(DecodeCp1252(all)), all);
}

TEST(EncodingPolicy, WriteEncodingTable) {
    const TextEncoding Ansi = TextEncoding::Ansi, Utf8 = TextEncoding::Utf8, Bom = TextEncoding::Utf8Bom,
                       LE = TextEncoding::Utf16LE, BE = TextEncoding::Utf16BE, W = TextEncoding::Cp1252,
                       K = TextEncoding::Cp949;
    const struct {
        int code_page;
        std::string text;
        TextEncoding read;
        TextEncoding written;
    } cases[] = {
        {1252, "plain", Ansi, W}, {949, "plain", Ansi, K}, {1252, kEAcute, Ansi, W},
        {949, kEAcute, Ansi, LE}, {949, kHangul, Ansi, K}, {1252, kHangul, Ansi, LE},
        {1252, kEuro, W, W},      {1252, kHangul, W, LE},  {1252, kHangul, K, K},
        {1252, kEAcute, K, LE},   {949, kEAcute, W, W},    {949, kHangul, Utf8, Utf8},
        {949, kHangul, Bom, Bom}, {1252, kHangul, BE, BE}, {949, "plain", LE, LE},
    };
    for (const auto& c : cases) {
        const CodePageScope scope(c.code_page);
        EXPECT_EQ(WriteEncoding(c.text, c.read), c.written)
            << c.code_page << " " << static_cast<int>(c.read) << " " << c.text;
    }
}

TEST(EncodingPolicy, NewAndAsciiFilesUseTheCodePageWhenTheTextFits) {
    {
        const CodePageScope korean(kCodePageKorean);
        IniFile file;
        ASSERT_TRUE(file.SetString("Info", "Model", kMotor));
        EXPECT_EQ(file.ToBytes(), "[Info]\r\nModel=" + kMotor949 + "\r\n");
        const IniFile reread = IniFile::FromBytes(file.ToBytes());
        EXPECT_EQ(reread.encoding(), TextEncoding::Cp949);
        EXPECT_EQ(reread.GetString("Info", "Model"), kMotor);
    }
    {
        const CodePageScope western(kCodePageWestern);
        IniFile file = IniFile::FromBytes("[Info]\r\nModel=x\r\n");
        ASSERT_TRUE(file.SetString("Info", "Model", "Caf" + kEAcute));
        EXPECT_EQ(file.ToBytes(), "[Info]\r\nModel=Caf\xE9\r\n");
    }
}

TEST(EncodingPolicy, TextBeyondTheCodePageIsWrittenAsUtf16) {
    const CodePageScope western(kCodePageWestern);
    // A Western file gains Korean text: the whole file becomes UTF-16LE, the accent included.
    IniFile file = IniFile::FromBytes("[A]\r\nk=\xE9\r\n");
    ASSERT_TRUE(file.SetString("A", "m", kHangul));
    const std::string bytes = file.ToBytes();
    EXPECT_EQ(bytes, "\xFF\xFE" + Utf16LEOfAscii("[A]\r\nk=") + std::string("\xE9\0", 2) +
                         Utf16LEOfAscii("\r\nm=") + kHangul16 + Utf16LEOfAscii("\r\n"));
    const IniFile reread = IniFile::FromBytes(bytes);
    EXPECT_EQ(reread.encoding(), TextEncoding::Utf16LE);
    EXPECT_EQ(reread.GetString("A", "k"), kEAcute);
    EXPECT_EQ(reread.GetString("A", "m"), kHangul);
}

TEST(EncodingPolicy, FilesKeepTheirEncoding) {
    const CodePageScope korean(kCodePageKorean);
    const struct {
        const char* name;
        std::string bytes;
        std::string expected;
    } cases[] = {
        {"949 file", "[A]\r\nk=" + kHangul949 + "\r\n",
         "[A]\r\nk=" + kHangul949 + "\r\nm=" + kMotor949 + "\r\n"},
        {"949 file with a stray byte", "[A]\r\nk=caf\xE9\r\n", "[A]\r\nk=caf\xE9\r\nm=" + kMotor949 + "\r\n"},
        {"UTF-8 file without mark", "[A]\nk=" + kHangul + "\n", "[A]\nk=" + kHangul + "\nm=" + kMotor + "\n"},
        {"UTF-8 file with mark", "\xEF\xBB\xBF[A]\nk=1\n", "\xEF\xBB\xBF[A]\nk=1\nm=" + kMotor + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        IniFile file = IniFile::FromBytes(c.bytes);
        ASSERT_TRUE(file.SetString("A", "m", kMotor));
        EXPECT_EQ(file.ToBytes(), c.expected);
    }
}

}  // namespace
}  // namespace tarsel::ini
