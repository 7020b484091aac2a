// The motion test view: single moves, jogging while a button is held, limit moves, origin search,
// stop and emergency stop, motor enable, alarm reset, brake and position clear for one axis, with
// the 32 axis status lamps, the alarm type and the four position values redrawn every 120 ms.
// One class serves every drive family; the family row (motion_family.h) sets what differs.
#pragma once

#include <QPixmap>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "gui/app/board_watch.h"
#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/views/motion_family.h"
#include "gui/views/position_status_rows.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarsel::views {

class CViewMotion : public app::CView {
    Q_OBJECT
public:
    // The edits of the form.
    enum Field {
        kCmdPos,
        kStartSpeed,
        kMoveSpeed,
        kAccelTime,
        kDecelTime,
        kJogSpeed,
        kJogAccDec,
        kOriginSearchSpeed,
        kOriginSpeed,
        kOriginAccDec,
        kFieldCount
    };

    // How often each kind of control was redrawn, so that tests can see a tick touch only what
    // changed.
    struct Redraws {
        int lamps = 0;
        int servoLamp = 0;
        int enableCaption = 0;
        int statusText = 0;
        int alarmText = 0;
        int positions = 0;
        int brakeCaption = 0;
        int buttons = 0;
    };

    CViewMotion(app::IShell& shell, const MotionFamily& family, QWidget* parent = nullptr);
    ~CViewMotion() override;

    void OnMessage(const app::Message& message) override;

    const MotionFamily& Family() const { return family_; }
    const Redraws& RedrawCounts() const { return redraws_; }
    int32_t KeptPosition() const { return position_; }
    int32_t KeptMoveSpeed() const { return moveSpeed_; }
    int32_t KeptJogSpeed() const { return jogSpeed_; }
    QLineEdit* Edit(Field field) const { return edits_[field]; }

protected:
    void OnDriveChanged() override;
    void OnRedraw() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    QWidget* BuildSingleMove();
    QWidget* BuildJogMove();
    QWidget* BuildOrigin();
    QWidget* BuildPositionStatus();
    QWidget* BuildAxisStatus();
    QWidget* BuildBottomRow();
    QLineEdit* AddField(QGridLayout* grid, int row, Field field, const QString& caption, const QString& unit);
    QPushButton* MakeButton(const QString& caption, const char* objectName);

    void Refresh();
    void FillFields();
    void FillField(Field field);
    void FillMethod();
    void ShowStatus(bool all);
    void ApplyButtons(MotionButtons state);
    void SetControlsEnabled(bool enabled);
    void CloseFrame();

    void OnFieldEdited(Field field, const QString& text);
    void OnMethodChosen(int index);
    // The parameter a field is bound to, or none (the kept position and move speed).
    std::optional<uint8_t> ParameterOf(Field field) const;

    void OnAbsMove();
    void OnIncMove(bool decrement);
    void OnJog(uint8_t direction, bool pressed);
    void OnLimit(uint8_t direction);
    void OnOrigin();
    void OnClearPosition();
    void OnEnable();
    void OnAlarmReset();
    void OnBrake();
    void OnStop(bool emergency);

    const MotionFamily& family_;
    std::array<QLineEdit*, kFieldCount> edits_{};
    QComboBox* method_ = nullptr;
    PositionStatusRows positions_;
    std::array<QLabel*, 32> lamps_{};
    QLineEdit* statusValue_ = nullptr;
    QLineEdit* alarmType_ = nullptr;
    QLabel* servoLamp_ = nullptr;
    QPushButton* absMove_ = nullptr;
    QPushButton* decMove_ = nullptr;
    QPushButton* incMove_ = nullptr;
    QPushButton* jogMinus_ = nullptr;
    QPushButton* jogPlus_ = nullptr;
    QPushButton* limitMinus_ = nullptr;
    QPushButton* limitPlus_ = nullptr;
    QPushButton* origin_ = nullptr;
    QPushButton* clearPosition_ = nullptr;
    QPushButton* enable_ = nullptr;
    QPushButton* alarmReset_ = nullptr;
    QPushButton* brake_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* eStop_ = nullptr;
    QPushButton* close_ = nullptr;
    QWidget* body_ = nullptr;  // every control but "Close"
    QPixmap lampOn_, lampOff_, servoOn_, servoOff_;

    // Kept by the view.
    int32_t position_ = 10000;
    int32_t moveSpeed_ = 100000;
    int32_t jogSpeed_ = 0;
    bool updating_ = false;
    app::BoardWatch watch_;  // the drive shown, watched while the window is open

    // Last shown, to redraw only what changed.
    uint32_t shownStatus_ = 0;
    uint8_t shownAlarm_ = 0;
    bool shownEnable_ = false;
    bool shownBrake_ = false;
    MotionButtons shownButtons_ = MotionButtons::Idle;
    bool shown_ = false;  // something was shown since the last refresh
    Redraws redraws_;
};

// Registers the six motion test views with the frame of the motion test.
void RegisterMotionViews(app::ViewRegistry& registry);

}  // namespace tarsel::views
