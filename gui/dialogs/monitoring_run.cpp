#include "gui/dialogs/monitoring_run.h"

#include <QTimerEvent>
#include <QWidget>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <span>

#include "gui/graphlink/graph_messages.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/widgets/progress_dialog.h"

namespace tarsel::dialogs {

using graphlink::CGraphPipeClient;

struct CMonitoringRun::State {
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::atomic<int> stage{static_cast<int>(MonitoringStage::StartingGraph)};
    std::atomic<int> high{0};
    std::atomic<int> position{0};
    std::atomic<int> outcome{static_cast<int>(MonitoringOutcome::Done)};
    std::mutex mutex;
    std::condition_variable wake;

    void Stage(MonitoringStage s) { stage = static_cast<int>(s); }
    bool Cancelled() const { return cancel.load(); }
    void RequestCancel() {
        {
            std::lock_guard lock(mutex);
            cancel = true;
        }
        wake.notify_all();
    }
    // Waits `ms` unless cancelled meanwhile; true when cancelled.
    bool WaitCancelled(int ms) {
        std::unique_lock lock(mutex);
        return wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancel.load(); });
    }
};

namespace {

using monitoring::Plan;

// The steps of the run, on the worker thread.  Every return ends the run; the caller closes the
// link.
MonitoringOutcome RunSteps(CBoardDorrinTevraBLDC& board, CGraphPipeClient& link, const Plan& plan,
                           CMonitoringRun::State& state) {
    state.Stage(MonitoringStage::StartingGraph);
    if (!link.StartGraphApplication([&state] { return !state.Cancelled(); }))
        return state.Cancelled() ? MonitoringOutcome::Cancelled : MonitoringOutcome::LinkFailed;
    while (!link.Open()) {
        if (state.WaitCancelled(CMonitoringRun::kOpenRetryMs)) return MonitoringOutcome::Cancelled;
    }

    state.Stage(MonitoringStage::ConfiguringGraph);
    bool sent = link.Send(graphlink::EncodeReset());
    for (std::size_t k = 0; sent && k < plan.chosen.size() && k < monitoring::kSeriesColours.size(); ++k)
        sent = link.Send(
            graphlink::EncodeSeries(monitoring::SeriesName(*plan.chosen[k]), monitoring::kSeriesColours[k]));
    sent = sent && link.Send(graphlink::EncodeAxis("[sample]"));
    // A graph program that stops taking data ends the run before the drive moves.
    if (!sent) return MonitoringOutcome::LinkFailed;
    if (state.Cancelled()) return MonitoringOutcome::Cancelled;

    state.Stage(MonitoringStage::ConfiguringDrive);
    if (!board.MonitoringSetConfig(monitoring::ConfigOf(plan)) || !board.MonitoringStart())
        return MonitoringOutcome::DriveFailed;
    if (!board.MoveSingleAxisIncPos(plan.distance, plan.moveSpeed, false)) {
        // Without the move the drive would wait for it with its sampling armed.
        board.MonitoringCancel();
        return MonitoringOutcome::DriveFailed;
    }
    if (state.Cancelled()) return MonitoringOutcome::Cancelled;

    // Each status request is one transaction on the line, which paces this loop.
    for (;;) {
        uint8_t status = 0;
        if (!board.MonitoringGetStatus(status)) return MonitoringOutcome::StatusFailed;
        if (status == 3) break;
        if (status <= 2)
            state.Stage(static_cast<MonitoringStage>(static_cast<int>(MonitoringStage::NotReady) + status));
        if (state.Cancelled()) return MonitoringOutcome::Cancelled;
    }

    state.position = 0;
    state.high = plan.bufferSize;
    state.Stage(MonitoringStage::Reading);
    const std::size_t count = std::min<std::size_t>(plan.chosen.size(), 4);
    bool linkOk = true;
    for (uint32_t index = 0; index < plan.bufferSize; ++index) {
        state.position = static_cast<int>(index) + 1;
        if (state.Cancelled()) break;
        std::array<int16_t, 4> raw{};
        if (!board.MonitoringGetData(index, raw)) break;
        std::array<int32_t, 4> values{};
        for (std::size_t k = 0; k < values.size(); ++k) values[k] = raw[k];  // with the sign
        if (!link.Send(graphlink::EncodeData(index, std::span<const int32_t>(values.data(), count)))) {
            linkOk = false;
            break;
        }
    }
    board.MonitoringCancel();
    if (linkOk) link.Send(graphlink::EncodeEnd());
    if (!linkOk) return MonitoringOutcome::LinkFailed;
    return state.Cancelled() ? MonitoringOutcome::Cancelled : MonitoringOutcome::Done;
}

}  // namespace

CMonitoringRun::CMonitoringRun(QWidget* owner, std::shared_ptr<CBoardDorrinTevraBLDC> board,
                               monitoring::Plan plan, CGraphPipeClient::Options link, Done done)
    : QObject(owner), state_(std::make_shared<State>()), done_(std::move(done)) {
    dialog_ = new widgets::CProgressDlg(owner);
    dialog_->setObjectName(QStringLiteral("progressMonitoring"));
    dialog_->setWindowTitle(tr("Monitoring"));
    dialog_->SetRange(0, 100);
    connect(dialog_, &widgets::CProgressDlg::cancelRequested, this, &CMonitoringRun::Cancel);
    ShowState();
    dialog_->show();
    worker_ = std::thread([state = state_, board = std::move(board), plan = std::move(plan),
                           options = std::move(link)]() mutable {
        MonitoringOutcome outcome = MonitoringOutcome::DriveFailed;
        {
            // The link's sockets belong to this thread: made, used and closed here.
            CGraphPipeClient client(std::move(options));
            if (board) outcome = RunSteps(*board, client, plan, *state);
            client.Close();
        }
        state->outcome = static_cast<int>(outcome);
        state->finished = true;
    });
    timer_.start(kCheckMs, this);
}

CMonitoringRun::~CMonitoringRun() {
    timer_.stop();
    state_->RequestCancel();
    if (dialog_) delete dialog_.data();
    if (!worker_.joinable()) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kJoinWaitMs);
    while (!state_->finished && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (state_->finished) {
        worker_.join();
    } else {
        worker_.detach();  // it owns the board reference, the link and the state it uses
    }
}

void CMonitoringRun::Cancel() {
    state_->RequestCancel();
}

bool CMonitoringRun::Running() const {
    return !state_->finished;
}

void CMonitoringRun::ShowState() {
    if (!dialog_) return;
    const int stage = state_->stage;
    if (stage != shownStage_) {
        shownStage_ = stage;
        switch (static_cast<MonitoringStage>(stage)) {
            case MonitoringStage::StartingGraph:
                dialog_->SetStatus(tr("Execute Graph Application..."));
                break;
            case MonitoringStage::ConfiguringGraph:
                dialog_->SetStatus(tr("Config Graph Application..."));
                break;
            case MonitoringStage::ConfiguringDrive:
                dialog_->SetStatus(tr("Config Monitoring..."));
                break;
            case MonitoringStage::NotReady:
                dialog_->SetStatus(tr("Monitoring is NOT ready."));
                break;
            case MonitoringStage::SamplingStarted:
                dialog_->SetStatus(tr("Start Sampling..."));
                break;
            case MonitoringStage::Gathering:
                dialog_->SetStatus(tr("Data Gathering..."));
                break;
            case MonitoringStage::Reading:
                dialog_->SetStatus(tr("Reading Sampling data..."));
                break;
        }
    }
    if (static_cast<MonitoringStage>(stage) == MonitoringStage::Reading) {
        dialog_->SetRange(0, state_->high);
        dialog_->SetPos(state_->position);
    } else {
        dialog_->SetPos(0);
    }
}

void CMonitoringRun::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    ShowState();
    if (!state_->finished) return;
    timer_.stop();
    worker_.join();
    if (dialog_) {
        dialog_->close();
        dialog_->deleteLater();
    }
    const auto outcome = static_cast<MonitoringOutcome>(state_->outcome.load());
    Done done = std::move(done_);
    if (done) done(outcome);
}

}  // namespace tarsel::dialogs
