// Position table: whole items, single values, runs and the non-volatile copy.
#include <cstring>

#include "comm/CCommInterface.h"
#include "comm/cmd_payload.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
uint8_t CCommInterface::DoCmdPosTableReadItem(uint8_t slave, uint16_t item, uint8_t* data64) {
    uint8_t request[2];
    PutU16(request, item);
    uint8_t answer[kPosTableItemSize] = {};
    const uint8_t result =
        Command(slave, frame_type::kPosTableReadItem, request, sizeof(request), answer, sizeof(answer), 100);
    if (result == kResultSuccess && data64 != nullptr) std::memcpy(data64, answer, sizeof(answer));
    return result;
}

uint8_t CCommInterface::DoCmdPosTableWriteItem(uint8_t slave, uint16_t item, const uint8_t* data64) {
    if (data64 == nullptr) return kResultPosTableError;
    uint8_t request[2 + kPosTableItemSize];
    PutU16(request, item);
    std::memcpy(request + 2, data64, kPosTableItemSize);
    uint8_t done = 0;
    const uint8_t result =
        Command(slave, frame_type::kPosTableWriteItem, request, sizeof(request), &done, 1, 100);
    // Only the drive's done flag counts: any failure, the transaction's included, is reported as 9.
    if (result != kResultSuccess || done == 0) return kResultPosTableError;
    return result;
}

uint8_t CCommInterface::DoCmdPosTableReadROM(uint8_t slave) {
    uint8_t error = 0;
    const uint8_t result = Command(slave, frame_type::kPosTableReadRom, nullptr, 0, &error, 1, 500);
    return error != 0 ? kResultPosTableError : result;
}

uint8_t CCommInterface::DoCmdPosTableWriteROM(uint8_t slave) {
    uint8_t error = 0;
    const uint8_t result = Command(slave, frame_type::kPosTableWriteRom, nullptr, 0, &error, 1, 2000);
    return error != 0 ? kResultPosTableError : result;
}

uint8_t CCommInterface::DoCmdPosTableRunItem(uint8_t slave, uint16_t item) {
    uint8_t request[2];
    PutU16(request, item);
    return Command(slave, frame_type::kPosTableRunItem, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdPosTableIsData(uint8_t slave,
                                            std::array<uint32_t, kPosTableBitmapWords>* bitmap) {
    uint8_t answer[4 * kPosTableBitmapWords] = {};
    const uint8_t result =
        Command(slave, frame_type::kPosTableIsData, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess && bitmap != nullptr) {
        for (std::size_t i = 0; i < kPosTableBitmapWords; ++i) (*bitmap)[i] = GetU32(answer + 4 * i);
    }
    return result;
}

bool CCommInterface::PosTableItemHasData(const std::array<uint32_t, kPosTableBitmapWords>& bitmap,
                                         uint16_t item) {
    const std::size_t word = item / 32u;
    return word < bitmap.size() && (bitmap[word] >> (item % 32u)) & 1u;
}

uint8_t CCommInterface::DoCmdPosTableSingleRunItem(uint8_t slave, bool next, uint16_t item) {
    uint8_t request[3] = {payload::Flag(next)};
    PutU16(request + 1, item);
    return Command(slave, frame_type::kPosTableSingleRunItem, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdPosTableRunState(uint8_t slave, uint8_t* state) {
    uint8_t answer = 0;
    const uint8_t result = Command(slave, frame_type::kPosTableRunState, nullptr, 0, &answer, 1, 100);
    if (result == kResultSuccess && state != nullptr) *state = answer;
    return result;
}

uint8_t CCommInterface::DoCmdPosTableReadOneItem(uint8_t slave, uint16_t item, uint16_t offset,
                                                 int32_t* value) {
    uint8_t request[4];
    PutU16(request, item);
    PutU16(request + 2, offset);
    return ReadS32(slave, frame_type::kPosTableReadOneItem, request, sizeof(request), value);
}

uint8_t CCommInterface::DoCmdPosTableWriteOneItem(uint8_t slave, uint16_t item, uint16_t offset,
                                                  int32_t value) {
    uint8_t request[8];
    PutU16(request, item);
    PutU16(request + 2, offset);
    PutU32(request + 4, static_cast<uint32_t>(value));
    return Command(slave, frame_type::kPosTableWriteOneItem, request, sizeof(request), nullptr, 0, 100);
}

}  // namespace tarsel
