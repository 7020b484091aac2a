// The worker thread of a repeat test: runs a board's repeat sequence with settings that the
// window may change during the run, and publishes the cycle counter and the start time.
//
// The window owns the worker; the worker holds the board (shared ownership) only while its thread
// runs, so a drive removed during a run leaves a detached board whose commands fail at once and
// end the sequence.  The thread never outlives this object: the destructor stops the run and
// joins.  Waits for the end are bounded by the caller, who may run a function while waiting (a
// failure box the worker waits for on the GUI thread must be answered before it can end).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "gui/model/board/CBoardInterface.h"

namespace tarsel {

// Settings read by the worker at the start of every cycle and written by the window at any time.
struct LiveRepeatSettings {
    std::atomic<bool> useThird{false};
    std::array<std::atomic<int32_t>, 3> positions{0, 10000, 20000};
    std::atomic<uint32_t> speed{10000};
    std::atomic<uint32_t> delayMs{0};
    std::atomic<uint32_t> repeatCount{0};
    std::atomic<bool> inPosition{false};

    RepeatInputs Read() const;
    // Takes the settings kept in a board.
    void LoadFrom(const CBoardInterface& board);
};

class CRepeatWorker {
public:
    CRepeatWorker() = default;
    ~CRepeatWorker();
    CRepeatWorker(const CRepeatWorker&) = delete;
    CRepeatWorker& operator=(const CRepeatWorker&) = delete;

    LiveRepeatSettings& Settings() { return settings_; }
    const LiveRepeatSettings& Settings() const { return settings_; }

    // Steps a run may take on the worker thread around the repeat sequence: `before` runs first
    // and may refuse the run (the sequence is then skipped), `after` runs last.  Either may be empty.
    struct Hooks {
        std::function<bool(CBoardInterface&)> before;
        std::function<void(CBoardInterface&)> after;
    };

    // Starts the sequence on `board`; false when a worker exists already or there is no board.
    // The cycle counter is cleared first.
    bool Start(std::shared_ptr<CBoardInterface> board, Hooks hooks = {});
    // A worker thread exists (running, or ended and not yet joined).
    bool Exists() const { return thread_.joinable(); }
    // The run (hooks included) goes on (set by the worker from its start to its end).
    bool IsRunning() const { return running_.load(); }
    uint32_t Cycles() const { return cycles_.load(); }
    uint64_t StartTimeMs() const { return startTimeMs_.load(); }
    void ClearCycles() { cycles_ = 0; }

    // Asks the sequence to end: the board's repeat stop, which also cuts a delay short; a sequence
    // that has not begun yet ends before its first move.  Does not stop the axis; the window sends
    // the stop command for that.
    void RequestStop();
    // Joins a worker whose sequence has ended; true when no worker is left.
    bool Reap();
    // Waits at most `bound` for the worker to end, calling `whileWaiting` (if set) between short
    // waits, and joins it when it ended; true when no worker is left.
    bool Finish(std::chrono::milliseconds bound, const std::function<void()>& whileWaiting = {});

private:
    void Body(std::shared_ptr<CBoardInterface> board, const Hooks& hooks);

    LiveRepeatSettings settings_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stop_{false};  // RequestStop was called for the current worker
    std::atomic<uint32_t> cycles_{0};
    std::atomic<uint64_t> startTimeMs_{0};

    std::mutex mutex_;  // guards board_ and ended_
    std::condition_variable endedCv_;
    std::shared_ptr<CBoardInterface> board_;  // the board of the running worker
    bool ended_ = false;
    std::thread thread_;  // touched by the owner's thread only
};

}  // namespace tarsel
