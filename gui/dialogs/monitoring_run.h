// One monitoring run: the graph program is started and told the series, the drive samples while
// it makes its relative move, and the samples go to the graph program.  The steps that wait for
// the graph program or talk to the drive run on a worker thread, so the GUI thread keeps its event
// loop; a progress dialog shows where the run stands and its Cancel is honoured between steps.
// The link to the graph program lives on that thread and is closed at every end of the run.
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <thread>

#include "gui/dialogs/monitoring_plan.h"
#include "gui/graphlink/CGraphPipeClient.h"
#include "gui/widgets/progress_dialog.h"

namespace tarsel {
class CBoardDorrinTevraBLDC;
}

namespace tarsel::dialogs {

// Where a run stands; each stage has its status text.
enum class MonitoringStage : int {
    StartingGraph,     // "Execute Graph Application..."
    ConfiguringGraph,  // "Config Graph Application..."
    ConfiguringDrive,  // "Config Monitoring..."
    NotReady,          // drive status 0
    SamplingStarted,   // drive status 1
    Gathering,         // drive status 2
    Reading,           // "Reading Sampling data..."
};

enum class MonitoringOutcome : int {
    Done,          // every sample read (or the reading stopped early) and the end sent
    Cancelled,     // the user cancelled
    LinkFailed,    // the graph program did not come up or stopped taking data
    DriveFailed,   // configuring or starting the sampling, or the move, failed
    StatusFailed,  // the drive's monitoring status could not be read
};

class CMonitoringRun : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(MonitoringOutcome outcome)>;
    static constexpr int kCheckMs = 30;
    static constexpr int kOpenRetryMs = 100;
    static constexpr int kJoinWaitMs = 2000;

    // Starts at once with a progress dialog over `owner`.  `done` runs on the GUI thread after the
    // worker ended, unless the run was destroyed first.
    CMonitoringRun(QWidget* owner, std::shared_ptr<CBoardDorrinTevraBLDC> board, monitoring::Plan plan,
                   graphlink::CGraphPipeClient::Options link, Done done);
    // Cancels and waits a bounded time for the worker; a worker still busy then (a drive error box
    // waiting for its answer) is left to finish alone with what it owns.
    ~CMonitoringRun() override;

    void Cancel();
    bool Running() const;

    struct State;  // shared with the worker
    widgets::CProgressDlg* Dialog() const { return dialog_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void ShowState();

    std::shared_ptr<State> state_;
    std::thread worker_;
    Done done_;
    QBasicTimer timer_;
    QPointer<widgets::CProgressDlg> dialog_;
    int shownStage_ = -1;
};

}  // namespace tarsel::dialogs
