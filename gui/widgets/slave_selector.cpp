#include "gui/widgets/slave_selector.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace tarsel::widgets {

CSlaveSelector::CSlaveSelector(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("slaveSelector"));
    auto* caption = new QLabel(tr("Slave No."), this);
    caption->setObjectName(QStringLiteral("slaveCaption"));
    previous_ = new QToolButton(this);
    previous_->setObjectName(QStringLiteral("slavePrevious"));
    previous_->setArrowType(Qt::LeftArrow);
    previous_->setAccessibleName(tr("Previous slave"));
    number_ = new QLabel(this);
    number_->setObjectName(QStringLiteral("slaveNumber"));
    number_->setAlignment(Qt::AlignCenter);
    number_->setMinimumWidth(28);
    QFont bold = number_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    number_->setFont(bold);
    number_->setAccessibleName(tr("Slave No."));
    caption->setBuddy(number_);
    next_ = new QToolButton(this);
    next_->setObjectName(QStringLiteral("slaveNext"));
    next_->setArrowType(Qt::RightArrow);
    next_->setAccessibleName(tr("Next slave"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(caption);
    layout->addWidget(previous_);
    layout->addWidget(number_);
    layout->addWidget(next_);
    connect(previous_, &QToolButton::clicked, this, &CSlaveSelector::previousClicked);
    connect(next_, &QToolButton::clicked, this, &CSlaveSelector::nextClicked);
    SetState(0, false, false);
}

void CSlaveSelector::SetState(uint8_t slave, bool hasPrevious, bool hasNext) {
    slave_ = slave;
    const QString text = QString::number(slave);
    if (number_->text() != text) number_->setText(text);
    previous_->setEnabled(hasPrevious);
    next_->setEnabled(hasNext);
}

}  // namespace tarsel::widgets
