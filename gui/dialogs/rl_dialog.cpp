#include "gui/dialogs/rl_dialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/views/view_style.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::dialogs {

CDlgRLEstimation::CDlgRLEstimation(app::IShell& shell, QWidget* parent)
    : CEstimationDialog(shell, app::DialogKind::RlEstimate, parent) {
    setWindowTitle(tr("Overall R&L Estimation"));
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("rlBody"));
    auto* top = new QHBoxLayout;
    Selector()->setParent(body);
    top->addWidget(Selector());
    top->addStretch(1);

    auto* status = new QGroupBox(tr("Status"), body);
    status->setObjectName(QStringLiteral("statusGroup"));
    auto* grid = new QGridLayout(status);
    r_ = views::AddValueRow(grid, 0, tr("R"), {}, "rValue");
    l_ = views::AddValueRow(grid, 1, tr("L"), {}, "lValue");
    views::MakeReadOnlyValue(r_);
    views::MakeReadOnlyValue(l_);
    estimate_ = MakeButton(tr("Estimate"), "estimateButton", body);
    estimate_->setMinimumSize(160, 36);

    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(top);
    bodyLayout->addWidget(status);
    bodyLayout->addWidget(estimate_);

    close_ = MakeButton(tr("Close"), "closeButton", this);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close_);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(body, 1);
    outer->addLayout(closeRow);
    views::ApplyGroupFont(this);

    servoOffWait_ = new QTimer(this);
    servoOffWait_->setObjectName(QStringLiteral("servoOffWaitTimer"));
    servoOffWait_->setSingleShot(true);
    servoOffWait_->setInterval(kServoOffWaitMs);
    connect(servoOffWait_, &QTimer::timeout, this, &CDlgRLEstimation::Start);
    connect(estimate_, &QPushButton::clicked, this, &CDlgRLEstimation::Estimate);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    Refresh();
}

CDlgRLEstimation::~CDlgRLEstimation() {
    Watch(false);
}

void CDlgRLEstimation::Refresh() {
    EndRun();
    Watch(true);
    auto board = BldcBoard();
    auto* body = findChild<QWidget*>(QStringLiteral("rlBody"));
    const bool open = board != nullptr && board->IsPortOpen();
    body->setEnabled(open);
    if (!open) return;
    UpdateSelector(true);
    ShowResults();
}

void CDlgRLEstimation::LeaveDrive() {
    EndRun();
    Watch(false);
}

void CDlgRLEstimation::ShowResults() {
    auto board = BldcBoard();
    if (board == nullptr) return;
    const auto show = [&](QLineEdit* edit, uint32_t number) {
        const double value =
            board->BLDCRawToDisplay(kCategory, number, board->GetBLDCParameterValue(kCategory, number));
        edit->setText(QString::asprintf("%g", value));
    };
    show(r_, kResultR);
    show(l_, kResultL);
}

void CDlgRLEstimation::Estimate() {
    auto board = BldcBoard();
    if (board == nullptr || estimating_) return;
    estimate_->setEnabled(false);
    estimating_ = true;
    UpdateSelector(false);
    if (board->IsMotorOn()) {
        if (!Shell().Dialogs().AskYesNo(tr("RL Estimation"),
                                        tr("It's SERVO ON status. This function works when it's  SERVO OFF. "
                                           "Do you want to set SERVO OFF and proceed?"))) {
            EndRun();
            return;
        }
        board->ServoEnable(false);
        // The drive needs a moment before it measures the windings; the event loop runs meanwhile.
        servoOffWait_->start();
        return;
    }
    Start();
}

void CDlgRLEstimation::Start() {
    auto board = BldcBoard();
    if (board == nullptr || !estimating_) {
        EndRun();
        return;
    }
    r_->clear();
    l_->clear();
    started_.start();
    const auto one = static_cast<int32_t>(board->BLDCDisplayToRaw(kCategory, kTrigger, 1.0));
    // The board skips a write of the value it has cached: read a cached 1 again first.
    if (board->GetBLDCParameterValue(kCategory, kTrigger) == one)
        board->ReadBLDCParameter(kCategory, kTrigger);
    if (!board->WriteBLDCParameter(kCategory, kTrigger, one)) {
        // The drive refused the measurement (the board reported it): nothing to wait for, and
        // a trigger that reads 0 must not show the old values as a result.
        EndRun();
        ShowResults();
        return;
    }
    timer_.start(kPollMs, this);
}

void CDlgRLEstimation::Tick() {
    auto board = BldcBoard();
    if (board == nullptr || !estimating_) return;
    // A failed read is no answer: the count goes on until the drive clears the trigger.
    const bool done = board->ReadBLDCParameter(kCategory, kTrigger) &&
                      board->BLDCRawToDisplay(kCategory, kTrigger,
                                              board->GetBLDCParameterValue(kCategory, kTrigger)) == 0.0;
    if (!done) {
        estimate_->setText(tr("Estimating.. (%1)").arg(static_cast<int>(started_.elapsed() / 1000)));
        return;
    }
    timer_.stop();
    board->ReadBLDCParameter(kCategory, kResultR);
    board->ReadBLDCParameter(kCategory, kResultL);
    ShowResults();
    EndRun();
}

void CDlgRLEstimation::EndRun() {
    timer_.stop();
    servoOffWait_->stop();
    estimating_ = false;
    estimate_->setText(tr("Estimate"));
    estimate_->setEnabled(true);
    UpdateSelector(true);
}

void CDlgRLEstimation::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    CEstimationDialog::timerEvent(event);
}

void CDlgRLEstimation::closeEvent(QCloseEvent* event) {
    EndRun();
    Watch(false);
    event->accept();
    deleteLater();
}

void RegisterRLDialog(app::ViewRegistry& registry) {
    registry.RegisterDialog(app::DialogKind::RlEstimate, [](app::IShell& shell, QWidget* parent) {
        return new CDlgRLEstimation(shell, parent);
    });
}

}  // namespace tarsel::dialogs
