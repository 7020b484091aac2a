// Status reads and position registers.
#include "comm/CCommInterface.h"
#include "comm/cmd_payload.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

template <typename T>
void Store(T* target, T value) {
    if (target != nullptr) *target = value;
}

}  // namespace

uint8_t CCommInterface::DoCmdGetAxisStatus(uint8_t slave, uint32_t* status) {
    uint8_t answer[4] = {};
    const uint8_t result = Command(slave, frame_type::kAxisStatus, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess) Store(status, GetU32(answer));
    return result;
}

uint8_t CCommInterface::DoCmdGetIOStatus(uint8_t slave, uint64_t* inputs, uint32_t* outputs) {
    uint8_t answer[payload::kInputBytes + 4] = {};
    const uint8_t result = Command(slave, frame_type::kIOStatus, nullptr, 0, answer, sizeof(answer), 100);
    if (result != kResultSuccess) return result;
    Store(inputs, payload::GetInputMask(answer));
    Store(outputs, GetU32(answer + payload::kInputBytes));
    return result;
}

uint8_t CCommInterface::DoCmdGetMotionStatus(uint8_t slave, int32_t* commandPosition, int32_t* actualPosition,
                                             int32_t* positionError, int32_t* actualVelocity,
                                             uint32_t* runningItem) {
    uint8_t answer[20] = {};
    const uint8_t result = Command(slave, frame_type::kMotionStatus, nullptr, 0, answer, sizeof(answer), 100);
    if (result != kResultSuccess) return result;
    Store(commandPosition, GetS32(answer));
    Store(actualPosition, GetS32(answer + 4));
    Store(positionError, GetS32(answer + 8));
    Store(actualVelocity, GetS32(answer + 12));
    Store(runningItem, GetU32(answer + 16));
    return result;
}

uint8_t CCommInterface::DoCmdGetAllStatus(uint8_t slave, uint64_t* inputs, uint32_t* outputs,
                                          uint32_t* axisStatus, int32_t* commandPosition,
                                          int32_t* actualPosition, int32_t* positionError,
                                          int32_t* actualVelocity, uint16_t* runningItem) {
    uint8_t answer[33] = {};
    const uint8_t result = Command(slave, frame_type::kAllStatus, nullptr, 0, answer, sizeof(answer), 100);
    if (result != kResultSuccess) return result;
    Store(inputs, payload::GetInputMask(answer));
    Store(outputs, GetU32(answer + 5));
    Store(axisStatus, GetU32(answer + 9));
    Store(commandPosition, GetS32(answer + 13));
    Store(actualPosition, GetS32(answer + 17));
    Store(positionError, GetS32(answer + 21));
    Store(actualVelocity, GetS32(answer + 25));
    Store(runningItem, static_cast<uint16_t>(GetU32(answer + 29)));
    return result;
}

uint8_t CCommInterface::DoCmdGetRunPTStatus(uint8_t slave, uint16_t* item) {
    uint8_t answer[4] = {};
    const uint8_t result = Command(slave, frame_type::kRunPTStatus, nullptr, 0, answer, sizeof(answer), 100);
    if (result == kResultSuccess) Store(item, static_cast<uint16_t>(GetU32(answer)));
    return result;
}

uint8_t CCommInterface::DoCmdSetCommandPos(uint8_t slave, int32_t position) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(position));
    return Command(slave, frame_type::kSetCommandPos, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdGetCommandPos(uint8_t slave, int32_t* position) {
    return ReadS32(slave, frame_type::kGetCommandPos, nullptr, 0, position);
}

uint8_t CCommInterface::DoCmdSetActualPos(uint8_t slave, int32_t position) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(position));
    return Command(slave, frame_type::kSetActualPos, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdGetActualPos(uint8_t slave, int32_t* position) {
    return ReadS32(slave, frame_type::kGetActualPos, nullptr, 0, position);
}

uint8_t CCommInterface::DoCmdGetPosError(uint8_t slave, int32_t* error) {
    return ReadS32(slave, frame_type::kGetPosError, nullptr, 0, error);
}

uint8_t CCommInterface::DoCmdGetActualVel(uint8_t slave, int32_t* velocity) {
    return ReadS32(slave, frame_type::kGetActualVel, nullptr, 0, velocity);
}

uint8_t CCommInterface::DoCmdClearPosition(uint8_t slave) {
    return Command(slave, frame_type::kClearPosition, nullptr, 0, nullptr, 0, 1500);
}

}  // namespace tarsel
