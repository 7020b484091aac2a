// An image set: four files that share a base name.  ".i00" and ".i10" carry the low bytes and
// ".i01" and ".i11" the high bytes of 16-bit flash words; the ".i00"/".i01" pair is written
// before the ".i10"/".i11" pair.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/firmloader/core/image_problem.h"

namespace tarsel::firmware {

constexpr std::size_t kImageSlots = 4;
constexpr std::array<const char*, kImageSlots> kImageExtensions = {".i00", ".i01", ".i10", ".i11"};
constexpr std::size_t kMaxWordsPerWrite = 64;  // one write frame carries at most 64 words

using ImagePaths = std::array<std::string, kImageSlots>;

// The path without its extension (the extension of the last path element, if any).
std::string StripExtension(const std::string& path);
// True when the path ends in one of the four image extensions (any case).
bool HasImageExtension(const std::string& path);

// Looks for base + extension in slot order; each file that opens for reading is stored in its
// slot.  Stops at the first missing file.  Returns the number of files found (4: complete).
std::size_t FindImageFiles(const std::string& base, ImagePaths& paths);

// One write of the procedure: `words.size()` words (at most 64) from word address `address`.
struct FlashWrite {
    uint32_t address = 0;
    std::vector<uint16_t> words;
};

// A contiguous run of written word addresses, [first, first + count).
struct AddressRange {
    uint32_t first = 0;
    uint64_t count = 0;
};

struct ImagePlan {
    std::vector<FlashWrite> writes;                   // in the order they are sent
    std::array<std::vector<AddressRange>, 2> ranges;  // per pair, in write order, adjacent writes merged
    std::array<std::size_t, 2> recordsRead{};         // data records per pair
    std::vector<ImageProblem> warnings;               // what to know before writing (type 02 records)
    std::size_t WordCount() const;
};

// Reads the four files and pairs their records in lockstep as the writer sends them.  Refuses a
// set whose data records are longer than 64 bytes, whose records are cut short or whose low and
// high-byte records do not correspond (count, address and type), naming the file and record,
// and a file of the set that is a folder.  On failure returns false and sets `problem`.
bool BuildImagePlan(const ImagePaths& paths, ImagePlan& plan, ImageProblem& problem);
// The same with the reason in English.
bool BuildImagePlan(const ImagePaths& paths, ImagePlan& plan, std::string& error);

}  // namespace tarsel::firmware
