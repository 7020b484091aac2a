#include "tools/firmloader/core/image_set.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "tools/firmloader/core/hex_reader.h"

namespace tarsel::firmware {
namespace {

std::string FileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file, record number and line that the texts' "%1: record %2 (line %3)" name.
std::vector<std::string> Where(const std::string& path, std::size_t index, const HexRecord& record) {
    return {FileName(path), std::to_string(index + 1), std::to_string(record.line)};
}

ImageProblem At(const char* text, std::vector<std::string> where, std::vector<std::string> more = {}) {
    where.insert(where.end(), more.begin(), more.end());
    return {text, std::move(where)};
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
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
bool CheckRecord(const std::string& path, std::size_t index, const HexRecord& record, ImageProblem& problem) {
    if (record.truncated && record.type != record_type::kEndOfFile) {
        problem = At(image_text::kCutShort, Where(path, index, record));
        return false;
    }
    if (record.type == record_type::kData && record.byteCount > kMaxWordsPerWrite) {
        problem = At(image_text::kTooLong, Where(path, index, record), {std::to_string(record.byteCount)});
        return false;
    }
    if (record.IsExtendedAddress() && record.byteCount != 2) {
        problem =
            At(image_text::kAddressLength, Where(path, index, record), {std::to_string(record.byteCount)});
        return false;
    }
    return true;
}

// The type 02 records of a low-byte file: the drive's loader takes their value as the upper 16
// address bits, where the HEX format means a 16-byte segment, so the data lands elsewhere than
// the tool that wrote the file intended.
void NoteSegmentRecords(const std::string& path, const std::vector<HexRecord>& records, ImagePlan& plan) {
    std::size_t count = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].type == record_type::kEndOfFile) break;
        if (records[i].type != record_type::kExtendedSegment) continue;
        if (count++ == 0) first = i;
    }
    if (count == 0) return;
    const uint32_t value = records[first].upperAddress;
    plan.warnings.push_back(At(
        image_text::kSegmentRecords, {FileName(path), std::to_string(count)},
        {std::to_string(first + 1), std::to_string(records[first].line), Hex(value << 16), Hex(value << 4)}));
}

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool BuildPair(const std::string& lowPath, const std::string& highPath, std::size_t pair, ImagePlan& plan,
               ImageProblem& problem) {
    for (const std::string* path : {&lowPath, &highPath}) {
        if (IsFolder(*path)) {
            problem = {image_text::kFolder, {*path}};
            return false;
        }
    }
    std::string lowText, highText;
    if (!ReadImageText(lowPath, lowText, problem) || !ReadImageText(highPath, highText, problem))
        return false;
    const std::vector<HexRecord> low = ParseHexRecords(lowText);
    const std::vector<HexRecord> high = ParseHexRecords(highText);
    NoteSegmentRecords(lowPath, low, plan);
    uint32_t upper = 0;
    std::size_t i = 0;
    for (; i < low.size(); ++i) {
        const HexRecord& a = low[i];
        if (!CheckRecord(lowPath, i, a, problem)) return false;
        if (i >= high.size()) {
            if (a.type == record_type::kEndOfFile) break;
            problem = At(image_text::kNoPartner, {FileName(highPath)}, Where(lowPath, i, a));
            return false;
        }
        const HexRecord& b = high[i];
        if (b.truncated && b.type != record_type::kEndOfFile) {
            problem = At(image_text::kCutShort, Where(highPath, i, b));
            return false;
        }
        if (a.type != b.type || a.byteCount != b.byteCount || a.address != b.address ||
            (a.IsExtendedAddress() && a.upperAddress != b.upperAddress)) {
            problem = At(image_text::kMismatch, Where(highPath, i, b), Where(lowPath, i, a));
            return false;
        }
        if (a.type == record_type::kEndOfFile) break;
        if (a.IsExtendedAddress()) {
            upper = static_cast<uint32_t>(a.upperAddress) << 16;
        } else if (a.type == record_type::kData) {
            FlashWrite write;
            write.address = upper + a.address;
            // The write frame carries a 32-bit word address; a record may not run past it.
            const uint64_t last = uint64_t{write.address} + a.byteCount - 1;
            if (a.byteCount > 0 && last > 0xFFFFFFFFu) {
                char end[24];
                std::snprintf(end, sizeof end, "%llX", static_cast<unsigned long long>(last));
                problem = At(image_text::kBeyondAddresses, Where(lowPath, i, a), {Hex(write.address), end});
                return false;
            }
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
                problem = At(image_text::kNoPartnerInLow, Where(highPath, j, high[j]), {FileName(lowPath)});
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
        // Non-blocking: a FIFO in the set's place must not hang the search (it is refused
        // when the set is read).
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) break;
        ::close(fd);
        paths[found] = path;
    }
    return found;
}

std::size_t ImagePlan::WordCount() const {
    std::size_t words = 0;
    for (const FlashWrite& w : writes) words += w.words.size();
    return words;
}

bool BuildImagePlan(const ImagePaths& paths, ImagePlan& plan, ImageProblem& problem) {
    plan = ImagePlan{};
    for (std::size_t pair = 0; pair < 2; ++pair) {
        if (!BuildPair(paths[2 * pair], paths[2 * pair + 1], pair, plan, problem)) {
            plan = ImagePlan{};
            return false;
        }
    }
    // Erasing the flash and writing nothing would leave the drive without firmware.
    if (plan.writes.empty()) {
        problem = {image_text::kNoData, {}};
        plan = ImagePlan{};
        return false;
    }
    if (plan.WordCount() == 0) {
        problem = {image_text::kNoWords, {}};
        plan = ImagePlan{};
        return false;
    }
    return true;
}

bool BuildImagePlan(const ImagePaths& paths, ImagePlan& plan, std::string& error) {
    ImageProblem problem;
    if (BuildImagePlan(paths, plan, problem)) return true;
    error = EnglishText(problem);
    return false;
}

}  // namespace tarsel::firmware
