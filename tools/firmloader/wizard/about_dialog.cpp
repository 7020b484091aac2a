#include "tools/firmloader/wizard/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "tools/firmloader/wizard/wizard_texts.h"

namespace tarsel::firmware {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About firmloader"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(8);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(new QLabel(ApplicationStatusLine()));
    layout->addWidget(new QLabel(tr("Supported drives (firmware V06 or later):")));
    layout->addWidget(new QLabel(tr("  Tarsel Tevra servo drives: V06")));
    layout->addWidget(new QLabel(tr("  Tarsel Tevra stepper drives: V06")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(buttons);
}

}  // namespace tarsel::firmware
