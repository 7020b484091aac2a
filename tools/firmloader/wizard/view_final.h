// Last page: the update is finished; update another drive or leave.
#pragma once

#include <QWidget>

class QPushButton;

namespace tarsel::firmware {

class CViewFinal : public QWidget {
    Q_OBJECT
public:
    explicit CViewFinal(QWidget* parent = nullptr);

    QPushButton* AgainButton() const { return again_; }
    QPushButton* ExitButton() const { return exit_; }

signals:
    void Again();
    void ExitRequested();

private:
    QPushButton* again_;
    QPushButton* exit_;
};

}  // namespace tarsel::firmware
