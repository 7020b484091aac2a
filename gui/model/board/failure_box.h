// The title, text and buttons of the failure report of a command.
#pragma once

#include <cstdint>

#include "gui/model/board/failure_reporter.h"

namespace tarsel {

FailureBox ComposeFailureBox(const char* command, uint8_t code);

}  // namespace tarsel
