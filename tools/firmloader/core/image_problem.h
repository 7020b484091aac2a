// Why an image set is refused, or what the user should know before it is written: an English
// text with the placeholders %1 to %9 and the values that go there (file names, record numbers,
// addresses).  The command line prints the English text; the wizard translates the text first
// (context "ImageCheck") and fills in the same values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Marks a text for the translation tools without pulling in any toolkit header.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace tarsel::firmware {

struct ImageProblem {
    const char* text = "";          // one of the texts of image_text
    std::vector<std::string> args;  // %1, %2, ...
};

// `text` with every %1 to %9 replaced by the argument of that number (a missing one by nothing);
// the arguments themselves are not searched again.
std::string FillIn(std::string_view text, const std::vector<std::string>& args);
std::string EnglishText(const ImageProblem& problem);

namespace image_text {
inline constexpr const char* kFolder = QT_TRANSLATE_NOOP("ImageCheck", "%1 is a folder, not an image file.");
inline constexpr const char* kUnreadable = QT_TRANSLATE_NOOP("ImageCheck", "Cannot read %1.");
inline constexpr const char* kCutShort =
    QT_TRANSLATE_NOOP("ImageCheck", "%1: record %2 (line %3) is cut short: the file ends inside the record.");
inline constexpr const char* kTooLong = QT_TRANSLATE_NOOP(
    "ImageCheck", "%1: record %2 (line %3) holds %4 data bytes; a data record may hold at most 64.");
inline constexpr const char* kAddressLength = QT_TRANSLATE_NOOP(
    "ImageCheck", "%1: record %2 (line %3) is an extended address record with %4 data bytes instead of 2.");
inline constexpr const char* kNoPartner =
    QT_TRANSLATE_NOOP("ImageCheck", "%1 has no record to pair with %2: record %3 (line %4).");
inline constexpr const char* kNoPartnerInLow =
    QT_TRANSLATE_NOOP("ImageCheck", "%1: record %2 (line %3) has no record to pair with in %4.");
inline constexpr const char* kMismatch = QT_TRANSLATE_NOOP(
    "ImageCheck",
    "%1: record %2 (line %3) does not correspond to %4: record %5 (line %6) (count, address, type or "
    "extended address differ).");
inline constexpr const char* kNoData =
    QT_TRANSLATE_NOOP("ImageCheck", "The image files hold no data records.");
inline constexpr const char* kNoWords =
    QT_TRANSLATE_NOOP("ImageCheck", "The data records of the image files hold no words.");
inline constexpr const char* kNotRegular =
    QT_TRANSLATE_NOOP("ImageCheck", "%1 is not a regular file (a FIFO or a device, for instance).");
inline constexpr const char* kTooLarge = QT_TRANSLATE_NOOP("ImageCheck", "%1 is larger than %2 MiB.");
inline constexpr const char* kBeyondAddresses = QT_TRANSLATE_NOOP(
    "ImageCheck",
    "%1: record %2 (line %3) writes the words 0x%4-0x%5, beyond the 32-bit addresses a write frame can "
    "carry.");
// A warning, not a refusal.
inline constexpr const char* kSegmentRecords = QT_TRANSLATE_NOOP(
    "ImageCheck",
    "%1 has %2 type 02 address records (the first: record %3, line %4).  They are read like type 04 "
    "records, so the data after the first one is written from address 0x%5, not from 0x%6 as the HEX "
    "format means it.  Make the images with type 04 records.");
inline constexpr const char* kAll[] = {
    kFolder, kUnreadable, kCutShort,   kTooLong,  kAddressLength,   kNoPartner,      kMismatch,
    kNoData, kNoWords,    kNotRegular, kTooLarge, kBeyondAddresses, kNoPartnerInLow, kSegmentRecords};
}  // namespace image_text

}  // namespace tarsel::firmware
