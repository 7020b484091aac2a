// "Teaching Dialog": moves one drive by hand (absolute and relative moves, jog while a button is
// held), shows its live position and stores the command position into the position of an
// absolute-position item of its position table.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarsel::app {
class IShell;
}

namespace tarsel::dialogs {

class CDlgTeaching : public QDialog {
    Q_OBJECT
public:
    CDlgTeaching(app::IShell& shell, uint8_t port, uint8_t slave, uint16_t startItem,
                 QWidget* parent = nullptr);

    uint16_t Item() const { return item_; }
    int32_t CommandPosition() const { return cmdPos_; }
    uint32_t MoveSpeed() const { return speed_; }

    // The commands, callable from tests as from the buttons.
    void AbsMove();
    void IncMove(bool decrement);
    void Stop();
    void JogPressed(uint8_t direction);
    void JogReleased();
    void EnableClicked();
    void AlarmReset();
    bool PositionSave();
    void Begin();
    void End();
    void Step(int direction);  // -1 the previous absolute item, +1 the next
    // Redraws from the drive's cache as the timer does.
    void Tick();

protected:
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void Refresh();
    void ItemEdited();
    bool IsAbsoluteItem(uint16_t item) const;
    std::optional<uint16_t> FindAbsolute(int from, int direction) const;

    app::IShell& shell_;
    const uint8_t port_, slave_;
    uint16_t item_;
    int32_t cmdPos_ = 10000;
    uint32_t speed_ = 100000;
    bool guard_ = false;
    std::optional<uint32_t> lastAxis_;
    std::optional<bool> motorOn_;
    std::array<std::optional<int32_t>, 4> lastPositions_;
    int runState_ = -1;
    QBasicTimer timer_;

    QLineEdit* cmdPosEdit_;
    QLineEdit* speedEdit_;
    QPushButton* absMove_;
    QPushButton* decMove_;
    QPushButton* incMove_;
    QPushButton* jogMinus_;
    QPushButton* jogPlus_;
    QLabel* indicator_;
    QPushButton* enable_;
    QPushButton* alarmReset_;
    QPushButton* stop_;
    QPushButton* positionSave_;
    QLineEdit* itemEdit_;
    QPushButton* begin_;
    QToolButton* down_;
    QToolButton* up_;
    QPushButton* end_;
    QPushButton* close_;
    std::array<QLineEdit*, 4> status_{};
};

}  // namespace tarsel::dialogs
