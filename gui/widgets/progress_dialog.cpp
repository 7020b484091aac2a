#include "gui/widgets/progress_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tarsel::widgets {

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("progressDialog"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("progressStatus"));
    status_->setMinimumWidth(260);
    percent_ = new QLabel(this);
    percent_->setObjectName(QStringLiteral("progressPercent"));
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("progressBar"));
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Progress"));
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("progressCancel"));
    connect(cancel_, &QPushButton::clicked, this, &CProgressDlg::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(status_, 1);
    top->addWidget(percent_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(bar_);
    layout->addLayout(bottom);
    SetRange(0, 100);
}

void CProgressDlg::SetStatus(const QString& text) {
    if (status_->text() != text) status_->setText(text);
}

QString CProgressDlg::Status() const {
    return status_->text();
}

QString CProgressDlg::PercentText() const {
    return percent_->text();
}

void CProgressDlg::SetRange(int low, int high) {
    low_ = low;
    high_ = high > low ? high : low;
    bar_->setRange(low_, high_ == low_ ? low_ + 1 : high_);
    SetPos(low_);
}

void CProgressDlg::SetPos(int position) {
    position_ = std::clamp(position, low_, high_);
    if (bar_->value() != position_) bar_->setValue(position_);
    ShowPercent();
}

void CProgressDlg::ShowPercent() {
    const int span = high_ - low_;
    const int percent = span > 0 ? (position_ - low_) * 100 / span : 0;
    const QString text = QStringLiteral("%1%").arg(percent);
    if (percent_->text() != text) percent_->setText(text);
}

void CProgressDlg::reject() {
    // Cancel only reports the wish; the owner decides when the dialog goes.
    cancelled_ = true;
    emit cancelRequested();
}

}  // namespace tarsel::widgets
