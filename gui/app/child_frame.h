// A child window of the main frame: one frame kind, one view.  The frame takes the drive to serve
// (ServeDrive), picks the view class for the drive's board type where the kind has one per type,
// exchanges its view when needed, forwards routed messages to the view, and tells the main frame
// when it is destroyed (the closed message of its kind, with itself as origin).
#pragma once

#include <QMdiSubWindow>
#include <cstdint>

#include "gui/app/frame_kinds.h"
#include "gui/app/messages.h"

class QStatusBar;

namespace tarsel::app {

class IShell;
class CView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(IShell& shell, FrameKind kind, QWidget* parent = nullptr);
    ~CChildFrame() override;

    FrameKind Kind() const { return kind_; }
    CView* View() const { return view_; }
    uint8_t Port() const { return port_; }
    uint8_t Slave() const { return slave_; }
    QStatusBar* StatusBar() const { return statusBar_; }

    // Serves a drive: exchanges the view when the board type asks for another view class, then
    // posts ServeDrive (port, slave) to the view.
    void Serve(uint8_t port, uint8_t slave, uint8_t typeCode);
    // A routed message for the view.
    void Deliver(const Message& message);
    // Sizes the frame to its view (fixed for frames that cannot be resized).
    void FitToView();
    // True when a view exchange for this type code failed (the view stays as it is).
    bool ExchangeFailed(uint8_t typeCode) const { return failedType_ == typeCode; }

protected:
    bool event(QEvent* event) override;

private:
    bool MakeView(uint8_t typeCode);

    IShell& shell_;
    const FrameKind kind_;
    CView* view_ = nullptr;
    QWidget* body_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    uint8_t port_ = 0;
    uint8_t slave_ = 0;
    int failedType_ = -1;
};

}  // namespace tarsel::app
