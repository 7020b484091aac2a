// Opens the windows the command line asked for, once a port is connected.
#pragma once

#include <QStringList>
#include <vector>

#include "gui/app/command_line.h"

namespace tarsel::app {

class CMainFrame;

// Opens each requested window; returns one error line per request that names a slave without a
// drive.
QStringList ApplyShowRequests(CMainFrame& frame, const std::vector<ShowRequest>& requests);

}  // namespace tarsel::app
