// The dialog service with Qt's message boxes and file dialogs, and the adapter through which the
// board objects' failure reports become boxes of this service.
#pragma once

#include <QPointer>
#include <QWidget>

#include "gui/app/dialog_service.h"
#include "gui/model/board/failure_reporter.h"

namespace tarsel::app {

class QtDialogService : public IDialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    BoxAnswer Box(const BoxRequest& request) override;
    std::optional<QString> OpenFile(const FileRequest& request) override;
    std::optional<QString> SaveFile(const FileRequest& request) override;

private:
    QPointer<QWidget> parent_;
};

// The board layer's failure report through the dialog service.  Reports from a thread other than
// the GUI thread (a repeat run's worker) are shown on the GUI thread while the worker waits.
class FailureReporterAdapter : public IFailureReporter {
public:
    explicit FailureReporterAdapter(IDialogService& dialogs) : dialogs_(dialogs) {}
    tarsel::BoxAnswer Show(const FailureBox& box) override;

private:
    IDialogService& dialogs_;
};

}  // namespace tarsel::app
