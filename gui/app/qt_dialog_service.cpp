#include "gui/app/qt_dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

namespace tarsel::app {

namespace {

QMessageBox::Icon ToQt(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Exclamation:
            return QMessageBox::Warning;
        case BoxIcon::Error:
            return QMessageBox::Critical;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case BoxButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case BoxButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case BoxButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case BoxButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

BoxAnswer FromQt(int button, BoxButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return BoxAnswer::Ok;
        case QMessageBox::Yes:
            return BoxAnswer::Yes;
        case QMessageBox::No:
            return BoxAnswer::No;
        case QMessageBox::Retry:
            return BoxAnswer::Retry;
        default:
            break;
    }
    if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
    if (buttons == BoxButtons::YesNo) return BoxAnswer::No;
    return BoxAnswer::Cancel;
}

}  // namespace

BoxAnswer QtDialogService::Box(const BoxRequest& request) {
    QMessageBox box(ToQt(request.icon), request.caption, request.text, ToQt(request.buttons), parent_.data());
    box.setObjectName(QStringLiteral("messageBox"));
    return FromQt(box.exec(), request.buttons);
}

std::optional<QString> QtDialogService::OpenFile(const FileRequest& request) {
    const QString path =
        QFileDialog::getOpenFileName(parent_.data(), request.caption, request.directory, request.filter);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogService::SaveFile(const FileRequest& request) {
    QFileDialog dialog(parent_.data(), request.caption, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!request.suffix.isEmpty()) dialog.setDefaultSuffix(request.suffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

tarsel::BoxAnswer FailureReporterAdapter::Show(const FailureBox& box) {
    const BoxRequest request{QString::fromStdString(box.title), QString::fromStdString(box.text),
                             box.retryCancel ? BoxButtons::RetryCancel : BoxButtons::Ok,
                             BoxIcon::Exclamation};
    auto ask = [&] { return dialogs_.Box(request); };
    BoxAnswer answer = BoxAnswer::Cancel;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() == app->thread()) {
        answer = ask();
    } else {
        QMetaObject::invokeMethod(
            app, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
    }
    switch (answer) {
        case BoxAnswer::Retry:
            return tarsel::BoxAnswer::Retry;
        case BoxAnswer::Ok:
            return box.retryCancel ? tarsel::BoxAnswer::Cancel : tarsel::BoxAnswer::Ok;
        default:
            return tarsel::BoxAnswer::Cancel;
    }
}

}  // namespace tarsel::app
