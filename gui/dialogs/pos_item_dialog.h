// "Position Table Item Editor": a modeless dialog that shows one item of a drive's position table,
// lets the user change its fields and writes it back.  "Begin", "End" and the up-down buttons ask
// the position table view (through the main frame) to follow another item, and the view loads
// that item back into the editor.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <array>
#include <cstdint>

#include "gui/dialogs/pos_item_fields.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tarsel::app {
class IShell;
}

namespace tarsel::dialogs {

class CDlgPosItem : public QDialog {
    Q_OBJECT
public:
    CDlgPosItem(app::IShell& shell, QWidget* parent = nullptr);

    // Shows item `item` of the drive (port, slave) from the board's cache.
    void ShowItem(uint8_t port, uint8_t slave, uint16_t item);
    uint16_t Item() const { return item_; }

    // "Save": checks the fields, writes the item; false when nothing was written.
    bool Save();

protected:
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Build();
    void OnCommandChosen(int index);
    void UpdateEnabling();
    void Validate(QLineEdit* edit);
    bool IsValid(QLineEdit* edit) const;
    void Follow(int item);
    void UpdateRunState();

    app::IShell& shell_;
    uint8_t port_ = 0, slave_ = 0;
    uint16_t item_ = 0;
    uint16_t count_ = 0;
    uint8_t type_ = 0;
    postable::PosItemFields shown_;
    bool filling_ = false;
    int runState_ = -1;
    QBasicTimer timer_;

    QGroupBox* itemGroup_;
    QComboBox* command_;
    QLineEdit* position_;
    QLineEdit* lowSpeed_;
    QLineEdit* highSpeed_;
    QLineEdit* accel_;
    QLineEdit* decel_;
    QCheckBox* continuous_;
    QCheckBox* inpos_;
    QLineEdit* waitTime_;
    QCheckBox* loopClearCheck_;
    QLineEdit* loopClear_;
    QLineEdit* jump_;
    std::array<QCheckBox*, 3> jptCheck_{};
    std::array<QLineEdit*, 3> jpt_{};
    QGroupBox* loopGroup_;
    QLineEdit* loopCount_;
    QLineEdit* loopJump_;
    QGroupBox* ptGroup_;
    QRadioButton* startSign_;
    QRadioButton* endSign_;
    std::array<QCheckBox*, 4> pt_{};
    QPushButton* save_;
    QPushButton* begin_;
    QToolButton* up_;
    QToolButton* down_;
    QPushButton* end_;
    QPushButton* close_;
};

}  // namespace tarsel::dialogs
