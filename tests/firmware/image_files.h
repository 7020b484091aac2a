// Writes image sets for the tests: Intel HEX text produced by objcopy from binaries split into
// low and high bytes, or written by hand for malformed cases.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tarsel::firmware::testing {

// A temporary folder removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteText(const std::string& path, const std::string& text);

// Words `words` from word address `first`, written as the image pair (low and high bytes) with
// objcopy at that address.  Returns false when objcopy failed.
bool WritePairWithObjcopy(const std::string& lowPath, const std::string& highPath, uint32_t first,
                          const std::vector<uint16_t>& words);

// A complete image set: pair 0 from `first0`, pair 1 from `first1` (empty words: empty files).
bool WriteImageSet(const std::string& base, uint32_t first0, const std::vector<uint16_t>& words0,
                   uint32_t first1, const std::vector<uint16_t>& words1);

std::vector<uint16_t> PatternWords(std::size_t count, uint16_t seed);

// The words an image set should leave in flash.
std::map<uint32_t, uint16_t> ExpectedFlash(uint32_t first0, const std::vector<uint16_t>& words0,
                                           uint32_t first1, const std::vector<uint16_t>& words1);

}  // namespace tarsel::firmware::testing
