#include "tools/firmloader/core/update_procedure.h"

#include <utility>

#include "comm/result_codes.h"

namespace tarsel::firmware {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kProbesInARow = 3;

}  // namespace

UpdateProcedure::UpdateProcedure(BootLink& link, ProcedureTimings timings) : link_(link), timings_(timings) {}

UpdateProcedure::~UpdateProcedure() {
    Stop();
}

void UpdateProcedure::SetImagePaths(const ImagePaths& paths) {
    std::lock_guard lock(mutex_);
    paths_ = paths;
}

void UpdateProcedure::SetHistoryWriter(HistoryWriter writer) {
    std::lock_guard lock(mutex_);
    historyWriter_ = std::move(writer);
}

void UpdateProcedure::Start() {
    Stop();
    {
        std::lock_guard lock(mutex_);
        state_.message = {};
        state_.messagePending = false;
        state_.recordCount = 0;
        state_.recordTotal = 0;
        state_.currentStep = Step::Initialise;
        state_.workerRunning = true;
        finished_ = false;
        queue_.clear();
        queue_.push_back(Step::Initialise);
    }
    stopRequested_ = false;
    worker_ = std::thread([this] { Run(); });
}

void UpdateProcedure::Stop() {
    stopRequested_ = true;
    {
        std::lock_guard lock(mutex_);
        queue_.clear();
    }
    if (worker_.joinable()) worker_.join();
}

ProcedureSnapshot UpdateProcedure::Snapshot() const {
    std::lock_guard lock(mutex_);
    return state_;
}

void UpdateProcedure::ClearMessage() {
    std::lock_guard lock(mutex_);
    state_.message = {};
    state_.messagePending = false;
}

bool UpdateProcedure::Succeeded() const {
    std::lock_guard lock(mutex_);
    return finished_;
}

void UpdateProcedure::Run() {
    for (;;) {
        Step step;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) break;
            step = queue_.front();
            state_.currentStep = step;
        }
        RunStep(step);
        std::this_thread::yield();
    }
    std::lock_guard lock(mutex_);
    state_.workerRunning = false;
}

void UpdateProcedure::RunStep(Step step) {
    switch (step) {
        case Step::Initialise:
            return Initialise();
        case Step::CheckRomType:
            return CheckRomType();
        case Step::RestartIntoBootRom:
            return Restart(StepLabel::BootRom, true);
        case Step::WaitForBootRom:
            return WaitForRom(StepLabel::BootRom, true);
        case Step::Erase:
            return Erase();
        case Step::WaitForErase:
            return WaitForErase();
        case Step::WriteImage:
            return WriteImage();
        case Step::RestartIntoRunRom:
            return Restart(StepLabel::Reboot, false);
        case Step::WaitForRunRom:
            return WaitForRom(StepLabel::Reboot, false);
        case Step::Finished: {
            std::lock_guard lock(mutex_);
            finished_ = true;
            if (!queue_.empty()) queue_.pop_front();
            return;
        }
        case Step::Abort: {
            std::lock_guard lock(mutex_);
            queue_.clear();
            return;
        }
    }
}

// Step 0.  The image set is read here, before the drive is touched: a set that cannot be
// written whole is refused before anything is erased.
void UpdateProcedure::Initialise() {
    ImagePaths paths;
    {
        std::lock_guard lock(mutex_);
        state_.labels.fill(LabelState::Pending);
        paths = paths_;
    }
    ImageProblem problem;
    if (!BuildImagePlan(paths, plan_, problem)) {
        Fail(StepLabel::CheckType, LabelState::Pending, MessageId::ImageSetRefused, MessageKind::Error, 0,
             EnglishText(problem));
        std::lock_guard lock(mutex_);
        state_.message.image = std::move(problem);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        state_.recordTotal = plan_.writes.size();
    }
    RemoveSelf();
    Push({Step::CheckRomType});
}

// Step 1.
void UpdateProcedure::CheckRomType() {
    SetLabel(StepLabel::CheckType, LabelState::Running);
    uint8_t type = 0;
    const uint8_t result = link_.GetRomType(type);
    if (result != kResultSuccess) {
        Fail(StepLabel::CheckType, LabelState::Failed, MessageId::RomTypeFailed, MessageKind::Error, result);
        return;
    }
    RemoveSelf();
    SetLabel(StepLabel::CheckType, LabelState::Done);
    if (type != 0) {
        Push({Step::RestartIntoBootRom, Step::WaitForBootRom});
    } else {
        SetLabel(StepLabel::BootRom, LabelState::Skipped);
    }
    Push({Step::Erase, Step::WaitForErase, Step::WriteImage, Step::RestartIntoRunRom, Step::WaitForRunRom,
          Step::Finished});
}

// Steps 2 and 7.
void UpdateProcedure::Restart(StepLabel label, bool intoBootRom) {
    SetLabel(label, LabelState::Running);
    if (intoBootRom) {
        link_.RebootToBootRom();
    } else {
        link_.RebootToRunRom();
    }
    Pause(timings_.afterRestartPause);
    restartTime_ = Clock::now();
    answeredProbes_ = 0;
    lastTypeCheck_ = TypeCheck::None;
    lastTypeCheckCode_ = 0;
    RemoveSelf();
}

// Steps 3 and 8: one pass.  Three answered presence probes in a row, then the ROM type.
void UpdateProcedure::WaitForRom(StepLabel label, bool wantBootRom) {
    if (link_.PresenceProbe() == kResultSuccess) {
        if (answeredProbes_ < kProbesInARow) ++answeredProbes_;
    } else {
        answeredProbes_ = 0;
    }
    if (answeredProbes_ == kProbesInARow) {
        uint8_t type = 0;
        const uint8_t result = link_.GetRomType(type);
        if (result != kResultSuccess) {
            lastTypeCheck_ = TypeCheck::Failed;
            lastTypeCheckCode_ = result;
        } else {
            lastTypeCheck_ = type == 0 ? TypeCheck::BootRom : TypeCheck::RunRom;
            if ((type == 0) == wantBootRom) {
                SetLabel(label, LabelState::Done);
                RemoveSelf();
                return;
            }
        }
    }
    if (Clock::now() - restartTime_ < timings_.restartWait) return;

    if (wantBootRom) {
        if (lastTypeCheck_ == TypeCheck::Failed) {
            Fail(label, LabelState::Failed, MessageId::RomTypeFailed, MessageKind::Error, lastTypeCheckCode_);
        } else if (lastTypeCheck_ == TypeCheck::RunRom) {
            Fail(label, LabelState::Failed, MessageId::StillRunRom, MessageKind::Error);
        } else {
            Fail(label, LabelState::Failed, MessageId::NoResponse, MessageKind::Error);
        }
        return;
    }
    // The new firmware is written; what is left is for the user to power-cycle the drive.
    if (answeredProbes_ < kProbesInARow) {
        Fail(label, LabelState::Running, MessageId::PowerCycle, MessageKind::Notice);
    } else if (lastTypeCheck_ == TypeCheck::Failed) {
        Fail(label, LabelState::Failed, MessageId::RomTypeFailed, MessageKind::Error, lastTypeCheckCode_);
    } else {
        Fail(label, LabelState::Running, MessageId::StillBootRom, MessageKind::Notice);
    }
}

// Step 4.
void UpdateProcedure::Erase() {
    SetLabel(StepLabel::Erase, LabelState::Running);
    DriveIdentity identity;
    const std::string history = link_.GetSlaveInfo(identity) == kResultSuccess
                                    ? HistoryText(identity)
                                    : "Failed to read version info";
    HistoryWriter writer;
    {
        std::lock_guard lock(mutex_);
        writer = historyWriter_;
    }
    if (writer) writer(history);

    const uint8_t result = link_.EraseRom(timings_.eraseCommandTimeoutMs);
    if (result != kResultSuccess) {
        Fail(StepLabel::Erase, LabelState::Failed, MessageId::EraseFailed, MessageKind::Error, result);
        return;
    }
    Pause(timings_.afterErasePause);
    eraseTime_ = Clock::now();
    RemoveSelf();
}

// Step 5: one pass.
void UpdateProcedure::WaitForErase() {
    uint8_t state = 0;
    const uint8_t result = link_.GetEraseState(state);
    if (result == kResultSuccess && state == 1) {
        SetLabel(StepLabel::Erase, LabelState::Done);
        RemoveSelf();
        return;
    }
    if (Clock::now() - eraseTime_ < timings_.eraseWait) return;
    Fail(StepLabel::Erase, LabelState::Failed,
         result != kResultSuccess ? MessageId::EraseNoResponse : MessageId::EraseNotErased,
         MessageKind::Error);
}

// Step 6: every record of both pairs, in the order of the files.
void UpdateProcedure::WriteImage() {
    SetLabel(StepLabel::UpdateRom, LabelState::Running);
    {
        std::lock_guard lock(mutex_);
        state_.recordCount = 0;
    }
    for (const FlashWrite& write : plan_.writes) {
        if (StopRequested()) return;
        const uint8_t result = link_.WriteFlash(write.address, write.words.data(), write.words.size());
        if (result != kResultSuccess) {
            Fail(StepLabel::UpdateRom, LabelState::Failed, MessageId::WriteFailed, MessageKind::Error,
                 result);
            return;
        }
        std::lock_guard lock(mutex_);
        ++state_.recordCount;
    }
    SetLabel(StepLabel::UpdateRom, LabelState::Done);
    RemoveSelf();
}

void UpdateProcedure::SetLabel(StepLabel label, LabelState state) {
    std::lock_guard lock(mutex_);
    state_.labels[static_cast<std::size_t>(label)] = state;
}

void UpdateProcedure::RemoveSelf() {
    std::lock_guard lock(mutex_);
    if (!queue_.empty()) queue_.pop_front();
}

void UpdateProcedure::Push(std::initializer_list<Step> steps) {
    std::lock_guard lock(mutex_);
    if (StopRequested()) return;
    for (Step step : steps) queue_.push_back(step);
}

void UpdateProcedure::Fail(StepLabel label, LabelState labelState, MessageId id, MessageKind kind,
                           uint8_t code, std::string detail) {
    std::lock_guard lock(mutex_);
    state_.labels[static_cast<std::size_t>(label)] = labelState;
    state_.message = {id, kind, code, std::move(detail)};
    state_.messagePending = true;
    if (!stopRequested_) queue_.push_front(Step::Abort);
}

void UpdateProcedure::Pause(std::chrono::milliseconds duration) {
    if (duration.count() > 0) std::this_thread::sleep_for(duration);
}

}  // namespace tarsel::firmware
