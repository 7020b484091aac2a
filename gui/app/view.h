// The base of every view shown in a child frame, and of the modeless dialogs the main frame
// keeps.  A view serves one drive (port, slave): it receives the drive with ServeDrive, the
// routed drive messages through OnMessage, redraws from the drive's cache on its 120 ms timer
// (only while shown), and looks the board up each time it needs it.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "gui/app/board_access.h"
#include "gui/app/frame_kinds.h"
#include "gui/app/messages.h"

class QStatusBar;

namespace tarsel::widgets {
class CSlaveSelector;
}

namespace tarsel::app {

class IShell;
class CChildFrame;

class CView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRedrawMs = 120;

    CView(IShell& shell, FrameKind kind, QWidget* parent = nullptr);

    // Every message for this view.  The base handles ServeDrive: it takes the drive, hands it
    // to the frame for a view exchange when another view class serves the drive's board type,
    // updates the slave selector and calls OnDriveChanged.  Overrides handle their kinds and pass
    // the rest (at least ServeDrive) on to this one.
    virtual void OnMessage(const Message& message);

    uint8_t Port() const { return port_; }
    uint8_t Slave() const { return slave_; }
    bool HasDrive() const { return hasDrive_; }
    FrameKind Kind() const { return kind_; }
    const QString& ClassName() const { return className_; }
    void SetClassName(const QString& name) { className_ = name; }

protected:
    // The drive changed (also the first drive); redraw everything.
    virtual void OnDriveChanged() {}
    // The 120 ms redraw tick: touch only controls whose value changed.
    virtual void OnRedraw() {}

    // The board of the drive, looked up now; none when it is gone.
    BoardRef Board() const;
    IShell& Shell() const { return shell_; }
    // Asks the frame to serve another slave of the same port (a view exchange may follow).
    void ChangeSlave(uint8_t slave);
    // The slave selector, created on first use and kept in step with the drive.
    widgets::CSlaveSelector* SlaveSelector();
    // The frame's own status bar (the position table's frame), or none.
    QStatusBar* FrameStatusBar() const;
    CChildFrame* Frame() const;
    // Fits the frame to the view's size after the form changed.
    void FitFrame();
    // Starts or stops the redraw timer; it runs only while the view is shown.
    void SetRedrawing(bool on);

    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void UpdateSelector();
    void SyncTimer();

    IShell& shell_;
    const FrameKind kind_;
    QString className_;
    uint8_t port_ = 0;
    uint8_t slave_ = 0;
    bool hasDrive_ = false;
    bool redrawing_ = false;
    QBasicTimer timer_;
    widgets::CSlaveSelector* selector_ = nullptr;
};

// A modeless dialog the main frame keeps (monitoring, estimations).
class CShellDialog : public QDialog {
    Q_OBJECT
public:
    CShellDialog(IShell& shell, DialogKind kind, QWidget* parent = nullptr);
    // ServeDrive gives the drive; the drive messages of the routing table follow.
    virtual void OnMessage(const Message& message);
    DialogKind Kind() const { return kind_; }
    uint8_t Port() const { return port_; }
    uint8_t Slave() const { return slave_; }

protected:
    virtual void OnDriveChanged() {}
    BoardRef Board() const;
    IShell& Shell() const { return shell_; }
    bool event(QEvent* event) override;

private:
    IShell& shell_;
    const DialogKind kind_;
    uint8_t port_ = 0;
    uint8_t slave_ = 0;
};

}  // namespace tarsel::app
