// The worker of an inertia ratio estimation: starts the drive's estimation by writing its
// trigger parameter, moves the motor back and forth with the repeat sequence while the drive
// estimates, then reads the trigger until the drive has cleared it (the result is ready).
//
// Like the repeat worker (which it uses), it holds the board only while its thread runs and never
// outlives its owner: the destructor stops the run and joins.  The owner bounds its waits and
// answers failure boxes the thread waits for while it waits (see CRepeatWorker::Finish).
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "gui/model/board/CRepeatWorker.h"

namespace tarsel {

class CBoardDorrinTevraBLDC;

class CInertiaWorker {
public:
    // The drive's inertia estimation: the trigger (written 1.0, reads 0 when done) and the result.
    static constexpr uint8_t kCategory = 4;
    static constexpr uint32_t kResult = 5;
    static constexpr uint32_t kTrigger = 6;
    // Reads of the trigger after the moves before the run counts as failed.
    static constexpr int kTriggerReads = 100;

    LiveRepeatSettings& Settings() { return repeat_.Settings(); }
    const LiveRepeatSettings& Settings() const { return repeat_.Settings(); }

    // Starts a run on `board`; false when a worker exists already or there is no board.
    bool Start(std::shared_ptr<CBoardDorrinTevraBLDC> board);
    bool Exists() const { return repeat_.Exists(); }
    bool IsRunning() const { return repeat_.IsRunning(); }
    // The pass of the repeat sequence in progress (1 while the first runs).
    uint32_t Cycles() const { return repeat_.Cycles(); }
    void ClearCycles() { repeat_.ClearCycles(); }

    // Ends the run at once: the repeat sequence leaves at its next wait, and no trigger read
    // follows.  Does not stop the axis; the window sends the stop command for that.
    void RequestStop();
    // Lets the repeat sequence end after the pass in progress; the trigger is still read.
    void FinishAfterPass() { repeat_.Settings().repeatCount = 1; }

    // The outcome of a run that ended, handed out once: true when the drive cleared the trigger.
    std::optional<bool> TakeOutcome();

    bool Reap() { return repeat_.Reap(); }
    bool Finish(std::chrono::milliseconds bound, const std::function<void()>& whileWaiting = {}) {
        return repeat_.Finish(bound, whileWaiting);
    }

private:
    bool Begin(CBoardDorrinTevraBLDC& board);
    void PollTrigger(CBoardDorrinTevraBLDC& board);

    std::atomic<bool> stop_{false};
    std::atomic<bool> started_{false};  // the trigger was written
    std::atomic<bool> finished_{false};
    std::atomic<bool> succeeded_{false};
    CRepeatWorker repeat_;  // last: its destructor joins the thread before the flags go
};

}  // namespace tarsel
