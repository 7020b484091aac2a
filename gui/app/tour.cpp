#include "gui/app/tour.h"

#include <QMdiArea>
#include <QTimerEvent>
#include <set>

#include "gui/app/board_access.h"
#include "gui/app/child_frame.h"
#include "gui/app/command_line.h"
#include "gui/app/loading_sequence.h"
#include "gui/app/main_frame.h"
#include "gui/app/show_requests.h"
#include "gui/app/view.h"

namespace tarsel::app {

namespace {
constexpr int kTickMs = 100;
}

CTour::CTour(CMainFrame& frame, const QString& folder, std::function<void(bool)> finished)
    : frame_(frame), folder_(folder), finished_(std::move(finished)) {}

void CTour::Start() {
    folder_.mkpath(QStringLiteral("."));
    Plan();
    next_ = 0;
    waiting_ = false;
    timer_.start(kTickMs, this);
}

void CTour::Plan() {
    shots_.clear();
    // The main window with the board list comes first.
    shots_.push_back({QString(), 0, QStringLiteral("main-window.png")});
    const uint8_t port = frame_.FirstPort();
    std::vector<std::pair<uint8_t, uint8_t>> types;  // (type code, first slave of it)
    std::set<uint8_t> seen;
    for (uint8_t slave = 0; slave < 16; ++slave) {
        BoardRef board = LookupBoard(frame_.Master(), port, slave);
        if (board != nullptr && seen.insert(board->GetBoardType()).second)
            types.emplace_back(board->GetBoardType(), slave);
    }
    for (const TourStop& stop : TourList()) {
        const QString window = QString::fromLatin1(stop.window);
        if (!stop.perType) {
            shots_.push_back({window, std::nullopt, window + QStringLiteral(".png")});
            continue;
        }
        for (const auto& [type, slave] : types)
            shots_.push_back({window, slave, QStringLiteral("%1-%2.png").arg(window).arg(type)});
    }
}

void CTour::OpenNext() {
    const Shot& shot = shots_[next_];
    if (!shot.window.isEmpty()) {
        const QString show =
            shot.slave ? QStringLiteral("%1:%2").arg(shot.window).arg(*shot.slave) : shot.window;
        const LaunchOptions options = ParseCommandLine({QStringLiteral("--show"), show});
        if (options.show.empty() || !ApplyShowRequests(frame_, options.show).isEmpty()) ok_ = false;
    }
    waiting_ = true;
    waitedMs_ = 0;
}

void CTour::SaveCurrent() {
    const Shot& shot = shots_[next_];
    QWidget* target = &frame_;
    if (!shot.window.isEmpty()) {
        const LaunchOptions options = ParseCommandLine({QStringLiteral("--show"), shot.window});
        target = nullptr;
        if (!options.show.empty() && options.show[0].frame) {
            target = options.show[0].frame == FrameKind::Repeat
                         ? (frame_.RepeatFrames().empty() ? nullptr : frame_.RepeatFrames().back().data())
                         : static_cast<QWidget*>(frame_.Frame(*options.show[0].frame));
        } else if (!options.show.empty() && options.show[0].dialog) {
            target = frame_.Dialog(*options.show[0].dialog);
        }
    }
    if (target == nullptr || !target->grab().save(folder_.filePath(shot.file))) {
        ok_ = false;
    } else {
        saved_ << shot.file;
    }
    // Windows other than the board list close again so each picture shows one window.
    if (target != nullptr && target != &frame_ && target != frame_.Frame(FrameKind::BoardList))
        target->close();
}

void CTour::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) return QObject::timerEvent(event);
    if (next_ >= shots_.size()) {
        timer_.stop();
        if (finished_) finished_(ok_);
        return;
    }
    if (!waiting_) {
        OpenNext();
        return;
    }
    waitedMs_ += kTickMs;
    // A window settles once its loading sequence is over and it drew a few times.
    if (waitedMs_ < kSettleMs || frame_.Loader().Running()) return;
    SaveCurrent();
    waiting_ = false;
    ++next_;
}

}  // namespace tarsel::app
