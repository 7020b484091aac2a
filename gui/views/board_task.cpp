#include "gui/views/board_task.h"

#include <QTimerEvent>
#include <QWidget>
#include <atomic>
#include <chrono>

#include "gui/widgets/progress_dialog.h"

namespace tarsel::views {

struct CBoardTask::State {
    std::atomic<int> low{0};
    std::atomic<int> high{0};
    std::atomic<int> position{0};
    std::atomic<int> step{1};
    std::atomic<int> maxRange{0};
    std::atomic<bool> finished{false};
    std::atomic<bool> result{false};
};

// The board's progress calls, kept in atomics that the GUI thread reads on its timer.
class CBoardTask::Progress : public IProgress {
public:
    explicit Progress(std::shared_ptr<State> state) : state_(std::move(state)) {}
    void SetRange(int low, int high) override {
        state_->low = low;
        state_->high = high;
        if (high > state_->maxRange) state_->maxRange = high;
    }
    void SetStep(int step) override { state_->step = step; }
    void SetPos(int position) override { state_->position = position; }
    void StepIt() override { state_->position += state_->step.load(); }

private:
    std::shared_ptr<State> state_;
};

CBoardTask::CBoardTask(QWidget* owner, std::shared_ptr<CBoardInterface> board, const QString& status,
                       Work work, Done done)
    : QObject(owner), state_(std::make_shared<State>()), done_(std::move(done)) {
    if (!status.isEmpty()) {
        dialog_ = new widgets::CProgressDlg(owner);
        dialog_->setWindowTitle(status);
        dialog_->SetStatus(status);
        dialog_->SetRange(0, 0);
        dialog_->show();
    }
    worker_ = std::thread([state = state_, board = std::move(board), work = std::move(work)] {
        Progress progress(state);
        bool ok = false;
        if (board && work) ok = work(*board, &progress);
        state->result = ok;
        state->finished = true;
    });
    timer_.start(kCheckMs, this);
}

CBoardTask::~CBoardTask() {
    timer_.stop();
    if (dialog_) delete dialog_.data();
    if (!worker_.joinable()) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kJoinWaitMs);
    while (!state_->finished && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (state_->finished) {
        worker_.join();
    } else {
        worker_.detach();  // it owns what it uses; see the header
    }
}

bool CBoardTask::Running() const {
    return !state_->finished;
}

int CBoardTask::ProgressRange() const {
    return state_->maxRange;
}

void CBoardTask::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    if (dialog_) {
        dialog_->SetRange(state_->low, state_->high);
        dialog_->SetPos(state_->position);
    }
    if (!state_->finished) return;
    timer_.stop();
    worker_.join();
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
    }
    const bool ok = state_->result;
    Done done = std::move(done_);
    deleteLater();
    if (done) done(ok);
}

}  // namespace tarsel::views
