// One long board operation (a file load, a ROM restore, a row of writes) run on a worker thread
// while the GUI thread keeps its event loop: a progress dialog, when titled, follows the work
// through the board's progress interface, and `done` runs on the GUI thread when the work ended.
// The task belongs to a window; when the window goes first, the task waits a bounded time for
// the worker and otherwise leaves it to finish alone (it holds the board through its shared_ptr
// and touches nothing of the window), and `done` is not called.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

#include "gui/model/board/CBoardInterface.h"
#include "gui/widgets/progress_dialog.h"

namespace tarsel::views {

class CBoardTask : public QObject {
    Q_OBJECT
public:
    using Work = std::function<bool(CBoardInterface& board, IProgress* progress)>;
    using Done = std::function<void(bool ok)>;
    static constexpr int kCheckMs = 30;
    static constexpr int kJoinWaitMs = 2000;

    // Starts at once.  An empty `status` shows no progress dialog.
    CBoardTask(QWidget* owner, std::shared_ptr<CBoardInterface> board, const QString& status, Work work,
               Done done);
    ~CBoardTask() override;

    bool Running() const;
    widgets::CProgressDlg* Dialog() const { return dialog_; }
    // The highest range the work gave its progress (the number of steps it announced).
    int ProgressRange() const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct State;
    class Progress;

    std::shared_ptr<State> state_;
    std::thread worker_;
    Done done_;
    QBasicTimer timer_;
    QPointer<widgets::CProgressDlg> dialog_;
};

}  // namespace tarsel::views
