#include "tools/firmloader/wizard/view_final.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarsel::firmware {

CViewFinal::CViewFinal(QWidget* parent)
    : QWidget(parent), again_(new QPushButton(tr("Again"))), exit_(new QPushButton(tr("Exit"))) {
    auto* text =
        new QLabel(tr("Updating ROM is finished.\n\nIf you want to update another drive, press 'Again'.\n"));
    text->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(again_);
    buttons->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(again_, &QPushButton::clicked, this, &CViewFinal::Again);
    connect(exit_, &QPushButton::clicked, this, &CViewFinal::ExitRequested);
}

}  // namespace tarsel::firmware
