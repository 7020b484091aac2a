#include "gui/model/board/failure_box.h"

#include "comm/return_codes.h"

namespace tarsel {

FailureBox ComposeFailureBox(const char* command, uint8_t code) {
    const FailureReport report = ComposeFailureReport(command, code);
    return {report.title, report.text, report.buttons == ReportButtons::RetryCancel};
}

}  // namespace tarsel
