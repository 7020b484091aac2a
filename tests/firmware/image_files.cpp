#include "image_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace tarsel::firmware::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "firmloader-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool WritePairWithObjcopy(const std::string& lowPath, const std::string& highPath, uint32_t first,
                          const std::vector<uint16_t>& words) {
    if (words.empty()) {
        WriteText(lowPath, "");
        WriteText(highPath, "");
        return true;
    }
    for (int half = 0; half < 2; ++half) {
        const std::string binary = (half == 0 ? lowPath : highPath) + ".bin";
        {
            std::ofstream out(binary, std::ios::binary | std::ios::trunc);
            for (uint16_t w : words) out.put(static_cast<char>(half == 0 ? w & 0xFF : w >> 8));
        }
        char command[1024];
        std::snprintf(command, sizeof command,
                      "objcopy -I binary -O ihex --change-addresses=0x%X '%s' '%s' 2>/dev/null", first,
                      binary.c_str(), (half == 0 ? lowPath : highPath).c_str());
        const int status = std::system(command);
        std::remove(binary.c_str());
        if (status != 0) return false;
    }
    return true;
}

bool WriteImageSet(const std::string& base, uint32_t first0, const std::vector<uint16_t>& words0,
                   uint32_t first1, const std::vector<uint16_t>& words1) {
    return WritePairWithObjcopy(base + ".i00", base + ".i01", first0, words0) &&
           WritePairWithObjcopy(base + ".i10", base + ".i11", first1, words1);
}

std::vector<uint16_t> PatternWords(std::size_t count, uint16_t seed) {
    std::vector<uint16_t> words(count);
    uint32_t x = seed * 2654435761u + 1;
    for (uint16_t& w : words) {
        x = x * 1103515245u + 12345u;
        w = static_cast<uint16_t>(x >> 8);
    }
    return words;
}

std::map<uint32_t, uint16_t> ExpectedFlash(uint32_t first0, const std::vector<uint16_t>& words0,
                                           uint32_t first1, const std::vector<uint16_t>& words1) {
    std::map<uint32_t, uint16_t> flash;
    for (std::size_t i = 0; i < words0.size(); ++i) flash[first0 + static_cast<uint32_t>(i)] = words0[i];
    for (std::size_t i = 0; i < words1.size(); ++i) flash[first1 + static_cast<uint32_t>(i)] = words1[i];
    return flash;
}

}  // namespace tarsel::firmware::testing
