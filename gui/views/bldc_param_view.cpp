#include "gui/views/bldc_param_view.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>
#include <limits>

#include "formats/metadata/CDefaultParamBLDC.h"
#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/metadata_access.h"
#include "gui/views/param_file_steps.h"
#include "gui/widgets/decimal_text.h"
#include "gui/widgets/slave_selector.h"
#include "gui/widgets/value_grid.h"

namespace tarsel::views {

namespace {

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

CBoardDorrinTevraBLDC* AsBldc(CBoardInterface& board) {
    return dynamic_cast<CBoardDorrinTevraBLDC*>(&board);
}

}  // namespace

CViewBLDCParameter::CViewBLDCParameter(app::IShell& shell, QWidget* parent)
    : CView(shell, app::FrameKind::Bldc, parent) {
    setObjectName(QStringLiteral("CViewBLDCParameter"));
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("categoryTabs"));
    tabs_->setAccessibleName(tr("Categories"));
    tabs_->setExpanding(false);

    grid_ = new widgets::CValueGrid(this);
    grid_->setObjectName(QStringLiteral("bldcParameterGrid"));
    grid_->setAccessibleName(tr("BLDC Parameters"));
    grid_->SetColumns({{tr("No."), 600, Qt::AlignLeft},
                       {tr("Name"), 3400, Qt::AlignLeft},
                       {tr("Range"), 1400, Qt::AlignRight},
                       {tr("Step"), 800, Qt::AlignRight},
                       {tr("Value"), 1200, Qt::AlignRight},
                       {tr("Field"), 1200, Qt::AlignLeft}});
    grid_->SetEditor(kValue, [this](int row, const QString& text) { return OnValueEdited(row, text); });
    grid_->SetRowEditable([this](int row) { return RowEditable(row); });
    int width = grid_->frameWidth() * 2 + grid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < kColumnCount; ++c) width += grid_->columnWidth(c);
    grid_->setMinimumSize(width, 380);

    refresh_ = MakeButton(tr("Refresh Parameters"), "refreshButton", this);
    loadRom_ = MakeButton(tr("Load ROM"), "loadRomButton", this);
    saveRom_ = MakeButton(tr("Save to ROM"), "saveRomButton", this);
    saveFile_ = MakeButton(tr("Save to File"), "saveFileButton", this);
    loadFile_ = MakeButton(tr("Load File"), "loadFileButton", this);
    close_ = MakeButton(tr("Close"), "closeButton", this);

    auto* top = new QHBoxLayout;
    top->addWidget(SlaveSelector());
    top->addStretch(1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {refresh_, loadRom_, saveRom_, saveFile_, loadFile_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs_);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0) return;
        category_ = static_cast<uint32_t>(index) + 1;
        Refresh();
    });
    connect(refresh_, &QPushButton::clicked, this, &CViewBLDCParameter::RefreshParameters);
    connect(loadRom_, &QPushButton::clicked, this, &CViewBLDCParameter::LoadRom);
    connect(saveRom_, &QPushButton::clicked, this, &CViewBLDCParameter::SaveRom);
    connect(saveFile_, &QPushButton::clicked, this, &CViewBLDCParameter::SaveFile);
    connect(loadFile_, &QPushButton::clicked, this, &CViewBLDCParameter::LoadFile);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });
    SetControlsEnabled(false);
}

CViewBLDCParameter::~CViewBLDCParameter() = default;

QString CViewBLDCParameter::FormatG(double value) {
    return QString::asprintf("%g", value);
}

std::shared_ptr<CBoardDorrinTevraBLDC> CViewBLDCParameter::BldcBoard() const {
    return std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(Board());
}

uint32_t CViewBLDCParameter::NumberOfRow(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return 0;
    return rows_[static_cast<std::size_t>(row)].number;
}

void CViewBLDCParameter::OnMessage(const app::Message& message) {
    using app::MsgKind;
    const bool mine = HasDrive() && (message.port == 0 || message.port == Port()) && message.slave == Slave();
    switch (message.kind) {
        case MsgKind::ServeDrive: {
            // Only a BLDC drive is served; any other drive leaves the window as it is.
            const auto board = app::LookupBoard(Shell().Master(), message.port, message.slave);
            if (!board || board->GetBoardType() != board_type::kBldc) return;
            CView::OnMessage(message);
            return;
        }
        case MsgKind::DriveGoingAway:
            if (!HasDrive() || mine) {
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        case MsgKind::DataReloaded:
            if (mine) Refresh();
            return;
        case MsgKind::BldcParamChanged:
            if (mine && message.Category() == category_) {
                const auto board = BldcBoard();
                for (std::size_t r = 0; board && r < rows_.size(); ++r) {
                    if (rows_[r].number == message.BldcNumber()) WriteValue(*board, static_cast<int>(r));
                }
            }
            return;
        default:
            CView::OnMessage(message);
    }
}

void CViewBLDCParameter::OnDriveChanged() {
    const auto board = BldcBoard();
    if (board && !board->bldcLoaded) {
        grid_->HideEditor();
        RequestLoad(*board);
        return;
    }
    Refresh();
}

void CViewBLDCParameter::RequestLoad(CBoardDorrinTevraBLDC& board) {
    board.bldcReloadRequest = true;
    Shell().LoadData(Port(), Slave(), app::kLoadBldc);
}

void CViewBLDCParameter::Refresh() {
    grid_->HideEditor();
    const auto board = BldcBoard();
    if (!board || !board->IsPortOpen()) {
        SetControlsEnabled(false);
        return;
    }
    SetControlsEnabled(!Busy());
    if (tabs_->count() == 0) {
        // The tabs are made once; adding the first one selects it, which shows category 1.
        const QSignalBlocker block(tabs_);
        for (uint32_t c = 1; c <= board->GetBLDCCategoryCount(); ++c)
            tabs_->addTab(QString::fromStdString(board->GetBLDCCategoryName(c)));
        tabs_->setCurrentIndex(static_cast<int>(category_) - 1);
    }
    // Hidden parameters have no row.
    rows_.clear();
    const uint32_t count = board->GetBLDCParamCount(category_);
    for (uint32_t i = 0; i < count; ++i) {
        const auto info = board->GetBLDCParamInfoAt(category_, i);
        if (info && !info->hidden) rows_.push_back({info->number, info->readOnly});
    }
    grid_->SetRows(static_cast<int>(rows_.size()));
    const CDefaultParamBLDC* table = AsBldcTable(Shell().Master().GetDefaultTable(board_type::kBldc));
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const int row = static_cast<int>(r);
        const uint32_t number = rows_[r].number;
        const CBLDCParamInfo* text = table != nullptr ? table->GetBLDCParamInfo(category_, number) : nullptr;
        const auto info = board->GetBLDCParamInfo(category_, number);
        grid_->SetText(row, kNumber, QString::number(number));
        grid_->SetText(row, kName, text ? QString::fromStdString(text->name) : QString());
        if (rows_[r].readOnly || !info) {
            grid_->SetText(row, kRange, tr("READ ONLY!"));
            grid_->SetText(row, kStep, QString());
        } else {
            grid_->SetText(row, kRange,
                           QStringLiteral("%1~%2").arg(FormatG(info->minimum), FormatG(info->maximum)));
            grid_->SetText(row, kStep, FormatG(std::pow(10.0, info->roundingDigits)));
        }
        grid_->SetText(row, kField, text ? QString::fromStdString(text->field) : QString());
        WriteValue(*board, row);
    }
}

void CViewBLDCParameter::WriteValue(const CBoardDorrinTevraBLDC& board, int row) {
    const uint32_t number = NumberOfRow(row);
    const auto category = static_cast<uint8_t>(category_);
    const double shown =
        board.BLDCRawToDisplay(category_, number, board.GetBLDCParameterValue(category, number));
    grid_->SetText(row, kValue, FormatG(shown));
}

bool CViewBLDCParameter::RowEditable(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() &&
           !rows_[static_cast<std::size_t>(row)].readOnly;
}

bool CViewBLDCParameter::OnValueEdited(int row, const QString& text) {
    const auto board = BldcBoard();
    if (!board || !RowEditable(row) || category_ < 1 || category_ > CBoardDorrinTevraBLDC::kCategoryCount)
        return false;
    const uint32_t number = NumberOfRow(row);
    const std::optional<double> typed = widgets::ParseRealNumber(text);
    if (!typed || !board->IsBLDCValueInRange(category_, number, *typed)) return false;
    const int64_t raw = board->BLDCDisplayToRaw(category_, number, *typed);
    // The drive keeps 32 bits; a conversion beyond them cannot be stored.
    if (raw < std::numeric_limits<int32_t>::min() || raw > std::numeric_limits<int32_t>::max()) return false;
    const auto category = static_cast<uint8_t>(category_);
    if (raw != board->GetBLDCParameterValue(category, number)) {
        grid_->SetText(row, kValue, FormatG(*typed));
        // After a refusal the cell shows what the drive kept.
        if (!board->WriteBLDCParameter(category, number, static_cast<int32_t>(raw))) WriteValue(*board, row);
    }
    return true;
}

void CViewBLDCParameter::SetControlsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(tabs_), static_cast<QWidget*>(grid_), static_cast<QWidget*>(refresh_),
          static_cast<QWidget*>(loadRom_), static_cast<QWidget*>(saveRom_), static_cast<QWidget*>(saveFile_),
          static_cast<QWidget*>(loadFile_)})
        w->setEnabled(enabled);
    SlaveSelector()->setEnabled(enabled);
}

bool CViewBLDCParameter::Busy() const {
    return task_ != nullptr && task_->Running();
}

void CViewBLDCParameter::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0 && grid_->isEnabled()) grid_->WheelStep(delta);
    event->accept();
}

void CViewBLDCParameter::RefreshParameters() {
    const auto board = BldcBoard();
    if (!board || !board->IsPortOpen() || Busy()) return;
    board->bldcLoaded = false;
    grid_->HideEditor();
    RequestLoad(*board);
}

void CViewBLDCParameter::LoadRom() {
    const QString caption = tr("Load BLDC Parameters from ROM");
    const auto board = BldcBoard();
    if (!board || Busy()) return;
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to load saved data?"))) return;
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, QString(),
        [](CBoardInterface& b, IProgress* progress) {
            CBoardDorrinTevraBLDC* bldc = AsBldc(b);
            return bldc != nullptr && bldc->BLDCReadROMParameters(progress);
        },
        [this, caption](bool ok) {
            if (!ok) Shell().Dialogs().Inform(caption, tr("Failed to load data."), app::BoxIcon::Exclamation);
            // Whatever the ROM read did, the values are read again from the drive.
            if (const auto b = BldcBoard()) {
                b->bldcLoaded = false;
                RequestLoad(*b);
            } else {
                Refresh();
            }
        });
}

void CViewBLDCParameter::SaveRom() {
    const QString caption = tr("Save BLDC Parameters to ROM");
    const auto board = BldcBoard();
    if (!board || Busy()) return;
    if (!Shell().Dialogs().AskYesNo(caption, tr("Do you really want to save it?"))) return;
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, QString(),
        [](CBoardInterface& b, IProgress* progress) {
            CBoardDorrinTevraBLDC* bldc = AsBldc(b);
            return bldc != nullptr && bldc->BLDCWriteROMParameters(progress);
        },
        [this, caption](bool ok) {
            if (ok) {
                Shell().Dialogs().Inform(caption, tr("Saving is done."));
            } else {
                Shell().Dialogs().Inform(caption, tr("Failed to save data."), app::BoxIcon::Exclamation);
            }
            Refresh();
        });
}

void CViewBLDCParameter::SaveFile() {
    const QString caption = tr("Save BLDC Parameters to file");
    if (!BldcBoard() || Busy()) return;
    app::FileRequest request;
    request.caption = caption;
    request.filter = tr("BLDC Parameter File(*.fbt)");
    request.suffix = QStringLiteral("fbt");
    const std::optional<QString> path = Shell().Dialogs().SaveFile(request);
    if (!path) return;
    // The dialog may have run a nested event loop: look the drive up again.
    const auto board = BldcBoard();
    if (!board) return;
    // "Info"/"Model" and every category section (hidden and read-only parameters too) go into the
    // file in one step; other sections of an existing file stay.
    ParameterFileSteps::ReportSaved(Shell().Dialogs(), caption,
                                    board->SaveBLDCFile(path->toStdString(), nullptr));
}

void CViewBLDCParameter::LoadFile() {
    const QString caption = tr("Load BLDC Parameters from file");
    if (!BldcBoard() || Busy()) return;
    app::FileRequest request;
    request.caption = caption;
    request.filter = tr("BLDC Parameter File(*.fbt)");
    const std::optional<QString> path = Shell().Dialogs().OpenFile(request);
    if (!path) return;
    const auto board = BldcBoard();
    if (!board || !ParameterFileSteps::Accept(Shell().Dialogs(), caption, *path, *board)) return;
    grid_->HideEditor();
    SetControlsEnabled(false);
    task_ = new CBoardTask(
        this, board, tr("Loading Parameters.."),
        [file = path->toStdString()](CBoardInterface& b, IProgress* progress) {
            CBoardDorrinTevraBLDC* bldc = AsBldc(b);
            return bldc != nullptr && bldc->LoadBLDCFile(file, progress);
        },
        [this, caption](bool ok) {
            if (!ok) Shell().Dialogs().Inform(caption, tr("Failed to load file."), app::BoxIcon::Exclamation);
            // Every window shows the drive's values from the cache again.
            Shell().Post(app::Message::Drive(app::MsgKind::DataReloaded, Port(), Slave()));
        });
}

void RegisterBldcParamView(app::ViewRegistry& registry) {
    registry.Register(
        app::FrameKind::Bldc, app::ViewRegistry::kAnyType, QStringLiteral("CViewBLDCParameter"),
        [](app::IShell& shell, QWidget* parent) { return new CViewBLDCParameter(shell, parent); });
}

}  // namespace tarsel::views
