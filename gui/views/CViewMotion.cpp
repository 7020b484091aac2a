#include "gui/views/CViewMotion.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/views/number_text.h"
#include "gui/views/view_style.h"
#include "gui/widgets/invalid_edit.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

using app::Message;
using app::MsgKind;

namespace {

struct FieldInfo {
    const char* objectName;
    const char* caption;
    const char* unit;
};

// clang-format off
const std::array<FieldInfo, CViewMotion::kFieldCount> kFields{{
    {"cmdPosEdit",            QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Cmd Pos"),      "[pulse]"},
    {"startSpeedEdit",        QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Start Speed"),  "[pps]"},
    {"moveSpeedEdit",         QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Move Speed"),   "[pps]"},
    {"accelTimeEdit",         QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Accel Time"),   "[msec]"},
    {"decelTimeEdit",         QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Decel Time"),   "[msec]"},
    {"jogSpeedEdit",          QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Max Speed"),    "[pps]"},
    {"jogAccDecEdit",         QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Accel/Decel"),  "[msec]"},
    {"originSearchSpeedEdit", QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Search Speed"), "[pps]"},
    {"originSpeedEdit",       QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Speed"),        "[pps]"},
    {"originAccDecEdit",      QT_TRANSLATE_NOOP("tarsel::views::CViewMotion", "Accel/Decel"),  "[msec]"},
}};
// clang-format on

}  // namespace

CViewMotion::CViewMotion(app::IShell& shell, const MotionFamily& family, QWidget* parent)
    : CView(shell, app::FrameKind::Motion, parent),
      family_(family),
      watch_(shell.Master(), CBoardInterface::kWatchMotion) {
    setObjectName(QString::fromLatin1(family.className));
    lampOn_ = LampPixmap(LampKind::StatusOn);
    lampOff_ = LampPixmap(LampKind::StatusOff);
    servoOn_ = LampPixmap(LampKind::ServoOn);
    servoOff_ = LampPixmap(LampKind::ServoOff);
    BuildForm();
    SetControlsEnabled(false);
}

CViewMotion::~CViewMotion() = default;

// ---------------------------------------------------------------------------------------------
// Form

void CViewMotion::BuildForm() {
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("motionBody"));
    close_ = MakeButton(tr("Close"), "closeButton");
    close_->setParent(this);
    connect(close_, &QPushButton::clicked, this, &CViewMotion::CloseFrame);

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    SlaveSelector()->setParent(body_);
    top->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(BuildSingleMove());
    left->addWidget(BuildJogMove());
    left->addWidget(BuildOrigin());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPositionStatus());
    right->addWidget(BuildAxisStatus(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);

    auto* bodyLayout = new QVBoxLayout(body_);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->addLayout(top);
    bodyLayout->addLayout(columns, 1);
    bodyLayout->addWidget(BuildBottomRow());

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(body_, 1);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close_);
    outer->addLayout(closeRow);
    ApplyGroupFont(this);
}

QPushButton* CViewMotion::MakeButton(const QString& caption, const char* objectName) {
    auto* button = new QPushButton(caption, body_ != nullptr ? body_ : this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* CViewMotion::AddField(QGridLayout* grid, int row, Field field, const QString& caption,
                                 const QString& unit) {
    QLineEdit* edit = AddValueRow(grid, row, caption, unit, kFields[field].objectName);
    edits_[field] = edit;
    connect(edit, &QLineEdit::textChanged, this,
            [this, field](const QString& text) { OnFieldEdited(field, text); });
    return edit;
}

QWidget* CViewMotion::BuildSingleMove() {
    auto* box = new QGroupBox(tr("Single Move"), body_);
    box->setObjectName(QStringLiteral("singleMoveGroup"));
    auto* grid = new QGridLayout(box);
    for (Field f : {kCmdPos, kStartSpeed, kMoveSpeed, kAccelTime, kDecelTime}) {
        AddField(grid, static_cast<int>(f), f, tr(kFields[f].caption), QString::fromLatin1(kFields[f].unit));
    }
    absMove_ = MakeButton(tr("Abs Move"), "absMoveButton");
    decMove_ = MakeButton(tr("DEC Move"), "decMoveButton");
    incMove_ = MakeButton(tr("INC Move"), "incMoveButton");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {absMove_, decMove_, incMove_}) buttons->addWidget(b);
    grid->addLayout(buttons, kFieldCount, 0, 1, 3);
    connect(absMove_, &QPushButton::clicked, this, &CViewMotion::OnAbsMove);
    connect(decMove_, &QPushButton::clicked, this, [this] { OnIncMove(true); });
    connect(incMove_, &QPushButton::clicked, this, [this] { OnIncMove(false); });
    return box;
}

QWidget* CViewMotion::BuildJogMove() {
    auto* box = new QGroupBox(tr("Jog Move"), body_);
    box->setObjectName(QStringLiteral("jogMoveGroup"));
    auto* grid = new QGridLayout(box);
    AddField(grid, 0, kJogSpeed, tr(kFields[kJogSpeed].caption), QStringLiteral("[pps]"));
    AddField(grid, 1, kJogAccDec, tr(kFields[kJogAccDec].caption), QStringLiteral("[msec]"));
    jogMinus_ = MakeButton(tr("-Jog"), "jogMinusButton");
    jogPlus_ = MakeButton(tr("+Jog"), "jogPlusButton");
    limitMinus_ = MakeButton(tr("-Limit"), "limitMinusButton");
    limitPlus_ = MakeButton(tr("+Limit"), "limitPlusButton");
    auto* jogs = new QHBoxLayout;
    jogs->addWidget(jogMinus_);
    jogs->addWidget(jogPlus_);
    auto* limits = new QHBoxLayout;
    limits->addWidget(limitMinus_);
    limits->addWidget(limitPlus_);
    grid->addLayout(jogs, 2, 0, 1, 3);
    grid->addLayout(limits, 3, 0, 1, 3);
    // The press starts the jog before the button itself sees it; the release stops it.
    jogMinus_->installEventFilter(this);
    jogPlus_->installEventFilter(this);
    connect(limitMinus_, &QPushButton::clicked, this, [this] { OnLimit(0); });
    connect(limitPlus_, &QPushButton::clicked, this, [this] { OnLimit(1); });
    return box;
}

QWidget* CViewMotion::BuildOrigin() {
    auto* box = new QGroupBox(tr("Origin"), body_);
    box->setObjectName(QStringLiteral("originGroup"));
    auto* grid = new QGridLayout(box);
    AddField(grid, 0, kOriginSearchSpeed, tr(kFields[kOriginSearchSpeed].caption), QStringLiteral("[pps]"));
    AddField(grid, 1, kOriginSpeed, tr(kFields[kOriginSpeed].caption), QStringLiteral("[pps]"));
    AddField(grid, 2, kOriginAccDec, tr(kFields[kOriginAccDec].caption), QStringLiteral("[msec]"));
    auto* methodLabel = new QLabel(tr("Method"), box);
    method_ = new QComboBox(box);
    method_->setObjectName(QStringLiteral("originMethodCombo"));
    for (const char* name : family_.originMethods) method_->addItem(tr(name));
    method_->setCurrentIndex(-1);
    methodLabel->setBuddy(method_);
    method_->setAccessibleName(tr("Method"));
    grid->addWidget(methodLabel, 3, 0);
    grid->addWidget(method_, 3, 1, 1, 2);
    origin_ = MakeButton(tr("Origin"), "originButton");
    grid->addWidget(origin_, 4, 0, 1, 3);
    connect(method_, &QComboBox::currentIndexChanged, this, &CViewMotion::OnMethodChosen);
    connect(origin_, &QPushButton::clicked, this, &CViewMotion::OnOrigin);
    return box;
}

QWidget* CViewMotion::BuildPositionStatus() {
    auto* box = new QGroupBox(tr("Position Status"), body_);
    box->setObjectName(QStringLiteral("positionStatusGroup"));
    auto* grid = new QGridLayout(box);
    positions_.Build(grid, 0, false);
    clearPosition_ = MakeButton(tr("Clear Position"), "clearPositionButton");
    grid->addWidget(clearPosition_, 4, 0, 1, 3);
    connect(clearPosition_, &QPushButton::clicked, this, &CViewMotion::OnClearPosition);
    return box;
}

QWidget* CViewMotion::BuildAxisStatus() {
    auto* box = new QGroupBox(tr("Axis Status"), body_);
    box->setObjectName(QStringLiteral("axisStatusGroup"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(1);
    for (int bit = 0; bit < 32; ++bit) {
        const QString label = tr(family_.lampLabels[bit]);
        auto* lamp = new QLabel(box);
        lamp->setObjectName(QStringLiteral("statusLamp%1").arg(bit));
        lamp->setPixmap(lampOff_);
        lamp->setProperty("lit", false);
        lamp->setAccessibleName(label);
        auto* text = new QLabel(label, box);
        text->setObjectName(QStringLiteral("statusLabel%1").arg(bit));
        const int column = bit < 16 ? 0 : 2;
        grid->addWidget(lamp, bit % 16, column);
        grid->addWidget(text, bit % 16, column + 1);
        lamps_[bit] = lamp;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* values = new QGridLayout;
    grid->addLayout(values, 16, 0, 1, 4);
    statusValue_ = AddValueRow(values, 0, tr("Status Value (HEX)"), {}, "statusValue");
    alarmType_ = AddValueRow(values, 1, tr("Alarm Type"), {}, "alarmType");
    statusValue_->setReadOnly(true);
    alarmType_->setReadOnly(true);
    return box;
}

QWidget* CViewMotion::BuildBottomRow() {
    auto* row = new QWidget(body_);
    row->setObjectName(QStringLiteral("commandRow"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    servoLamp_ = new QLabel(row);
    servoLamp_->setObjectName(QStringLiteral("servoLamp"));
    servoLamp_->setPixmap(servoOff_);
    servoLamp_->setProperty("lit", false);
    servoLamp_->setAccessibleName(family_.enable == EnableKind::Step ? tr("Step state") : tr("Servo state"));
    enable_ = MakeButton(tr(family_.EnableCaption(false)), "enableButton");
    enable_->setAccessibleName(tr("Motor enable"));
    enable_->setFont(GroupFont());
    alarmReset_ = MakeButton(tr("ALARM\nRESET"), "alarmResetButton");
    brake_ = MakeButton(tr("Brake ON"), "brakeButton");
    brake_->setAccessibleName(tr("Brake"));
    brake_->setVisible(family_.brake);
    stop_ = MakeButton(tr("STOP"), "stopButton");
    eStop_ = MakeButton(tr("E-STOP!"), "eStopButton");
    for (QPushButton* b : {enable_, alarmReset_, brake_, stop_, eStop_}) b->setMinimumHeight(48);
    layout->addWidget(servoLamp_);
    for (QPushButton* b : {enable_, alarmReset_, brake_}) layout->addWidget(b);
    layout->addStretch(1);
    layout->addWidget(stop_);
    layout->addWidget(eStop_);
    connect(enable_, &QPushButton::clicked, this, &CViewMotion::OnEnable);
    connect(alarmReset_, &QPushButton::clicked, this, &CViewMotion::OnAlarmReset);
    connect(brake_, &QPushButton::clicked, this, &CViewMotion::OnBrake);
    connect(stop_, &QPushButton::clicked, this, [this] { OnStop(false); });
    connect(eStop_, &QPushButton::clicked, this, [this] { OnStop(true); });
    return row;
}

// ---------------------------------------------------------------------------------------------
// Drive, refresh and messages

void CViewMotion::OnMessage(const Message& message) {
    switch (message.kind) {
        case MsgKind::ServeDrive:
            watch_.Release();
            CView::OnMessage(message);
            return;
        case MsgKind::DataReloaded:
            if (HasDrive() && message.slave == Slave()) Refresh();
            return;
        case MsgKind::ParameterChanged:
            if (!HasDrive() || message.slave != Slave()) return;
            for (int f = 0; f < kFieldCount; ++f) {
                if (ParameterOf(static_cast<Field>(f)) == message.value) FillField(static_cast<Field>(f));
            }
            if (message.value == family_.params.originMethod) FillMethod();
            return;
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || message.slave == Slave()) {
                watch_.Release();
                CloseFrame();
            }
            return;
        default:
            CView::OnMessage(message);
    }
}

void CViewMotion::OnDriveChanged() {
    app::BoardRef board = Board();
    if (board == nullptr) {
        Refresh();
        return;
    }
    if (!board->paramLoaded.load()) {
        SetRedrawing(false);
        SetControlsEnabled(false);
        board->RequestLoad(app::kLoadParameters);
        Shell().LoadData(Port(), Slave(), app::kLoadParameters);
    } else {
        Refresh();
    }
    watch_.Watch(Port(), Slave());
    // The frame was fitted before the window was first shown and styled; fit it again, or the
    // styled lamp labels come out a few pixels short and cut the longest one.
    FitFrame();
}

void CViewMotion::Refresh() {
    SetRedrawing(false);
    app::BoardRef board = Board();
    if (board == nullptr || !board->IsPortOpen()) {
        SetControlsEnabled(false);
        return;
    }
    SetControlsEnabled(true);
    FillFields();
    ShowStatus(true);
    SetRedrawing(true);
}

void CViewMotion::SetControlsEnabled(bool enabled) {
    body_->setEnabled(enabled);
}

void CViewMotion::FillFields() {
    updating_ = true;
    QLineEdit* cmdPos = edits_[kCmdPos];
    if (cmdPos->text().isEmpty()) {
        cmdPos->setText(QStringLiteral("10000"));
        edits_[kMoveSpeed]->setText(QStringLiteral("100000"));
    } else {
        cmdPos->setText(QString::number(position_));
        edits_[kMoveSpeed]->setText(QString::number(moveSpeed_));
    }
    updating_ = false;
    for (int f = 0; f < kFieldCount; ++f) {
        if (ParameterOf(static_cast<Field>(f))) FillField(static_cast<Field>(f));
    }
    FillMethod();
}

void CViewMotion::FillField(Field field) {
    const std::optional<uint8_t> parameter = ParameterOf(field);
    app::BoardRef board = Board();
    if (!parameter || board == nullptr) return;
    const QString text = QString::number(board->GetParameterValue(*parameter));
    updating_ = true;
    if (edits_[field]->text() != text) {
        edits_[field]->setText(text);
    } else {
        OnFieldEdited(field, text);  // the same text: still take it as the kept value
    }
    updating_ = false;
}

void CViewMotion::FillMethod() {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    const uint8_t parameter = family_.params.originMethod;
    const int32_t value = board->GetParameterValue(parameter);
    updating_ = true;
    const bool valid = board->IsParamValueInRange(parameter, value) && value >= 0 && value < method_->count();
    method_->setCurrentIndex(valid ? value : -1);
    updating_ = false;
}

std::optional<uint8_t> CViewMotion::ParameterOf(Field field) const {
    const MotionParams& p = family_.params;
    switch (field) {
        case kStartSpeed:
            return p.startSpeed;
        case kAccelTime:
            return p.accel;
        case kDecelTime:
            return p.decel;
        case kJogSpeed:
            return p.jogSpeed;
        case kJogAccDec:
            return p.jogAccDec;
        case kOriginSearchSpeed:
            return p.originSearchSpeed;
        case kOriginSpeed:
            return p.originSpeed;
        case kOriginAccDec:
            return p.originAccDec;
        default:
            return std::nullopt;
    }
}

// ---------------------------------------------------------------------------------------------
// Editing

void CViewMotion::OnFieldEdited(Field field, const QString& text) {
    QLineEdit* edit = edits_[field];
    const std::optional<int32_t> value = ParseSigned(text);
    if (!value) {
        widgets::MarkInvalid(edit, true);
        return;
    }
    app::BoardRef board = Board();
    const auto inRange = [&](uint8_t parameter) {
        return board == nullptr || board->IsParamValueInRange(parameter, *value);
    };
    bool valid = true;
    switch (field) {
        case kCmdPos:
            position_ = *value;
            break;
        case kMoveSpeed:
            valid = inRange(family_.params.moveSpeed);
            if (valid) moveSpeed_ = *value;
            break;
        default: {
            const uint8_t parameter = *ParameterOf(field);
            valid = inRange(parameter);
            if (valid && field == kJogSpeed) jogSpeed_ = *value;
            if (valid && !updating_ && board != nullptr) board->SetParameter(parameter, *value);
            break;
        }
    }
    widgets::MarkInvalid(edit, !valid);
}

void CViewMotion::OnMethodChosen(int index) {
    app::BoardRef board = Board();
    if (index < 0 || board == nullptr || updating_) return;
    const uint8_t parameter = family_.params.originMethod;
    if (board->IsParamValueInRange(parameter, index)) board->SetParameter(parameter, index);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CViewMotion::OnAbsMove() {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    if (moveSpeed_ == 0) OnFieldEdited(kMoveSpeed, edits_[kMoveSpeed]->text());
    board->MoveSingleAxisAbsPos(position_, static_cast<uint32_t>(moveSpeed_), false);
}

void CViewMotion::OnIncMove(bool decrement) {
    if (app::BoardRef board = Board()) {
        board->MoveSingleAxisIncPos(decrement ? -position_ : position_, static_cast<uint32_t>(moveSpeed_),
                                    false);
    }
}

void CViewMotion::OnJog(uint8_t direction, bool pressed) {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    if (pressed) {
        board->MoveVelocity(static_cast<uint32_t>(jogSpeed_), direction);
    } else {
        board->MoveStop(false);
    }
}

void CViewMotion::OnLimit(uint8_t direction) {
    if (app::BoardRef board = Board()) board->MoveToLimit(static_cast<uint32_t>(jogSpeed_), direction);
}

void CViewMotion::OnOrigin() {
    if (app::BoardRef board = Board()) board->MoveOriginSingleAxis();
}

void CViewMotion::OnClearPosition() {
    if (app::BoardRef board = Board()) board->ClearPosition();
}

void CViewMotion::OnEnable() {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    board->MotorEnable(family_.MotorEnableArgument(shownEnable_));
    Shell().Post(Message::Drive(MsgKind::ServoSwitched, Port(), Slave()));
}

void CViewMotion::OnAlarmReset() {
    if (app::BoardRef board = Board()) board->AlarmReset();
}

void CViewMotion::OnBrake() {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    const bool wasSet = shownBrake_;
    uint32_t state = 0;
    // The drive answers the brake state after the command: anything but the state asked for
    // means the brake did not follow.
    if (board->BrakeSet(!wasSet, state) && (state != 0) == wasSet) {
        Shell().Dialogs().Inform(tr("Error"), tr("Failed to %1 brake").arg(wasSet ? tr("reset") : tr("set")),
                                 app::BoxIcon::Exclamation);
    }
}

void CViewMotion::OnStop(bool emergency) {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    if (emergency) {
        board->EmergencyStop(false);
    } else {
        board->MoveStop(false);
    }
}

void CViewMotion::CloseFrame() {
    if (app::CChildFrame* frame = Frame()) {
        frame->close();
    } else {
        close();
    }
}

bool CViewMotion::eventFilter(QObject* watched, QEvent* event) {
    if (watched == jogMinus_ || watched == jogPlus_) {
        auto* button = static_cast<QPushButton*>(watched);
        const uint8_t direction = watched == jogPlus_ ? 1 : 0;
        bool press = false, release = false;
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                press = event->type() == QEvent::MouseButtonPress;
                release = !press;
            }
        } else if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Space && !key->isAutoRepeat()) {
                press = event->type() == QEvent::KeyPress;
                release = !press;
            }
        }
        if ((press && button->isEnabled() && body_->isEnabled()) || (release && button->isDown())) {
            OnJog(direction, press);
        }
    }
    return CView::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Status

void CViewMotion::OnRedraw() {
    ShowStatus(false);
}

void CViewMotion::ShowStatus(bool all) {
    app::BoardRef board = Board();
    if (board == nullptr) return;
    all = all || !shown_;
    shown_ = true;

    const uint32_t status = board->GetAxisStatus();
    if (all || status != shownStatus_) {
        statusValue_->setText(QString::asprintf("0x%08X", status));
        ++redraws_.statusText;
        const uint32_t changed = all ? 0xFFFFFFFFu : status ^ shownStatus_;
        for (int bit = 0; bit < 32; ++bit) {
            if ((changed & (1u << bit)) == 0) continue;
            const bool lit = (status & (1u << bit)) != 0;
            lamps_[bit]->setPixmap(lit ? lampOn_ : lampOff_);
            lamps_[bit]->setProperty("lit", lit);
            ++redraws_.lamps;
        }
        const bool enable = family_.EnableState(status);
        if (all || enable != shownEnable_) {
            servoLamp_->setPixmap(enable ? servoOn_ : servoOff_);
            servoLamp_->setProperty("lit", enable);
            ++redraws_.servoLamp;
            enable_->setText(tr(family_.EnableCaption(enable)));
            ++redraws_.enableCaption;
            shownEnable_ = enable;
        }
        shownStatus_ = status;
    }

    const uint8_t alarm = board->GetAlarmCode();
    if (all || alarm != shownAlarm_) {
        const char* name = AlarmName(alarm);
        alarmType_->setText(alarm == 0        ? QString()
                            : name != nullptr ? QStringLiteral("%1 [%2]").arg(tr(name)).arg(alarm)
                                              : QString::number(alarm));
        ++redraws_.alarmText;
        shownAlarm_ = alarm;
    }

    redraws_.positions += positions_.Show(*board, all);

    if (family_.brake) {
        const bool brake = board->GetBrakeState();
        if (brake != shownBrake_) {
            brake_->setText(brake ? tr("BRAKE OFF") : tr("BRAKE ON"));
            shownBrake_ = brake;
            ++redraws_.brakeCaption;
        }
    }

    const MotionButtons buttons =
        ButtonState(board->IsBusy(), board->IsTableRunning(), board->IsRepeatRunning(), board->IsJog());
    if (all || buttons != shownButtons_) ApplyButtons(buttons);
}

void CViewMotion::ApplyButtons(MotionButtons state) {
    const bool idle = state == MotionButtons::Idle;
    for (QPushButton* b : {absMove_, decMove_, incMove_, limitMinus_, limitPlus_, origin_, clearPosition_,
                           enable_, alarmReset_, brake_}) {
        b->setEnabled(idle);
    }
    const bool jog = state != MotionButtons::Busy;
    jogMinus_->setEnabled(jog);
    jogPlus_->setEnabled(jog);
    shownButtons_ = state;
    ++redraws_.buttons;
}

// ---------------------------------------------------------------------------------------------

void RegisterMotionViews(app::ViewRegistry& registry) {
    for (const MotionFamily& family : MotionFamilies()) {
        const auto make = [&family](app::IShell& shell, QWidget* parent) -> app::CView* {
            return new CViewMotion(shell, family, parent);
        };
        registry.Register(app::FrameKind::Motion, family.typeCode, QString::fromLatin1(family.className),
                          make);
        if (family.typeCode == 1) {
            registry.Register(app::FrameKind::Motion, app::ViewRegistry::kAnyType,
                              QString::fromLatin1(family.className), make);
        }
    }
}

}  // namespace tarsel::views
