/*
 * TarselTevra: command motor drives on RS-485 lines from any C or C++ program.
 *
 * Call order: ZEL_Connect for each port (optionally after ZEL_EnableLog and ZEL_SetLogPath),
 * any other functions, ZEL_Close for each port.  Unloading the library closes whatever is still
 * open.
 *
 * Port numbers are the n of COMn (the low byte of the argument is used).  On Linux a number
 * names the entry "com<n>" of the ports directory ($TARSEL_PORTS_DIR, else
 * $XDG_RUNTIME_DIR/tarsel/ports, else /tmp/tarsel-<uid>/ports), a symbolic link to any terminal
 * device, or a serial adapter numbered by the system's port list.  Slave numbers are 0 to 15
 * (the low byte of the argument is used).
 *
 * Every per-slave function returns a code (0 success, see ZMM_, ZMC_ and ZMP_ below).  Before any
 * frame is sent it checks, in this order: no port connected at all (ZMM_NOT_OPEN), this port
 * not connected (ZMM_INVALID_PORT_NUM), slave above 15 or not found on the port when it was
 * connected (ZMM_INVALID_SLAVE_NUM).  Output arguments are written only on success and only
 * through non-null pointers.  Functions may be called from any thread; frames on one port never
 * interleave.  Do not call ZEL_Close or ZEL_Connect for a port while other calls for it run.
 */
#ifndef TARSEL_TEVRA_H
#define TARSEL_TEVRA_H

#include <stdint.h>

/* Calling convention: stdcall on 32-bit Windows, the platform's default elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define ZEL_CALL __stdcall
#else
#define ZEL_CALL
#endif

#if defined(_WIN32)
#if defined(TARSEL_TEVRA_BUILD)
#define ZEL_API __declspec(dllexport)
#else
#define ZEL_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) && defined(TARSEL_TEVRA_BUILD)
#define ZEL_API __attribute__((visibility("default")))
#else
#define ZEL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t ZEL_BOOL; /* nonzero: true */

/* Return codes. */
#define ZMM_NOT_OPEN 1          /* no port is connected at all */
#define ZMM_INVALID_PORT_NUM 2  /* the port number is not connected */
#define ZMM_INVALID_SLAVE_NUM 3 /* slave not present on the port, above 15, or an invalid axis list */
#define ZMC_DISCONNECTED 5      /* port not open, write or read failure (the port is then closed) */
#define ZMC_TIMEOUT_ERROR 6     /* no complete answer within the timeout, after the retries */
#define ZMC_CRCFAILED_ERROR 7   /* answer with a bad CRC, after the retries */
#define ZMC_RECVPACKET_ERROR 8  /* answer too short, wrong data length, or receive overflow */
#define ZMM_POSTABLE_ERROR 9    /* position-table write or non-volatile operation failed */
#define ZMP_FRAMETYPEERROR 0x80 /* the drive does not recognise the command */
#define ZMP_DATAERROR 0x81      /* request data out of range */
#define ZMP_PACKETERROR 0x82    /* malformed request */
#define ZMP_RUNFAIL 0x85
#define ZMP_RESETFAIL 0x86
#define ZMP_SERVOONFAIL1 0x87 /* an alarm has occurred */
#define ZMP_SERVOONFAIL2 0x88 /* the motor is under emergency stop */
#define ZMP_SERVOONFAIL3 0x89 /* the servo-on signal is assigned at an external input */
#define ZMP_PACKETCRCERROR 0xAA

/* Slave information record (70 bytes, little-endian, no padding). */
#pragma pack(push, 1)
typedef struct ZEL_SlaveInfo {
    uint16_t version[4];   /* offset 0: major, minor, build, revision */
    char name[30];         /* offset 8: drive name, zero-terminated */
    uint16_t type;         /* offset 38: drive type code (1, 10, 20, 30, 40, 110) */
    uint16_t motorNumber;  /* offset 40 */
    char motorName[20];    /* offset 42: zero-terminated */
    uint16_t inputCount;   /* offset 62 */
    uint16_t outputCount;  /* offset 64 */
    uint16_t tableSize;    /* offset 66: position-table items (64 bytes each) */
    uint16_t firmwareType; /* offset 68: 0 for supported firmware */
} ZEL_SlaveInfo;
#pragma pack(pop)

#if defined(__cplusplus)
static_assert(sizeof(ZEL_SlaveInfo) == 70, "slave information record is 70 bytes");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
_Static_assert(sizeof(ZEL_SlaveInfo) == 70, "slave information record is 70 bytes");
#endif

#define ZEL_POSTABLE_ITEM_SIZE 64 /* bytes of one position-table item */
#define ZEL_MOTION_OPTION_SIZE 32 /* bytes of the option block of the Ex moves */

/* Connection and log. */
ZEL_API ZEL_BOOL ZEL_CALL ZEL_Connect(int port, uint32_t baudRate);
ZEL_API void ZEL_CALL ZEL_Close(int port);
ZEL_API void ZEL_CALL ZEL_EnableLog(ZEL_BOOL enable);
ZEL_API ZEL_BOOL ZEL_CALL ZEL_SetLogPath(const char* directory);
ZEL_API ZEL_BOOL ZEL_CALL ZEL_IsSlaveExist(int port, int slave);
ZEL_API int ZEL_CALL ZEL_GetSlaveInfo(int port, int slave, ZEL_SlaveInfo* info);

/* Parameters. */
ZEL_API int ZEL_CALL ZEL_SaveAllParameters(int port, int slave);
ZEL_API int ZEL_CALL ZEL_GetROMParameter(int port, int slave, uint8_t parameter, int32_t* value);
ZEL_API int ZEL_CALL ZEL_SetParameter(int port, int slave, uint8_t parameter, int32_t value);
ZEL_API int ZEL_CALL ZEL_GetParameter(int port, int slave, uint8_t parameter, int32_t* value);

/* Servo, alarm and brake. */
ZEL_API int ZEL_CALL ZEL_ServoEnable(int port, int slave, ZEL_BOOL on);
ZEL_API int ZEL_CALL ZEL_ServoAlarmReset(int port, int slave);
ZEL_API int ZEL_CALL ZEL_StepAlarmReset(int port, int slave, ZEL_BOOL reset);
ZEL_API int ZEL_CALL ZEL_BrakeSet(int port, int slave, int on, int32_t* state); /* low byte of on */
ZEL_API int ZEL_CALL ZEL_GetAlarmType(int port, int slave, uint8_t* alarmType);

/* I/O.  Inputs are 40 bits (the upper 24 bits of the 64-bit values are 0); the Ex variants pass
 * them as low and high 32-bit halves. */
ZEL_API int ZEL_CALL ZEL_SetIOInput(int port, int slave, uint64_t setMask, uint64_t clearMask);
ZEL_API int ZEL_CALL ZEL_SetIOInputEx(int port, int slave, uint32_t setLow, uint32_t setHigh, uint32_t clearLow,
                                      uint32_t clearHigh);
ZEL_API int ZEL_CALL ZEL_GetIOInput(int port, int slave, uint64_t* inputs);
ZEL_API int ZEL_CALL ZEL_GetIOInputEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh);
ZEL_API int ZEL_CALL ZEL_SetIOOutput(int port, int slave, uint32_t setMask, uint32_t clearMask);
ZEL_API int ZEL_CALL ZEL_GetIOOutput(int port, int slave, uint32_t* outputs);
ZEL_API int ZEL_CALL ZEL_GetInputAssignMap(int port, int slave, uint8_t index, uint8_t* assignment, uint8_t* level);
ZEL_API int ZEL_CALL ZEL_GetOutputAssignMap(int port, int slave, uint8_t index, uint8_t* assignment, uint8_t* level);
ZEL_API int ZEL_CALL ZEL_SetInputAssignMap(int port, int slave, uint8_t index, uint8_t assignment, uint8_t level);
ZEL_API int ZEL_CALL ZEL_SetOutputAssignMap(int port, int slave, uint8_t index, uint8_t assignment, uint8_t level);
ZEL_API int ZEL_CALL ZEL_IOAssignMapReadROM(int port, int slave);

/* Status and position. */
ZEL_API int ZEL_CALL ZEL_GetAxisStatus(int port, int slave, uint32_t* status);
ZEL_API int ZEL_CALL ZEL_GetIOStatus(int port, int slave, uint64_t* inputs, uint32_t* outputs);
ZEL_API int ZEL_CALL ZEL_GetIOStatusEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh,
                                       uint32_t* outputs);
ZEL_API int ZEL_CALL ZEL_GetMotionStatus(int port, int slave, int32_t* commandPosition, int32_t* actualPosition,
                                         int32_t* positionError, int32_t* actualVelocity, uint32_t* runningItem);
ZEL_API int ZEL_CALL ZEL_GetAllStatus(int port, int slave, uint64_t* inputs, uint32_t* outputs,
                                      uint32_t* axisStatus, int32_t* commandPosition, int32_t* actualPosition,
                                      int32_t* positionError, int32_t* actualVelocity, uint16_t* runningItem);
ZEL_API int ZEL_CALL ZEL_GetAllStatusEx(int port, int slave, uint32_t* inputsLow, uint32_t* inputsHigh,
                                        uint32_t* outputs, uint32_t* axisStatus, int32_t* commandPosition,
                                        int32_t* actualPosition, int32_t* positionError, int32_t* actualVelocity,
                                        uint16_t* runningItem);
ZEL_API int ZEL_CALL ZEL_SetCommandPos(int port, int slave, int32_t position);
ZEL_API int ZEL_CALL ZEL_SetActualPos(int port, int slave, int32_t position);
ZEL_API int ZEL_CALL ZEL_ClearPosition(int port, int slave);
ZEL_API int ZEL_CALL ZEL_GetCommandPos(int port, int slave, int32_t* position);
ZEL_API int ZEL_CALL ZEL_GetActualPos(int port, int slave, int32_t* position);
ZEL_API int ZEL_CALL ZEL_GetPosError(int port, int slave, int32_t* error);
ZEL_API int ZEL_CALL ZEL_GetActualVel(int port, int slave, int32_t* velocity);
ZEL_API int ZEL_CALL ZEL_GetRunPTStatus(int port, int slave, uint16_t* item);

/* Motion.  These return as soon as the drive accepted the command; they never wait for the end
 * of the motion (poll ZEL_GetAxisStatus: bit 27 moving, bit 19 in position). */
ZEL_API int ZEL_CALL ZEL_MoveStop(int port, int slave);
ZEL_API int ZEL_CALL ZEL_EmergencyStop(int port, int slave);
ZEL_API int ZEL_CALL ZEL_MovePause(int port, int slave, int pause); /* low byte of pause */
ZEL_API int ZEL_CALL ZEL_MoveOriginSingleAxis(int port, int slave);
ZEL_API int ZEL_CALL ZEL_MoveSingleAxisAbsPos(int port, int slave, int32_t position, uint32_t velocity);
ZEL_API int ZEL_CALL ZEL_MoveSingleAxisIncPos(int port, int slave, int32_t distance, uint32_t velocity);
ZEL_API int ZEL_CALL ZEL_MoveToLimit(int port, int slave, uint32_t velocity, int direction);
ZEL_API int ZEL_CALL ZEL_MoveVelocity(int port, int slave, uint32_t velocity, int direction);
ZEL_API int ZEL_CALL ZEL_PositionAbsOverride(int port, int slave, int32_t position);
ZEL_API int ZEL_CALL ZEL_PositionIncOverride(int port, int slave, int32_t distance);
ZEL_API int ZEL_CALL ZEL_VelocityOverride(int port, int slave, uint32_t velocity);
/* The option block (ZEL_MOTION_OPTION_SIZE bytes) is sent as it is; null sends zeros. */
ZEL_API int ZEL_CALL ZEL_MoveSingleAxisAbsPosEx(int port, int slave, int32_t position, uint32_t velocity,
                                                const uint8_t* options);
ZEL_API int ZEL_CALL ZEL_MoveSingleAxisIncPosEx(int port, int slave, int32_t distance, uint32_t velocity,
                                                const uint8_t* options);
ZEL_API int ZEL_CALL ZEL_MoveVelocityEx(int port, int slave, uint32_t velocity, int direction,
                                        const uint8_t* options);

/* Interpolated moves: all listed axes start together and arrive together.  `slaves` and the
 * targets (absolute positions or distances) hold `axisCount` entries each. */
ZEL_API int ZEL_CALL ZEL_MoveLinearAbsPos(int port, uint8_t axisCount, const uint8_t* slaves,
                                          const int32_t* positions, uint32_t velocity, uint16_t accelerationTime);
ZEL_API int ZEL_CALL ZEL_MoveLinearIncPos(int port, uint8_t axisCount, const uint8_t* slaves,
                                          const int32_t* distances, uint32_t velocity, uint16_t accelerationTime);

/* All axes of a port at once (broadcast, no answer): 0 once the frame was written. */
ZEL_API int ZEL_CALL ZEL_AllMoveStop(int port);
ZEL_API int ZEL_CALL ZEL_AllEmergencyStop(int port);
ZEL_API int ZEL_CALL ZEL_AllMoveOriginSingleAxis(int port);
ZEL_API int ZEL_CALL ZEL_AllMoveSingleAxisAbsPos(int port, int32_t position, uint32_t velocity);
ZEL_API int ZEL_CALL ZEL_AllMoveSingleAxisIncPos(int port, int32_t distance, uint32_t velocity);

/* Position table: items of ZEL_POSTABLE_ITEM_SIZE bytes. */
ZEL_API int ZEL_CALL ZEL_PosTableReadItem(int port, int slave, uint16_t item, uint8_t* data);
ZEL_API int ZEL_CALL ZEL_PosTableWriteItem(int port, int slave, uint16_t item, const uint8_t* data);
ZEL_API int ZEL_CALL ZEL_PosTableWriteROM(int port, int slave);
ZEL_API int ZEL_CALL ZEL_PosTableReadROM(int port, int slave);
ZEL_API int ZEL_CALL ZEL_PosTableRunItem(int port, int slave, uint16_t item);
ZEL_API int ZEL_CALL ZEL_PosTableReadOneItem(int port, int slave, uint16_t item, uint16_t offset, int32_t* value);
ZEL_API int ZEL_CALL ZEL_PosTableWriteOneItem(int port, int slave, uint16_t item, uint16_t offset, int32_t value);
ZEL_API int ZEL_CALL ZEL_PosTableSingleRunItem(int port, int slave, ZEL_BOOL next, uint16_t item);

#ifdef __cplusplus
}
#endif

#endif /* TARSEL_TEVRA_H */
