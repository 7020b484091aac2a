#include "gui/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/toolbar_icons.h"
#include "gui/app/version.h"

namespace tarsel::app {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(tr("About Tarsel Tevra GUI"));
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(NamedIcon("tarselv8").pixmap(32, 32));
    auto* version =
        new QLabel(tr("Tevra GUI Version : %1 (rev.%2)")
                       .arg(QStringLiteral(TARSEL_PRODUCT_VERSION), QStringLiteral(TARSEL_REVISION)),
                   this);
    version->setObjectName(QStringLiteral("versionLine"));
    auto* supported = new QLabel(tr("Supported firmware version :"), this);
    supported->setObjectName(QStringLiteral("supportedCaption"));

    auto* rows = new QGridLayout;
    const char* const names[] = {QT_TR_NOOP("1) Dorrin Tevra-ST"), QT_TR_NOOP("2) Pellin Tevra-ST"),
                                 QT_TR_NOOP("3) Dorrin Tevra-ABS"), QT_TR_NOOP("4) Ravelo")};
    for (int i = 0; i < 4; ++i) {
        auto* name = new QLabel(tr(names[i]), this);
        name->setObjectName(QStringLiteral("firmwareName%1").arg(i + 1));
        auto* from = new QLabel(QStringLiteral(": V08 ~"), this);
        from->setObjectName(QStringLiteral("firmwareVersion%1").arg(i + 1));
        rows->addWidget(name, i, 0);
        rows->addWidget(from, i, 1);
    }
    rows->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(supported);
    text->addLayout(rows);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace tarsel::app
