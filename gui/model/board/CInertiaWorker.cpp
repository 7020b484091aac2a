#include "gui/model/board/CInertiaWorker.h"

#include "gui/model/board/CBoardDorrinTevraBLDC.h"

namespace tarsel {

bool CInertiaWorker::Start(std::shared_ptr<CBoardDorrinTevraBLDC> board) {
    if (board == nullptr || repeat_.Exists()) return false;
    stop_ = false;
    started_ = false;
    finished_ = false;
    succeeded_ = false;
    // The hooks run on the worker thread with the board the repeat worker holds, which is `board`.
    CRepeatWorker::Hooks hooks;
    hooks.before = [this](CBoardInterface& b) { return Begin(static_cast<CBoardDorrinTevraBLDC&>(b)); };
    hooks.after = [this](CBoardInterface& b) { PollTrigger(static_cast<CBoardDorrinTevraBLDC&>(b)); };
    return repeat_.Start(std::move(board), std::move(hooks));
}

bool CInertiaWorker::Begin(CBoardDorrinTevraBLDC& board) {
    const auto one = static_cast<int32_t>(board.BLDCDisplayToRaw(kCategory, kTrigger, 1.0));
    // The board skips a write of the value it has cached; a cache that already holds 1 (a run
    // that ended without the drive clearing the trigger) is read again first, so the trigger
    // really reaches the drive whenever the drive does not hold it.
    if (board.GetBLDCParameterValue(kCategory, kTrigger) == one) board.ReadBLDCParameter(kCategory, kTrigger);
    // Without the trigger the drive estimates nothing, and a trigger that still reads 0 would
    // look like a finished estimation: no moves, and the run fails.
    const bool ok = !stop_.load() && board.WriteBLDCParameter(kCategory, kTrigger, one);
    started_ = ok;
    return ok;
}

void CInertiaWorker::PollTrigger(CBoardDorrinTevraBLDC& board) {
    bool success = false;
    if (started_.load()) {
        for (int k = 0; k < kTriggerReads && !stop_.load() && !success; ++k) {
            // A failed read leaves the cache as it was: only an answer of the drive counts.
            success = board.ReadBLDCParameter(kCategory, kTrigger) &&
                      board.BLDCRawToDisplay(kCategory, kTrigger,
                                             board.GetBLDCParameterValue(kCategory, kTrigger)) == 0.0;
        }
    }
    succeeded_ = success;
    finished_ = true;
}

void CInertiaWorker::RequestStop() {
    stop_ = true;
    // A stop that comes before the sequence has started would be forgotten as it starts: the
    // count of 1 still ends it after one pass.
    repeat_.Settings().repeatCount = 1;
    repeat_.RequestStop();
}

std::optional<bool> CInertiaWorker::TakeOutcome() {
    if (!repeat_.Reap() || !finished_.exchange(false)) return std::nullopt;
    return succeeded_.load();
}

}  // namespace tarsel
