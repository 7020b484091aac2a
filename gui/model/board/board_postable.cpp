// The position table: cache, "has data" bitmap, item reads and writes, table runs.
#include <cstring>

#include "gui/model/board/CBoardInterface.h"

namespace tarsel {
namespace {

uint32_t Read32(const PosTableItem& item, std::size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, item.data() + offset, 4);
    return value;
}
uint16_t Read16(const PosTableItem& item, std::size_t offset) {
    uint16_t value = 0;
    std::memcpy(&value, item.data() + offset, 2);
    return value;
}

}  // namespace

bool CBoardInterface::ReadPosTableDataMap(std::array<uint32_t, 8>& bitmap) {
    std::array<uint32_t, 8> read{};
    if (!Run("DoCmdPosTableIsData", [&] { return Port()->PosTableIsData(slave_, &read); })) return false;
    bitmap = read;
    return true;
}

bool CBoardInterface::ReadPosTable() {
    if (posTableLoaded.load()) return true;
    posTableReadCount = 0;
    std::array<uint32_t, 8> bitmap{};
    if (!ReadPosTableDataMap(bitmap)) {
        posTableLoaded = false;
        return false;
    }
    for (uint16_t i = 0; i < itemCount_; ++i) {
        if (PollingAbort()) {
            posTableLoaded = false;
            return false;
        }
        const bool hasData = i < 256 && ((bitmap[i / 32] >> (i % 32)) & 1u) != 0;
        if (hasData) {
            PosTableItem item{};
            if (!Run("ZEL_PosTableReadItem", [&] { return Port()->PosTableReadItem(slave_, i, &item); })) {
                posTableLoaded = false;
                return false;
            }
            std::lock_guard<std::mutex> lock(cacheMutex_);
            posTable_[i] = item;
        } else {
            std::lock_guard<std::mutex> lock(cacheMutex_);
            const uint16_t empty = 10;
            std::memcpy(posTable_[i].data() + 16, &empty, 2);
        }
        ++posTableReadCount;
    }
    posTableLoaded = true;
    return true;
}

bool CBoardInterface::ReadPosTableItem(uint16_t number) {
    if (number >= itemCount_) return false;
    PosTableItem item{};
    const bool ok =
        Run("ZEL_PosTableReadItem", [&] { return Port()->PosTableReadItem(slave_, number, &item); });
    std::lock_guard<std::mutex> lock(cacheMutex_);
    if (ok) {
        posTable_[number] = item;
    } else {
        posTable_[number].fill(0);
    }
    return ok;
}

bool CBoardInterface::PosTableWriteROM() {
    return Run(
        "ZEL_PosTableWriteROM", [&] { return Port()->PosTableWriteROM(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_PosTableWriteROM(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

bool CBoardInterface::PosTableReadROM() {
    const bool ok = Run(
        "ZEL_PosTableReadROM", [&] { return Port()->PosTableReadROM(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_PosTableReadROM(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    if (ok) posTableLoaded = false;
    return ok;
}

bool CBoardInterface::WritePosTableItem(uint16_t number, const PosTableItem& item, bool notify) {
    if (number >= itemCount_) return false;
    const bool ok = Run(
        "ZEL_PosTableWriteItem", [&] { return Port()->PosTableWriteItem(slave_, number, item); },
        [&](uint8_t code) {
            LogCommand(
                "ZEL_PosTableWriteItem(%d, %d, %d, [%d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, %d, "
                "%d, %d, "
                "%d]); Return : 0x%02X",
                PortNumber(), slave_, number, static_cast<int32_t>(Read32(item, 0)),
                static_cast<int>(Read32(item, 4)), static_cast<int>(Read32(item, 8)), Read16(item, 12),
                Read16(item, 14), Read16(item, 16), Read16(item, 18), Read16(item, 20), Read16(item, 22),
                Read16(item, 24), Read16(item, 26), Read16(item, 28), Read16(item, 30), Read16(item, 32),
                Read16(item, 34), Read16(item, 36), Read16(item, 38), code);
        });
    if (ok) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        posTable_[number] = item;
    }
    if (notify) Post(kMsgPosItemWritten, slave_, number);
    return ok;
}

bool CBoardInterface::PosTableRunItem(uint16_t number) {
    repeatStop_ = false;
    oneItemPending_ = false;
    return Run(
        "ZEL_PosTableRunItem", [&] { return Port()->PosTableRunItem(slave_, number); },
        [&](uint8_t code) {
            LogCommand("ZEL_PosTableRunItem(%d, %d, %d); Return : 0x%02X", PortNumber(), slave_, number,
                       code);
        });
}

bool CBoardInterface::PosTableRunOneItem(bool next, uint16_t number) {
    const bool ok = Run(
        "ZEL_PosTableRunOneItem", [&] { return Port()->PosTableSingleRunItem(slave_, next, number); },
        [&](uint8_t code) {
            LogCommand("ZEL_PosTableRunOneItem(%d, %d, %d, %d); Return : 0x%02X", PortNumber(), slave_,
                       next ? 1 : 0, number, code);
        });
    if (ok) oneItemPending_ = true;
    return ok;
}

std::optional<PosTableItem> CBoardInterface::GetPosTableItem(uint16_t number) const {
    std::lock_guard<std::mutex> lock(cacheMutex_);
    if (number >= posTable_.size()) return std::nullopt;
    return posTable_[number];
}

}  // namespace tarsel
