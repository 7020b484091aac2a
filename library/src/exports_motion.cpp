// Exports: single-axis moves, all-axes broadcasts and the interpolated moves.
#include "library/src/export_support.h"

using namespace tarsel;
using namespace tarsel::lib;

namespace {

// Checks of the interpolated moves: 1, 2, then 3 for an empty or missing list or any listed
// slave that is not present on the port.
template <typename Command>
int ForAxes(int port, uint8_t axisCount, const uint8_t* slaves, Command&& command) noexcept {
    try {
        CCommPort* object = nullptr;
        const uint8_t result = Registry().ResolvePort(LowByte(port), &object);
        if (result != kResultSuccess) return result;
        if (axisCount == 0 || slaves == nullptr) return kResultInvalidSlave;
        for (uint8_t i = 0; i < axisCount; ++i) {
            if (!object->SlaveExists(slaves[i])) return kResultInvalidSlave;
        }
        return command(*object);
    } catch (...) {
        return kInternalFailure;
    }
}

}  // namespace

extern "C" {

ZEL_API int ZEL_CALL ZEL_MoveStop(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdMoveStop(s); });
}

ZEL_API int ZEL_CALL ZEL_EmergencyStop(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdEmergencyStop(s); });
}

ZEL_API int ZEL_CALL ZEL_MovePause(int port, int slave, int pause) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdMovePause(s, LowByte(pause)); });
}

ZEL_API int ZEL_CALL ZEL_MoveOriginSingleAxis(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdMoveOriginSingleAxis(s); });
}

ZEL_API int ZEL_CALL ZEL_MoveSingleAxisAbsPos(int port, int slave, int32_t position, uint32_t velocity) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveSingleAxisAbsPos(s, position, velocity);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveSingleAxisIncPos(int port, int slave, int32_t distance, uint32_t velocity) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveSingleAxisIncPos(s, distance, velocity);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveToLimit(int port, int slave, uint32_t velocity, int direction) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveToLimit(s, velocity, LowByte(direction));
    });
}

ZEL_API int ZEL_CALL ZEL_MoveVelocity(int port, int slave, uint32_t velocity, int direction) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveVelocity(s, velocity, LowByte(direction));
    });
}

ZEL_API int ZEL_CALL ZEL_PositionAbsOverride(int port, int slave, int32_t position) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdPositionAbsOverride(s, position); });
}

ZEL_API int ZEL_CALL ZEL_PositionIncOverride(int port, int slave, int32_t distance) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdPositionIncOverride(s, distance); });
}

ZEL_API int ZEL_CALL ZEL_VelocityOverride(int port, int slave, uint32_t velocity) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdVelocityOverride(s, velocity); });
}

ZEL_API int ZEL_CALL ZEL_MoveSingleAxisAbsPosEx(int port, int slave, int32_t position, uint32_t velocity,
                                                const uint8_t* options) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveSingleAxisAbsPosEx(s, position, velocity, options);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveSingleAxisIncPosEx(int port, int slave, int32_t distance, uint32_t velocity,
                                                const uint8_t* options) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveSingleAxisIncPosEx(s, distance, velocity, options);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveVelocityEx(int port, int slave, uint32_t velocity, int direction,
                                        const uint8_t* options) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdMoveVelocityEx(s, velocity, LowByte(direction), options);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveLinearAbsPos(int port, uint8_t axisCount, const uint8_t* slaves,
                                          const int32_t* positions, uint32_t velocity,
                                          uint16_t accelerationTime) {
    return ForAxes(port, axisCount, slaves, [&](CCommPort& p) {
        return p.DoCmdMoveLinearAbsPos(axisCount, slaves, positions, velocity, accelerationTime);
    });
}

ZEL_API int ZEL_CALL ZEL_MoveLinearIncPos(int port, uint8_t axisCount, const uint8_t* slaves,
                                          const int32_t* distances, uint32_t velocity,
                                          uint16_t accelerationTime) {
    return ForAxes(port, axisCount, slaves, [&](CCommPort& p) {
        return p.DoCmdMoveLinearIncPos(axisCount, slaves, distances, velocity, accelerationTime);
    });
}

ZEL_API int ZEL_CALL ZEL_AllMoveStop(int port) {
    return ForPort(port, [](CCommPort& p) { return p.DoCmdAllMoveStop(); });
}

ZEL_API int ZEL_CALL ZEL_AllEmergencyStop(int port) {
    return ForPort(port, [](CCommPort& p) { return p.DoCmdAllEmergencyStop(); });
}

ZEL_API int ZEL_CALL ZEL_AllMoveOriginSingleAxis(int port) {
    return ForPort(port, [](CCommPort& p) { return p.DoCmdAllMoveOriginSingleAxis(); });
}

ZEL_API int ZEL_CALL ZEL_AllMoveSingleAxisAbsPos(int port, int32_t position, uint32_t velocity) {
    return ForPort(port, [&](CCommPort& p) { return p.DoCmdAllMoveSingleAxisAbsPos(position, velocity); });
}

ZEL_API int ZEL_CALL ZEL_AllMoveSingleAxisIncPos(int port, int32_t distance, uint32_t velocity) {
    return ForPort(port, [&](CCommPort& p) { return p.DoCmdAllMoveSingleAxisIncPos(distance, velocity); });
}

}  // extern "C"
