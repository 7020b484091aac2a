#include "gui/dialogs/inertia_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/views/number_text.h"
#include "gui/views/view_style.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::dialogs {

using views::AddValueRow;
using views::MakeReadOnlyValue;
using views::ParseSigned;
using views::ParseUnsigned;

CDlgInertiaEstimation::CDlgInertiaEstimation(app::IShell& shell, QWidget* parent)
    : CEstimationDialog(shell, app::DialogKind::InertiaEstimate, parent) {
    setWindowTitle(tr("Inertia Ratio Estimation"));
    Build();
    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("closeWaitTimer"));
    closeTimer_->setInterval(20);
    connect(closeTimer_, &QTimer::timeout, this, &CDlgInertiaEstimation::CheckPendingClose);
    Refresh();
}

CDlgInertiaEstimation::~CDlgInertiaEstimation() {
    // Last resort (a close has normally ended the run): stop and wait for the worker, however
    // long its last transaction takes.
    if (worker_.Exists()) {
        worker_.RequestStop();
        if (auto board = BldcBoard(); board != nullptr && board->IsPortOpen()) board->MoveStop(false);
        while (!EndWorker(std::chrono::milliseconds(1000))) {
        }
    }
    Watch(false);
}

// ---------------------------------------------------------------------------------------------
// Form

void CDlgInertiaEstimation::Build() {
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("inertiaBody"));
    auto* top = new QHBoxLayout;
    Selector()->setParent(body);
    top->addWidget(Selector());
    top->addStretch(1);

    auto* position = new QGroupBox(tr("Position Data"), body);
    position->setObjectName(QStringLiteral("positionDataGroup"));
    auto* positionGrid = new QGridLayout(position);
    edits_[kPosition1] =
        AddValueRow(positionGrid, 0, tr("Position 1"), QStringLiteral("[pulse]"), "position1Edit");
    edits_[kPosition2] =
        AddValueRow(positionGrid, 1, tr("Position 2"), QStringLiteral("[pulse]"), "position2Edit");
    edits_[kMoveSpeed] =
        AddValueRow(positionGrid, 2, tr("Move Speed"), QStringLiteral("[pps]"), "moveSpeedEdit");
    movePos1_ = MakeButton(tr("Move Pos1"), "movePos1Button", position);
    movePos2_ = MakeButton(tr("Move Pos2"), "movePos2Button", position);
    auto* moveRow = new QHBoxLayout;
    moveRow->addWidget(movePos1_);
    moveRow->addWidget(movePos2_);
    positionGrid->addLayout(moveRow, 3, 0, 1, 3);

    auto* repeat = new QGroupBox(tr("Repeat Data"), body);
    repeat->setObjectName(QStringLiteral("repeatDataGroup"));
    auto* repeatGrid = new QGridLayout(repeat);
    edits_[kDelay] = AddValueRow(repeatGrid, 0, tr("Delay Time"), QStringLiteral("[msec]"), "delayTimeEdit");
    edits_[kRepeat] = AddValueRow(repeatGrid, 1, tr("Repeat"), {}, "repeatEdit");
    inPosition_ = new QCheckBox(tr("Check Inposition"), repeat);
    inPosition_->setObjectName(QStringLiteral("checkInpositionCheck"));
    repeatGrid->addWidget(inPosition_, 2, 0, 1, 3);

    auto* status = new QGroupBox(tr("Status"), body);
    status->setObjectName(QStringLiteral("statusGroup"));
    auto* statusGrid = new QGridLayout(status);
    ratio_ = AddValueRow(statusGrid, 0, tr("Inertia Ratio"), {}, "inertiaRatioValue");
    values_.Build(statusGrid, 1, true);
    repeatCount_ = AddValueRow(statusGrid, 5, tr("Repeat Count"), {}, "repeatCountValue");
    MakeReadOnlyValue(ratio_);
    MakeReadOnlyValue(repeatCount_);
    clearStatus_ = MakeButton(tr("Clear Status"), "clearStatusButton", status);
    statusGrid->addWidget(clearStatus_, 6, 0, 1, 3);

    auto* commands = new QHBoxLayout;
    eStop_ = MakeButton(tr("E-Stop"), "eStopButton", body);
    stop_ = MakeButton(tr("Stop"), "stopButton", body);
    run_ = MakeButton(tr("RUN"), "runButton", body);
    run_->setCheckable(true);
    writeRom_ = MakeButton(tr("Write ROM"), "writeRomButton", body);
    for (QPushButton* b : {eStop_, stop_, run_, writeRom_}) {
        b->setMinimumHeight(36);
        commands->addWidget(b);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(position);
    left->addWidget(repeat);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(status, 1, Qt::AlignTop);
    auto* bodyLayout = new QVBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(top);
    bodyLayout->addLayout(columns, 1);
    bodyLayout->addLayout(commands);

    close_ = MakeButton(tr("Close"), "closeButton", this);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close_);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(body, 1);
    outer->addLayout(closeRow);
    views::ApplyGroupFont(this);

    for (int f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        connect(edits_[f], &QLineEdit::textChanged, this,
                [this, field](const QString& text) { OnFieldEdited(field, text); });
    }
    connect(inPosition_, &QCheckBox::toggled, this, [this](bool on) {
        if (updating_) return;
        if (auto board = BldcBoard()) board->repeatInPosition = on;
    });
    connect(movePos1_, &QPushButton::clicked, this, [this] { OnMove(0); });
    connect(movePos2_, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(clearStatus_, &QPushButton::clicked, this, &CDlgInertiaEstimation::OnClearStatus);
    connect(eStop_, &QPushButton::clicked, this, [this] { StopRun(true); });
    connect(stop_, &QPushButton::clicked, this, [this] { StopRun(false); });
    // clicked, not toggled: only the user's press starts or ends a run.
    connect(run_, &QPushButton::clicked, this, &CDlgInertiaEstimation::OnRunClicked);
    connect(writeRom_, &QPushButton::clicked, this, &CDlgInertiaEstimation::WriteRom);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

// ---------------------------------------------------------------------------------------------
// Drive and refresh

void CDlgInertiaEstimation::LeaveDrive() {
    if (worker_.Exists()) {  // a run belongs to the drive it started on
        StopRun(false);
        EndWorker(kCloseWait);
    }
    timer_.stop();
    Watch(false);
}

void CDlgInertiaEstimation::Refresh() {
    timer_.stop();
    Watch(true);
    auto board = BldcBoard();
    auto* body = findChild<QWidget*>(QStringLiteral("inertiaBody"));
    if (board == nullptr || !board->IsPortOpen()) {
        body->setEnabled(false);
        shownControls_ = Controls::Closed;
        return;
    }
    body->setEnabled(true);
    FillEdits();
    repeatCount_->setText(QStringLiteral("0"));
    shownCycles_ = 0;
    shownRatio_.reset();
    ShowStatus(true);
    ShowRatio(false);
    ApplyControls(true);
    timer_.start(kRedrawMs, this);
}

void CDlgInertiaEstimation::FillEdits() {
    auto board = BldcBoard();
    if (board == nullptr) return;
    updating_ = true;
    edits_[kPosition1]->setText(QString::number(board->repeatPosition1.load()));
    edits_[kPosition2]->setText(QString::number(board->repeatPosition2.load()));
    edits_[kMoveSpeed]->setText(QString::number(static_cast<int32_t>(board->repeatSpeed.load())));
    edits_[kDelay]->setText(QString::number(board->repeatDelayMs.load()));
    edits_[kRepeat]->setText(QString::number(board->repeatCount.load()));
    inPosition_->setChecked(board->repeatInPosition.load());
    for (QLineEdit* edit : edits_) widgets::MarkInvalid(edit, false);
    updating_ = false;
}

void CDlgInertiaEstimation::OnFieldEdited(Field field, const QString& text) {
    if (updating_) return;
    auto board = BldcBoard();
    bool valid = false;
    if (field == kDelay || field == kRepeat) {
        if (const std::optional<uint32_t> value = ParseUnsigned(text)) {
            valid = true;
            if (board != nullptr) (field == kDelay ? board->repeatDelayMs : board->repeatCount) = *value;
        }
    } else if (const std::optional<int32_t> value = ParseSigned(text)) {
        if (field == kMoveSpeed) {
            valid = *value >= 0 && (board == nullptr || board->CheckValue1(*value));
            if (valid && board != nullptr) board->repeatSpeed = static_cast<uint32_t>(*value);
        } else {
            valid = true;
            if (board != nullptr)
                (field == kPosition1 ? board->repeatPosition1 : board->repeatPosition2) = *value;
        }
    }
    widgets::MarkInvalid(edits_[field], !valid);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CDlgInertiaEstimation::OnRunClicked(bool pressed) {
    if (pressed) {
        StartRun();
        return;
    }
    // Released during a run: the repeat move ends after the pass in progress, and the drive's
    // estimation is still awaited.
    if (worker_.Exists()) {
        worker_.FinishAfterPass();
        stopping_ = true;
        run_->setEnabled(false);
    }
}

void CDlgInertiaEstimation::StartRun() {
    FillEdits();  // the values the run takes, as the edits show them
    auto board = BldcBoard();
    if (board == nullptr || worker_.Exists() || board->IsRepeatRunning()) return;  // the timer releases it
    if (!board->IsMotorOn()) {
        Shell().Dialogs().Inform(tr("Error"),
                                 tr("It's SERVO OFF status. This function works when it's  SERVO ON."),
                                 app::BoxIcon::Exclamation);
        run_->setChecked(false);
        return;
    }
    LiveRepeatSettings& settings = worker_.Settings();
    settings.LoadFrom(*board);
    settings.useThird = false;
    stopping_ = false;
    shownCycles_ = 0;
    repeatCount_->setText(QStringLiteral("0"));
    worker_.Start(board);
    ApplyControls(true);
}

void CDlgInertiaEstimation::StopRun(bool emergency) {
    run_->setChecked(false);
    worker_.RequestStop();
    auto board = BldcBoard();
    if (board == nullptr || !board->IsPortOpen()) return;
    if (emergency) {
        board->EmergencyStop(false);
    } else {
        board->MoveStop(false);
    }
}

void CDlgInertiaEstimation::OnMove(int index) {
    if (auto board = BldcBoard()) {
        board->MoveSingleAxisAbsPos(
            index == 0 ? board->repeatPosition1.load() : board->repeatPosition2.load(),
            board->repeatSpeed.load(), false);
    }
}

void CDlgInertiaEstimation::OnClearStatus() {
    if (auto board = BldcBoard()) board->ClearPosition();
    repeatCount_->setText(QStringLiteral("0"));
    shownCycles_ = 0;
}

void CDlgInertiaEstimation::WriteRom() {
    const QString caption = tr("Save BLDC Parameters to ROM");
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to save it?"))) return;
    auto board = BldcBoard();
    if (board != nullptr && board->BLDCWriteROMParameters()) {
        Shell().Dialogs().Inform(caption, tr("Saving is done."));
    } else {
        Shell().Dialogs().Inform(caption, tr("Failed to save data."), app::BoxIcon::Exclamation);
    }
}

// ---------------------------------------------------------------------------------------------
// Timer

void CDlgInertiaEstimation::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    CEstimationDialog::timerEvent(event);
}

void CDlgInertiaEstimation::Tick() {
    ShowStatus(false);
    ApplyControls(false);
    const uint32_t cycles = worker_.Cycles();
    if (cycles != shownCycles_ && (worker_.IsRunning() || !worker_.Exists())) {
        repeatCount_->setText(QString::number(cycles));
        shownCycles_ = cycles;
    }
    const std::optional<bool> outcome = worker_.TakeOutcome();
    if (!worker_.Exists()) {
        stopping_ = false;
        if (run_->isChecked()) run_->setChecked(false);
        ApplyControls(false);
    }
    if (!outcome) return;
    if (*outcome) {
        ShowRatio(true);
    } else {
        Shell().Dialogs().Inform(tr("Error"), tr("Failed to estimate Inertia Ratio."),
                                 app::BoxIcon::Exclamation);
    }
}

void CDlgInertiaEstimation::ShowStatus(bool all) {
    auto board = BldcBoard();
    if (board == nullptr) return;
    values_.Show(*board, all);
}

void CDlgInertiaEstimation::ShowRatio(bool readDrive) {
    auto board = BldcBoard();
    if (board == nullptr) return;
    constexpr uint8_t category = CInertiaWorker::kCategory;
    constexpr uint32_t number = CInertiaWorker::kResult;
    if (readDrive && !board->ReadBLDCParameter(category, number)) return;
    const double value =
        board->BLDCRawToDisplay(category, number, board->GetBLDCParameterValue(category, number));
    if (shownRatio_ == value) return;
    shownRatio_ = value;
    ratio_->setText(QString::asprintf("%g", value));
}

void CDlgInertiaEstimation::ApplyControls(bool force) {
    auto board = BldcBoard();
    Controls state = Controls::Idle;
    if (board == nullptr || !board->IsPortOpen()) {
        state = Controls::Closed;
    } else if (worker_.IsRunning()) {
        state = Controls::Run;
    } else if (worker_.Exists() || board->IsBusy() || board->IsRepeatRunning() || board->IsTableRunning()) {
        state = Controls::Busy;
    }
    const bool runEnabled = (state == Controls::Idle || state == Controls::Run) && !stopping_;
    if (!force && shownControls_ == state && run_->isEnabled() == runEnabled) return;
    shownControls_ = state;
    const bool idle = state == Controls::Idle;
    UpdateSelector(idle);
    movePos1_->setEnabled(idle);
    movePos2_->setEnabled(idle);
    clearStatus_->setEnabled(idle);
    run_->setEnabled(runEnabled);
}

// ---------------------------------------------------------------------------------------------
// Closing

bool CDlgInertiaEstimation::EndWorker(std::chrono::milliseconds bound) {
    // A failure report of the worker is shown on this thread while the worker waits for it;
    // deliver it here, or the worker could not end while this thread waits.
    return worker_.Finish(bound, [] {
        if (QCoreApplication* app = QCoreApplication::instance())
            QCoreApplication::sendPostedEvents(app, QEvent::MetaCall);
    });
}

void CDlgInertiaEstimation::closeEvent(QCloseEvent* event) {
    if (worker_.Exists()) {
        StopRun(false);
        if (!EndWorker(kCloseWait)) {
            // Still inside a transaction or a failure report: the dialog goes as soon as it ended.
            event->ignore();
            hide();
            closePending_ = true;
            closeTimer_->start();
            return;
        }
    }
    timer_.stop();
    closeTimer_->stop();
    closePending_ = false;
    Watch(false);
    event->accept();
    deleteLater();
}

void CDlgInertiaEstimation::CheckPendingClose() {
    if (!closePending_) {
        closeTimer_->stop();
        return;
    }
    if (EndWorker(std::chrono::milliseconds(0))) {
        closeTimer_->stop();
        close();
    }
}

void RegisterInertiaDialog(app::ViewRegistry& registry) {
    registry.RegisterDialog(app::DialogKind::InertiaEstimate, [](app::IShell& shell, QWidget* parent) {
        return new CDlgInertiaEstimation(shell, parent);
    });
}

}  // namespace tarsel::dialogs
