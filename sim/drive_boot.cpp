// Boot ROM of a simulated drive: ROM type, restarts, erase and the flash image.
#include <algorithm>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

constexpr std::size_t kMaxWordsPerWrite = 64;
constexpr uint64_t kFlashWords = uint64_t{1} << 24;  // 32 MiB of flash: bounds the image file

}  // namespace

DriveResponse Drive::HandleBoot(uint8_t type, const uint8_t* data, std::size_t length,
                                Clock::time_point now) {
    auto restart = [&](bool intoBoot) {
        if (Moving()) StopAt(CurrentPosition(now), now);
        EndTable();
        servoOn_ = false;
        bootRom_ = intoBoot;
        erasing_ = false;
        silentUntil_ = now + std::chrono::milliseconds(config_.boot.silenceAfterRestartMs);
        DriveResponse r;
        r.answer = false;  // the drive restarts instead of answering
        return r;
    };
    switch (type) {
        case 0x1B:
            return WithU8(bootRom_ ? 0 : 1);
        case 0x1E:
            return restart(true);
        case 0x1F:
            return restart(false);
    }
    if (!bootRom_) return Status(kStatusFrameTypeError);  // the run ROM cannot touch its own flash
    switch (type) {
        case 0x1A:
            return WithU8(erased_ && !erasing_ ? 1 : 0);
        case 0x1C: {
            flash_.clear();
            erased_ = false;
            erasing_ = true;
            eraseDone_ = now + std::chrono::milliseconds(config_.boot.eraseDurationMs);
            DriveResponse r;
            r.delayMs = config_.boot.eraseAnswerDelayMs;
            return r;
        }
        case 0x1D: {
            if (length < 5) return Status(kStatusPacketError);
            const uint32_t address = GetU32(data);
            const std::size_t words = data[4];
            if (words > kMaxWordsPerWrite || 5 + 2 * words > length ||
                address + uint64_t{words} > kFlashWords)
                return Status(kStatusDataError);
            if (!erased_ || erasing_) return Status(0x85);  // flash must be erased first
            for (std::size_t k = 0; k < words; ++k)
                flash_[address + static_cast<uint32_t>(k)] = GetU16(data + 5 + 2 * k);
            return {};
        }
    }
    return Status(kStatusFrameTypeError);
}

std::vector<uint8_t> Drive::FlashBytes() const {
    std::vector<uint8_t> bytes;
    if (flash_.empty()) return bytes;
    const uint64_t words = static_cast<uint64_t>(flash_.rbegin()->first) + 1;
    bytes.assign(static_cast<std::size_t>(words * 2), 0xFF);
    for (const auto& [address, word] : flash_)
        PutU16(bytes.data() + 2 * static_cast<std::size_t>(address), word);
    return bytes;
}

void Drive::LoadFlashBytes(const std::vector<uint8_t>& bytes) {
    flash_.clear();
    for (std::size_t i = 0; i + 1 < bytes.size() && i / 2 < kFlashWords; i += 2) {
        const uint16_t word = GetU16(bytes.data() + i);
        if (word != 0xFFFF) flash_[static_cast<uint32_t>(i / 2)] = word;
    }
}

}  // namespace tarsel::sim
