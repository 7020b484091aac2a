#include "gui/views/param_list_view.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <optional>
#include <vector>

#include "formats/metadata/CDefaultParam.h"
#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/dialogs/param_compare_dialog.h"
#include "gui/views/board_task.h"
#include "gui/views/param_file_steps.h"
#include "gui/widgets/decimal_text.h"
#include "gui/widgets/slave_selector.h"
#include "gui/widgets/value_grid.h"

namespace tarsel::views {

namespace {

// The widest range a parameter can have is shown as a plus-minus value.
constexpr int32_t kFullRange = 134217727;

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

CViewParamList::CViewParamList(app::IShell& shell, QWidget* parent)
    : CView(shell, app::FrameKind::ParamList, parent) {
    setObjectName(QStringLiteral("CViewParamList"));
    bldc_ = MakeButton(tr("Show BLDC Parameter"), "showBldcButton", this);
    bldc_->hide();

    grid_ = new widgets::CValueGrid(this);
    grid_->setObjectName(QStringLiteral("parameterGrid"));
    grid_->setAccessibleName(tr("Parameters"));
    grid_->SetColumns({{tr("No."), 600, Qt::AlignLeft},
                       {tr("Name"), 2800, Qt::AlignLeft},
                       {tr("Range"), 1400, Qt::AlignRight},
                       {tr("Default"), 1200, Qt::AlignRight},
                       {tr("Value"), 1200, Qt::AlignRight},
                       {tr("Field"), 1400, Qt::AlignLeft}});
    grid_->SetEditor(kValue, [this](int row, const QString& text) { return OnValueEdited(row, text); });
    int width = grid_->frameWidth() * 2 + grid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumnCount; ++c) width += grid_->columnWidth(c);
    grid_->setMinimumSize(width, 380);

    auto* group = new QGroupBox(tr("Parameters"), this);
    group->setObjectName(QStringLiteral("parametersGroup"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(grid_);

    setDefault_ = MakeButton(tr("Set to DEFAULT"), "setDefaultButton", this);
    loadRom_ = MakeButton(tr("Load ROM"), "loadRomButton", this);
    saveRom_ = MakeButton(tr("Save to ROM"), "saveRomButton", this);
    loadFile_ = MakeButton(tr("Load File"), "loadFileButton", this);
    saveFile_ = MakeButton(tr("Save to File"), "saveFileButton", this);
    compare_ = MakeButton(tr("Compare..."), "compareButton", this);
    close_ = MakeButton(tr("Close"), "closeButton", this);

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    top->addStretch(1);
    top->addWidget(bldc_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {setDefault_, loadRom_, saveRom_, loadFile_, saveFile_, compare_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    connect(setDefault_, &QPushButton::clicked, this, &CViewParamList::SetToDefault);
    connect(loadRom_, &QPushButton::clicked, this, &CViewParamList::LoadRom);
    connect(saveRom_, &QPushButton::clicked, this, &CViewParamList::SaveRom);
    connect(loadFile_, &QPushButton::clicked, this, &CViewParamList::LoadFile);
    connect(saveFile_, &QPushButton::clicked, this, &CViewParamList::SaveFile);
    connect(compare_, &QPushButton::clicked, this, &CViewParamList::Compare);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });
    connect(bldc_, &QPushButton::clicked, this,
            [this] { Shell().Post(app::Message::Open(app::MsgKind::BldcFrame, Port(), Slave())); });
    SetControlsEnabled(false);
}

CViewParamList::~CViewParamList() = default;

QString CViewParamList::RangeText(int32_t minimum, int32_t maximum) {
    if (minimum == -kFullRange && maximum == kFullRange) return QChar(0x00B1) + QString::number(kFullRange);
    return QStringLiteral("%1~%2").arg(minimum).arg(maximum);
}

void CViewParamList::OnMessage(const app::Message& message) {
    using app::MsgKind;
    const bool portMatches = message.port == 0 || message.port == Port();
    switch (message.kind) {
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || (portMatches && message.slave == Slave())) {
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        case MsgKind::DataReloaded:
            if (HasDrive() && portMatches && message.slave == Slave()) Refresh();
            return;
        case MsgKind::ParameterChanged:
            if (HasDrive() && portMatches && message.slave == Slave()) {
                const auto board = Board();
                if (board && message.value >= 0 && message.value < board->GetParameterCount() &&
                    message.value < grid_->rowCount())
                    WriteValue(*board, static_cast<int>(message.value));
            }
            return;
        default:
            CView::OnMessage(message);
    }
}

void CViewParamList::OnDriveChanged() {
    const auto board = Board();
    bldc_->setVisible(board && board->GetBoardType() == board_type::kBldc);
    if (board && !board->paramLoaded) {
        grid_->HideEditor();
        RequestLoad();
        return;
    }
    Refresh();
}

void CViewParamList::RequestLoad() {
    const auto board = Board();
    if (!board) return;
    board->paramReloadRequest = true;
    Shell().LoadData(Port(), Slave(), app::kLoadParameters);
}

void CViewParamList::Refresh() {
    grid_->HideEditor();
    const auto board = Board();
    if (!board || !board->IsPortOpen()) {
        grid_->SetRows(0);
        SetControlsEnabled(false);
        return;
    }
    SetControlsEnabled(!Busy());
    const int count = board->GetParameterCount();
    grid_->SetRows(count);
    for (int i = 0; i < count; ++i) WriteRow(*board, i);
}

void CViewParamList::WriteRow(const CBoardInterface& board, int row) {
    const CDefaultParam* table = Shell().Master().GetDefaultTable(board.GetBoardType());
    const CParamItemInfo* info = table != nullptr ? table->GetParamInfo(static_cast<uint32_t>(row)) : nullptr;
    grid_->SetText(row, kNumber, QString::number(row));
    grid_->SetText(row, kName, info ? QString::fromStdString(info->name) : QString());
    grid_->SetText(row, kRange, info ? RangeText(info->minimum, info->maximum) : QString());
    grid_->SetText(row, kDefault, info ? QString::number(info->default_value) : QString());
    WriteValue(const_cast<CBoardInterface&>(board), row);
}

void CViewParamList::WriteValue(CBoardInterface& board, int row) {
    const auto number = static_cast<uint8_t>(row);
    const int32_t value = board.GetParameterValue(number);
    grid_->SetText(row, kValue, QString::number(value));
    QString field;
    if (const CDefaultParam* table = Shell().Master().GetDefaultTable(board.GetBoardType())) {
        if (const CParamItemInfo* info = table->GetParamInfo(number))
            field = QString::fromStdString(info->field);
    }
    // The board names some values (signal texts, modes); the name replaces the unit then.
    if (const auto text = board.GetParamValueText(number, value)) field = QString::fromStdString(*text);
    grid_->SetText(row, kField, field);
}

bool CViewParamList::OnValueEdited(int row, const QString& text) {
    const auto board = Board();
    if (!board || row >= board->GetParameterCount()) return false;
    const auto number = static_cast<uint8_t>(row);
    const std::optional<int32_t> value = widgets::ParseDecimalValue(text);
    if (!value || !board->IsParamValueInRange(number, *value)) return false;
    if (*value != board->GetParameterValue(number)) {
        board->SetParameter(number, *value);
        // The cell shows what the board holds now: the new value, or the old one after a refusal.
        WriteValue(*board, row);
    }
    return true;
}

void CViewParamList::SetControlsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(grid_), static_cast<QWidget*>(bldc_), static_cast<QWidget*>(setDefault_),
          static_cast<QWidget*>(loadRom_), static_cast<QWidget*>(saveRom_), static_cast<QWidget*>(loadFile_),
          static_cast<QWidget*>(saveFile_), static_cast<QWidget*>(compare_)})
        w->setEnabled(enabled);
    SlaveSelector()->setEnabled(enabled || !HasDrive());
}

bool CViewParamList::Busy() const {
    return task_ != nullptr && task_->Running();
}

void CViewParamList::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0 && grid_->isEnabled()) grid_->WheelStep(delta);
    event->accept();
}

void CViewParamList::AfterBulk() {
    Shell().Post(app::Message::Drive(app::MsgKind::DataReloaded, Port(), Slave()));
}

void CViewParamList::SetToDefault() {
    const QString caption = tr("Set to default value");
    const auto board = Shell().Master().GetBoard(Port(), Slave());
    if (!board || Busy()) return;
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to set parameters to default value?")))
        return;
    // The worker gets its own copy of the defaults (none where a parameter has no metadata).
    std::vector<std::optional<int32_t>> defaults;
    const CDefaultParam* table = Shell().Master().GetDefaultTable(board->GetBoardType());
    for (uint8_t i = 0; i < board->GetParameterCount(); ++i) {
        const CParamItemInfo* info = table != nullptr ? table->GetParamInfo(i) : nullptr;
        defaults.push_back(info != nullptr ? std::optional<int32_t>(info->default_value) : std::nullopt);
    }
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, QString(),
        [defaults = std::move(defaults)](CBoardInterface& b, IProgress*) {
            for (std::size_t i = 0; i < defaults.size(); ++i) {
                if (defaults[i] && !b.SetParameter(static_cast<uint8_t>(i), *defaults[i])) return false;
            }
            return true;
        },
        [this, caption](bool ok) {
            if (!ok)
                Shell().Dialogs().Inform(caption, tr("Failed to set parameters to default value."),
                                         app::BoxIcon::Exclamation);
            // Whatever was written, the values are read back from the drive.
            if (const auto b = Board()) b->paramLoaded = false;
            RequestLoad();
        });
}

void CViewParamList::LoadRom() {
    const QString caption = tr("Load Parameters from ROM");
    const auto board = Shell().Master().GetBoard(Port(), Slave());
    if (!board || Busy()) return;
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to load saved data?"))) return;
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, tr("Loading Parameters.."),
        [](CBoardInterface& b, IProgress* progress) { return b.RestoreParametersFromROM(progress); },
        [this, caption](bool ok) {
            if (!ok) Shell().Dialogs().Inform(caption, tr("Failed to load data."), app::BoxIcon::Exclamation);
            AfterBulk();
        });
}

void CViewParamList::SaveRom() {
    const QString caption = tr("Save Parameters to ROM");
    const auto board = Board();
    if (!board || Busy()) return;
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to save it?"))) return;
    if (board->SaveParametersToROM()) {
        Shell().Dialogs().Inform(caption, tr("Saving is done."));
    } else {
        Shell().Dialogs().Inform(caption, tr("Failed to save data."), app::BoxIcon::Exclamation);
    }
}

void CViewParamList::LoadFile() {
    const QString caption = tr("Load Parameters from file");
    if (!Board() || Busy()) return;
    app::FileRequest request;
    request.caption = caption;
    request.filter = tr("Parameter File(*.fpt)") + QStringLiteral(";;") + tr("All Files(*.*)");
    const std::optional<QString> path = Shell().Dialogs().OpenFile(request);
    if (!path) return;
    // The dialog may have run a nested event loop: look the drive up again.
    const auto board = Shell().Master().GetBoard(Port(), Slave());
    if (!board || !ParameterFileSteps::Accept(Shell().Dialogs(), caption, *path, *board)) return;
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, tr("Loading Parameters.."),
        [file = path->toStdString()](CBoardInterface& b, IProgress* progress) {
            return b.LoadParameterFile(file, progress);
        },
        [this, caption](bool ok) {
            if (!ok) Shell().Dialogs().Inform(caption, tr("Failed to load file."), app::BoxIcon::Exclamation);
            AfterBulk();
        });
}

void CViewParamList::SaveFile() {
    const QString caption = tr("Save parameters to file");
    if (!Board() || Busy()) return;
    app::FileRequest request;
    request.caption = caption;
    request.filter = tr("Parameter File(*.fpt)");
    request.suffix = QStringLiteral("fpt");
    const std::optional<QString> path = Shell().Dialogs().SaveFile(request);
    if (!path) return;
    const auto board = Board();
    if (!board) return;
    // The board writes "Info"/"Model" and the "Parameter" section into the file in one step;
    // other sections of an existing file stay.
    ParameterFileSteps::ReportSaved(Shell().Dialogs(), caption,
                                    board->SaveParameterFile(path->toStdString()));
}

void CViewParamList::Compare() {
    if (!Board() || Busy()) return;
    if (compareDialog_) compareDialog_->close();
    compareDialog_ = new dialogs::CDlgParamCompare(Shell(), Port(), Slave(), this);
    compareDialog_->setWindowModality(Qt::WindowModal);
    compareDialog_->show();
}

void RegisterParamListView(app::ViewRegistry& registry) {
    registry.Register(app::FrameKind::ParamList, app::ViewRegistry::kAnyType,
                      QStringLiteral("CViewParamList"),
                      [](app::IShell& shell, QWidget* parent) { return new CViewParamList(shell, parent); });
}

}  // namespace tarsel::views
