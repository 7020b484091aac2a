#include "tools/firmloader/wizard/wizard_environment.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tarsel::firmware {

void DialogPrompt::Error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QObject::tr("Error"), text, QMessageBox::Ok);
}

bool DialogPrompt::AskRetry(QWidget* parent, const QString& text) {
    return QMessageBox::critical(parent, QObject::tr("Error"), text, QMessageBox::Retry | QMessageBox::Cancel,
                                 QMessageBox::Retry) == QMessageBox::Retry;
}

void DialogPrompt::Notice(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, QObject::tr("Notice"), text, QMessageBox::Ok);
}

QStringList ImageFileFilters() {
    // The dialog shows a filter as it is written and takes its patterns from the parentheses.
    return {QObject::tr("ROM Files") + QStringLiteral(" (*.i00 *.i01 *.i10 *.i11)"),
            QObject::tr("All Files") + QStringLiteral(" (*)")};
}

void ShowUnexpectedFailure(const WizardEnvironment& environment, QWidget* parent, const std::string& what) {
    if (!environment.prompt) return;
    environment.prompt->Error(
        parent,
        QCoreApplication::translate("ToolUi", tools::kUnexpectedFailure).arg(QString::fromStdString(what)));
}

QString DialogPrompt::ChooseImageFile(QWidget* parent, const QString& startPath) {
    QFileDialog dialog(parent, QString(), startPath);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(ImageFileFilters());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace tarsel::firmware
