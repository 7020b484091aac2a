#include "tools/firmloader/core/image_set.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>

#include "tools/firmloader/core/hex_reader.h"

namespace tarsel::firmware {
namespace {

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Describe(const std::string& path, std::size_t index, const HexRecord& record) {
    char where[96];
    std::snprintf(where, sizeof where, ": record %zu (line %zu)", index + 1, record.line);
    return FileName(path) + where;
}

void AddRange(std::vector<AddressRange>& ranges, uint32_t address, std::size_t words) {
    if (words == 0) return;
    if (!ranges.empty() && ranges.back().first + ranges.back().count == address) {
        ranges.back().count += words;
        return;
    }
    ranges.push_back({address, words});
}

// Checks one record of the low-byte file on its own.
bool CheckRecord(const std::string& path, std::size_t index, const HexRecord& record, std::string& error) {
    if (record.truncated && record.type != record_type::kEndOfFile) {
        error = Describe(path, index, record) + " is cut short: the file ends inside the record.";
        return false;
    }
    if (record.type == record_type::kData && record.byteCount > kMaxWordsPerWrite) {
        error = Describe(path, index, record) + " holds " + std::to_string(record.byteCount) +
                " data bytes; a data record may hold at most 64.";
        return false;
    }
    if (record.IsExtendedAddress() && record.byteCount != 2) {
        error = Describe(path, index, record) + " is an extended address record with " +
                std::to_string(record.byteCount) + " data bytes instead of 2.";
        return false;
    }
    return true;
}

bool BuildPair(const std::string& lowPath, const std::string& highPath, std::size_t pair, ImagePlan& plan,
               std::string& error) {
    bool lowReadable = false;
    bool highReadable = false;
    const std::vector<HexRecord> low = ReadHexFile(lowPath, &lowReadable);
    const std::vector<HexRecord> high = ReadHexFile(highPath, &highReadable);
    if (!lowReadable || !highReadable) {
        error = "Cannot read " + (lowReadable ? highPath : lowPath) + ".";
        return false;
    }
    uint32_t upper = 0;
    std::size_t i = 0;
    for (; i < low.size(); ++i) {
        const HexRecord& a = low[i];
        if (!CheckRecord(lowPath, i, a, error)) return false;
        if (i >= high.size()) {
            if (a.type == record_type::kEndOfFile) break;
            error = FileName(highPath) + " has no record to pair with " + Describe(lowPath, i, a) + ".";
            return false;
        }
        const HexRecord& b = high[i];
        if (b.truncated && b.type != record_type::kEndOfFile) {
            error = Describe(highPath, i, b) + " is cut short: the file ends inside the record.";
            return false;
        }
        if (a.type != b.type || a.byteCount != b.byteCount || a.address != b.address ||
            (a.IsExtendedAddress() && a.upperAddress != b.upperAddress)) {
            error = Describe(highPath, i, b) + " does not correspond to " + Describe(lowPath, i, a) +
                    " (count, address, type or extended address differ).";
            return false;
        }
        if (a.type == record_type::kEndOfFile) break;
        if (a.IsExtendedAddress()) {
            upper = static_cast<uint32_t>(a.upperAddress) << 16;
        } else if (a.type == record_type::kData) {
            FlashWrite write;
            write.address = upper + a.address;
            write.words.resize(a.byteCount);
            for (std::size_t k = 0; k < a.byteCount; ++k)
                write.words[k] = static_cast<uint16_t>(b.data[k] * 256 + a.data[k]);
            AddRange(plan.ranges[pair], write.address, write.words.size());
            plan.writes.push_back(std::move(write));
            ++plan.recordsRead[pair];
        }
    }
    // The writer stops at the end of the shorter file; data left over in the high-byte file
    // would be dropped silently.
    if (i == low.size() && high.size() > low.size()) {
        for (std::size_t j = low.size(); j < high.size(); ++j) {
            if (high[j].type == record_type::kEndOfFile) break;
            if (high[j].type == record_type::kData || high[j].IsExtendedAddress()) {
                error = Describe(highPath, j, high[j]) + " has no record to pair with in " +
                        FileName(lowPath) + ".";
                return false;
            }
        }
    }
    return true;
}

}  // namespace

std::string StripExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path;
    if (dot == (slash == std::string::npos ? 0 : slash + 1)) return path;  // ".hidden" has no extension
    return path.substr(0, dot);
}

bool HasImageExtension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return std::find_if(kImageExtensions.begin(), kImageExtensions.end(),
                        [&](const char* e) { return tail == e; }) != kImageExtensions.end();
}

std::size_t FindImageFiles(const std::string& base, ImagePaths& paths) {
    std::size_t found = 0;
    for (; found < kImageSlots; ++found) {
        const std::string path = base + kImageExtensions[found];
        if (!std::ifstream(path, std::ios::binary)) break;
        paths[found] = path;
    }
    return found;
}

std::size_t ImagePlan::WordCount() const {
    std::size_t words = 0;
    for (const FlashWrite& w : writes) words += w.words.size();
    return words;
}

bool BuildImagePlan(const ImagePaths& paths, ImagePlan& plan, std::string& error) {
    plan = ImagePlan{};
    for (std::size_t pair = 0; pair < 2; ++pair) {
        if (!BuildPair(paths[2 * pair], paths[2 * pair + 1], pair, plan, error)) {
            plan = ImagePlan{};
            return false;
        }
    }
    // Erasing the flash and writing nothing would leave the drive without firmware.
    if (plan.writes.empty()) {
        error = "The image files hold no data records.";
        return false;
    }
    return true;
}

}  // namespace tarsel::firmware
