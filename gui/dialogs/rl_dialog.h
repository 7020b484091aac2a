// "Overall R&L Estimation": lets a BLDC drive measure its motor's winding resistance R and
// inductance L.  The drive measures with the servo off; the dialog switches it off on request,
// starts the measurement with the trigger parameter and reads the trigger every 300 ms until the
// drive has cleared it, counting the seconds in the button meanwhile.  Modeless, kept by the
// main frame.
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <cstdint>

#include "gui/dialogs/estimation_dialog.h"

class QLineEdit;
class QTimer;

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::dialogs {

class CDlgRLEstimation : public CEstimationDialog {
    Q_OBJECT
public:
    // The drive's R and L estimation: the results and the trigger (written 1.0, reads 0 when done).
    static constexpr uint8_t kCategory = 2;
    static constexpr uint32_t kResultR = 10;
    static constexpr uint32_t kResultL = 11;
    static constexpr uint32_t kTrigger = 18;
    static constexpr int kPollMs = 300;
    static constexpr int kServoOffWaitMs = 500;

    explicit CDlgRLEstimation(app::IShell& shell, QWidget* parent = nullptr);
    ~CDlgRLEstimation() override;

    // "Estimate", callable from tests as from the button.
    void Estimate();
    // True from "Estimate" until the drive has cleared the trigger (or the run was abandoned).
    bool Estimating() const { return estimating_; }
    // The trigger read of the timer, callable from tests.
    void Tick();

protected:
    void Refresh() override;
    void LeaveDrive() override;
    bool MayChangeDrive() const override { return !estimating_; }
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Start();
    void EndRun();
    void ShowResults();

    QLineEdit* r_ = nullptr;
    QLineEdit* l_ = nullptr;
    QPushButton* estimate_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* servoOffWait_ = nullptr;
    QBasicTimer timer_;
    QElapsedTimer started_;
    bool estimating_ = false;
};

void RegisterRLDialog(app::ViewRegistry& registry);

}  // namespace tarsel::dialogs
