// Shared machinery of the command layer: the transaction helpers, the function-call log and
// the motion waits.
#include <cstdarg>
#include <cstdio>
#include <thread>

#include "comm/CCommInterface.h"
#include "comm/result_codes.h"

namespace tarsel {

CCommInterface::CCommInterface(TransportConfig config) : CRs232CB(config) {}

CCommInterface::~CCommInterface() = default;

uint8_t CCommInterface::Command(uint8_t slave, uint8_t frameType, const uint8_t* send, uint32_t sendLength,
                                uint8_t* recv, uint32_t recvLength, uint32_t timeoutMs) {
    return DoSendCommand(slave, frameType, send, sendLength, recv, recvLength, timeoutMs, false);
}

uint8_t CCommInterface::Broadcast(uint8_t frameType, const uint8_t* send, uint32_t sendLength) {
    return DoSendCommandNoResp(kBroadcastSlave, frameType, send, sendLength);
}

uint8_t CCommInterface::ReadS32(uint8_t slave, uint8_t frameType, const uint8_t* send, uint32_t sendLength,
                                int32_t* value, uint32_t timeoutMs) {
    uint8_t answer[4] = {};
    const uint8_t result = Command(slave, frameType, send, sendLength, answer, sizeof(answer), timeoutMs);
    if (result == kResultSuccess && value != nullptr) *value = GetS32(answer);
    return result;
}

void CCommInterface::LogFunctionCall(const char* format, ...) {
    if (!Config().communicationLog) return;
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    Log().WriteMessage("[FUNCTION CALL] %s", text);
}

uint8_t CCommInterface::AfterMotion(uint8_t slave, uint8_t result, MotionWait wait) {
    if (result != kResultSuccess || wait == MotionWait::None) return result;
    return WaitForMotionEnd(slave, wait);
}

uint8_t CCommInterface::WaitForMotionEnd(uint8_t slave, MotionWait wait) {
    if (wait == MotionWait::None) return kResultSuccess;
    if (slave > kMaxAddressedSlave) return kResultInvalidSlave;
    for (;;) {
        std::this_thread::yield();
        uint32_t status = 0;
        const uint8_t result = DoCmdGetAxisStatus(slave, &status);
        if (result != kResultSuccess) return result;
        if (status & kAxisStatusMotioning) continue;
        if (wait == MotionWait::Motion || (status & kAxisStatusInPosition)) return kResultSuccess;
    }
}

uint8_t CCommInterface::WaitForAxesIdle(const std::vector<uint8_t>& slaves) {
    for (uint8_t slave : slaves) {
        if (slave > kMaxAddressedSlave) return kResultInvalidSlave;
    }
    for (;;) {
        bool moving = false;
        for (uint8_t slave : slaves) {
            std::this_thread::yield();
            uint32_t status = 0;
            const uint8_t result = DoCmdGetAxisStatus(slave, &status);
            if (result != kResultSuccess) return result;
            if (status & kAxisStatusMotioning) moving = true;
        }
        if (!moving) return kResultSuccess;
    }
}

}  // namespace tarsel
