#include "gui/views/io_setting_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/ini/ini_file.h"
#include "formats/files/drive_file_header.h"
#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CBoardInterface.h"
#include "gui/views/progress_bridge.h"
#include "gui/widgets/progress_dialog.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

using app::Message;
using app::MsgKind;

namespace {

// The lists of the first three input rows and of the first output row are never chosen from.
constexpr int kLockedInputLists = 3;
constexpr int kLockedOutputLists = 1;

QString SideName(bool output) {
    return output ? QStringLiteral("output") : QStringLiteral("input");
}

// Logic number of list entry `entry` in pin row `pin` of a side with `fixed` fixed pins.
int LogicOfEntry(int pin, int entry, int fixed) {
    if (pin < fixed) return entry;
    return entry <= 0 ? 0 : entry + fixed;
}

}  // namespace

CViewIOSetting::CViewIOSetting(app::IShell& shell, QWidget* parent)
    : app::CView(shell, app::FrameKind::IoSetting, parent) {
    setObjectName(QStringLiteral("CViewIOSetting"));

    auto* buttons = new QVBoxLayout;
    const auto addCommand = [&](const QString& text, const char* name, void (CViewIOSetting::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        commands_.push_back(button);
    };
    addCommand(tr("Set to DEFAULT"), "defaultButton", &CViewIOSetting::SetToDefault);
    addCommand(tr("Load ROM"), "loadRomButton", &CViewIOSetting::LoadRom);
    addCommand(tr("Save to ROM"), "saveRomButton", &CViewIOSetting::SaveRom);
    addCommand(tr("Load File"), "loadFileButton", &CViewIOSetting::LoadFile);
    addCommand(tr("Save to File"), "saveFileButton", &CViewIOSetting::SaveFile);
    buttons->addStretch(1);
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    buttons->addWidget(closeButton_);
    connect(closeButton_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });

    inputGroup_ = BuildSide(false, kInputRows);
    outputGroup_ = BuildSide(true, kOutputRows);
    auto* groups = new QHBoxLayout;
    groups->addWidget(inputGroup_, 0, Qt::AlignTop);
    groups->addWidget(outputGroup_, 0, Qt::AlignTop);
    groups->addLayout(buttons);

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groups);
    EnableForm(false);
}

QGroupBox* CViewIOSetting::BuildSide(bool output, int rows) {
    const QString name = SideName(output);
    auto* group = new QGroupBox(output ? tr("Assign OUTPUT") : tr("Assign INPUT"), this);
    group->setObjectName(name + QStringLiteral("Group"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(3);
    std::vector<Row>& list = Rows(output);
    list.resize(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        Row& row = list[static_cast<std::size_t>(i)];
        row.caption = new QLabel(output ? tr("OUTPUT") : tr("INPUT"), group);
        row.caption->setObjectName(QStringLiteral("%1Caption%2").arg(name).arg(i));
        row.caption->setMinimumWidth(110);
        row.logic = new QComboBox(group);
        row.logic->setObjectName(QStringLiteral("%1Logic%2").arg(name).arg(i));
        row.logic->setMinimumWidth(150);
        row.logic->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        row.caption->setBuddy(row.logic);
        row.logic->setAccessibleName(row.caption->text());
        row.level = new QPushButton(tr("Low Active"), group);
        row.level->setObjectName(QStringLiteral("%1Level%2").arg(name).arg(i));
        row.level->setMinimumWidth(96);
        grid->addWidget(row.caption, i, 0);
        grid->addWidget(row.logic, i, 1);
        grid->addWidget(row.level, i, 2);
        // `activated` comes from the user only; the view's own rewrites do not trigger it.
        connect(row.logic, &QComboBox::activated, this,
                [this, output, i](int entry) { OnLogicChosen(output, i, entry); });
        connect(row.level, &QPushButton::clicked, this, [this, output, i] { OnLevelClicked(output, i); });
    }
    return group;
}

QComboBox* CViewIOSetting::LogicList(bool output, int pin) const {
    const std::vector<Row>& list = output ? outputs_ : inputs_;
    return pin >= 0 && pin < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(pin)].logic
                                                           : nullptr;
}

QPushButton* CViewIOSetting::LevelButton(bool output, int pin) const {
    const std::vector<Row>& list = output ? outputs_ : inputs_;
    return pin >= 0 && pin < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(pin)].level
                                                           : nullptr;
}

QLabel* CViewIOSetting::Caption(bool output, int pin) const {
    const std::vector<Row>& list = output ? outputs_ : inputs_;
    return pin >= 0 && pin < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(pin)].caption
                                                           : nullptr;
}

void CViewIOSetting::OnMessage(const Message& message) {
    switch (message.kind) {
        case MsgKind::ServeDrive:
            // A slave number the registry does not know keeps the drive shown.
            if (HasDrive() && !app::LookupBoard(Shell().Master(), message.port, message.slave)) return;
            app::CView::OnMessage(message);
            return;
        case MsgKind::DataReloaded:
            FullRefresh();
            return;
        case MsgKind::IoAssignChanged:
            if (!HasDrive() || message.slave != Slave()) return;
            if (message.AllPins()) {
                FullRefresh();
            } else {
                ShowRowFromBoard(message.Output(), static_cast<int>(message.Pin()));
            }
            return;
        case MsgKind::IoLevelChanged:
            if (HasDrive() && message.slave == Slave())
                ShowLevelFromBoard(message.Output(), static_cast<int>(message.Pin()));
            return;
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || message.slave == Slave()) {
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        default:
            app::CView::OnMessage(message);
    }
}

void CViewIOSetting::OnDriveChanged() {
    const app::BoardRef board = Board();
    FullRefresh();
    if (board && !(board->paramLoaded.load() && board->ioLoaded.load())) {
        board->RequestLoad(load_bit::kParameters | load_bit::kIoAssign);
        Shell().LoadData(Port(), Slave(), app::kLoadParameters | app::kLoadIoMap);
    }
}

void CViewIOSetting::EnableForm(bool on) {
    inputGroup_->setEnabled(on);
    outputGroup_->setEnabled(on);
    for (QPushButton* button : commands_) button->setEnabled(on);
}

void CViewIOSetting::FullRefresh() {
    const app::BoardRef board = Board();
    widgets::CSlaveSelector* selector = SlaveSelector();
    if (!board || !board->IsPortOpen()) {
        EnableForm(false);  // "Close" and the slave buttons stay
        return;
    }
    EnableForm(true);
    const CCommMaster& master = Shell().Master();
    selector->SetState(Slave(), master.GetPrevSlave(Port(), Slave()) != Slave(),
                       master.GetNextSlave(Port(), Slave()) != Slave());
    const CIOInfo io = board->GetIOInfo();
    for (bool output : {false, true}) {
        const CIOSide& side = io.Side(output);
        FillRows(output, side);
        for (int pin = 0; pin < std::min<int>(side.PinCount(), static_cast<int>(Rows(output).size())); ++pin)
            ShowRow(output, pin, side);
    }
}

void CViewIOSetting::FillRows(bool output, const CIOSide& side) {
    std::vector<Row>& list = Rows(output);
    const int fixed = side.FixedCount();
    const int pins = side.PinCount();
    const int signalCount = side.SignalCount();
    const int locked = output ? kLockedOutputLists : kLockedInputLists;
    rewriting_ = true;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        Row& row = list[static_cast<std::size_t>(i)];
        QString caption;
        if (i >= pins) {
            // Beyond the drive's pins: the row stays as it is, disabled.
            caption = output ? tr("OUTPUT") : tr("INPUT");
            row.caption->setEnabled(false);
            row.logic->setEnabled(false);
            row.level->setEnabled(false);
        } else {
            QStringList entries{tr("[NONE]")};
            if (i < fixed) {
                caption = QString::fromStdString(side.Label(static_cast<uint32_t>(i + 1))).toUpper();
                for (int n = 1; n <= signalCount; ++n)
                    entries << QString::fromStdString(side.Label(static_cast<uint32_t>(n)));
            } else {
                caption = (output ? tr("OUTPUT %1") : tr("INPUT %1")).arg(i - fixed + 1);
                for (int n = fixed + 1; n <= signalCount; ++n)
                    entries << QString::fromStdString(side.Label(static_cast<uint32_t>(n)));
            }
            QStringList current;
            for (int k = 0; k < row.logic->count(); ++k) current << row.logic->itemText(k);
            if (current != entries) {
                row.logic->clear();
                row.logic->addItems(entries);
            }
            row.caption->setEnabled(true);
            row.logic->setEnabled(i >= locked && i >= fixed);
        }
        if (row.caption->text() != caption) row.caption->setText(caption);
        row.logic->setAccessibleName(caption);
        row.level->setAccessibleName(tr("%1 level").arg(caption));
    }
    rewriting_ = false;
}

void CViewIOSetting::SelectEntry(bool output, int pin, int entry) {
    QComboBox* list = LogicList(output, pin);
    if (list == nullptr) return;
    rewriting_ = true;
    if (list->currentIndex() != entry) list->setCurrentIndex(entry);
    rewriting_ = false;
}

void CViewIOSetting::ShowRow(bool output, int pin, const CIOSide& side) {
    if (pin >= side.PinCount()) return;
    const int fixed = side.FixedCount();
    const int logic = side.SignalOnPin(static_cast<uint32_t>(pin));
    int entry = 0;
    if (pin < fixed) {
        entry = logic <= fixed ? logic : 0;
    } else if (logic > fixed && logic <= side.SignalCount()) {
        entry = logic - fixed;
    }
    SelectEntry(output, pin, entry);
    ShowLevel(output, pin, side);
}

void CViewIOSetting::ShowLevel(bool output, int pin, const CIOSide& side) {
    QPushButton* button = LevelButton(output, pin);
    if (button == nullptr || pin >= side.PinCount()) return;
    const int signal = side.SignalOnPin(static_cast<uint32_t>(pin));
    const SignalRecord* record = signal > 0 ? side.Record(static_cast<uint32_t>(signal)) : nullptr;
    if (record == nullptr) {
        button->setEnabled(false);
        return;
    }
    const QString text = record->level != 0 ? tr("High Active") : tr("Low Active");
    if (button->text() != text) button->setText(text);
    button->setEnabled(true);
}

void CViewIOSetting::ShowRowFromBoard(bool output, int pin) {
    if (const app::BoardRef board = Board()) ShowRow(output, pin, board->GetIOInfo().Side(output));
}

void CViewIOSetting::ShowLevelFromBoard(bool output, int pin) {
    if (const app::BoardRef board = Board()) ShowLevel(output, pin, board->GetIOInfo().Side(output));
}

void CViewIOSetting::OnLogicChosen(bool output, int pin, int entry) {
    if (rewriting_) return;
    const app::BoardRef board = Board();
    if (!board) return;
    const CIOSide side = board->GetIOInfo().Side(output);
    if (pin >= side.PinCount()) return;
    const int logic = LogicOfEntry(pin, entry, side.FixedCount());
    const auto assign = [&] {
        return output ? board->AssignOutputPin(static_cast<uint8_t>(pin), static_cast<uint8_t>(logic))
                      : board->AssignInputPin(static_cast<uint8_t>(pin), static_cast<uint8_t>(logic));
    };
    const QString caption = output ? tr("Output Assign") : tr("Input Assign");
    if (!assign()) {
        const SignalRecord* record = logic > 0 ? side.Record(static_cast<uint32_t>(logic)) : nullptr;
        const bool carriedElsewhere =
            record != nullptr && record->assigned != 0 && static_cast<int>(record->pin) != pin;
        if (!carriedElsewhere) {
            // The drive refused the command (the board has reported it): show what the pin carries.
            ShowRowFromBoard(output, pin);
            return;
        }
        const QString question =
            output ? tr("The logic which you select is already assigned. Do you want to assign the logic? "
                        "The logic "
                        "value of the Output pin which was assigned it before will be reset.")
                   : tr("The logic which you select is already assigned. Do you want to assign the logic? "
                        "The logic "
                        "value of the Input pin which was assigned it before will be reset.");
        if (!Shell().Dialogs().AskYesNo(caption, question)) {
            ShowRowFromBoard(output, pin);
            return;
        }
        // Free the signal on the pin that carries it, then assign it here.
        const int other = static_cast<int>(record->pin);
        SelectEntry(output, other, 0);
        OnLogicChosen(output, other, 0);
        if (!assign()) {
            Shell().Dialogs().Inform(caption, tr("Failed to assign I/O."), app::BoxIcon::Exclamation);
            ShowRowFromBoard(output, pin);
            return;
        }
    }
    ShowLevelFromBoard(output, pin);
}

void CViewIOSetting::OnLevelClicked(bool output, int pin) {
    if (rewriting_) return;
    const app::BoardRef board = Board();
    QComboBox* list = LogicList(output, pin);
    if (!board || list == nullptr) return;
    const CIOSide side = board->GetIOInfo().Side(output);
    if (pin >= side.PinCount()) return;
    const int signal = side.SignalOnPin(static_cast<uint32_t>(pin));
    if (signal == 0 || LogicOfEntry(pin, list->currentIndex(), side.FixedCount()) != signal) return;
    const SignalRecord* record = side.Record(static_cast<uint32_t>(signal));
    const uint8_t level = record != nullptr && record->level != 0 ? 0 : 1;
    const bool ok = output ? board->SetOutputPinLevel(static_cast<uint8_t>(pin), level)
                           : board->SetInputPinLevel(static_cast<uint8_t>(pin), level);
    if (!ok) {
        Shell().Dialogs().Inform(output ? tr("Output Assign") : tr("Input Assign"),
                                 tr("Failed to assign I/O."), app::BoxIcon::Exclamation);
    }
    ShowLevelFromBoard(output, pin);
}

void CViewIOSetting::ReloadMap(CBoardInterface& board) {
    // The polling thread reads the map back from the drive; the loading sequence then refreshes
    // every I/O window.
    board.ioLoaded = false;
    board.RequestLoad(load_bit::kIoAssign);
    Shell().LoadData(Port(), Slave(), app::kLoadIoMap);
}

void CViewIOSetting::SetToDefault() {
    const app::BoardRef board = Board();
    if (!board) return;
    const QString caption = tr("Clear to default value");
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to clear I/O LOGIC to default value?")))
        return;
    const CIOInfo io = board->GetIOInfo();
    for (bool output : {false, true}) {
        const CIOSide& side = io.Side(output);
        for (int pin = 0; pin < side.PinCount(); ++pin) {
            const auto p = static_cast<uint8_t>(pin);
            if (pin < side.FixedCount()) {
                const bool high = output ? board->GetFixedOutputDefaultLevel(pin + 1)
                                         : board->GetFixedInputDefaultLevel(pin + 1);
                const auto level = static_cast<uint8_t>(high ? 1 : 0);
                output ? board->SetOutputPinLevel(p, level) : board->SetInputPinLevel(p, level);
                continue;
            }
            if (!(output ? board->AssignOutputPin(p, 0) : board->AssignInputPin(p, 0))) {
                Shell().Dialogs().Inform(caption, tr("Failed to clear I/O LOGIC to default value."),
                                         app::BoxIcon::Exclamation);
                FullRefresh();
                return;
            }
        }
    }
    ReloadMap(*board);
}

void CViewIOSetting::LoadRom() {
    const app::BoardRef board = Board();
    if (!board) return;
    const QString caption = tr("Load I/O map from ROM");
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to load saved data?"))) return;
    if (board->ReadIOMapFromROM()) {
        ReloadMap(*board);
    } else {
        Shell().Dialogs().Inform(caption, tr("Failed to load data."), app::BoxIcon::Exclamation);
    }
}

void CViewIOSetting::SaveRom() {
    const app::BoardRef board = Board();
    if (!board) return;
    const QString caption = tr("Save I/O map to ROM");
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to save it?"))) return;
    if (board->SaveIOMapToROM()) {
        Shell().Dialogs().Inform(caption, tr("Saving is done."));
    } else {
        Shell().Dialogs().Inform(caption, tr("Failed to save data."), app::BoxIcon::Exclamation);
    }
}

void CViewIOSetting::SaveFile() {
    if (!Board()) return;
    const QString caption = tr("Save I/O map to file");
    const auto path = Shell().Dialogs().SaveFile(
        {caption, tr("I/O Map File(*.fit)"), QString(), QString(), QStringLiteral("fit")});
    if (!path) return;
    const app::BoardRef board = Board();  // the drive may have gone while the dialog was open
    const bool ok = board && board->SaveIOMapFile(path->toStdString());
    Shell().Dialogs().Inform(caption, ok ? tr("Saving to file is done.") : tr("Failed to save data to file."),
                             app::BoxIcon::Exclamation);
}

void CViewIOSetting::LoadFile() {
    if (!Board()) return;
    const QString caption = tr("Load I/O map from file");
    const auto path =
        Shell().Dialogs().OpenFile({caption, tr("I/O Map File(*.fit)"), QString(), QString(), QString()});
    if (!path) return;
    const app::BoardRef board = Board();
    if (!board) return;
    const std::string file = path->toStdString();
    const auto contents = ini::IniFile::Load(file);
    if (!contents) {
        Shell().Dialogs().Inform(tr("Error"), tr("Failed to read file."), app::BoxIcon::Error);
        return;
    }
    if (!files::ModelMatches(*contents, board->GetModelName())) {
        Shell().Dialogs().Inform(
            caption, tr("It is NOT a I/O setting file or not a supported one.\nPlease check it again."),
            app::BoxIcon::Exclamation);
        return;
    }
    bool ok = false;
    {
        const CIOInfo io = board->GetIOInfo();
        widgets::CProgressDlg progress(this);
        progress.setWindowTitle(tr("Loading I/O Mapping Data.."));
        progress.SetRange(0, io.input.PinCount() + io.output.PinCount());
        progress.SetStep(1);
        progress.SetPos(0);
        progress.show();
        ProgressBridge bridge(progress);
        ok = board->LoadIOMapFile(file, &bridge);
    }
    if (ok) {
        ReloadMap(*board);
        return;
    }
    // The pins applied before the failure stay changed; show them.
    FullRefresh();
    Shell().Dialogs().Inform(caption, tr("Failed to load file."), app::BoxIcon::Exclamation);
}

void RegisterIoSettingView(app::ViewRegistry& registry) {
    registry.Register(app::FrameKind::IoSetting, app::ViewRegistry::kAnyType,
                      QStringLiteral("CViewIOSetting"),
                      [](app::IShell& shell, QWidget* parent) { return new CViewIOSetting(shell, parent); });
}

}  // namespace tarsel::views
