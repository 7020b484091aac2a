// The firmware update procedure: a queue of step codes worked off by one worker thread.
//
// A finished step removes itself from the front of the queue, a waiting step stays there and
// runs again on the next pass, a failing step sets the message and pushes Abort to the front.
// The owner (update page or command line) starts it, reads snapshots from its own thread and
// stops it; the worker never talks to the user.
#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "tools/firmloader/core/boot_link.h"
#include "tools/firmloader/core/image_set.h"
#include "tools/firmloader/core/procedure_types.h"

namespace tarsel::firmware {

class UpdateProcedure {
public:
    // Receives the boot ROM's identification text at the erase step (the update history).
    using HistoryWriter = std::function<void(const std::string&)>;

    explicit UpdateProcedure(BootLink& link, ProcedureTimings timings = {});
    ~UpdateProcedure();  // stops the worker
    UpdateProcedure(const UpdateProcedure&) = delete;
    UpdateProcedure& operator=(const UpdateProcedure&) = delete;

    void SetImagePaths(const ImagePaths& paths);
    void SetHistoryWriter(HistoryWriter writer);

    // Clears the message and the record count, queues the first step and starts the worker.
    // A worker still running is stopped first.
    void Start();
    // Empties the queue and waits until the worker has ended.  Between two image records the
    // worker notices at once; a command in flight is finished first.
    void Stop();

    ProcedureSnapshot Snapshot() const;
    // The owner has shown the message.
    void ClearMessage();
    // True once the queue ran empty after the finishing step.
    bool Succeeded() const;

private:
    void Run();
    void RunStep(Step step);
    void Initialise();
    void CheckRomType();
    void Restart(StepLabel label, bool intoBootRom);
    void WaitForRom(StepLabel label, bool wantBootRom);
    void Erase();
    void WaitForErase();
    void WriteImage();

    void SetLabel(StepLabel label, LabelState state);
    void RemoveSelf();
    void Push(std::initializer_list<Step> steps);
    void Fail(StepLabel label, LabelState labelState, MessageId id, MessageKind kind, uint8_t code = 0,
              std::string detail = {});
    bool StopRequested() const { return stopRequested_.load(); }
    void Pause(std::chrono::milliseconds duration);

    BootLink& link_;
    const ProcedureTimings timings_;

    mutable std::mutex mutex_;  // guards everything below up to the worker state
    std::deque<Step> queue_;
    ProcedureSnapshot state_;
    ImagePaths paths_;
    HistoryWriter historyWriter_;
    bool finished_ = false;

    // Worker-only state.
    ImagePlan plan_;
    std::chrono::steady_clock::time_point restartTime_{};
    std::chrono::steady_clock::time_point eraseTime_{};
    int answeredProbes_ = 0;
    enum class TypeCheck : uint8_t { None, Failed, BootRom, RunRom };
    TypeCheck lastTypeCheck_ = TypeCheck::None;
    uint8_t lastTypeCheckCode_ = 0;

    std::atomic<bool> stopRequested_{false};
    std::thread worker_;
};

}  // namespace tarsel::firmware
