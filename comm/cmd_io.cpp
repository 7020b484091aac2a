// Inputs, outputs and their assignment to drive signals.
#include "comm/CCommInterface.h"
#include "comm/cmd_payload.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
using namespace payload;

uint8_t CCommInterface::DoCmdSetIOOutput(uint8_t slave, uint32_t setMask, uint32_t clearMask) {
    uint8_t request[8];
    PutU32(request, setMask);
    PutU32(request + 4, clearMask);
    return Command(slave, frame_type::kSetOutput, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdSetIOInput(uint8_t slave, uint64_t setMask, uint64_t clearMask) {
    uint8_t request[2 * kInputBytes];
    PutInputMask(request, setMask);
    PutInputMask(request + kInputBytes, clearMask);
    return Command(slave, frame_type::kSetInput, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdGetIOInput(uint8_t slave, uint64_t* inputs) {
    uint8_t answer[kInputBytes] = {};
    const uint8_t result = Command(slave, frame_type::kGetInput, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess && inputs != nullptr) *inputs = GetInputMask(answer);
    return result;
}

uint8_t CCommInterface::DoCmdGetIOOutput(uint8_t slave, uint32_t* outputs) {
    uint8_t answer[4] = {};
    const uint8_t result = Command(slave, frame_type::kGetOutput, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess && outputs != nullptr) *outputs = GetU32(answer);
    return result;
}

uint8_t CCommInterface::DoCmdSetInputAssignMap(uint8_t slave, uint8_t index, uint8_t assignment,
                                               uint8_t level) {
    const uint8_t request[3] = {index, assignment, Flag(level)};
    const uint8_t result =
        Command(slave, frame_type::kSetInputMap, request, sizeof(request), nullptr, 0, 100);
    LogFunctionCall("ZEL_SetInputAssignMap(%d, %d, %u, %u, %u) : return %d\r\n", PortNumber(), slave, index,
                    assignment, level, result);
    return result;
}

uint8_t CCommInterface::DoCmdSetOutputAssignMap(uint8_t slave, uint8_t index, uint8_t assignment,
                                                uint8_t level) {
    const uint8_t request[3] = {index, assignment, Flag(level)};
    const uint8_t result =
        Command(slave, frame_type::kSetOutputMap, request, sizeof(request), nullptr, 0, 100);
    LogFunctionCall("ZEL_SetOutputAssignMap(%d, %d, %u, %u, %u) : return %d\r\n", PortNumber(), slave, index,
                    assignment, level, result);
    return result;
}

uint8_t CCommInterface::DoCmdIOAssignMapReadROM(uint8_t slave) {
    uint8_t ignored = 0;
    const uint8_t result = Command(slave, frame_type::kMapReadRom, nullptr, 0, &ignored, 1, 500);
    LogFunctionCall("ZEL_IOAssignMapReadROM(%d, %d) : return %d\r\n", PortNumber(), slave, result);
    return result;
}

uint8_t CCommInterface::DoCmdGetInputAssignMap(uint8_t slave, uint8_t index, uint8_t* assignment,
                                               uint8_t* level) {
    uint8_t answer[2] = {};
    const uint8_t result = Command(slave, frame_type::kGetInputMap, &index, 1, answer, sizeof(answer), 100);
    if (result != kResultSuccess) return result;
    if (assignment != nullptr) *assignment = answer[0];
    if (level != nullptr) *level = Flag(answer[1]);
    return result;
}

uint8_t CCommInterface::DoCmdGetOutputAssignMap(uint8_t slave, uint8_t index, uint8_t* assignment,
                                                uint8_t* level) {
    uint8_t answer[2] = {};
    const uint8_t result = Command(slave, frame_type::kGetOutputMap, &index, 1, answer, sizeof(answer), 100);
    if (result != kResultSuccess) return result;
    if (assignment != nullptr) *assignment = answer[0];
    if (level != nullptr) *level = Flag(answer[1]);
    return result;
}

}  // namespace tarsel
