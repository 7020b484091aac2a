// Exports: status reads and position registers.
#include "library/src/export_support.h"

using namespace tarsel;
using namespace tarsel::lib;

namespace {

template <typename T>
void Store(T* target, T value) {
    if (target != nullptr) *target = value;
}

}  // namespace

extern "C" {

ZEL_API int ZEL_CALL ZEL_GetAxisStatus(int port, int slave, uint32_t* status) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetAxisStatus(s, status); });
}

ZEL_API int ZEL_CALL ZEL_GetIOStatus(int port, int slave, uint64_t* inputs, uint32_t* outputs) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdGetIOStatus(s, inputs, outputs); });
}

ZEL_API int ZEL_CALL ZEL_GetIOStatusEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh,
                                       uint32_t* outputs) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        uint64_t inputs = 0;
        const uint8_t result = p.DoCmdGetIOStatus(s, &inputs, outputs);
        if (result != kResultSuccess) return result;
        Store(inputsLow, static_cast<uint32_t>(inputs));
        Store(inputsHigh, static_cast<uint32_t>(inputs >> 32));
        return result;
    });
}

ZEL_API int ZEL_CALL ZEL_GetMotionStatus(int port, int slave, int32_t* commandPosition,
                                         int32_t* actualPosition, int32_t* positionError,
                                         int32_t* actualVelocity, uint32_t* runningItem) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdGetMotionStatus(s, commandPosition, actualPosition, positionError, actualVelocity,
                                      runningItem);
    });
}

ZEL_API int ZEL_CALL ZEL_GetAllStatus(int port, int slave, uint64_t* inputs, uint32_t* outputs,
                                      uint32_t* axisStatus, int32_t* commandPosition, int32_t* actualPosition,
                                      int32_t* positionError, int32_t* actualVelocity,
                                      uint16_t* runningItem) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdGetAllStatus(s, inputs, outputs, axisStatus, commandPosition, actualPosition,
                                   positionError, actualVelocity, runningItem);
    });
}

ZEL_API int ZEL_CALL ZEL_GetAllStatusEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh,
                                        uint32_t* outputs, uint32_t* axisStatus, int32_t* commandPosition,
                                        int32_t* actualPosition, int32_t* positionError,
                                        int32_t* actualVelocity, uint16_t* runningItem) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        uint64_t inputs = 0;
        const uint8_t result =
            p.DoCmdGetAllStatus(s, &inputs, outputs, axisStatus, commandPosition, actualPosition,
                                positionError, actualVelocity, runningItem);
        if (result != kResultSuccess) return result;
        Store(inputsLow, static_cast<uint32_t>(inputs));
        Store(inputsHigh, static_cast<uint32_t>(inputs >> 32));
        return result;
    });
}

ZEL_API int ZEL_CALL ZEL_SetCommandPos(int port, int slave, int32_t position) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdSetCommandPos(s, position); });
}

ZEL_API int ZEL_CALL ZEL_SetActualPos(int port, int slave, int32_t position) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdSetActualPos(s, position); });
}

ZEL_API int ZEL_CALL ZEL_ClearPosition(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdClearPosition(s); });
}

ZEL_API int ZEL_CALL ZEL_GetCommandPos(int port, int slave, int32_t* position) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetCommandPos(s, position); });
}

ZEL_API int ZEL_CALL ZEL_GetActualPos(int port, int slave, int32_t* position) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetActualPos(s, position); });
}

ZEL_API int ZEL_CALL ZEL_GetPosError(int port, int slave, int32_t* error) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetPosError(s, error); });
}

ZEL_API int ZEL_CALL ZEL_GetActualVel(int port, int slave, int32_t* velocity) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetActualVel(s, velocity); });
}

ZEL_API int ZEL_CALL ZEL_GetRunPTStatus(int port, int slave, uint16_t* item) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetRunPTStatus(s, item); });
}

}  // extern "C"
