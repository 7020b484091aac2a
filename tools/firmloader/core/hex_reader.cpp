#include "tools/firmloader/core/hex_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tarsel::firmware {
namespace {

constexpr std::size_t kMinRecordChars = 10;  // ":LLAAAATT" and at least one more character

// Reads `digits` hex digits at `pos`; characters beyond the end of the text count as 0.
uint32_t HexField(std::string_view text, std::size_t pos, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const std::size_t at = pos + static_cast<std::size_t>(i);
        value = (value << 4) | (at < text.size() ? HexDigitValue(text[at]) : 0u);
    }
    return value;
}

}  // namespace

uint8_t HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

std::vector<HexRecord> ParseHexRecords(std::string_view text) {
    std::vector<HexRecord> records;
    std::size_t pos = 0;
    std::size_t line = 1;
    std::size_t lineCountedTo = 0;
    while (pos < text.size()) {
        const std::size_t start = text.find(':', pos);
        if (start == std::string_view::npos || text.size() - start < kMinRecordChars) break;
        line += static_cast<std::size_t>(std::count(text.begin() + static_cast<long>(lineCountedTo),
                                                    text.begin() + static_cast<long>(start), '\n'));
        lineCountedTo = start;

        HexRecord record;
        record.byteCount = static_cast<uint8_t>(HexField(text, start + 1, 2));
        record.address = static_cast<uint16_t>(HexField(text, start + 3, 4));
        record.type = static_cast<uint8_t>(HexField(text, start + 7, 2));
        record.line = line;
        record.data.resize(record.byteCount);
        for (std::size_t k = 0; k < record.byteCount; ++k)
            record.data[k] = static_cast<uint8_t>(HexField(text, start + 9 + 2 * k, 2));
        record.upperAddress = static_cast<uint16_t>(HexField(text, start + 9, 4));
        const std::size_t next = start + 11 + 2 * static_cast<std::size_t>(record.byteCount);
        record.truncated = next > text.size();
        records.push_back(std::move(record));
        pos = next;
    }
    return records;
}

bool ReadImageText(const std::string& path, std::string& text, ImageProblem& problem) {
    text.clear();
    // Non-blocking, so that opening a FIFO without a writer returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        problem = {image_text::kUnreadable, {path}};
        return false;
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        problem = {image_text::kUnreadable, {path}};
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        problem = {image_text::kFolder, {path}};
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = {image_text::kNotRegular, {path}};
        return false;
    }
    if (static_cast<uint64_t>(info.st_size) > kMaxImageFileBytes) {
        problem = {image_text::kTooLarge, {path, std::to_string(kMaxImageFileBytes >> 20)}};
        return false;
    }
    text.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = {image_text::kUnreadable, {path}};
            text.clear();
            return false;
        }
        if (n == 0) break;  // the file shrank meanwhile
        done += static_cast<std::size_t>(n);
    }
    text.resize(done);
    return true;
}

std::vector<HexRecord> ReadHexFile(const std::string& path, bool* readable) {
    std::string text;
    ImageProblem problem;
    const bool ok = ReadImageText(path, text, problem);
    if (readable) *readable = ok;
    return ok ? ParseHexRecords(text) : std::vector<HexRecord>{};
}

}  // namespace tarsel::firmware
