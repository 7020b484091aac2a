# Checks that the shared library exports exactly the 69 ZEL_ functions, that they are the
# functions its public header declares, and nothing else.
set(expected
    ZEL_Connect ZEL_Close ZEL_EnableLog ZEL_SetLogPath ZEL_IsSlaveExist ZEL_GetSlaveInfo
    ZEL_SaveAllParameters ZEL_GetROMParameter ZEL_SetParameter ZEL_GetParameter ZEL_ServoEnable
    ZEL_ServoAlarmReset ZEL_StepAlarmReset ZEL_BrakeSet ZEL_SetIOInput ZEL_SetIOInputEx ZEL_GetIOInput
    ZEL_GetIOInputEx ZEL_SetIOOutput ZEL_GetIOOutput ZEL_GetInputAssignMap ZEL_GetOutputAssignMap
    ZEL_SetInputAssignMap ZEL_SetOutputAssignMap ZEL_IOAssignMapReadROM ZEL_GetAxisStatus ZEL_GetIOStatus
    ZEL_GetIOStatusEx ZEL_GetMotionStatus ZEL_GetAllStatus ZEL_GetAllStatusEx ZEL_SetCommandPos
    ZEL_SetActualPos ZEL_ClearPosition ZEL_GetCommandPos ZEL_GetActualPos ZEL_GetPosError ZEL_GetActualVel
    ZEL_GetAlarmType ZEL_GetRunPTStatus ZEL_MoveStop ZEL_EmergencyStop ZEL_MovePause ZEL_MoveOriginSingleAxis
    ZEL_MoveSingleAxisAbsPos ZEL_MoveSingleAxisIncPos ZEL_MoveToLimit ZEL_MoveVelocity ZEL_PositionAbsOverride
    ZEL_PositionIncOverride ZEL_VelocityOverride ZEL_MoveLinearAbsPos ZEL_MoveLinearIncPos
    ZEL_MoveSingleAxisAbsPosEx ZEL_MoveSingleAxisIncPosEx ZEL_MoveVelocityEx ZEL_AllMoveStop
    ZEL_AllEmergencyStop ZEL_AllMoveOriginSingleAxis ZEL_AllMoveSingleAxisAbsPos ZEL_AllMoveSingleAxisIncPos
    ZEL_PosTableReadItem ZEL_PosTableWriteItem ZEL_PosTableWriteROM ZEL_PosTableReadROM ZEL_PosTableRunItem
    ZEL_PosTableReadOneItem ZEL_PosTableWriteOneItem ZEL_PosTableSingleRunItem)
list(SORT expected)
list(LENGTH expected count)
if(NOT count EQUAL 69)
    message(FATAL_ERROR "the expected list holds ${count} names")
endif()

execute_process(COMMAND nm -D --defined-only ${LIBRARY} OUTPUT_VARIABLE table RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${table}")
set(exported)
foreach(line ${lines})
    if(line MATCHES "^[0-9a-fA-F]* *([A-Za-z]) (.+)$")
        if(NOT CMAKE_MATCH_1 STREQUAL "T")
            message(FATAL_ERROR "exported symbol that is no function: ${line}")
        endif()
        list(APPEND exported "${CMAKE_MATCH_2}")
    endif()
endforeach()
list(SORT exported)
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "exported: ${exported}\nexpected: ${expected}")
endif()

file(STRINGS ${HEADER} declarations REGEX "^ZEL_API")
set(declared)
foreach(line ${declarations})
    if(line MATCHES "ZEL_CALL (ZEL_[A-Za-z]+)\\(")
        list(APPEND declared "${CMAKE_MATCH_1}")
    endif()
endforeach()
list(SORT declared)
if(NOT declared STREQUAL expected)
    message(FATAL_ERROR "declared: ${declared}\nexpected: ${expected}")
endif()
message(STATUS "the library exports exactly the 69 declared ZEL_ functions")
