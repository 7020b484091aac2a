#include "gui/views/CViewRepeat.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <chrono>

#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/board_type_info.h"
#include "gui/views/number_text.h"
#include "gui/views/view_style.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

using app::Message;
using app::MsgKind;

namespace {

uint64_t NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

// The label, edit and unit of a value row, to show or hide them together.
std::array<QWidget*, 3> RowOf(QGridLayout* grid, int row) {
    std::array<QWidget*, 3> widgets{};
    for (int column = 0; column < 3; ++column) {
        if (QLayoutItem* item = grid->itemAtPosition(row, column)) widgets[column] = item->widget();
    }
    return widgets;
}

void SetRowVisible(const std::array<QWidget*, 3>& row, bool visible) {
    for (QWidget* w : row) {
        if (w != nullptr) w->setVisible(visible);
    }
}

}  // namespace

CViewRepeat::CViewRepeat(app::IShell& shell, QWidget* parent)
    : CView(shell, app::FrameKind::Repeat, parent), watch_(shell.Master(), CBoardInterface::kWatchOther) {
    setObjectName(QStringLiteral("CViewRepeat"));
    BuildForm();
    body_->setEnabled(false);
    closeTimer_ = new QTimer(this);
    closeTimer_->setObjectName(QStringLiteral("closeWaitTimer"));
    closeTimer_->setInterval(20);
    connect(closeTimer_, &QTimer::timeout, this, &CViewRepeat::CheckPendingClose);
    if (app::CChildFrame* frame = Frame()) frame->installEventFilter(this);
}

CViewRepeat::~CViewRepeat() {
    // Last resort (the frame's close has normally ended the run): stop and wait for the worker,
    // however long its last transaction takes.
    if (worker_.Exists()) {
        StopRun(false);
        while (!EndWorker(std::chrono::milliseconds(1000))) {
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Form

QPushButton* CViewRepeat::MakeButton(const QString& caption, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

void CViewRepeat::BuildForm() {
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("repeatBody"));
    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    SlaveSelector()->setParent(body_);
    top->addStretch(1);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildPositionData());
    left->addWidget(BuildRepeatData());
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(BuildStatus(), 1, Qt::AlignTop);

    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(top);
    bodyLayout->addLayout(columns, 1);
    bodyLayout->addWidget(BuildBottomRow());

    close_ = MakeButton(tr("Close"), "closeButton", this);
    connect(close_, &QPushButton::clicked, this, &CViewRepeat::CloseFrame);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(body_, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close_);
    outer->addLayout(closeRow);
    ApplyGroupFont(this);
}

QWidget* CViewRepeat::BuildPositionData() {
    auto* box = new QGroupBox(tr("Position Data"), body_);
    box->setObjectName(QStringLiteral("positionDataGroup"));
    auto* grid = new QGridLayout(box);
    edits_[kPosition1] = AddValueRow(grid, 0, tr("Position 1"), QStringLiteral("[pulse]"), "position1Edit");
    edits_[kPosition2] = AddValueRow(grid, 1, tr("Position 2"), QStringLiteral("[pulse]"), "position2Edit");
    edits_[kPosition3] = AddValueRow(grid, 2, tr("Position 3"), QStringLiteral("[pulse]"), "position3Edit");
    // The check box takes the place of the third row's caption and names its edit.
    QWidget* caption = grid->itemAtPosition(2, 0)->widget();
    grid->removeWidget(caption);
    delete caption;
    third_ = new QCheckBox(tr("Position 3"), box);
    third_->setObjectName(QStringLiteral("position3Check"));
    grid->addWidget(third_, 2, 0);
    edits_[kMoveSpeed] = AddValueRow(grid, 3, tr("Move Speed"), QStringLiteral("[pps]"), "moveSpeedEdit");
    auto* buttons = new QHBoxLayout;
    const std::array<std::pair<QString, const char*>, 3> moves{{{tr("Move Pos1"), "movePos1Button"},
                                                                {tr("Move Pos2"), "movePos2Button"},
                                                                {tr("Move Pos3"), "movePos3Button"}}};
    for (int i = 0; i < 3; ++i) {
        movePos_[i] = MakeButton(moves[i].first, moves[i].second, box);
        buttons->addWidget(movePos_[i]);
        connect(movePos_[i], &QPushButton::clicked, this, [this, i] { OnMove(i); });
    }
    grid->addLayout(buttons, 4, 0, 1, 3);
    connect(third_, &QCheckBox::toggled, this, &CViewRepeat::OnThirdToggled);
    for (Field f : {kPosition1, kPosition2, kPosition3, kMoveSpeed}) {
        connect(edits_[f], &QLineEdit::textChanged, this,
                [this, f](const QString& text) { OnFieldEdited(f, text); });
    }
    edits_[kPosition3]->setEnabled(false);
    return box;
}

QWidget* CViewRepeat::BuildRepeatData() {
    auto* box = new QGroupBox(tr("Repeat Data"), body_);
    box->setObjectName(QStringLiteral("repeatDataGroup"));
    auto* grid = new QGridLayout(box);
    edits_[kDelay] = AddValueRow(grid, 0, tr("Delay Time"), QStringLiteral("[msec]"), "delayTimeEdit");
    edits_[kRepeat] = AddValueRow(grid, 1, tr("Repeat"), {}, "repeatEdit");
    edits_[kRepeat]->setMaxLength(15);
    inPosition_ = new QCheckBox(tr("Check Inposition"), box);
    inPosition_->setObjectName(QStringLiteral("checkInpositionCheck"));
    grid->addWidget(inPosition_, 2, 0, 1, 3);
    connect(inPosition_, &QCheckBox::toggled, this, &CViewRepeat::OnInPositionToggled);
    for (Field f : {kDelay, kRepeat}) {
        connect(edits_[f], &QLineEdit::textChanged, this,
                [this, f](const QString& text) { OnFieldEdited(f, text); });
    }
    return box;
}

QWidget* CViewRepeat::BuildStatus() {
    auto* box = new QGroupBox(tr("Status"), body_);
    box->setObjectName(QStringLiteral("statusGroup"));
    auto* grid = new QGridLayout(box);
    values_.Build(grid, 0, true);
    actualPosRow_ = RowOf(grid, 1);
    posErrorRow_ = RowOf(grid, 3);
    cycleTime_ = AddValueRow(grid, 4, tr("Cycle Time"), QStringLiteral("[msec]"), "cycleTimeValue");
    repeatCount_ = AddValueRow(grid, 5, tr("Repeat Count"), {}, "repeatCountValue");
    MakeReadOnlyValue(cycleTime_);
    MakeReadOnlyValue(repeatCount_);
    cycleTime_->setText(QStringLiteral("0"));
    repeatCount_->setText(QStringLiteral("0"));
    clearStatus_ = MakeButton(tr("Clear Status"), "clearStatusButton", box);
    grid->addWidget(clearStatus_, 6, 0, 1, 3);
    connect(clearStatus_, &QPushButton::clicked, this, &CViewRepeat::OnClearStatus);
    return box;
}

QWidget* CViewRepeat::BuildBottomRow() {
    auto* row = new QWidget(body_);
    row->setObjectName(QStringLiteral("commandRow"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    eStop_ = MakeButton(tr("E-Stop"), "eStopButton", row);
    stop_ = MakeButton(tr("Stop"), "stopButton", row);
    repeat_ = MakeButton(tr("Repeat"), "repeatButton", row);
    repeat_->setCheckable(true);
    for (QPushButton* b : {eStop_, stop_, repeat_}) {
        b->setMinimumHeight(40);
        layout->addWidget(b);
    }
    connect(eStop_, &QPushButton::clicked, this, [this] { StopRun(true); });
    connect(stop_, &QPushButton::clicked, this, [this] { StopRun(false); });
    // clicked, not toggled: only the user's press starts or ends a run.
    connect(repeat_, &QPushButton::clicked, this, &CViewRepeat::OnRepeatClicked);
    return row;
}

// ---------------------------------------------------------------------------------------------
// Drive and refresh

void CViewRepeat::OnMessage(const Message& message) {
    switch (message.kind) {
        case MsgKind::ServeDrive:
            if (worker_.Exists()) {  // a run belongs to the drive it started on
                StopRun(false);
                EndWorker(kCloseWait);
            }
            watch_.Release();
            CView::OnMessage(message);
            return;
        case MsgKind::DriveGoingAway:
            if (HasDrive() && message.slave == Slave()) CloseFrame();
            return;
        default:
            CView::OnMessage(message);
    }
}

void CViewRepeat::OnDriveChanged() {
    watch_.Watch(Port(), Slave());
    Refresh();
}

bool CViewRepeat::IsStepper() const {
    return boardType_ == board_type::kStepper;
}

void CViewRepeat::Refresh() {
    SetRedrawing(false);
    app::BoardRef board = Board();
    if (board == nullptr || !board->IsPortOpen()) {
        body_->setEnabled(false);
        return;
    }
    boardType_ = board->GetBoardType();
    worker_.Settings().LoadFrom(*board);
    FillEdits();
    const bool stepper = IsStepper();
    const bool absolute = boardType_ == board_type::kAbsServo;
    if (stepper) {
        updating_ = true;
        inPosition_->setChecked(false);
        updating_ = false;
        worker_.Settings().inPosition = false;
    }
    inPosition_->setVisible(!stepper);
    clearStatus_->setVisible(!absolute);
    SetRowVisible(actualPosRow_, !stepper);
    SetRowVisible(posErrorRow_, !stepper);
    cycleTime_->setText(QStringLiteral("0"));
    repeatCount_->setText(QStringLiteral("0"));
    shownCycles_ = 0;
    body_->setEnabled(true);
    shownButtons_.reset();
    ShowValues(true);
    SetRedrawing(true);
}

void CViewRepeat::FillEdits() {
    const LiveRepeatSettings& s = worker_.Settings();
    updating_ = true;
    edits_[kPosition1]->setText(QString::number(s.positions[0].load()));
    edits_[kPosition2]->setText(QString::number(s.positions[1].load()));
    edits_[kPosition3]->setText(QString::number(s.positions[2].load()));
    edits_[kMoveSpeed]->setText(QString::number(static_cast<int32_t>(s.speed.load())));
    edits_[kDelay]->setText(QString::number(s.delayMs.load()));
    edits_[kRepeat]->setText(QString::number(s.repeatCount.load()));
    third_->setChecked(s.useThird.load());
    edits_[kPosition3]->setEnabled(s.useThird.load());
    inPosition_->setChecked(s.inPosition.load());
    for (QLineEdit* edit : edits_) widgets::MarkInvalid(edit, false);
    updating_ = false;
}

// ---------------------------------------------------------------------------------------------
// Editing

void CViewRepeat::OnFieldEdited(Field field, const QString& text) {
    if (updating_) return;
    LiveRepeatSettings& s = worker_.Settings();
    app::BoardRef board = Board();
    bool valid = false;
    if (field == kDelay || field == kRepeat) {
        if (const std::optional<uint32_t> value = ParseUnsigned(text)) {
            valid = true;
            (field == kDelay ? s.delayMs : s.repeatCount) = *value;
            if (board != nullptr) (field == kDelay ? board->repeatDelayMs : board->repeatCount) = *value;
        }
    } else if (const std::optional<int32_t> value = ParseSigned(text)) {
        if (field == kMoveSpeed) {
            valid = *value >= 0 && (board == nullptr || board->CheckValue1(*value));
            if (valid) {
                s.speed = static_cast<uint32_t>(*value);
                if (board != nullptr) board->repeatSpeed = static_cast<uint32_t>(*value);
            }
        } else {
            valid = true;
            s.positions[field] = *value;
            if (board != nullptr) {
                (field == kPosition1   ? board->repeatPosition1
                 : field == kPosition2 ? board->repeatPosition2
                                       : board->repeatPosition3) = *value;
            }
        }
    }
    widgets::MarkInvalid(edits_[field], !valid);
}

void CViewRepeat::OnThirdToggled(bool on) {
    edits_[kPosition3]->setEnabled(on);
    if (updating_) return;
    worker_.Settings().useThird = on;
    if (app::BoardRef board = Board()) board->repeatUseThird = on;
    shownButtons_.reset();
}

void CViewRepeat::OnInPositionToggled(bool on) {
    if (updating_) return;
    worker_.Settings().inPosition = on;
    if (app::BoardRef board = Board()) board->repeatInPosition = on;
}

// ---------------------------------------------------------------------------------------------
// Runs

void CViewRepeat::OnRepeatClicked(bool pressed) {
    if (pressed) {
        StartRun();
        return;
    }
    // Released during a run: the sequence ends after the cycle in progress.
    worker_.Settings().repeatCount = 1;
    if (worker_.Exists()) {
        stopping_ = true;
        repeat_->setEnabled(false);
    }
}

void CViewRepeat::StartRun() {
    LiveRepeatSettings& s = worker_.Settings();
    updating_ = true;
    edits_[kPosition1]->setText(QString::number(s.positions[0].load()));
    edits_[kPosition2]->setText(QString::number(s.positions[1].load()));
    edits_[kPosition3]->setText(QString::number(s.positions[2].load()));
    edits_[kMoveSpeed]->setText(QString::number(static_cast<int32_t>(s.speed.load())));
    edits_[kDelay]->setText(QString::number(s.delayMs.load()));
    for (Field f : {kPosition1, kPosition2, kPosition3, kMoveSpeed, kDelay})
        widgets::MarkInvalid(edits_[f], false);
    updating_ = false;
    // The count comes from its edit: a run stopped by releasing the button left 1 behind.
    if (const std::optional<uint32_t> count = ParseUnsigned(edits_[kRepeat]->text().left(15)))
        s.repeatCount = *count;
    cycleTime_->setText(QStringLiteral("0"));

    app::BoardRef board = Board();
    if (board == nullptr || worker_.Exists() || board->IsRepeatRunning()) return;  // the timer releases it
    if (board->IsMotorOn()) {
        shownCycles_ = 0;
        stopping_ = false;
        worker_.Start(board);
        ApplyButtons();
        return;
    }
    const QString text = board->GetBoardType() == board_type::kStepper
                             ? tr("It's Alarm Reset status. This function works when the Alarm Reset is off.")
                             : tr("It's SERVO OFF status. This function works when it's  SERVO ON.");
    Shell().Dialogs().Inform(tr("Error"), text, app::BoxIcon::Exclamation);
    repeat_->setChecked(false);
}

void CViewRepeat::StopRun(bool emergency) {
    repeat_->setChecked(false);
    worker_.RequestStop();
    app::BoardRef board = Board();
    if (board == nullptr) return;
    if (emergency) {
        board->EmergencyStop(false);
    } else {
        board->MoveStop(false);
    }
}

void CViewRepeat::OnMove(int index) {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    const LiveRepeatSettings& s = worker_.Settings();
    board->MoveSingleAxisAbsPos(s.positions[index].load(), s.speed.load(), false);
}

void CViewRepeat::OnClearStatus() {
    if (app::BoardRef board = Board()) board->ClearPosition();
    cycleTime_->setText(QStringLiteral("0"));
    repeatCount_->setText(QStringLiteral("0"));
    shownCycles_ = 0;
}

bool CViewRepeat::EndWorker(std::chrono::milliseconds bound) {
    // A failure report of the worker is shown on this thread while the worker waits for it; deliver
    // it here, or the worker could not end while this thread waits.
    return worker_.Finish(bound, [] {
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QCoreApplication::sendPostedEvents(app, QEvent::MetaCall);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Timer and closing

void CViewRepeat::OnRedraw() {
    ShowValues(false);
}

void CViewRepeat::ShowValues(bool all) {
    worker_.Reap();
    app::BoardRef board = Board();
    all = all || !shown_;
    shown_ = true;
    if (board != nullptr) {
        // A stepper has no encoder: its actual position and position error rows are hidden.
        if (IsStepper()) {
            values_.Show(*board, all, {PositionStatusRows::kActual, PositionStatusRows::kError});
        } else {
            values_.Show(*board, all);
        }
    }
    ApplyButtons();
    const uint32_t cycles = worker_.Cycles();
    if (worker_.IsRunning() && cycles > 0) {
        const uint64_t start = worker_.StartTimeMs();
        const uint64_t now = NowMs();
        cycleTime_->setText(QString::number(now > start ? static_cast<int32_t>(now - start) : 0));
        if (cycles != shownCycles_) {
            repeatCount_->setText(QString::number(cycles));
            shownCycles_ = cycles;
        }
    } else if (!worker_.Exists() && cycles != shownCycles_ && cycles > 0) {
        repeatCount_->setText(QString::number(cycles));  // the last cycle of a run that just ended
        shownCycles_ = cycles;
    }
    if (!worker_.Exists()) {
        stopping_ = false;
        if (repeat_->isChecked()) repeat_->setChecked(false);
    }
}

void CViewRepeat::ApplyButtons() {
    app::BoardRef board = Board();
    Buttons state = Buttons::Idle;
    if (worker_.IsRunning()) {
        state = Buttons::Run;
    } else if (board != nullptr && (board->IsBusy() || board->IsRepeatRunning() || board->IsTableRunning())) {
        state = Buttons::Busy;
    }
    const bool idle = state == Buttons::Idle;
    const bool run = state == Buttons::Run;
    widgets::CSlaveSelector* selector = SlaveSelector();
    if (run) {
        selector->PreviousButton()->setEnabled(false);
        selector->NextButton()->setEnabled(false);
    } else if (HasDrive()) {
        const CCommMaster& master = Shell().Master();
        selector->SetState(Slave(), master.GetPrevSlave(Port(), Slave()) != Slave(),
                           master.GetNextSlave(Port(), Slave()) != Slave());
    }
    movePos_[0]->setEnabled(idle);
    movePos_[1]->setEnabled(idle);
    movePos_[2]->setEnabled(idle && worker_.Settings().useThird.load());
    clearStatus_->setEnabled(idle);
    repeat_->setEnabled((idle || run) && !stopping_);
    shownButtons_ = state;
}

void CViewRepeat::CloseFrame() {
    if (app::CChildFrame* frame = Frame()) {
        frame->close();
    } else {
        close();
    }
}

bool CViewRepeat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == Frame()) {
        if (worker_.Exists()) {
            StopRun(false);
            if (!EndWorker(kCloseWait)) {
                // Still inside a transaction or a failure report: close as soon as it has ended.
                event->ignore();
                closePending_ = true;
                body_->setEnabled(false);
                closeTimer_->start();
                return true;
            }
        }
        SetRedrawing(false);
        watch_.Release();
        closePending_ = false;
        closeTimer_->stop();
    }
    return CView::eventFilter(watched, event);
}

void CViewRepeat::CheckPendingClose() {
    if (!closePending_) {
        closeTimer_->stop();
        return;
    }
    if (EndWorker(std::chrono::milliseconds(0))) {
        closeTimer_->stop();
        CloseFrame();
    }
}

void RegisterRepeatView(app::ViewRegistry& registry) {
    registry.Register(
        app::FrameKind::Repeat, app::ViewRegistry::kAnyType, QStringLiteral("CViewRepeat"),
        [](app::IShell& shell, QWidget* parent) -> app::CView* { return new CViewRepeat(shell, parent); });
}

}  // namespace tarsel::views
