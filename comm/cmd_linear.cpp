// Interpolated moves over several axes: planning (linear_move.cpp), one setup frame per axis,
// then one start broadcast naming every axis.
#include <chrono>
#include <thread>

#include "comm/CCommInterface.h"
#include "comm/linear_move.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
namespace {

constexpr auto kPauseAfterStart = std::chrono::milliseconds(20);

bool ValidAxisList(uint8_t axisCount, const uint8_t* slaves, const int32_t* values) {
    if (axisCount == 0 || slaves == nullptr || values == nullptr) return false;
    for (uint8_t i = 0; i < axisCount; ++i) {
        if (slaves[i] > kMaxAddressedSlave) return false;
    }
    return true;
}

}  // namespace

uint8_t CCommInterface::DoCmdLinearSetup(uint8_t slave, int32_t distance, uint32_t velocity,
                                         uint16_t acceleration) {
    uint8_t request[10];
    PutU32(request, static_cast<uint32_t>(distance));
    PutU32(request + 4, velocity);
    PutU16(request + 8, acceleration);
    return Command(slave, frame_type::kLinearSetup, request, sizeof(request), nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdLinearStart(uint32_t axisMask) {
    uint8_t request[4];
    PutU32(request, axisMask);
    return Broadcast(frame_type::kLinearStart, request, sizeof(request));
}

uint8_t CCommInterface::DoCmdMoveLinearIncPos(uint8_t axisCount, const uint8_t* slaves,
                                              const int32_t* distances, uint32_t velocity,
                                              uint16_t accelerationTime, LinearMoveFinish finish) {
    if (!ValidAxisList(axisCount, slaves, distances)) return kResultInvalidSlave;
    return SendLinear(std::vector<uint8_t>(slaves, slaves + axisCount),
                      std::vector<int32_t>(distances, distances + axisCount), velocity, accelerationTime,
                      finish);
}

uint8_t CCommInterface::DoCmdMoveLinearAbsPos(uint8_t axisCount, const uint8_t* slaves,
                                              const int32_t* positions, uint32_t velocity,
                                              uint16_t accelerationTime, LinearMoveFinish finish) {
    if (!ValidAxisList(axisCount, slaves, positions)) return kResultInvalidSlave;
    std::vector<int32_t> distances(axisCount);
    for (uint8_t i = 0; i < axisCount; ++i) {
        int32_t commandPosition = 0;
        const uint8_t result = DoCmdGetCommandPos(slaves[i], &commandPosition);
        if (result != kResultSuccess) return result;
        // Wraps like the drive's 32-bit position counter.
        distances[i] = static_cast<int32_t>(static_cast<uint32_t>(positions[i]) -
                                            static_cast<uint32_t>(commandPosition));
    }
    return SendLinear(std::vector<uint8_t>(slaves, slaves + axisCount), distances, velocity, accelerationTime,
                      finish);
}

uint8_t CCommInterface::SendLinear(const std::vector<uint8_t>& slaves, const std::vector<int32_t>& distances,
                                   uint32_t velocity, uint16_t accelerationTime, LinearMoveFinish finish) {
    const linear::Plan plan = linear::PlanMove(distances, velocity, accelerationTime);
    for (std::size_t i = 0; i < slaves.size(); ++i) {
        const uint8_t result =
            DoCmdLinearSetup(slaves[i], distances[i], plan.velocities[i], plan.accelerationTime);
        if (result != kResultSuccess) return result;
    }
    const uint8_t result = DoCmdLinearStart(linear::AxisMask(slaves));
    if (result != kResultSuccess) return result;
    if (finish.pause) std::this_thread::sleep_for(kPauseAfterStart);
    if (finish.wait) return WaitForAxesIdle(slaves);
    return result;
}

}  // namespace tarsel
