#include "gui/dialogs/teaching_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/app/board_access.h"
#include "gui/app/shell.h"
#include "gui/dialogs/pos_item_fields.h"
#include "gui/model/board/board_type_info.h"
#include "gui/widgets/invalid_edit.h"

namespace tarsel::dialogs {

using app::BoardRef;
using namespace postable;

namespace {

constexpr int kRedrawMs = 120;

// The indicator beside the enable button: a lamp whose colour tells the motor's state.
QPixmap Lamp(bool on, bool stepper) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = on ? (stepper ? QColor(0, 120, 215) : QColor(0, 170, 60)) : QColor(150, 150, 150);
    painter.setBrush(colour);
    painter.setPen(colour.darker());
    painter.drawEllipse(2, 2, 16, 16);
    return pixmap;
}

std::optional<long long> Number(const QString& text) {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

}  // namespace

CDlgTeaching::CDlgTeaching(app::IShell& shell, uint8_t port, uint8_t slave, uint16_t startItem,
                           QWidget* parent)
    : QDialog(parent), shell_(shell), port_(port), slave_(slave), item_(startItem) {
    setObjectName(QStringLiteral("CDlgTeaching"));
    setWindowTitle(tr("Teaching Dialog"));
    Build();
    guard_ = true;
    itemEdit_->setText(QString::number(item_));
    guard_ = false;
    Refresh();
}

void CDlgTeaching::Build() {
    auto* top = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    top->addLayout(row);

    auto* move = new QGroupBox(tr("Move"), this);
    move->setObjectName(QStringLiteral("groupMove"));
    auto* grid = new QGridLayout(move);
    const auto edit = [move, grid](int r, const QString& caption, const QString& unit, const char* name) {
        auto* label = new QLabel(caption, move);
        auto* e = new QLineEdit(move);
        e->setObjectName(QString::fromLatin1(name));
        e->setAccessibleName(caption);
        e->setAlignment(Qt::AlignRight);
        label->setBuddy(e);
        grid->addWidget(label, r, 0);
        grid->addWidget(e, r, 1);
        grid->addWidget(new QLabel(unit, move), r, 2);
        return e;
    };
    cmdPosEdit_ = edit(0, tr("Cmd Pos"), tr("[pulse]"), "editCmdPos");
    speedEdit_ = edit(1, tr("Move Speed"), tr("[pps]"), "editMoveSpeed");
    const auto button = [this](QWidget* parent, const QString& text, const char* name) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        b->setAutoDefault(false);
        return b;
    };
    absMove_ = button(move, tr("Abs Move"), "buttonAbsMove");
    decMove_ = button(move, tr("DEC Move"), "buttonDecMove");
    incMove_ = button(move, tr("INC Move"), "buttonIncMove");
    jogMinus_ = button(move, tr("-Jog"), "buttonJogMinus");
    jogPlus_ = button(move, tr("+Jog"), "buttonJogPlus");
    grid->addWidget(absMove_, 2, 0);
    grid->addWidget(decMove_, 2, 1);
    grid->addWidget(incMove_, 2, 2);
    grid->addWidget(jogMinus_, 3, 0);
    grid->addWidget(jogPlus_, 3, 2);
    row->addWidget(move);

    auto* side = new QVBoxLayout;
    auto* enableRow = new QHBoxLayout;
    indicator_ = new QLabel(this);
    indicator_->setObjectName(QStringLiteral("indicatorMotor"));
    indicator_->setAccessibleName(tr("Motor State"));
    enable_ = button(this, tr("SERVO ON"), "buttonEnable");
    enableRow->addWidget(indicator_);
    enableRow->addWidget(enable_);
    side->addLayout(enableRow);
    alarmReset_ = button(this, tr("ALARM\nRESET"), "buttonAlarmReset");
    stop_ = button(this, tr("STOP"), "buttonStop");
    side->addWidget(alarmReset_);
    side->addWidget(stop_);
    row->addLayout(side);

    auto* status = new QGroupBox(tr("Position Status"), this);
    status->setObjectName(QStringLiteral("groupPositionStatus"));
    auto* statusGrid = new QGridLayout(status);
    const char* const names[] = {"editStatusCmdPos", "editStatusActualPos", "editStatusActualVel",
                                 "editStatusPosError"};
    const QString captions[] = {tr("Cmd Pos"), tr("Actual Pos"), tr("Actual Vel"), tr("Pos Error")};
    for (int k = 0; k < 4; ++k) {
        auto* label = new QLabel(captions[k], status);
        status_[k] = new QLineEdit(status);
        status_[k]->setObjectName(QString::fromLatin1(names[k]));
        status_[k]->setAccessibleName(captions[k]);
        status_[k]->setReadOnly(true);
        status_[k]->setAlignment(Qt::AlignRight);
        status_[k]->setMinimumWidth(90);
        label->setBuddy(status_[k]);
        statusGrid->addWidget(label, k, 0);
        statusGrid->addWidget(status_[k], k, 1);
    }
    row->addWidget(status);

    auto* itemRow = new QHBoxLayout;
    positionSave_ = button(this, tr("Position Save"), "buttonPositionSave");
    itemRow->addWidget(positionSave_);
    auto* itemLabel = new QLabel(tr("Item No"), this);
    itemEdit_ = new QLineEdit(this);
    itemEdit_->setObjectName(QStringLiteral("editItemNo"));
    itemEdit_->setAccessibleName(tr("Item No"));
    itemEdit_->setMaximumWidth(70);
    itemLabel->setBuddy(itemEdit_);
    itemRow->addWidget(itemLabel);
    itemRow->addWidget(itemEdit_);
    begin_ = button(this, tr("Begin"), "buttonBegin");
    itemRow->addWidget(begin_);
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("buttonItemDown"));
    down_->setAccessibleName(tr("Previous Item"));
    down_->setArrowType(Qt::LeftArrow);
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("buttonItemUp"));
    up_->setAccessibleName(tr("Next Item"));
    up_->setArrowType(Qt::RightArrow);
    itemRow->addWidget(down_);
    itemRow->addWidget(up_);
    end_ = button(this, tr("End"), "buttonEnd");
    itemRow->addWidget(end_);
    itemRow->addStretch();
    close_ = button(this, tr("Close"), "buttonClose");
    itemRow->addWidget(close_);
    top->addLayout(itemRow);

    connect(cmdPosEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const auto v = Number(text);
        const bool ok = v && *v >= INT32_MIN && *v <= INT32_MAX;
        widgets::MarkInvalid(cmdPosEdit_, !ok);
        if (ok) cmdPos_ = static_cast<int32_t>(*v);
    });
    connect(speedEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const auto v = Number(text);
        BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
        const bool ok =
            v && *v > 0 && *v <= INT32_MAX && (!board || board->CheckValue1(static_cast<int32_t>(*v)));
        widgets::MarkInvalid(speedEdit_, !ok);
        if (ok) speed_ = static_cast<uint32_t>(*v);
    });
    connect(absMove_, &QPushButton::clicked, this, &CDlgTeaching::AbsMove);
    connect(incMove_, &QPushButton::clicked, this, [this] { IncMove(false); });
    connect(decMove_, &QPushButton::clicked, this, [this] { IncMove(true); });
    connect(stop_, &QPushButton::clicked, this, &CDlgTeaching::Stop);
    connect(enable_, &QPushButton::clicked, this, &CDlgTeaching::EnableClicked);
    connect(alarmReset_, &QPushButton::clicked, this, &CDlgTeaching::AlarmReset);
    connect(positionSave_, &QPushButton::clicked, this, [this] { PositionSave(); });
    connect(begin_, &QPushButton::clicked, this, &CDlgTeaching::Begin);
    connect(end_, &QPushButton::clicked, this, &CDlgTeaching::End);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(itemEdit_, &QLineEdit::textChanged, this, &CDlgTeaching::ItemEdited);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    // The jog runs while the left button is held on the button, so it acts on the raw press and
    // release rather than on clicks.
    jogMinus_->installEventFilter(this);
    jogPlus_->installEventFilter(this);
}

void CDlgTeaching::Refresh() {
    timer_.stop();
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    const bool open = board && board->IsPortOpen();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w != close_ &&
            (qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w) || qobject_cast<QLineEdit*>(w))) {
            w->setEnabled(open);
        }
    }
    if (!open) return;
    guard_ = true;
    if (cmdPosEdit_->text().isEmpty()) {
        cmdPosEdit_->setText(QStringLiteral("10000"));
        speedEdit_->setText(QStringLiteral("100000"));
    } else {
        // Set again so that both are validated against this drive.
        cmdPosEdit_->setText(cmdPosEdit_->text());
        speedEdit_->setText(speedEdit_->text());
        emit speedEdit_->textChanged(speedEdit_->text());
    }
    if (itemEdit_->text() != QString::number(item_)) itemEdit_->setText(QString::number(item_));
    guard_ = false;
    lastAxis_.reset();
    motorOn_.reset();
    runState_ = -1;
    Tick();
    timer_.start(kRedrawMs, this);
}

void CDlgTeaching::Tick() {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return;
    const uint32_t axis = board->GetAxisStatus();
    if (!lastAxis_ || *lastAxis_ != axis) {
        lastAxis_ = axis;
        const bool on = board->IsMotorOn();
        if (!motorOn_ || *motorOn_ != on) {
            motorOn_ = on;
            const bool stepper = board->GetBoardType() == board_type::kStepper;
            // The button offers the opposite of the present state.
            if (stepper) {
                enable_->setText(on ? tr("STEP OFF") : tr("STEP ON"));
            } else {
                enable_->setText(on ? tr("SERVO OFF") : tr("SERVO ON"));
            }
            indicator_->setPixmap(Lamp(on, stepper));
        }
    }
    const std::array<int32_t, 4> values{board->GetCommandPosition(), board->GetActualPosition(),
                                        board->GetActualVelocity(), board->GetPositionError()};
    for (int k = 0; k < 4; ++k) {
        if (lastPositions_[k] != values[k]) {
            lastPositions_[k] = values[k];
            status_[k]->setText(QString::number(values[k]));
        }
    }
    const bool busy =
        board->IsBusy() || board->IsRepeatRunning() || board->IsTableRunning() || board->IsJog();
    const bool jog = board->IsJog();
    const int state = (busy ? 1 : 0) | (jog ? 2 : 0);
    if (state == runState_) return;
    runState_ = state;
    for (QPushButton* b : {absMove_, decMove_, incMove_, enable_, alarmReset_, positionSave_})
        b->setEnabled(!busy);
    jogMinus_->setEnabled(!busy || jog);
    jogPlus_->setEnabled(!busy || jog);
}

void CDlgTeaching::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Tick();
        return;
    }
    QDialog::timerEvent(event);
}

bool CDlgTeaching::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == jogMinus_ || watched == jogPlus_) &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && static_cast<QWidget*>(watched)->isEnabled()) {
            if (event->type() == QEvent::MouseButtonPress) {
                JogPressed(watched == jogPlus_ ? 1 : 0);
            } else {
                JogReleased();
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgTeaching::AbsMove() {
    if (BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_)) {
        board->MoveSingleAxisAbsPos(cmdPos_, speed_, false);
    }
}

void CDlgTeaching::IncMove(bool decrement) {
    if (BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_)) {
        board->MoveSingleAxisIncPos(decrement ? -cmdPos_ : cmdPos_, speed_, false);
    }
}

void CDlgTeaching::Stop() {
    if (BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_)) board->MoveStop(false);
}

void CDlgTeaching::JogPressed(uint8_t direction) {
    if (BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_))
        board->MoveVelocity(speed_, direction);
}

void CDlgTeaching::JogReleased() {
    Stop();
}

void CDlgTeaching::EnableClicked() {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return;
    const bool on = board->IsMotorOn();
    if (board->GetBoardType() != board_type::kStepper) {
        board->ServoEnable(!on);
    } else {
        // The stepper is switched off by holding its alarm-reset input.
        board->StepAlarmReset(on);
    }
    shell_.Post(app::Message::Drive(app::MsgKind::ServoSwitched, port_, slave_));
}

void CDlgTeaching::AlarmReset() {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return;
    if (board->GetBoardType() != board_type::kStepper) {
        board->ServoAlarmReset();
    } else if (board->StepAlarmReset(true)) {
        board->StepAlarmReset(false);  // a pulse on the input
    }
}

bool CDlgTeaching::PositionSave() {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board || item_ >= board->GetPosTableItemCount()) return false;
    auto record = board->GetPosTableItem(item_);
    if (!record) return false;
    PosItemFields f = Decode(*record);
    f.position = board->GetCommandPosition();
    Encode(f, *record);
    return board->WritePosTableItem(item_, *record, true);
}

bool CDlgTeaching::IsAbsoluteItem(uint16_t item) const {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return false;
    const auto record = board->GetPosTableItem(item);
    return record && IsAbsolute(Decode(*record).command);
}

std::optional<uint16_t> CDlgTeaching::FindAbsolute(int from, int direction) const {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return std::nullopt;
    const int count = board->GetPosTableItemCount();
    for (int i = from; i >= 0 && i < count; i += direction) {
        if (IsAbsoluteItem(static_cast<uint16_t>(i))) return static_cast<uint16_t>(i);
    }
    return std::nullopt;
}

void CDlgTeaching::Begin() {
    if (const auto item = FindAbsolute(0, +1)) itemEdit_->setText(QString::number(*item));
}

void CDlgTeaching::End() {
    BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return;
    if (const auto item = FindAbsolute(board->GetPosTableItemCount() - 1, -1))
        itemEdit_->setText(QString::number(*item));
}

void CDlgTeaching::Step(int direction) {
    if (const auto item = FindAbsolute(static_cast<int>(item_) + direction, direction)) {
        itemEdit_->setText(QString::number(*item));
    }
}

void CDlgTeaching::ItemEdited() {
    if (guard_) return;
    const auto v = Number(itemEdit_->text());
    if (!v || *v < 0 || *v > 0xFFFF) return;
    const auto item = static_cast<uint16_t>(*v);
    shell_.Post(app::Message::Drive(app::MsgKind::PosItemEdited, port_, slave_, item));
    if (item != item_) {
        item_ = item;
        Refresh();
    }
}

}  // namespace tarsel::dialogs
