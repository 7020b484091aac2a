// The repeat test view: moves one axis back and forth between two or three absolute positions for
// a number of cycles (or until stopped) on a worker thread, and shows the positions, the elapsed
// time and the cycle count.  Several may be open at once, one per drive chosen.  The settings are
// kept in the drive's board object, so a new window for the same drive starts with the last ones.
//
// The worker never outlives the window: "Close" stops the run and waits at most 100 ms for it; a
// worker still busy then (a transaction that must time out, a failure box it waits for) keeps the
// window open until it has ended, and the window closes itself right after.
#pragma once

#include <QPointer>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "gui/app/board_watch.h"
#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CRepeatWorker.h"
#include "gui/views/position_status_rows.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tarsel::views {

class CViewRepeat : public app::CView {
    Q_OBJECT
public:
    enum Field { kPosition1, kPosition2, kPosition3, kMoveSpeed, kDelay, kRepeat, kFieldCount };
    static constexpr std::chrono::milliseconds kCloseWait{100};

    CViewRepeat(app::IShell& shell, QWidget* parent = nullptr);
    ~CViewRepeat() override;

    void OnMessage(const app::Message& message) override;

    const CRepeatWorker& Worker() const { return worker_; }
    QLineEdit* Edit(Field field) const { return edits_[field]; }
    // True while a close waits for the worker to end.
    bool ClosePending() const { return closePending_; }

protected:
    void OnDriveChanged() override;
    void OnRedraw() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Buttons : uint8_t { Idle, Busy, Run };

    void BuildForm();
    QWidget* BuildPositionData();
    QWidget* BuildRepeatData();
    QWidget* BuildStatus();
    QWidget* BuildBottomRow();
    QPushButton* MakeButton(const QString& caption, const char* objectName, QWidget* parent);

    void Refresh();
    void FillEdits();
    void ShowValues(bool all);
    void ApplyButtons();
    bool IsStepper() const;

    void OnFieldEdited(Field field, const QString& text);
    void OnThirdToggled(bool on);
    void OnInPositionToggled(bool on);
    void OnRepeatClicked(bool pressed);
    void StartRun();
    // Stops the axis (and with it the sequence); true for the emergency stop.
    void StopRun(bool emergency);
    void OnMove(int index);
    void OnClearStatus();
    // Ends the worker within `bound`, answering what it waits for on this thread meanwhile.
    bool EndWorker(std::chrono::milliseconds bound);
    void CloseFrame();
    void CheckPendingClose();

    CRepeatWorker worker_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    QCheckBox* third_ = nullptr;
    QCheckBox* inPosition_ = nullptr;
    PositionStatusRows values_;
    std::array<QWidget*, 3> actualPosRow_{};
    std::array<QWidget*, 3> posErrorRow_{};
    QLineEdit* cycleTime_ = nullptr;
    QLineEdit* repeatCount_ = nullptr;
    std::array<QPushButton*, 3> movePos_{};
    QPushButton* clearStatus_ = nullptr;
    QPushButton* eStop_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* repeat_ = nullptr;
    QPushButton* close_ = nullptr;
    QWidget* body_ = nullptr;
    QTimer* closeTimer_ = nullptr;

    uint8_t boardType_ = 0;
    bool updating_ = false;
    bool stopping_ = false;  // "Repeat" was released: the run ends after this cycle
    bool closePending_ = false;
    app::BoardWatch watch_;  // the drive shown, watched while the window is open

    uint32_t shownCycles_ = 0;
    std::optional<Buttons> shownButtons_;
    bool shown_ = false;
};

void RegisterRepeatView(app::ViewRegistry& registry);

}  // namespace tarsel::views
