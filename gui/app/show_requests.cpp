#include "gui/app/show_requests.h"

#include "gui/app/board_access.h"
#include "gui/app/main_frame.h"

namespace tarsel::app {

namespace {

int BldcCommandOf(DialogKind kind) {
    switch (kind) {
        case DialogKind::InertiaEstimate:
            return command::kEstimateInertia;
        case DialogKind::RlEstimate:
            return command::kRlEstimate;
        case DialogKind::Monitoring:
            break;
    }
    return command::kMonitoring;
}

}  // namespace

QStringList ApplyShowRequests(CMainFrame& frame, const std::vector<ShowRequest>& requests) {
    QStringList errors;
    if (!frame.IsConnected()) return errors;
    const uint8_t port = frame.FirstPort();
    for (const ShowRequest& request : requests) {
        if (request.slave && LookupBoard(frame.Master(), port, *request.slave) == nullptr) {
            errors << QStringLiteral("no drive at slave %1 on port %2").arg(*request.slave).arg(port);
            continue;
        }
        if (request.dialog) {
            if (request.slave) {
                frame.OpenDialog(*request.dialog, port, *request.slave);
            } else {
                frame.OnBldcCommand(BldcCommandOf(*request.dialog));
            }
            continue;
        }
        if (!request.frame) continue;
        if (*request.frame == FrameKind::Bldc && !request.slave) {
            frame.OnBldcCommand(command::kBldcParameter);
            continue;
        }
        const uint8_t slave = request.slave ? *request.slave : frame.Master().GetFirstSlave(port);
        frame.Send(Message::Open(Spec(*request.frame).message, port, slave));
    }
    return errors;
}

}  // namespace tarsel::app
