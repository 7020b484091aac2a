// "Inertia Ratio Estimation": moves the motor of a BLDC drive back and forth between two
// positions while the drive estimates the load inertia ratio, then shows the result; "Write ROM"
// keeps the drive's BLDC parameters.  Modeless, kept by the main frame.
//
// The inputs are the repeat settings kept in the board object, so a dialog opened again for the
// same drive shows the last ones.  The run goes on a worker thread (CInertiaWorker) that never
// outlives the dialog: closing stops it and waits at most 100 ms; a worker still inside a
// transaction then keeps the hidden dialog until it has ended.
#pragma once

#include <QBasicTimer>
#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>

#include "gui/dialogs/estimation_dialog.h"
#include "gui/model/board/CInertiaWorker.h"
#include "gui/views/position_status_rows.h"

class QCheckBox;
class QLineEdit;
class QTimer;

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::dialogs {

class CDlgInertiaEstimation : public CEstimationDialog {
    Q_OBJECT
public:
    enum Field { kPosition1, kPosition2, kMoveSpeed, kDelay, kRepeat, kFieldCount };
    static constexpr int kRedrawMs = 120;
    static constexpr std::chrono::milliseconds kCloseWait{100};

    explicit CDlgInertiaEstimation(app::IShell& shell, QWidget* parent = nullptr);
    ~CDlgInertiaEstimation() override;

    const CInertiaWorker& Worker() const { return worker_; }
    QLineEdit* Edit(Field field) const { return edits_[field]; }
    // True while a close waits for the worker to end.
    bool ClosePending() const { return closePending_; }
    // The redraw of the timer, callable from tests.
    void Tick();

protected:
    void Refresh() override;
    void LeaveDrive() override;
    bool MayChangeDrive() const override { return !worker_.Exists(); }
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Controls : uint8_t { Idle, Busy, Run, Closed };

    void Build();
    void FillEdits();
    void OnFieldEdited(Field field, const QString& text);
    void OnRunClicked(bool pressed);
    void StartRun();
    void StopRun(bool emergency);
    void OnMove(int index);
    void OnClearStatus();
    void WriteRom();
    void ShowStatus(bool all);
    void ShowRatio(bool readDrive);
    void ApplyControls(bool force);
    bool EndWorker(std::chrono::milliseconds bound);
    void CheckPendingClose();

    CInertiaWorker worker_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    QCheckBox* inPosition_ = nullptr;
    QLineEdit* ratio_ = nullptr;
    views::PositionStatusRows values_;
    QLineEdit* repeatCount_ = nullptr;
    QPushButton* movePos1_ = nullptr;
    QPushButton* movePos2_ = nullptr;
    QPushButton* clearStatus_ = nullptr;
    QPushButton* eStop_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* writeRom_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* closeTimer_ = nullptr;
    QBasicTimer timer_;

    bool updating_ = false;
    bool stopping_ = false;  // "RUN" was released: the run ends after this pass
    bool closePending_ = false;
    uint32_t shownCycles_ = 0;
    std::optional<double> shownRatio_;
    std::optional<Controls> shownControls_;
};

void RegisterInertiaDialog(app::ViewRegistry& registry);

}  // namespace tarsel::dialogs
