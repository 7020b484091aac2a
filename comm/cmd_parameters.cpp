// Drive parameters: read, write, save to and read from non-volatile memory.
#include "comm/CCommInterface.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr uint8_t kFrameSaveAll = 0x10;
constexpr uint8_t kFrameGetRom = 0x11;
constexpr uint8_t kFrameSet = 0x12;
constexpr uint8_t kFrameGet = 0x13;

}  // namespace

uint8_t CCommInterface::DoCmdSaveAllParameters(uint8_t slave) {
    const uint8_t result = Command(slave, kFrameSaveAll, nullptr, 0, nullptr, 0, 500);
    LogFunctionCall("ZEL_SaveAllParameters(%d, %d) : return %d\r\n", PortNumber(), slave, result);
    return result;
}

uint8_t CCommInterface::DoCmdGetROMParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return ReadS32(slave, kFrameGetRom, &number, 1, value, 500);
}

uint8_t CCommInterface::DoCmdSetParameter(uint8_t slave, uint8_t number, int32_t value) {
    uint8_t request[5] = {number};
    PutU32(request + 1, static_cast<uint32_t>(value));
    const uint8_t result = Command(slave, kFrameSet, request, sizeof(request), nullptr, 0, 100);
    LogFunctionCall("ZEL_SetParameter(%d, %d, %u, %d) : return %d\r\n", PortNumber(), slave, number, value,
                    result);
    return result;
}

uint8_t CCommInterface::DoCmdGetParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return ReadS32(slave, kFrameGet, &number, 1, value);
}

}  // namespace tarsel
