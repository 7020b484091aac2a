// "Monitoring": records up to four signals of a BLDC drive while it makes one relative move and
// shows the curves in the graph program.  Modeless, kept by the main frame: the sampling settings,
// the four channel lists, the move (its start speed and ramp times are the drive's parameters 1 to
// 3, written as they are edited), the slave selector and "Start Sampling", which runs the whole
// recording with a progress dialog (monitoring_run.h).
#pragma once

#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "gui/app/view.h"
#include "gui/dialogs/monitoring_run.h"

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tarsel {
class CBoardDorrinTevraBLDC;
}

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::widgets {
class CSlaveSelector;
}

namespace tarsel::dialogs {

class CDlgMonitoring : public app::CShellDialog {
    Q_OBJECT
public:
    explicit CDlgMonitoring(app::IShell& shell, QWidget* parent = nullptr);
    ~CDlgMonitoring() override;

    void OnMessage(const app::Message& message) override;

    // The start command, as the button runs it; false when no run was started.
    bool StartSampling();
    // The running recording, or none.
    CMonitoringRun* Run() const { return run_; }
    std::optional<MonitoringOutcome> LastOutcome() const { return lastOutcome_; }
    // Where the graph program is found and reached (tests give their own endpoint).
    void SetGraphLinkOptions(graphlink::CGraphPipeClient::Options options) {
        linkOptions_ = std::move(options);
    }
    // The drive shown, when one was taken.
    std::optional<uint8_t> ShownSlave() const;

protected:
    void OnDriveChanged() override;
    // "Cancel" and the window's close: a running recording is cancelled with the dialog.
    void reject() override;

private:
    void Build();
    void Refresh();
    void ShowSlave(uint8_t slave);
    void SetControlsEnabled(bool enabled);
    void UpdateStartButton();
    void UpdateSelector();
    std::shared_ptr<CBoardDorrinTevraBLDC> Bldc() const;
    std::array<int, 4> ListIndices() const;
    QLineEdit* AddEdit(QGridLayout* grid, int row, const QString& caption, const QString& unit,
                       const char* name);

    bool taken_ = false;  // a BLDC drive was taken
    bool guard_ = false;  // fields filled from the drive: nothing is written back
    uint16_t samplingMs_ = 1;
    uint16_t bufferSize_ = 0;
    int32_t distance_ = 10000;
    uint32_t moveSpeed_ = 100000;
    graphlink::CGraphPipeClient::Options linkOptions_;
    QPointer<CMonitoringRun> run_;
    std::optional<MonitoringOutcome> lastOutcome_;

    QLineEdit* samplingEdit_ = nullptr;
    QLineEdit* bufferEdit_ = nullptr;
    std::array<QComboBox*, 4> lists_{};
    QLineEdit* distanceEdit_ = nullptr;
    QLineEdit* startSpeedEdit_ = nullptr;
    QLineEdit* moveSpeedEdit_ = nullptr;
    QLineEdit* accelEdit_ = nullptr;
    QLineEdit* decelEdit_ = nullptr;
    widgets::CSlaveSelector* selector_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

void RegisterMonitoringDialog(app::ViewRegistry& registry);

}  // namespace tarsel::dialogs
