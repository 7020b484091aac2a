#include "gui/views/io_monitor_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/CBoardInterface.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

using app::Message;
using app::MsgKind;

namespace {

constexpr int kRowsPerColumn = 8;
constexpr QSize kSlotSize(50, 22);
constexpr QSize kIndicatorSize(46, 20);

QStringList InputPinCaptions() {
    QStringList captions{QStringLiteral("LMT+"), QStringLiteral("LMT-"), QStringLiteral("ORG")};
    for (int i = 1; i <= 9; ++i) captions << QStringLiteral("IN %1").arg(i);
    return captions;
}

QStringList OutputPinCaptions() {
    QStringList captions{QStringLiteral("COMP")};
    for (int i = 1; i <= 9; ++i) captions << QStringLiteral("OUT %1").arg(i);
    return captions;
}

QString SideName(bool output) {
    return output ? QStringLiteral("output") : QStringLiteral("input");
}

}  // namespace

CPinIndicator::CPinIndicator(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAlignment(Qt::AlignCenter);
    setFixedSize(kIndicatorSize);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setAccessibleName(caption);
    QFont small = font();
    small.setBold(true);
    setFont(small);
    lit_ = true;  // forces the first colouring
    SetLit(false);
}

void CPinIndicator::SetLit(bool lit) {
    if (lit == lit_) return;
    lit_ = lit;
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     QColor(lit ? CViewIOMonitor::kLitColour : CViewIOMonitor::kUnlitColour));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    update();
}

void CPinIndicator::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

CViewIOMonitor::CViewIOMonitor(app::IShell& shell, QWidget* parent)
    : app::CView(shell, app::FrameKind::IoMonitor, parent),
      watch_(shell.Master(), CBoardInterface::kWatchIo) {
    setObjectName(QStringLiteral("CViewIOMonitor"));
    inputs_.output = false;
    outputs_.output = true;

    settingButton_ = new QPushButton(tr("I/O Logic Setting"), this);
    settingButton_->setObjectName(QStringLiteral("ioLogicSettingButton"));
    saveRecordButton_ = new QPushButton(tr("Save Record..."), this);
    saveRecordButton_->setObjectName(QStringLiteral("saveRecordButton"));
    recordCount_ = new QLabel(this);
    recordCount_->setObjectName(QStringLiteral("recordCount"));
    recordCount_->setAccessibleName(tr("Recorded changes"));
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("closeButton"));

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    top->addStretch(1);
    top->addWidget(recordCount_);
    top->addWidget(saveRecordButton_);
    top->addWidget(settingButton_);
    top->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuildSide(inputs_, tr("INPUT"), kInputRows, kInputPins, InputPinCaptions()));
    layout->addWidget(BuildSide(outputs_, tr("OUTPUT"), kOutputRows, kOutputPins, OutputPinCaptions()));

    connect(settingButton_, &QPushButton::clicked, this, [this] {
        if (HasDrive()) Shell().Post(Message::Open(MsgKind::IoSettingFrame, Port(), Slave()));
    });
    connect(saveRecordButton_, &QPushButton::clicked, this, &CViewIOMonitor::SaveRecord);
    connect(closeButton_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });
    UpdateRecordCount();
    EnableForm(false);
}

CViewIOMonitor::~CViewIOMonitor() = default;

QGroupBox* CViewIOMonitor::BuildSide(Side& side, const QString& title, int rows, int pins,
                                     const QStringList& pinCaptions) {
    const QString name = SideName(side.output);
    side.group = new QGroupBox(title, this);
    side.group->setObjectName(name + QStringLiteral("Group"));
    auto* grid = new QGridLayout(side.group);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    side.rows.resize(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        Row& row = side.rows[static_cast<std::size_t>(i)];
        const int signal = i + 1;
        auto* cell = new QWidget(side.group);
        auto* cellLayout = new QHBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(4);
        row.slot = new QWidget(cell);
        row.slot->setObjectName(QStringLiteral("%1Slot%2").arg(name).arg(signal));
        row.slot->setFixedSize(kSlotSize);
        row.check = new QCheckBox(row.slot);
        row.check->setObjectName(QStringLiteral("%1Check%2").arg(name).arg(signal));
        row.check->move(14, 2);
        row.name = new QLabel(cell);
        row.name->setObjectName(QStringLiteral("%1Name%2").arg(name).arg(signal));
        row.name->setMinimumWidth(96);
        cellLayout->addWidget(row.slot);
        cellLayout->addWidget(row.name, 1);
        // Eight rows per column: five input columns, four output columns.
        grid->addWidget(cell, i % kRowsPerColumn, i / kRowsPerColumn);
        const bool output = side.output;
        connect(row.check, &QCheckBox::clicked, this,
                [this, output, signal](bool ticked) { OnSignalClicked(output, signal, ticked); });
    }
    side.pins.resize(static_cast<std::size_t>(pins));
    side.covered.assign(static_cast<std::size_t>(pins), 0);
    for (int j = 0; j < pins; ++j) {
        auto* pin = new CPinIndicator(pinCaptions.value(j), side.group);
        pin->setObjectName(QStringLiteral("%1Pin%2").arg(name).arg(j));
        pin->hide();
        side.pins[static_cast<std::size_t>(j)] = pin;
        if (side.output) connect(pin, &CPinIndicator::clicked, this, [this, j] { OnOutputPinClicked(j); });
    }
    return side.group;
}

QCheckBox* CViewIOMonitor::SignalCheck(bool output, int signal) const {
    const Side& side = output ? outputs_ : inputs_;
    if (signal < 1 || signal > static_cast<int>(side.rows.size())) return nullptr;
    return side.rows[static_cast<std::size_t>(signal - 1)].check;
}

QLabel* CViewIOMonitor::SignalName(bool output, int signal) const {
    const Side& side = output ? outputs_ : inputs_;
    if (signal < 1 || signal > static_cast<int>(side.rows.size())) return nullptr;
    return side.rows[static_cast<std::size_t>(signal - 1)].name;
}

CPinIndicator* CViewIOMonitor::PinIndicator(bool output, int pin) const {
    const Side& side = output ? outputs_ : inputs_;
    if (pin < 0 || pin >= static_cast<int>(side.pins.size())) return nullptr;
    return side.pins[static_cast<std::size_t>(pin)];
}

int CViewIOMonitor::CoveredSignal(bool output, int pin) const {
    const Side& side = output ? outputs_ : inputs_;
    if (pin < 0 || pin >= static_cast<int>(side.covered.size())) return 0;
    return side.covered[static_cast<std::size_t>(pin)];
}

void CViewIOMonitor::OnMessage(const Message& message) {
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
            if (HasDrive() && message.slave == Slave()) UpdateNow(true);
            return;
        case MsgKind::IoLevelChanged:
        case MsgKind::ServoSwitched:
            if (HasDrive() && message.slave == Slave()) UpdateNow(false);
            return;
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || message.slave == Slave()) {
                watch_.Release();
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        default:
            app::CView::OnMessage(message);
    }
}

void CViewIOMonitor::OnDriveChanged() {
    // Watch first, so that the status read of the refresh below already reads the words.
    watch_.Watch(Port(), Slave());
    const app::BoardRef board = Board();
    FullRefresh();
    // The frame was fitted before the window was first shown and styled; fit it again now that
    // the rows are laid out, or the styled rows come out a few pixels short and cut the pins.
    FitFrame();
    if (board && !board->ioLoaded.load()) {
        board->RequestLoad(load_bit::kIoAssign);
        Shell().LoadData(Port(), Slave(), app::kLoadIoMap);
    }
}

void CViewIOMonitor::EnableForm(bool on) {
    // Disabling the groups keeps the labels' own state ("Reserved" stays disabled).
    inputs_.group->setEnabled(on);
    outputs_.group->setEnabled(on);
    settingButton_->setEnabled(on);
}

void CViewIOMonitor::FullRefresh() {
    SetRedrawing(false);
    const app::BoardRef board = Board();
    widgets::CSlaveSelector* selector = SlaveSelector();
    if (!board || !board->IsPortOpen()) {
        EnableForm(false);
        selector->PreviousButton()->setEnabled(false);
        selector->NextButton()->setEnabled(false);
        return;
    }
    EnableForm(true);
    const CCommMaster& master = Shell().Master();
    selector->SetState(Slave(), master.GetPrevSlave(Port(), Slave()) != Slave(),
                       master.GetNextSlave(Port(), Slave()) != Slave());
    // One status read now, unless a reload is waiting for the polling thread (it comes first).
    if (board->GetLoadOutcome().requested == 0) board->UpdateStatus();
    WriteNames(*board);
    const CIOInfo io = board->GetIOInfo();
    Layout(inputs_, io.input);
    Layout(outputs_, io.output);
    UpdateStates(*board);
    SetRedrawing(true);
}

void CViewIOMonitor::WriteNames(const CBoardInterface& board) {
    const int type = board.GetBoardType();
    if (type == namesType_) return;
    const CIOInfo io = board.GetIOInfo();
    for (Side* side : {&inputs_, &outputs_}) {
        const CIOSide& pins = side->output ? io.output : io.input;
        for (std::size_t i = 0; i < side->rows.size(); ++i) {
            Row& row = side->rows[i];
            const QString name = QString::fromStdString(pins.Label(static_cast<uint32_t>(i + 1)));
            row.name->setText(name);
            row.name->setEnabled(name != QLatin1String("Reserved"));
            row.check->setAccessibleName(
                name.isEmpty() ? QStringLiteral("%1 %2").arg(SideName(side->output)).arg(i + 1) : name);
        }
    }
    namesType_ = type;
}

void CViewIOMonitor::SetCheckShown(Row& row, bool shown) {
    row.checkShown = shown;
    row.check->setVisible(shown);
}

void CViewIOMonitor::Layout(Side& side, const CIOSide& pins) {
    const int pinCount = std::min<int>(pins.PinCount(), static_cast<int>(side.pins.size()));
    const int signalCount = std::min<int>(pins.SignalCount(), static_cast<int>(side.rows.size()));
    side.signalCount = signalCount;
    for (int j = 0; j < static_cast<int>(side.pins.size()); ++j) {
        CPinIndicator* indicator = side.pins[static_cast<std::size_t>(j)];
        int& covered = side.covered[static_cast<std::size_t>(j)];
        const int signal = j < pinCount ? pins.SignalOnPin(static_cast<uint32_t>(j)) : 0;
        if (signal <= 0 || signal > signalCount) {
            covered = 0;
            indicator->hide();
            continue;
        }
        if (signal != covered) {
            // The indicator takes the place of the check box of the signal the pin carries.
            Row& row = side.rows[static_cast<std::size_t>(signal - 1)];
            SetCheckShown(row, false);
            covered = signal;
            indicator->setParent(row.slot);
            indicator->move((kSlotSize.width() - kIndicatorSize.width()) / 2,
                            (kSlotSize.height() - kIndicatorSize.height()) / 2);
        }
        indicator->show();
    }
    for (int i = 0; i < static_cast<int>(side.rows.size()); ++i) {
        Row& row = side.rows[static_cast<std::size_t>(i)];
        if (i >= signalCount) {
            // Beyond the board's signals; marked hidden too, so a later board with more signals
            // shows the check box again.
            SetCheckShown(row, false);
            row.name->hide();
            continue;
        }
        const bool carried = std::find(side.covered.begin(), side.covered.end(), i + 1) != side.covered.end();
        if (!carried && !row.checkShown) SetCheckShown(row, true);
        row.name->show();
    }
}

void CViewIOMonitor::UpdateSide(Side& side, uint64_t word, int signalCount) {
    for (int n = 1; n <= signalCount; ++n) {
        const bool active = ((word >> (n - 1)) & 1u) != 0;
        const auto pin = std::find(side.covered.begin(), side.covered.end(), n);
        if (pin != side.covered.end()) {
            // SetLit redraws only when the state changed.
            side.pins[static_cast<std::size_t>(pin - side.covered.begin())]->SetLit(active);
            continue;
        }
        Row& row = side.rows[static_cast<std::size_t>(n - 1)];
        if (row.ticked != active) {
            row.ticked = active;
            row.check->setChecked(active);
        }
    }
}

void CViewIOMonitor::UpdateStates(const CBoardInterface& board) {
    const uint64_t in = board.GetInputStatus();
    const uint32_t out = board.GetOutputStatus();
    UpdateSide(inputs_, in, inputs_.signalCount);
    UpdateSide(outputs_, out, outputs_.signalCount);
    if (recorder_.Add({std::chrono::system_clock::now(), Slave(), in, out})) UpdateRecordCount();
}

void CViewIOMonitor::OnRedraw() {
    if (const app::BoardRef board = Board()) UpdateStates(*board);
}

void CViewIOMonitor::UpdateNow(bool relayout) {
    SetRedrawing(false);
    const app::BoardRef board = Board();
    if (!board || !board->IsPortOpen()) return;
    if (board->GetLoadOutcome().requested == 0) board->UpdateStatus();
    if (relayout) {
        const CIOInfo io = board->GetIOInfo();
        Layout(inputs_, io.input);
        Layout(outputs_, io.output);
    }
    UpdateStates(*board);
    SetRedrawing(true);
}

void CViewIOMonitor::OnSignalClicked(bool output, int signal, bool ticked) {
    const app::BoardRef board = Board();
    if (!board) return;
    bool ok = false;
    if (output) {
        const uint32_t mask = 1u << (signal - 1);
        ok = board->SetIOOutput(ticked ? mask : 0, ticked ? 0 : mask);
    } else {
        const uint64_t mask = uint64_t{1} << (signal - 1);
        ok = board->SetIOInput(ticked ? mask : 0, ticked ? 0 : mask);
    }
    // The next tick shows the drive's answer; a refused command puts the box back at once.
    if (!ok) {
        Side& side = output ? outputs_ : inputs_;
        const Row& row = side.rows[static_cast<std::size_t>(signal - 1)];
        row.check->setChecked(row.ticked);
    }
}

void CViewIOMonitor::OnOutputPinClicked(int pin) {
    const app::BoardRef board = Board();
    if (!board) return;
    const CIOInfo io = board->GetIOInfo();
    if (pin >= io.output.PinCount()) return;
    const int signal = io.output.SignalOnPin(static_cast<uint32_t>(pin));
    if (signal < 1 || signal > io.output.SignalCount() || !board->IsUserOutput(static_cast<uint8_t>(signal)))
        return;
    const uint32_t bit = 1u << (signal - 1);
    if (board->GetOutputStatus() & bit) {
        board->SetIOOutput(0, bit);
    } else {
        board->SetIOOutput(bit, 0);
    }
}

void CViewIOMonitor::UpdateRecordCount() {
    const QString text = tr("%n change(s) recorded", nullptr, static_cast<int>(recorder_.Size()));
    if (recordCount_->text() != text) recordCount_->setText(text);
}

void CViewIOMonitor::SaveRecord() {
    const QString caption = tr("Save I/O record");
    const auto path = Shell().Dialogs().SaveFile(
        {caption, tr("CSV File(*.csv)"), QString(), QStringLiteral("io_record.csv"), QStringLiteral("csv")});
    if (!path) return;
    const bool ok = recorder_.Save(path->toStdString());
    Shell().Dialogs().Inform(caption, ok ? tr("Saving to file is done.") : tr("Failed to save data to file."),
                             app::BoxIcon::Exclamation);
}

void RegisterIoMonitorView(app::ViewRegistry& registry) {
    registry.Register(app::FrameKind::IoMonitor, app::ViewRegistry::kAnyType,
                      QStringLiteral("CViewIOMonitor"),
                      [](app::IShell& shell, QWidget* parent) { return new CViewIOMonitor(shell, parent); });
}

}  // namespace tarsel::views
