// The loading sequence: while the polling thread reads a drive's parameters, I/O map, position
// table or BLDC parameters (the windows have set the reload requests), a progress dialog shows how
// far it got.  The wait runs on a timer, so the GUI thread's event loop keeps running (the polling
// thread may need the main frame meanwhile) and no core is burnt.  A part ends when it is loaded,
// when its reload ended without data, or when the drive goes away; Cancel ends the wait.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <deque>

#include "gui/app/shell.h"

class QWidget;

namespace tarsel::widgets {
class CProgressDlg;
}

namespace tarsel::app {

class CLoadingSequence : public QObject {
    Q_OBJECT
public:
    static constexpr int kCheckMs = 40;

    CLoadingSequence(IShell& shell, QWidget* dialogParent);
    ~CLoadingSequence() override;

    void Start(uint8_t port, uint8_t slave, uint32_t bits, LoadDone done);
    bool Running() const { return running_; }
    widgets::CProgressDlg* Dialog() const { return dialog_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Request {
        uint8_t port;
        uint8_t slave;
        uint32_t bits;
        LoadDone done;
    };
    void Next();
    void BeginPart();
    void Check();
    void Finish();

    IShell& shell_;
    QPointer<QWidget> parent_;
    std::deque<Request> queue_;
    Request current_{};
    int part_ = 0;  // bit index 0..3 of the part being waited for
    bool allLoaded_ = true;
    bool running_ = false;
    QBasicTimer timer_;
    widgets::CProgressDlg* dialog_ = nullptr;
};

}  // namespace tarsel::app
