// The program's command line: `--port N [--baud B]` connects at start without the dialog, and
// `--show WINDOW[:SLAVE]` (repeatable) opens windows once connected.
#pragma once

#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "gui/app/frame_kinds.h"

namespace tarsel::app {

struct ShowRequest {
    std::optional<FrameKind> frame;    // a child window ...
    std::optional<DialogKind> dialog;  // ... or a modeless dialog
    std::optional<uint8_t> slave;      // none: the first drive (the BLDC drive for BLDC windows)
};

struct LaunchOptions {
    std::optional<uint8_t> port;
    std::optional<uint8_t> selectPort;  // preselected in the connection dialog
    uint32_t baudRate = 115200;
    std::vector<ShowRequest> show;
    QString tourFolder;  // --tour: save every window as a picture there, then quit
    bool help = false;
    QString error;  // set when the command line cannot be used
};

// `arguments` without the program name.
LaunchOptions ParseCommandLine(const QStringList& arguments);
QString UsageText();

}  // namespace tarsel::app
