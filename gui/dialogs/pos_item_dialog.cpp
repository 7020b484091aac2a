#include "gui/dialogs/pos_item_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimerEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/app/board_access.h"
#include "gui/app/shell.h"
#include "gui/widgets/invalid_edit.h"

#include <algorithm>
#include <climits>

namespace tarsel::dialogs {

using namespace postable;

namespace {

constexpr int kRedrawMs = 120;

const char* const kCommandTexts[] = {
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "ABS - Only Low Speed"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "ABS - Only High Speed"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "ABS - High Speed and Decel."),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "ABS - Normal Motion"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "INC - Only Low Speed"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "INC - Only High Speed"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "INC - High Speed and Decel."),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "INC - Normal Motion"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "Move Origin"),
    QT_TRANSLATE_NOOP("tarsel::dialogs::CDlgPosItem", "Clear Position"),
};

std::optional<long long> Number(const QString& text) {
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(90);
    return edit;
}

// A labelled edit on a grid row, with the unit after it.
QLineEdit* AddEdit(QGridLayout* grid, int row, const QString& caption, const QString& unit,
                   const char* name) {
    QWidget* parent = grid->parentWidget();
    auto* label = new QLabel(caption, parent);
    QLineEdit* edit = MakeEdit(parent, name);
    label->setBuddy(edit);
    edit->setAccessibleName(caption);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    if (!unit.isEmpty()) grid->addWidget(new QLabel(unit, parent), row, 2);
    return edit;
}

QCheckBox* MakeCheck(QWidget* parent, const QString& caption, const char* name) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void SetNumber(QLineEdit* edit, long long v) {
    edit->setText(QString::number(v));
}

uint16_t U16(const QLineEdit* edit) {
    const auto v = Number(edit->text());
    return v ? static_cast<uint16_t>(*v) : 0;
}

}  // namespace

CDlgPosItem::CDlgPosItem(app::IShell& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
    setObjectName(QStringLiteral("CDlgPosItem"));
    setWindowTitle(tr("Position Table Item Editor"));
    setModal(false);
    Build();
}

void CDlgPosItem::Build() {
    auto* top = new QVBoxLayout(this);
    itemGroup_ = new QGroupBox(this);
    itemGroup_->setObjectName(QStringLiteral("groupItem"));
    top->addWidget(itemGroup_);
    auto* body = new QHBoxLayout(itemGroup_);

    // Left column: command and motion fields.
    auto* left = new QWidget(itemGroup_);
    auto* grid = new QGridLayout(left);
    auto* commandLabel = new QLabel(tr("Command  :"), left);
    command_ = new QComboBox(left);
    command_->setObjectName(QStringLiteral("comboCommand"));
    command_->setAccessibleName(tr("Command"));
    for (const char* text : kCommandTexts) command_->addItem(tr(text));
    commandLabel->setBuddy(command_);
    grid->addWidget(commandLabel, 0, 0);
    grid->addWidget(command_, 0, 1, 1, 2);
    position_ = AddEdit(grid, 1, tr("Position"), tr("[pulse]"), "editPosition");
    lowSpeed_ = AddEdit(grid, 2, tr("Low Speed"), tr("[pps]"), "editLowSpeed");
    highSpeed_ = AddEdit(grid, 3, tr("High Speed"), tr("[pps]"), "editHighSpeed");
    accel_ = AddEdit(grid, 4, tr("Accel Time"), tr("[msec]"), "editAccel");
    decel_ = AddEdit(grid, 5, tr("Decel Time"), tr("[msec]"), "editDecel");
    continuous_ = MakeCheck(left, tr("Enable Continuous Action"), "checkContinuous");
    grid->addWidget(continuous_, 6, 0, 1, 3);
    inpos_ = MakeCheck(left, tr("Check Inposition"), "checkInpos");
    grid->addWidget(inpos_, 7, 0, 1, 3);
    waitTime_ = AddEdit(grid, 8, tr("Waiting Time after command"), tr("[msec]"), "editWaitTime");
    loopClearCheck_ = MakeCheck(left, tr("Clear Loop Count"), "checkLoopClear");
    grid->addWidget(loopClearCheck_, 9, 0);
    auto* loopClearLabel = new QLabel(tr("JP Table No."), left);
    loopClear_ = MakeEdit(left, "editLoopClear");
    loopClear_->setAccessibleName(tr("Clear Loop Count"));
    loopClearLabel->setBuddy(loopClear_);
    grid->addWidget(loopClearLabel, 10, 0);
    grid->addWidget(loopClear_, 10, 1);
    body->addWidget(left);

    // Right column: jumps, loop and PT outputs.
    auto* right = new QVBoxLayout;
    auto* jumpGroup = new QGroupBox(tr("Jump"), itemGroup_);
    jumpGroup->setObjectName(QStringLiteral("groupJump"));
    auto* jumpGrid = new QGridLayout(jumpGroup);
    jump_ = AddEdit(jumpGrid, 0, tr("JP Table No."), {}, "editJump");
    for (int k = 0; k < 3; ++k) {
        const QString caption = tr("JPT %1").arg(k);
        jptCheck_[k] =
            MakeCheck(jumpGroup, caption, QStringLiteral("checkJpt%1").arg(k).toLatin1().constData());
        jpt_[k] = MakeEdit(jumpGroup, QStringLiteral("editJpt%1").arg(k).toLatin1().constData());
        jpt_[k]->setAccessibleName(caption);
        jumpGrid->addWidget(jptCheck_[k], k + 1, 0);
        jumpGrid->addWidget(jpt_[k], k + 1, 1);
    }
    right->addWidget(jumpGroup);

    loopGroup_ = new QGroupBox(tr("Counting Loop"), itemGroup_);
    loopGroup_->setObjectName(QStringLiteral("groupLoop"));
    loopGroup_->setCheckable(true);
    auto* loopGrid = new QGridLayout(loopGroup_);
    loopCount_ = AddEdit(loopGrid, 0, tr("Loop Count"), {}, "editLoopCount");
    loopJump_ = AddEdit(loopGrid, 1, tr("JP Table No. at the end of loop"), {}, "editLoopJump");
    right->addWidget(loopGroup_);

    ptGroup_ = new QGroupBox(tr("PT Output Set"), itemGroup_);
    ptGroup_->setObjectName(QStringLiteral("groupPt"));
    ptGroup_->setCheckable(true);
    auto* ptLayout = new QGridLayout(ptGroup_);
    startSign_ = new QRadioButton(tr("Start Sign"), ptGroup_);
    startSign_->setObjectName(QStringLiteral("radioStartSign"));
    endSign_ = new QRadioButton(tr("End Sign"), ptGroup_);
    endSign_->setObjectName(QStringLiteral("radioEndSign"));
    ptLayout->addWidget(startSign_, 0, 0, 1, 2);
    ptLayout->addWidget(endSign_, 0, 2, 1, 2);
    for (int k = 0; k < 4; ++k) {
        pt_[k] = MakeCheck(ptGroup_, tr("PT %1").arg(k),
                           QStringLiteral("checkPt%1").arg(k).toLatin1().constData());
        ptLayout->addWidget(pt_[k], 1, k);
    }
    right->addWidget(ptGroup_);
    right->addStretch();
    body->addLayout(right);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    save_ = button(tr("Save"), "buttonSave");
    begin_ = button(tr("Begin"), "buttonBegin");
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("buttonItemDown"));
    down_->setArrowType(Qt::LeftArrow);
    down_->setAccessibleName(tr("Previous Item"));
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("buttonItemUp"));
    up_->setArrowType(Qt::RightArrow);
    up_->setAccessibleName(tr("Next Item"));
    buttons->addWidget(down_);
    buttons->addWidget(up_);
    end_ = button(tr("End"), "buttonEnd");
    buttons->addStretch();
    close_ = button(tr("Close"), "buttonClose");
    top->addLayout(buttons);

    connect(command_, &QComboBox::activated, this, &CDlgPosItem::OnCommandChosen);
    for (QLineEdit* e : {position_, lowSpeed_, highSpeed_, accel_, decel_, waitTime_}) {
        connect(e, &QLineEdit::textChanged, this, [this, e] { Validate(e); });
    }
    connect(continuous_, &QCheckBox::toggled, this, &CDlgPosItem::UpdateEnabling);
    connect(ptGroup_, &QGroupBox::toggled, this, [this](bool on) {
        if (on && !startSign_->isChecked() && !endSign_->isChecked()) startSign_->setChecked(true);
    });
    connect(save_, &QPushButton::clicked, this, [this] { Save(); });
    connect(begin_, &QPushButton::clicked, this, [this] { Follow(0); });
    connect(end_, &QPushButton::clicked, this, [this] { Follow(count_ - 1); });
    connect(up_, &QToolButton::clicked, this, [this] { Follow(item_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { Follow(static_cast<int>(item_) - 1); });
    connect(close_, &QPushButton::clicked, this, &QDialog::hide);
}

void CDlgPosItem::ShowItem(uint8_t port, uint8_t slave, uint16_t item) {
    port_ = port;
    slave_ = slave;
    item_ = item;
    app::BoardRef board = app::LookupBoard(shell_.Master(), port, slave);
    if (!board) return;
    count_ = board->GetPosTableItemCount();
    type_ = board->GetBoardType();
    PosItemFields f;
    if (auto record = board->GetPosTableItem(item)) f = Decode(*record);
    shown_ = f;
    filling_ = true;
    itemGroup_->setTitle(tr("Item No. : %1").arg(item, 4));
    pt_[3]->setVisible(HasPt3(type_));
    inpos_->setVisible(HasInposColumn(type_));
    const bool empty = f.IsEmpty();
    const auto fill = [empty](QLineEdit* e, long long v) {
        if (empty) {
            e->clear();
        } else {
            SetNumber(e, v);
        }
    };
    command_->setCurrentIndex(empty ? -1 : f.command);
    fill(position_, f.position);
    fill(lowSpeed_, f.lowSpeed);
    fill(highSpeed_, f.highSpeed);
    fill(accel_, f.accel);
    fill(decel_, f.decel);
    fill(waitTime_, f.waitTime);
    continuous_->setChecked(!empty && f.continuous != 0);
    inpos_->setChecked(!empty && f.checkInpos == 1);
    const auto jumpFill = [&](QLineEdit* e, QCheckBox* box, uint16_t v) {
        const bool valid = !empty && IsValidJump(v, count_);
        if (valid) {
            SetNumber(e, v);
        } else {
            e->clear();
        }
        if (box != nullptr) box->setChecked(valid);
    };
    jumpFill(jump_, nullptr, f.jump);
    for (int k = 0; k < 3; ++k) jumpFill(jpt_[k], jptCheck_[k], f.jpt[k]);
    const bool loop = !empty && IsLoopCounted(f.loopCount);
    loopGroup_->setChecked(loop);
    if (loop) {
        SetNumber(loopCount_, f.loopCount);
        jumpFill(loopJump_, nullptr, f.loopJump);
    } else {
        loopCount_->clear();
        loopJump_->clear();
    }
    const bool clear = !empty && f.loopClear < count_;
    loopClearCheck_->setChecked(clear);
    if (clear) {
        SetNumber(loopClear_, f.loopClear);
    } else {
        loopClear_->clear();
    }
    const bool pt = !empty && HasPtOutput(f.ptSet, type_);
    startSign_->setAutoExclusive(false);
    startSign_->setChecked(pt && (f.ptSet & EndSignBit(type_)) == 0);
    endSign_->setChecked(pt && (f.ptSet & EndSignBit(type_)) != 0);
    startSign_->setAutoExclusive(true);
    ptGroup_->setChecked(pt);
    for (int k = 0; k < 4; ++k) pt_[k]->setChecked(pt && ((f.ptSet >> k) & 1u) != 0);
    filling_ = false;
    UpdateEnabling();
    runState_ = -1;
    UpdateRunState();
}

void CDlgPosItem::OnCommandChosen(int index) {
    if (index == kMoveOrigin) {
        if (app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_)) {
            // Origin search runs at the drive's own origin speeds and time.
            SetNumber(lowSpeed_, board->GetDefaultStartSpeed());
            SetNumber(highSpeed_, board->GetDefaultRunSpeed());
            SetNumber(accel_, board->GetDefaultAccDecTime());
            SetNumber(decel_, board->GetDefaultAccDecTime());
        }
    } else if (index == kClearPosition) {
        position_->setText(QStringLiteral("0"));
    }
    UpdateEnabling();
}

void CDlgPosItem::UpdateEnabling() {
    const int command = command_->currentIndex();
    const MotionUse use = command >= 0 ? UsedFields(static_cast<uint16_t>(command)) : MotionUse{};
    position_->setEnabled(use.position);
    lowSpeed_->setEnabled(use.lowSpeed);
    highSpeed_->setEnabled(use.highSpeed);
    accel_->setEnabled(use.accel);
    decel_->setEnabled(use.decel);
    const bool notClear = command != kClearPosition;
    continuous_->setEnabled(notClear);
    const bool continuous = continuous_->isChecked();
    inpos_->setEnabled(notClear && OffersInposCheck(type_) && !continuous);
    waitTime_->setEnabled(!continuous);
    for (QLineEdit* e : {position_, lowSpeed_, highSpeed_, accel_, decel_, waitTime_}) Validate(e);
}

bool CDlgPosItem::IsValid(QLineEdit* edit) const {
    if (!edit->isEnabled()) return true;  // a field the command does not use is not checked
    if (edit == waitTime_ && edit->text().trimmed().isEmpty()) return true;  // no wait
    const auto v = Number(edit->text());
    if (!v) return false;
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    const auto in32 = [](long long x) { return x >= INT32_MIN && x <= INT32_MAX; };
    if (edit == position_) return in32(*v);
    if (edit == waitTime_) return *v >= 0 && *v <= 0xFFFF;
    if (!in32(*v)) return false;
    if (!board) return true;
    const auto x = static_cast<int32_t>(*v);
    if (edit == lowSpeed_) return x >= 0 && board->CheckValue2(x);
    if (edit == highSpeed_) return x >= 0 && board->CheckValue1(x);
    if (edit == accel_) return x >= 0 && x <= 0xFFFF && board->CheckValue3(x);
    if (edit == decel_) return x >= 0 && x <= 0xFFFF && board->CheckValue4(x);
    return true;
}

void CDlgPosItem::Validate(QLineEdit* edit) {
    const bool empty = command_->currentIndex() < 0 && edit->text().isEmpty();
    widgets::MarkInvalid(edit, !empty && !IsValid(edit));
}

bool CDlgPosItem::Save() {
    const int command = command_->currentIndex();
    QLineEdit* firstInvalid = nullptr;
    for (QLineEdit* e : {position_, lowSpeed_, highSpeed_, accel_, decel_, waitTime_}) {
        Validate(e);
        if (firstInvalid == nullptr && widgets::IsMarkedInvalid(e)) firstInvalid = e;
    }
    if (command < 0 || firstInvalid != nullptr) {
        shell_.Dialogs().Inform(tr("Error"), tr("Data value which you want to write is out of range."),
                                app::BoxIcon::Error);
        if (firstInvalid != nullptr) firstInvalid->setFocus();
        return false;
    }
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    if (!board) return false;
    PosTableItem record;
    record.fill(0xFF);
    if (auto cached = board->GetPosTableItem(item_)) record = *cached;
    PosItemFields f;
    f.command = static_cast<uint16_t>(command);
    f.position = static_cast<int32_t>(Number(position_->text()).value_or(0));
    f.lowSpeed = static_cast<uint32_t>(Number(lowSpeed_->text()).value_or(0));
    f.highSpeed = static_cast<uint32_t>(Number(highSpeed_->text()).value_or(0));
    f.accel = U16(accel_);
    f.decel = U16(decel_);
    f.waitTime = U16(waitTime_);
    f.continuous = continuous_->isChecked() ? 1 : 0;
    f.checkInpos = (HasInposColumn(type_) && inpos_->isChecked()) ? 1 : 0;
    const auto jumpOf = [this](const QLineEdit* e, bool ticked) -> uint16_t {
        const auto v = Number(e->text());
        if (!ticked || !v || *v < 0 || *v > 0xFFFF || !IsValidJump(static_cast<uint16_t>(*v), count_))
            return kNoItem;
        return static_cast<uint16_t>(*v);
    };
    f.jump = jumpOf(jump_, true);
    for (int k = 0; k < 3; ++k) f.jpt[k] = jumpOf(jpt_[k], jptCheck_[k]->isChecked());
    const auto loops = Number(loopCount_->text());
    if (loopGroup_->isChecked() && loops && *loops >= 1 && *loops <= kMaxLoopCount) {
        f.loopCount = static_cast<uint16_t>(*loops);
        f.loopJump = jumpOf(loopJump_, true);
    } else {
        f.loopCount = 0;
        f.loopJump = kNoItem;
    }
    const auto clear = Number(loopClear_->text());
    f.loopClear = (loopClearCheck_->isChecked() && clear && *clear >= 0 && *clear < count_)
                      ? static_cast<uint16_t>(*clear)
                      : kNoItem;
    f.ptSet = 0;
    if (ptGroup_->isChecked()) {
        if (endSign_->isChecked()) f.ptSet |= EndSignBit(type_);
        for (int k = 0; k < (HasPt3(type_) ? 4 : 3); ++k) {
            if (pt_[k]->isChecked()) f.ptSet |= static_cast<uint16_t>(1u << k);
        }
    }
    Encode(f, record);
    if (!board->WritePosTableItem(item_, record, true)) {
        shell_.Dialogs().Inform(tr("Error"), tr("A error is occured while writing position table data."),
                                app::BoxIcon::Error);
        return false;
    }
    shown_ = f;
    return true;
}

void CDlgPosItem::Follow(int item) {
    if (count_ == 0) return;
    const int clamped = std::clamp(item, 0, count_ - 1);
    shell_.Post(app::Message::Drive(app::MsgKind::PosItemEdited, port_, slave_, clamped));
}

void CDlgPosItem::UpdateRunState() {
    app::BoardRef board = app::LookupBoard(shell_.Master(), port_, slave_);
    const int running = (board && board->IsTableRunning()) ? 1 : 0;
    if (running == runState_) return;
    runState_ = running;
    for (QWidget* w : std::initializer_list<QWidget*>{begin_, up_, down_, end_, save_})
        w->setEnabled(running == 0);
}

void CDlgPosItem::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        UpdateRunState();
        return;
    }
    QDialog::timerEvent(event);
}

void CDlgPosItem::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    timer_.start(kRedrawMs, this);
}

void CDlgPosItem::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    timer_.stop();
}

}  // namespace tarsel::dialogs
