// Servo on/off, alarm resets, brake and alarm type.
#include "comm/CCommInterface.h"
#include "comm/cmd_payload.h"
#include "comm/protocol.h"
#include "comm/result_codes.h"

namespace tarsel {
using payload::Flag;

uint8_t CCommInterface::DoCmdServoEnable(uint8_t slave, bool on) {
    const uint8_t request = Flag(on);
    return Command(slave, frame_type::kServoEnable, &request, 1, nullptr, 0, 500);
}

uint8_t CCommInterface::DoCmdServoAlarmReset(uint8_t slave) {
    return Command(slave, frame_type::kServoAlarmReset, nullptr, 0, nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdStepAlarmReset(uint8_t slave, bool reset) {
    const uint8_t request = Flag(reset);
    return Command(slave, frame_type::kStepAlarmReset, &request, 1, nullptr, 0, 100);
}

uint8_t CCommInterface::DoCmdBrakeSet(uint8_t slave, uint8_t on, int32_t* state) {
    uint8_t answer = 0;
    const uint8_t result = Command(slave, frame_type::kBrake, &on, 1, &answer, 1, 100);
    if (result == kResultSuccess && state != nullptr) *state = answer;
    return result;
}

uint8_t CCommInterface::DoCmdGetAlarmType(uint8_t slave, uint8_t* alarmType) {
    uint8_t answer = 0;
    const uint8_t result = Command(slave, frame_type::kAlarmType, nullptr, 0, &answer, 1, 100);
    if (result == kResultSuccess && alarmType != nullptr) *alarmType = answer;
    return result;
}

}  // namespace tarsel
