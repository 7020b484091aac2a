#include "comm/return_codes.h"

#include <cstdio>

namespace tarsel {
namespace {

struct CodeRow {
    int code;
    const char* name;
    const char* description;  // null: none
};

constexpr CodeRow kCodes[] = {
    {kResultNotOpen, "ZMM_NOT_OPEN", "Wrong port number is inputted."},
    {kResultInvalidPort, "ZMM_INVALID_PORT_NUM", nullptr},
    {kResultInvalidSlave, "ZMM_INVALID_SLAVE_NUM", "Wrong slave number is inputted."},
    {kResultDisconnected, "ZMC_DISCONNECTED", "The relevant drive is disconnected."},
    {kResultTimeout, "ZMC_TIMEOUT_ERROR", "Response delay occurs."},
    {kResultCrcFailed, "ZMC_CRCFAILED_ERROR", "The packet which received from drive is corrupted."},
    {kResultPacketError, "ZMC_RECVPACKET_ERROR", "Received packet is incorrect one."},
    {kResultPosTableError, "ZMM_POSTABLE_ERROR",
     "An error occurs while the motor accesses to the position table."},
    {kStatusFrameTypeError, "ZMP_FRAMETYPEERROR", "The drive cannot recognize the command."},
    {kStatusDataError, "ZMP_DATAERROR", "Input data is out of the range."},
    {kStatusPacketError, "ZMP_PACKETERROR", nullptr},
    {kStatusRunFail, "ZMP_RUNFAIL", "Running command failure. Refer to communication function manual."},
    {kStatusResetFail, "ZMP_RESETFAIL", "Running command failure. Refer to communication function manual."},
    {kStatusServoOnFail1, "ZMP_SERVOONFAIL1", "An alarm has occurred."},
    {kStatusServoOnFail2, "ZMP_SERVOONFAIL2", "The Motor is under Emergency Stop."},
    {kStatusServoOnFail3, "ZMP_SERVOONFAIL3", "The Servo-On signal is assigned at external input."},
    {kStatusRequestCrcError, "ZMP_PACKETCRCERROR",
     "An error is occured while checking CRC of the packet which drive received."},
};

const CodeRow* Find(int code) {
    for (const CodeRow& row : kCodes) {
        if (row.code == code) return &row;
    }
    return nullptr;
}

bool IsCommunicationFailure(int code) {
    return (code >= kResultNotOpen && code <= kResultInvalidSlave) ||
           (code >= kResultDisconnected && code <= kResultPacketError);
}

bool IsCommandError(int code) {
    return code == kResultPosTableError || (code >= kStatusFrameTypeError && code <= kStatusPacketError) ||
           (code >= kStatusRunFail && code <= kStatusServoOnFail3) || code == kStatusRequestCrcError;
}

const char* TitleFor(int code) {
    if (IsCommunicationFailure(code)) return "Communication Error";
    if (code == kResultPosTableError) return "Command Execution Failure";
    if (code >= kStatusFrameTypeError && code <= kStatusPacketError) return "Communication Error";
    if (code >= kStatusRunFail && code <= kStatusServoOnFail3) return "Wrong Command";
    if (code == kStatusRequestCrcError) return "Communication Error";
    return "Unknown Error";
}

}  // namespace

const char* ReturnCodeName(int code) {
    const CodeRow* row = Find(code);
    return row ? row->name : "";
}

const char* ReturnCodeDescription(int code) {
    const CodeRow* row = Find(code);
    return row ? row->description : nullptr;
}

FailureReport ComposeFailureReport(const char* command, int code) {
    FailureReport report;
    if (command == nullptr) command = "";
    report.title = TitleFor(code);
    char text[512];
    const unsigned shown = static_cast<unsigned>(code) & 0xFF;
    if (IsCommunicationFailure(code)) {
        std::snprintf(text, sizeof(text),
                      "The command is failed.\n\n   Command : %s\n\n   Return code : %s [0x%02X]", command,
                      ReturnCodeName(code), shown);
    } else if (IsCommandError(code)) {
        std::snprintf(text, sizeof(text),
                      "The command returned an error.\n\n   Command : %s\n\n   Return code : %s [0x%02X]",
                      command, ReturnCodeName(code), shown);
    } else {
        std::snprintf(text, sizeof(text),
                      "The command returned an error.\n\n   Command : %s\n\n   Return code : [0x%02X]",
                      command, shown);
    }
    report.text = text;
    const char* description = ReturnCodeDescription(code);
    if (description != nullptr && (IsCommunicationFailure(code) || IsCommandError(code))) {
        report.text += "\n      ";
        report.text += description;
    }
    report.buttons =
        (code == kResultTimeout || code == kResultCrcFailed) ? ReportButtons::RetryCancel : ReportButtons::Ok;
    report.icon = ReportIcon::Exclamation;
    return report;
}

}  // namespace tarsel
