// Exports: parameters, servo and alarm, inputs and outputs.
#include "library/src/export_support.h"

using namespace tarsel;
using namespace tarsel::lib;

namespace {

uint64_t Join(uint32_t low, uint32_t high) {
    return static_cast<uint64_t>(low) | (static_cast<uint64_t>(high) << 32);
}

}  // namespace

extern "C" {

ZEL_API int ZEL_CALL ZEL_SaveAllParameters(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdSaveAllParameters(s); });
}

ZEL_API int ZEL_CALL ZEL_GetROMParameter(int port, int slave, uint8_t parameter, int32_t* value) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdGetROMParameter(s, parameter, value); });
}

ZEL_API int ZEL_CALL ZEL_SetParameter(int port, int slave, uint8_t parameter, int32_t value) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdSetParameter(s, parameter, value); });
}

ZEL_API int ZEL_CALL ZEL_GetParameter(int port, int slave, uint8_t parameter, int32_t* value) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdGetParameter(s, parameter, value); });
}

ZEL_API int ZEL_CALL ZEL_ServoEnable(int port, int slave, ZEL_BOOL on) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdServoEnable(s, on != 0); });
}

ZEL_API int ZEL_CALL ZEL_ServoAlarmReset(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdServoAlarmReset(s); });
}

ZEL_API int ZEL_CALL ZEL_StepAlarmReset(int port, int slave, ZEL_BOOL reset) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdStepAlarmReset(s, reset != 0); });
}

ZEL_API int ZEL_CALL ZEL_BrakeSet(int port, int slave, int on, int32_t* state) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdBrakeSet(s, LowByte(on), state); });
}

ZEL_API int ZEL_CALL ZEL_GetAlarmType(int port, int slave, uint8_t* alarmType) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetAlarmType(s, alarmType); });
}

ZEL_API int ZEL_CALL ZEL_SetIOInput(int port, int slave, uint64_t setMask, uint64_t clearMask) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdSetIOInput(s, setMask, clearMask); });
}

ZEL_API int ZEL_CALL ZEL_SetIOInputEx(int port, int slave, uint32_t setLow, uint32_t setHigh,
                                      uint32_t clearLow, uint32_t clearHigh) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdSetIOInput(s, Join(setLow, setHigh), Join(clearLow, clearHigh));
    });
}

ZEL_API int ZEL_CALL ZEL_GetIOInput(int port, int slave, uint64_t* inputs) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetIOInput(s, inputs); });
}

ZEL_API int ZEL_CALL ZEL_GetIOInputEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        uint64_t inputs = 0;
        const uint8_t result = p.DoCmdGetIOInput(s, &inputs);
        if (result != kResultSuccess) return result;
        if (inputsLow != nullptr) *inputsLow = static_cast<uint32_t>(inputs);
        if (inputsHigh != nullptr) *inputsHigh = static_cast<uint32_t>(inputs >> 32);
        return result;
    });
}

ZEL_API int ZEL_CALL ZEL_SetIOOutput(int port, int slave, uint32_t setMask, uint32_t clearMask) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdSetIOOutput(s, setMask, clearMask); });
}

ZEL_API int ZEL_CALL ZEL_GetIOOutput(int port, int slave, uint32_t* outputs) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdGetIOOutput(s, outputs); });
}

ZEL_API int ZEL_CALL ZEL_GetInputAssignMap(int port, int slave, uint8_t index, uint8_t* assignment,
                                           uint8_t* level) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdGetInputAssignMap(s, index, assignment, level);
    });
}

ZEL_API int ZEL_CALL ZEL_GetOutputAssignMap(int port, int slave, uint8_t index, uint8_t* assignment,
                                            uint8_t* level) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdGetOutputAssignMap(s, index, assignment, level);
    });
}

ZEL_API int ZEL_CALL ZEL_SetInputAssignMap(int port, int slave, uint8_t index, uint8_t assignment,
                                           uint8_t level) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdSetInputAssignMap(s, index, assignment, level);
    });
}

ZEL_API int ZEL_CALL ZEL_SetOutputAssignMap(int port, int slave, uint8_t index, uint8_t assignment,
                                            uint8_t level) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdSetOutputAssignMap(s, index, assignment, level);
    });
}

ZEL_API int ZEL_CALL ZEL_IOAssignMapReadROM(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdIOAssignMapReadROM(s); });
}

}  // extern "C"
