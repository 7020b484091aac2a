#include "gui/plotvane/plotvane_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tarsel::plotvane {

namespace {

// A typed name without the suffix gets it; the dialog's own default suffix needs the non-native one.
std::optional<QString> Save(QWidget* parent, const QString& caption, const QString& proposed,
                            const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtPlotvaneDialogs::OpenCsv(QWidget* parent, const QString& folder) {
    const QString name = QFileDialog::getOpenFileName(
        parent, QCoreApplication::translate("Plotvane", "Open Recording"), folder,
        QCoreApplication::translate("Plotvane", "Recordings (*.csv);;All Files (*)"));
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPlotvaneDialogs::SaveCsv(QWidget* parent, const QString& proposed) {
    return Save(parent, QCoreApplication::translate("Plotvane", "Save Recording"), proposed,
                QCoreApplication::translate("Plotvane", "Recordings (*.csv)"), QStringLiteral("csv"));
}

std::optional<QString> QtPlotvaneDialogs::SavePng(QWidget* parent, const QString& proposed) {
    return Save(parent, QCoreApplication::translate("Plotvane", "Export Chart"), proposed,
                QCoreApplication::translate("Plotvane", "PNG Images (*.png)"), QStringLiteral("png"));
}

void QtPlotvaneDialogs::Error(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::warning(parent, caption, text);
}

}  // namespace tarsel::plotvane
