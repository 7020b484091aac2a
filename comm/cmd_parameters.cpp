// Drive parameters: read, write, save to and read from non-volatile memory.
#include "comm/CCommInterface.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
uint8_t CCommInterface::DoCmdSaveAllParameters(uint8_t slave) {
    const uint8_t result = Command(slave, frame_type::kSaveAllParameters, nullptr, 0, nullptr, 0, 500);
    LogFunctionCall("ZEL_SaveAllParameters(%d, %d) : return %d\r\n", PortNumber(), slave, result);
    return result;
}

uint8_t CCommInterface::DoCmdGetROMParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return ReadS32(slave, frame_type::kGetRomParameter, &number, 1, value, 500);
}

uint8_t CCommInterface::DoCmdSetParameter(uint8_t slave, uint8_t number, int32_t value) {
    uint8_t request[5] = {number};
    PutU32(request + 1, static_cast<uint32_t>(value));
    const uint8_t result =
        Command(slave, frame_type::kSetParameter, request, sizeof(request), nullptr, 0, 100);
    LogFunctionCall("ZEL_SetParameter(%d, %d, %u, %d) : return %d\r\n", PortNumber(), slave, number, value,
                    result);
    return result;
}

uint8_t CCommInterface::DoCmdGetParameter(uint8_t slave, uint8_t number, int32_t* value) {
    return ReadS32(slave, frame_type::kGetParameter, &number, 1, value);
}

}  // namespace tarsel
