// Single-axis motion commands and their broadcast (all axes) counterparts.
#include <cstring>

#include "comm/CCommInterface.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr uint8_t kFrameMoveStop = 0x31;
constexpr uint8_t kFrameEmergencyStop = 0x32;
constexpr uint8_t kFrameOrigin = 0x33;
constexpr uint8_t kFrameMoveAbs = 0x34;
constexpr uint8_t kFrameMoveInc = 0x35;
constexpr uint8_t kFrameMoveToLimit = 0x36;
constexpr uint8_t kFrameMoveVelocity = 0x37;
constexpr uint8_t kFramePositionAbsOverride = 0x38;
constexpr uint8_t kFramePositionIncOverride = 0x39;
constexpr uint8_t kFrameVelocityOverride = 0x3A;
constexpr uint8_t kFrameAllMoveStop = 0x3B;
constexpr uint8_t kFrameAllEmergencyStop = 0x3C;
constexpr uint8_t kFrameAllOrigin = 0x3D;
constexpr uint8_t kFrameAllMoveAbs = 0x3E;
constexpr uint8_t kFrameAllMoveInc = 0x3F;
constexpr uint8_t kFrameMovePause = 0x58;
constexpr uint8_t kFrameMoveAbsEx = 0x80;
constexpr uint8_t kFrameMoveIncEx = 0x81;
constexpr uint8_t kFrameMoveVelocityEx = 0x82;

constexpr uint32_t kMotionTimeoutMs = 100;

// s32/u32 followed by u32.
void PutPair(uint8_t* p, uint32_t first, uint32_t second) {
    PutU32(p, first);
    PutU32(p + 4, second);
}

void PutOptions(uint8_t* p, const uint8_t* options) {
    if (options != nullptr) {
        std::memcpy(p, options, kMotionOptionSize);
    } else {
        std::memset(p, 0, kMotionOptionSize);
    }
}

}  // namespace

uint8_t CCommInterface::DoCmdMoveStop(uint8_t slave, MotionWait wait) {
    return AfterMotion(slave, Command(slave, kFrameMoveStop, nullptr, 0, nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdEmergencyStop(uint8_t slave, MotionWait wait) {
    return AfterMotion(slave, Command(slave, kFrameEmergencyStop, nullptr, 0, nullptr, 0, kMotionTimeoutMs),
                       wait);
}

uint8_t CCommInterface::DoCmdMoveOriginSingleAxis(uint8_t slave, MotionWait wait) {
    return AfterMotion(slave, Command(slave, kFrameOrigin, nullptr, 0, nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t velocity,
                                                  MotionWait wait) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    return AfterMotion(
        slave, Command(slave, kFrameMoveAbs, request, sizeof(request), nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t velocity,
                                                  MotionWait wait) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    return AfterMotion(
        slave, Command(slave, kFrameMoveInc, request, sizeof(request), nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveToLimit(uint8_t slave, uint32_t velocity, uint8_t direction,
                                         MotionWait wait) {
    uint8_t request[5];
    PutU32(request, velocity);
    request[4] = direction;
    return AfterMotion(
        slave, Command(slave, kFrameMoveToLimit, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveVelocity(uint8_t slave, uint32_t velocity, uint8_t direction) {
    uint8_t request[5];
    PutU32(request, velocity);
    request[4] = direction;
    return Command(slave, kFrameMoveVelocity, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdPositionAbsOverride(uint8_t slave, int32_t position) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(position));
    return Command(slave, kFramePositionAbsOverride, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdPositionIncOverride(uint8_t slave, int32_t distance) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(distance));
    return Command(slave, kFramePositionIncOverride, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdVelocityOverride(uint8_t slave, uint32_t velocity) {
    uint8_t request[4];
    PutU32(request, velocity);
    return Command(slave, kFrameVelocityOverride, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdMovePause(uint8_t slave, uint8_t pause) {
    return Command(slave, kFrameMovePause, &pause, 1, nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisAbsPosEx(uint8_t slave, int32_t position, uint32_t velocity,
                                                    const uint8_t* options, MotionWait wait) {
    uint8_t request[8 + kMotionOptionSize];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    PutOptions(request + 8, options);
    return AfterMotion(
        slave, Command(slave, kFrameMoveAbsEx, request, sizeof(request), nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisIncPosEx(uint8_t slave, int32_t distance, uint32_t velocity,
                                                    const uint8_t* options, MotionWait wait) {
    uint8_t request[8 + kMotionOptionSize];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    PutOptions(request + 8, options);
    return AfterMotion(
        slave, Command(slave, kFrameMoveIncEx, request, sizeof(request), nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveVelocityEx(uint8_t slave, uint32_t velocity, uint8_t direction,
                                            const uint8_t* options) {
    uint8_t request[5 + kMotionOptionSize];
    PutU32(request, velocity);
    request[4] = direction;
    PutOptions(request + 5, options);
    return Command(slave, kFrameMoveVelocityEx, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdAllMoveStop() {
    return Broadcast(kFrameAllMoveStop, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllEmergencyStop() {
    return Broadcast(kFrameAllEmergencyStop, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllMoveOriginSingleAxis() {
    return Broadcast(kFrameAllOrigin, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllMoveSingleAxisAbsPos(int32_t position, uint32_t velocity) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    return Broadcast(kFrameAllMoveAbs, request, sizeof(request));
}

uint8_t CCommInterface::DoCmdAllMoveSingleAxisIncPos(int32_t distance, uint32_t velocity) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    return Broadcast(kFrameAllMoveInc, request, sizeof(request));
}

}  // namespace tarsel
