// A modeless progress dialog: a status line, a percentage text, a bar with a range and a position,
// and a Cancel button.  It never blocks: the caller keeps the event loop running and moves the
// bar as the work proceeds.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarsel::widgets {

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    void SetStatus(const QString& text);
    void SetRange(int low, int high);
    void SetPos(int position);
    void SetStep(int step) { step_ = step; }
    void StepIt() { SetPos(position_ + step_); }

    int Position() const { return position_; }
    QString Status() const;
    QString PercentText() const;
    bool Cancelled() const { return cancelled_; }

signals:
    void cancelRequested();

protected:
    void reject() override;

private:
    void ShowPercent();

    QLabel* status_;
    QLabel* percent_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    int low_ = 0, high_ = 100, position_ = 0, step_ = 1;
    bool cancelled_ = false;
};

}  // namespace tarsel::widgets
