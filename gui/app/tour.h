// The screenshot tour: once connected, every window of the tour list is opened for one drive of
// each board type on the line (or once, for windows that do not depend on the drive), saved as
// WINDOW-TYPECODE.png (WINDOW.png) into a folder, and closed again; the main window with the
// board list is saved as main-window.png.  Used by scripts/screenshot --tour.
#pragma once

#include <QBasicTimer>
#include <QDir>
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

namespace tarsel::app {

class CMainFrame;

struct TourStop {
    const char* window;  // the --show name
    bool perType;        // once per board type on the line
};

// The windows of the tour (tour_list.cpp; one line per window).
const std::vector<TourStop>& TourList();

class CTour : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 900;

    CTour(CMainFrame& frame, const QString& folder, std::function<void(bool ok)> finished);
    void Start();
    QStringList Saved() const { return saved_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Shot {
        QString window;
        std::optional<uint8_t> slave;  // none: the window picks its drive (the BLDC windows theirs)
        QString file;
    };
    void Plan();
    void OpenNext();
    void SaveCurrent();

    CMainFrame& frame_;
    QDir folder_;
    std::function<void(bool)> finished_;
    std::vector<Shot> shots_;
    std::size_t next_ = 0;
    bool waiting_ = false;
    int waitedMs_ = 0;
    bool ok_ = true;
    QStringList saved_;
    QBasicTimer timer_;
};

}  // namespace tarsel::app
