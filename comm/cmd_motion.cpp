// Single-axis motion commands and their broadcast (all axes) counterparts.
#include <cstring>

#include "comm/CCommInterface.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

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
    return AfterMotion(slave, Command(slave, frame_type::kMoveStop, nullptr, 0, nullptr, 0, kMotionTimeoutMs),
                       wait);
}

uint8_t CCommInterface::DoCmdEmergencyStop(uint8_t slave, MotionWait wait) {
    return AfterMotion(
        slave, Command(slave, frame_type::kEmergencyStop, nullptr, 0, nullptr, 0, kMotionTimeoutMs), wait);
}

uint8_t CCommInterface::DoCmdMoveOriginSingleAxis(uint8_t slave, MotionWait wait) {
    return AfterMotion(slave, Command(slave, frame_type::kOrigin, nullptr, 0, nullptr, 0, kMotionTimeoutMs),
                       wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t velocity,
                                                  MotionWait wait) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    return AfterMotion(
        slave, Command(slave, frame_type::kMoveAbs, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t velocity,
                                                  MotionWait wait) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    return AfterMotion(
        slave, Command(slave, frame_type::kMoveInc, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveToLimit(uint8_t slave, uint32_t velocity, uint8_t direction,
                                         MotionWait wait) {
    uint8_t request[5];
    PutU32(request, velocity);
    request[4] = direction;
    return AfterMotion(
        slave,
        Command(slave, frame_type::kMoveToLimit, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveVelocity(uint8_t slave, uint32_t velocity, uint8_t direction) {
    uint8_t request[5];
    PutU32(request, velocity);
    request[4] = direction;
    return Command(slave, frame_type::kMoveVelocity, request, sizeof(request), nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdPositionAbsOverride(uint8_t slave, int32_t position) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(position));
    return Command(slave, frame_type::kPositionAbsOverride, request, sizeof(request), nullptr, 0,
                   kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdPositionIncOverride(uint8_t slave, int32_t distance) {
    uint8_t request[4];
    PutU32(request, static_cast<uint32_t>(distance));
    return Command(slave, frame_type::kPositionIncOverride, request, sizeof(request), nullptr, 0,
                   kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdVelocityOverride(uint8_t slave, uint32_t velocity) {
    uint8_t request[4];
    PutU32(request, velocity);
    return Command(slave, frame_type::kVelocityOverride, request, sizeof(request), nullptr, 0,
                   kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdMovePause(uint8_t slave, uint8_t pause) {
    return Command(slave, frame_type::kMovePause, &pause, 1, nullptr, 0, kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisAbsPosEx(uint8_t slave, int32_t position, uint32_t velocity,
                                                    const uint8_t* options, MotionWait wait) {
    uint8_t request[8 + kMotionOptionSize];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    PutOptions(request + 8, options);
    return AfterMotion(
        slave, Command(slave, frame_type::kMoveAbsEx, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveSingleAxisIncPosEx(uint8_t slave, int32_t distance, uint32_t velocity,
                                                    const uint8_t* options, MotionWait wait) {
    uint8_t request[8 + kMotionOptionSize];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    PutOptions(request + 8, options);
    return AfterMotion(
        slave, Command(slave, frame_type::kMoveIncEx, request, sizeof(request), nullptr, 0, kMotionTimeoutMs),
        wait);
}

uint8_t CCommInterface::DoCmdMoveVelocityEx(uint8_t slave, uint32_t velocity, uint8_t direction,
                                            const uint8_t* options) {
    uint8_t request[5 + kMotionOptionSize];
    PutU32(request, velocity);
    request[4] = direction;
    PutOptions(request + 5, options);
    return Command(slave, frame_type::kMoveVelocityEx, request, sizeof(request), nullptr, 0,
                   kMotionTimeoutMs);
}

uint8_t CCommInterface::DoCmdAllMoveStop() {
    return Broadcast(frame_type::kAllMoveStop, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllEmergencyStop() {
    return Broadcast(frame_type::kAllEmergencyStop, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllMoveOriginSingleAxis() {
    return Broadcast(frame_type::kAllOrigin, nullptr, 0);
}

uint8_t CCommInterface::DoCmdAllMoveSingleAxisAbsPos(int32_t position, uint32_t velocity) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(position), velocity);
    return Broadcast(frame_type::kAllMoveAbs, request, sizeof(request));
}

uint8_t CCommInterface::DoCmdAllMoveSingleAxisIncPos(int32_t distance, uint32_t velocity) {
    uint8_t request[8];
    PutPair(request, static_cast<uint32_t>(distance), velocity);
    return Broadcast(frame_type::kAllMoveInc, request, sizeof(request));
}

}  // namespace tarsel
