// Third page: runs the update procedure and shows its steps, its progress and its messages.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "tools/firmloader/core/update_procedure.h"
#include "tools/firmloader/wizard/firmloader_document.h"
#include "tools/firmloader/wizard/wizard_environment.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarsel::firmware {

class CViewUpdateROM : public QWidget {
    Q_OBJECT
public:
    CViewUpdateROM(FirmloaderDocument& document, const WizardEnvironment& environment,
                   QWidget* parent = nullptr);
    ~CViewUpdateROM() override;

    // Starts the procedure (the page was shown).
    void OnOpen();
    // Empties the queue and waits for the worker.
    void StopProcedure();
    bool IsRunning() const;

    QLabel* StepLabelWidget(StepLabel label) const { return labels_[static_cast<std::size_t>(label)]; }
    QProgressBar* ProgressBar() const { return progress_; }
    QPushButton* PrevButton() const { return prevButton_; }
    QPushButton* NextButton() const { return nextButton_; }
    QLabel* WarningText() const { return warning_; }
    ProcedureSnapshot Snapshot() const;

signals:
    void Prev();
    void Finished();
    void ExitRequested();

private:
    void Start();
    void OnTimer();
    void ShowMessage();
    void OnNext();

    FirmloaderDocument& document_;
    const WizardEnvironment& environment_;
    std::unique_ptr<BootLink> link_;
    std::unique_ptr<UpdateProcedure> procedure_;
    QTimer timer_;
    bool blinkOn_ = true;
    std::array<LabelState, kStepLabelCount> shownStates_{};
    std::array<QLabel*, kStepLabelCount> labels_{};
    QProgressBar* progress_;
    QLabel* warning_;
    QPushButton* prevButton_;
    QPushButton* nextButton_;
    bool exitMode_ = false;
};

}  // namespace tarsel::firmware
