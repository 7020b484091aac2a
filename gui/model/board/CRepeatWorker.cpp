#include "gui/model/board/CRepeatWorker.h"

#include <algorithm>

namespace tarsel {

RepeatInputs LiveRepeatSettings::Read() const {
    RepeatInputs in;
    in.positionCount = useThird.load() ? 3 : 2;
    for (std::size_t i = 0; i < positions.size(); ++i) in.positions[i] = positions[i].load();
    in.speed = speed.load();
    in.waitMs = delayMs.load();
    in.repeatCount = repeatCount.load();
    in.inPosition = inPosition.load();
    return in;
}

void LiveRepeatSettings::LoadFrom(const CBoardInterface& board) {
    useThird = board.repeatUseThird.load();
    positions[0] = board.repeatPosition1.load();
    positions[1] = board.repeatPosition2.load();
    positions[2] = board.repeatPosition3.load();
    speed = board.repeatSpeed.load();
    delayMs = board.repeatDelayMs.load();
    repeatCount = board.repeatCount.load();
    inPosition = board.repeatInPosition.load();
}

CRepeatWorker::~CRepeatWorker() {
    // The owner normally ends the worker with Finish; this join is the last resort and relies on
    // the sequence ending once stopped (its waits end at the stop request, a detached board's
    // commands fail at once).
    RequestStop();
    if (thread_.joinable()) thread_.join();
}

bool CRepeatWorker::Start(std::shared_ptr<CBoardInterface> board, Hooks hooks) {
    if (board == nullptr || thread_.joinable()) return false;
    cycles_ = 0;
    startTimeMs_ = 0;
    stop_ = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        board_ = board;
        ended_ = false;
    }
    running_ = true;
    thread_ =
        std::thread([this, b = std::move(board), h = std::move(hooks)]() mutable { Body(std::move(b), h); });
    return true;
}

void CRepeatWorker::Body(std::shared_ptr<CBoardInterface> board, const Hooks& hooks) {
    // The sequence clears the board's stop request as it begins, so a stop asked for before then
    // (during the `before` hook, or before this thread was scheduled) is handed on at its first
    // read of the settings, which comes before any move.
    CBoardInterface& b = *board;
    const auto read = [this, &b] {
        if (stop_.load()) b.StopRepeat();
        return settings_.Read();
    };
    if (!hooks.before || hooks.before(b)) b.RunRepeat(read, &cycles_, &startTimeMs_);
    if (hooks.after) hooks.after(*board);
    running_ = false;
    board.reset();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        board_.reset();
        ended_ = true;
    }
    endedCv_.notify_all();
}

void CRepeatWorker::RequestStop() {
    stop_ = true;
    std::shared_ptr<CBoardInterface> board;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        board = board_;
    }
    if (board != nullptr) board->StopRepeat();
}

bool CRepeatWorker::Reap() {
    if (!thread_.joinable()) return true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!ended_) return false;
    }
    thread_.join();
    return true;
}

bool CRepeatWorker::Finish(std::chrono::milliseconds bound, const std::function<void()>& whileWaiting) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + bound;
    for (;;) {
        if (Reap()) return true;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            const auto slice = std::min<Clock::duration>(deadline - now, std::chrono::milliseconds(5));
            endedCv_.wait_for(lock, slice, [this] { return ended_; });
        }
        if (whileWaiting) whileWaiting();
    }
}

}  // namespace tarsel
