#include "gui/app/loading_sequence.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include "gui/app/board_access.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/widgets/progress_dialog.h"

namespace tarsel::app {

namespace {

// The state of one part of a drive's data as the polling thread leaves it.
struct PartState {
    bool loaded = false;
    bool requested = false;
    int done = 0;
    int total = 0;
};

PartState StateOf(CBoardInterface& board, int part) {
    PartState s;
    const uint32_t bit = 1u << part;
    const LoadOutcome outcome = board.GetLoadOutcome();
    s.requested = !outcome.Ended(bit);
    s.loaded = outcome.Loaded(bit);
    switch (part) {
        case 0:
            s.done = static_cast<int>(board.paramReadCount.load());
            s.total = board.GetParameterCount();
            break;
        case 1: {
            s.done = static_cast<int>(board.ioReadCount.load());
            const CIOInfo io = board.GetIOInfo();
            s.total = io.input.PinCount() + io.output.PinCount();
            break;
        }
        case 2: {
            const int items = board.GetPosTableItemCount();
            const int read = static_cast<int>(board.posTableReadCount.load());
            s.done = items > 0 ? read * 100 / items : 0;
            s.total = 100;
            break;
        }
        default:
            if (auto* bldc = dynamic_cast<CBoardDorrinTevraBLDC*>(&board)) {
                s.done = static_cast<int>(bldc->bldcReadCount.load());
                s.total = static_cast<int>(bldc->GetBLDCTotalParamCount());
            } else {
                s.loaded = true;  // only BLDC drives have this part
            }
            break;
    }
    return s;
}

const char* PartText(int part) {
    switch (part) {
        case 0:
            return QT_TRANSLATE_NOOP("Loading", "Reading Parameters");
        case 1:
            return QT_TRANSLATE_NOOP("Loading", "Reading I/O Mapping");
        case 2:
            return QT_TRANSLATE_NOOP("Loading", "Loading Position Table Data");
        default:
            return QT_TRANSLATE_NOOP("Loading", "Reading BLDC Parameters");
    }
}

}  // namespace

CLoadingSequence::CLoadingSequence(IShell& shell, QWidget* dialogParent)
    : shell_(shell), parent_(dialogParent) {}

CLoadingSequence::~CLoadingSequence() {
    delete dialog_;
}

void CLoadingSequence::Start(uint8_t port, uint8_t slave, uint32_t bits, LoadDone done) {
    queue_.push_back({port, slave, bits, std::move(done)});
    if (!running_) Next();
}

void CLoadingSequence::Next() {
    while (!queue_.empty()) {
        current_ = std::move(queue_.front());
        queue_.pop_front();
        if ((current_.bits & 0xF) == 0 ||
            LookupBoard(shell_.Master(), current_.port, current_.slave) == nullptr) {
            if (current_.done) current_.done(false);
            continue;
        }
        running_ = true;
        allLoaded_ = true;
        part_ = -1;
        if (dialog_ == nullptr) {
            dialog_ = new widgets::CProgressDlg(parent_.data());
            dialog_->setWindowModality(Qt::ApplicationModal);
        }
        dialog_->setWindowTitle(QCoreApplication::translate("Loading", "Loading..."));
        dialog_->show();
        BeginPart();
        return;
    }
    running_ = false;
}

void CLoadingSequence::BeginPart() {
    do {
        ++part_;
    } while (part_ < 4 && (current_.bits & (1u << part_)) == 0);
    if (part_ >= 4) {
        Finish();
        return;
    }
    BoardRef board = LookupBoard(shell_.Master(), current_.port, current_.slave);
    if (board == nullptr) {
        allLoaded_ = false;
        Finish();
        return;
    }
    if (part_ == 3 && dynamic_cast<CBoardDorrinTevraBLDC*>(board.get()) == nullptr) {
        BeginPart();  // no BLDC parameters to wait for
        return;
    }
    const PartState state = StateOf(*board, part_);
    dialog_->SetStatus(QCoreApplication::translate("Loading", PartText(part_)));
    dialog_->SetRange(0, state.total);
    Check();
    if (running_ && part_ < 4 && !timer_.isActive()) timer_.start(kCheckMs, this);
}

void CLoadingSequence::Check() {
    BoardRef board = LookupBoard(shell_.Master(), current_.port, current_.slave);
    if (board == nullptr || dialog_->Cancelled()) {
        allLoaded_ = false;
        Finish();
        return;
    }
    const PartState state = StateOf(*board, part_);
    dialog_->SetPos(state.loaded ? state.total : state.done);
    if (state.loaded) {
        BeginPart();
    } else if (!state.requested) {
        // The polling thread served the request but got no data: stop waiting for this part.
        allLoaded_ = false;
        BeginPart();
    }
}

void CLoadingSequence::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) return QObject::timerEvent(event);
    if (running_) Check();
}

void CLoadingSequence::Finish() {
    timer_.stop();
    const Request request = std::move(current_);
    current_ = {};
    if (request.bits & kLoadIoMap)
        shell_.Post(Message::Drive(MsgKind::IoAssignChanged, request.port, request.slave, -1));
    shell_.Post(Message::Drive(MsgKind::DataReloaded, request.port, request.slave));
    if (dialog_ != nullptr) {
        dialog_->hide();
        dialog_->deleteLater();
        dialog_ = nullptr;
    }
    running_ = false;
    part_ = 4;
    if (request.done) request.done(allLoaded_);
    if (!running_) Next();
}

}  // namespace tarsel::app
