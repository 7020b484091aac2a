// The Windows ANSI code page of text files without a byte order mark, and the conversions of the
// two code pages the programs use: 1252 (Western) and 949 (Korean).
//
// Files travel between these programs and the Windows programs they come from; there, a file
// without a byte order mark is read in the machine's ANSI code page, which follows the language
// of the user interface.  The code page in use here is chosen the same way, and can be fixed:
//   1. SetAnsiCodePage() of the program, when called with 949 or 1252;
//   2. else the environment variable TARSEL_CODE_PAGE ("949" or "1252");
//   3. else 949 when the user interface language is Korean (the first of LANGUAGE, LC_ALL,
//      LC_MESSAGES and LANG that is set starts with "ko"), and 1252 otherwise.
#pragma once

#include <string>
#include <string_view>

namespace tarsel::ini {

inline constexpr int kCodePageWestern = 1252;
inline constexpr int kCodePageKorean = 949;
inline constexpr const char* kCodePageVariable = "TARSEL_CODE_PAGE";

// The code page in use (949 or 1252), chosen as above.
int AnsiCodePage();

// Fixes the code page for the whole process (949 or 1252); 0 returns to the choice by the
// environment.  False, and nothing changed, for any other number.
bool SetAnsiCodePage(int code_page);

// The code page a user interface language implies: 949 for Korean ("ko", "ko_KR.UTF-8", "ko-KR"),
// 1252 for every other language.
int CodePageForLanguage(std::string_view language);

// Windows-1252 bytes to UTF-8.  The five bytes the code page leaves undefined map to the C1 control
// with the same number, as the system's conversion does, so every byte survives a round trip.
std::string DecodeCp1252(std::string_view bytes);

// Code page 949 bytes to UTF-8.  A byte 0x80..0xFF that starts no valid character becomes the
// private-use character U+F780 + (byte - 0x80), which EncodeCp949 writes back as that byte.
std::string DecodeCp949(std::string_view bytes);

// UTF-8 text to Windows-1252 or code page 949.  A character the code page cannot hold is written
// as '?', as the system's own conversion does, and clears `fits` (when given).
std::string EncodeCp1252(std::string_view utf8, bool* fits = nullptr);
std::string EncodeCp949(std::string_view utf8, bool* fits = nullptr);

}  // namespace tarsel::ini
