// The slave selector every drive window carries: the slave number in bold between a "previous"
// and a "next" button.  The buttons are enabled only when a drive exists in that direction; the
// owner decides which slave comes next (the registry knows) and sets the new state.
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;
class QToolButton;

namespace tarsel::widgets {

class CSlaveSelector : public QWidget {
    Q_OBJECT
public:
    explicit CSlaveSelector(QWidget* parent = nullptr);

    // Shows `slave`; the previous/next buttons follow whether such a neighbour exists.
    void SetState(uint8_t slave, bool hasPrevious, bool hasNext);
    uint8_t Slave() const { return slave_; }
    QToolButton* PreviousButton() const { return previous_; }
    QToolButton* NextButton() const { return next_; }
    QLabel* NumberLabel() const { return number_; }

signals:
    void previousClicked();
    void nextClicked();

private:
    QLabel* number_;
    QToolButton* previous_;
    QToolButton* next_;
    uint8_t slave_ = 0;
};

}  // namespace tarsel::widgets
