// Names and descriptions of the return codes, and the failure report: the message box a
// program shows for a failed command, composed here without any window toolkit.  The numeric
// constants live in result_codes.h.
#pragma once

#include <cstdint>
#include <string>

#include "comm/result_codes.h"

namespace tarsel {

constexpr uint8_t kStatusRunFail = 0x85;       // ZMP_RUNFAIL
constexpr uint8_t kStatusResetFail = 0x86;     // ZMP_RESETFAIL
constexpr uint8_t kStatusServoOnFail1 = 0x87;  // ZMP_SERVOONFAIL1
constexpr uint8_t kStatusServoOnFail2 = 0x88;  // ZMP_SERVOONFAIL2
constexpr uint8_t kStatusServoOnFail3 = 0x89;  // ZMP_SERVOONFAIL3

// "ZMC_TIMEOUT_ERROR" and the like; the empty text for codes without a name (0 included).
const char* ReturnCodeName(int code);
// The user-facing description, or null when the code has none.
const char* ReturnCodeDescription(int code);

enum class ReportButtons : uint8_t { Ok, RetryCancel };
enum class ReportIcon : uint8_t { Exclamation };

// Answers of a report, with the values the message-box convention uses.
constexpr int kReportAnswerOk = 1;
constexpr int kReportAnswerCancel = 2;
constexpr int kReportAnswerRetry = 4;

struct FailureReport {
    std::string title;
    std::string text;
    ReportButtons buttons = ReportButtons::Ok;
    ReportIcon icon = ReportIcon::Exclamation;
    // The answer to hand back when the box shows OK (cancel: the command is not repeated).
    int AnswerForOk() const { return kReportAnswerCancel; }
};

// Title, text, buttons and icon of the report for `command` (the failed function's name, as
// "ZEL_GetParameter") and `code`.  Timeouts and CRC failures offer Retry and Cancel.
FailureReport ComposeFailureReport(const char* command, int code);

}  // namespace tarsel
