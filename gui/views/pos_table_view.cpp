#include "gui/views/pos_table_view.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "formats/files/drive_file_header.h"
#include "formats/files/pos_table_file.h"
#include "gui/app/child_frame.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/dialogs/pos_item_dialog.h"
#include "gui/dialogs/pos_item_fields.h"
#include "gui/dialogs/teaching_dialog.h"
#include "gui/widgets/progress_dialog.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::views {

using namespace postable;
using app::BoardRef;
using app::MsgKind;

namespace {

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "No."), 35},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "CMD"), 40},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Position"), 70},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Low Spd"), 70},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "High Spd"), 70},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Accel"), 50},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Decel"), 50},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Wait Time"), 75},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Continuous"), 78},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "JP Table No."), 90},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "JPT 0"), 45},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "JPT 1"), 45},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "JPT 2"), 45},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Loop Count"), 90},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Loop JP Table No."), 120},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "PT Set"), 50},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Loop Count Clear"), 120},
    {QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Check Inpos"), 90},
};
constexpr int kColumnCount = 18;
constexpr int kInposColumn = 17;

const char* const kRomLoadCaption =
    QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Load PosTable from ROM");
const char* const kFileSaveCaption =
    QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Save PosTable to file");
const char* const kFileLoadCaption =
    QT_TRANSLATE_NOOP("tarsel::views::CViewPosTable", "Load PosTable from file");

// Progress of the file loader shown in the progress dialog; the event loop keeps running.
class DialogProgress : public IProgress {
public:
    explicit DialogProgress(widgets::CProgressDlg& dlg) : dlg_(dlg) {}
    void SetRange(int low, int high) override { dlg_.SetRange(low, high); }
    void SetStep(int step) override { dlg_.SetStep(step); }
    void SetPos(int position) override { dlg_.SetPos(position); }
    void StepIt() override {
        dlg_.StepIt();
        QCoreApplication::processEvents();
    }

private:
    widgets::CProgressDlg& dlg_;
};

QString Tr(const char* text) {
    return QCoreApplication::translate("tarsel::views::CViewPosTable", text);
}

}  // namespace

CViewPosTable::CViewPosTable(app::IShell& shell, QWidget* parent)
    : CView(shell, app::FrameKind::PosTable, parent),
      watch_(shell.Master(), CBoardInterface::kWatchPosTable) {
    setObjectName(QStringLiteral("CViewPosTable"));
    BuildForm();
    SetRedrawing(true);
}

CViewPosTable::~CViewPosTable() {
    // Closing the window stops every table that runs on any port: nothing is left to stop it.
    CCommMaster& master = Shell().Master();
    for (std::size_t p = 0; p < master.GetPortCount(); ++p) {
        const uint8_t port = master.GetPortNumberAt(p);
        for (uint8_t slave = 0; slave < 16; ++slave) {
            BoardRef board = master.GetBoard(port, slave);
            if (board && board->IsTableRunning()) board->MoveStop(false);
        }
    }
}

void CViewPosTable::BuildForm() {
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(SlaveSelector());
    const auto radio = [this, bar](const QString& text, const char* name) {
        auto* r = new QRadioButton(text, this);
        r->setObjectName(QString::fromLatin1(name));
        bar->addWidget(r);
        return r;
    };
    normal_ = radio(tr("Normal"), "radioNormal");
    single_ = radio(tr("Single Step"), "radioSingleStep");
    normal_->setChecked(true);
    const auto button = [this, bar](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    run_ = button(tr("Run"), "buttonRun");
    run_->setAccessibleName(tr("Run"));
    teaching_ = button(tr("Teaching"), "buttonTeaching");
    refresh_ = button(tr("Refresh"), "buttonRefresh");
    loadRom_ = button(tr("Load ROM"), "buttonLoadRom");
    saveRom_ = button(tr("Save to ROM"), "buttonSaveRom");
    loadFile_ = button(tr("Load File"), "buttonLoadFile");
    saveFile_ = button(tr("Save to File"), "buttonSaveFile");
    bar->addStretch();
    close_ = button(tr("Close"), "buttonClose");
    top->addLayout(bar);

    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("listPosTable"));
    list_->setAccessibleName(tr("Position Table"));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->setColumnCount(kColumnCount);
    for (int c = 0; c < kColumnCount; ++c) {
        list_->setHorizontalHeaderItem(c, new QTableWidgetItem(Tr(kColumns[c].title)));
        list_->setColumnWidth(c, kColumns[c].width);
    }
    list_->installEventFilter(this);
    top->addWidget(list_, 1);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PosTablePopup"));
    const auto action = [this](const QString& text, const char* name, auto slot) {
        QAction* a = popup_->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    editAction_ = action(tr("&Edit Item"), "actionEditItem", [this] { EditItem(); });
    clearAction_ = action(tr("&Clear Item"), "actionClearItem", [this] { ClearItem(); });
    clearAllAction_ = action(tr("Clear &All Items"), "actionClearAllItems", [this] { ClearAllItems(); });
    popup_->addSeparator();
    cutAction_ = action(tr("Cut Item\tCtrl-X"), "actionCutItem", [this] { CopyItem(ClipMode::Cut); });
    copyAction_ = action(tr("Copy Item\tCtrl-C"), "actionCopyItem", [this] { CopyItem(ClipMode::Copy); });
    pasteAction_ = action(tr("Paste Item\tCtrl-V"), "actionPasteItem", [this] { PasteItem(); });
    popup_->addSeparator();
    runAction_ = action(tr("&Run Selected Item"), "actionRunSelectedItem", [this] { RunSelectedItem(); });

    connect(normal_, &QRadioButton::clicked, this, [this] { SetSingleStep(false); });
    connect(single_, &QRadioButton::clicked, this, [this] { SetSingleStep(true); });
    connect(run_, &QPushButton::clicked, this, &CViewPosTable::RunClicked);
    connect(teaching_, &QPushButton::clicked, this, &CViewPosTable::Teaching);
    connect(refresh_, &QPushButton::clicked, this, &CViewPosTable::Refresh);
    connect(loadRom_, &QPushButton::clicked, this, &CViewPosTable::LoadRom);
    connect(saveRom_, &QPushButton::clicked, this, &CViewPosTable::SaveRom);
    connect(loadFile_, &QPushButton::clicked, this, &CViewPosTable::LoadFile);
    connect(saveFile_, &QPushButton::clicked, this, &CViewPosTable::SaveFile);
    connect(close_, &QPushButton::clicked, this, [this] {
        if (app::CChildFrame* frame = Frame()) frame->close();
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        SelectItem(static_cast<uint16_t>(row));
        EditItem();
    });
    connect(list_, &QTableWidget::cellClicked, this,
            [this](int row) { SelectItem(static_cast<uint16_t>(row)); });
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
        const auto rows = list_->selectionModel()->selectedRows();
        if (!rows.isEmpty()) selected_ = static_cast<uint16_t>(rows.first().row());
        UpdateRunControls(false);
    });
    connect(list_, &QTableWidget::customContextMenuRequested, this, [this] {
        if (QMenu* menu = PreparePopup()) menu->popup(QCursor::pos());
    });
    setMinimumSize(640, 240);
}

bool CViewPosTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            CopyItem(ClipMode::Copy);
            return true;
        }
        if (key->matches(QKeySequence::Cut)) {
            CopyItem(ClipMode::Cut);
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            PasteItem();
            return true;
        }
        // A key press moves the selection: a pending single step no longer applies.
        if (BoardRef board = Board()) board->ClearOneItemPending();
    }
    return CView::eventFilter(watched, event);
}

void CViewPosTable::OnMessage(const app::Message& m) {
    switch (m.kind) {
        case MsgKind::DataReloaded:
            if (m.slave == Slave()) Rebuild();
            return;
        case MsgKind::PosItemWritten:
            if (m.slave == Slave() && m.value >= 0 && m.value < list_->rowCount())
                FillRow(static_cast<int>(m.value));
            return;
        case MsgKind::PosItemEdited:
            if (m.port == Port() && m.slave == Slave()) Follow(static_cast<uint16_t>(m.value));
            return;
        case MsgKind::DriveGoingAway:
            if (m.slave == Slave()) {
                watch_.Release();
                if (app::CChildFrame* frame = Frame()) frame->close();
            }
            return;
        default:
            CView::OnMessage(m);
    }
}

void CViewPosTable::OnDriveChanged() {
    selected_ = kNone;
    lastFollowed_ = kNone;
    watch_.Watch(Port(), Slave());
    BoardRef board = Board();
    if (board) {
        if (!board->paramLoaded.load() || !board->posTableLoaded.load()) {
            const uint32_t bits = load_bit::kParameters | load_bit::kPosTable;
            board->RequestLoad(bits);
            Shell().LoadData(Port(), Slave(), bits);
        }
    }
    Rebuild();
    // Fitted once the window is styled: fitted earlier, the tool bar comes out too narrow and
    // cuts its first label.  Later drives keep the size the user gave the window.
    if (!fitted_ && isVisible()) {
        fitted_ = true;
        FitFrame();
    }
}

void CViewPosTable::RequestTableReload() {
    BoardRef board = Board();
    if (!board) return;
    board->posTableLoaded = false;
    board->RequestLoad(load_bit::kPosTable);
    Shell().LoadData(Port(), Slave(), load_bit::kPosTable);
}

void CViewPosTable::Rebuild() {
    BoardRef board = Board();
    const bool usable = board && board->IsPortOpen();
    for (QWidget* w : std::initializer_list<QWidget*>{normal_, single_, run_, teaching_, refresh_, loadRom_,
                                                      saveRom_, loadFile_, saveFile_, list_}) {
        w->setEnabled(usable);
    }
    runState_ = -1;
    if (!usable) {
        list_->setRowCount(0);
        return;
    }
    const int columns = HasInposColumn(board->GetBoardType()) ? kColumnCount : kColumnCount - 1;
    if (list_->columnCount() != columns) {
        list_->setColumnCount(columns);
        if (columns == kColumnCount) {
            list_->setHorizontalHeaderItem(kInposColumn,
                                           new QTableWidgetItem(Tr(kColumns[kInposColumn].title)));
            list_->setColumnWidth(kInposColumn, kColumns[kInposColumn].width);
        }
    }
    const int count = board->GetPosTableItemCount();
    if (list_->rowCount() != count) list_->setRowCount(count);
    // Cells for every row and column the list has now, also for a "Check Inpos" column that came
    // back (a cell for a column the list lacks would be refused and lost).
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < list_->columnCount(); ++c) {
            if (list_->item(r, c) != nullptr) continue;
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(c == 0 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
            if (c == 0) cell->setText(QString::number(r));
            list_->setItem(r, c, cell);
        }
    }
    for (int r = 0; r < count; ++r) FillRow(r);
    const bool single = board->posTableSingleStep.load();
    (single ? single_ : normal_)->setChecked(true);
    UpdateRunControls(true);
}

void CViewPosTable::FillRow(int row) {
    BoardRef board = Board();
    if (!board || row >= list_->rowCount()) return;
    const auto record = board->GetPosTableItem(static_cast<uint16_t>(row));
    const bool loaded = board->posTableLoaded.load() && record.has_value();
    const PosItemFields f = record ? Decode(*record) : PosItemFields{};
    const auto texts = CellTexts(f, board->GetPosTableItemCount(), loaded);
    for (int c = 1; c < list_->columnCount(); ++c) {
        QTableWidgetItem* cell = list_->item(row, c);
        const QString text = QString::fromStdString(texts[c - 1]);
        if (cell != nullptr && cell->text() != text) cell->setText(text);
    }
}

bool CViewPosTable::AnyBusy() const {
    BoardRef board = Board();
    return board &&
           (board->IsBusy() || board->IsRepeatRunning() || board->IsJog() || board->IsTableRunning());
}

void CViewPosTable::UpdateRunControls(bool force) {
    BoardRef board = Board();
    if (!board || !board->IsPortOpen()) return;
    const bool running = board->IsTableRunning();
    const bool pending = board->IsOneItemRunPending();
    const bool idle = !running && !board->IsBusy() && !board->IsRepeatRunning() && !board->IsJog();
    const bool hasSelection = selected_ < list_->rowCount();
    const int state = (running ? 1 : 0) | (pending ? 2 : 0) | (idle ? 4 : 0) | (hasSelection ? 8 : 0);
    if (!force && state == runState_) return;
    runState_ = state;
    if (running) {
        run_->setText(tr("Stop"));
        run_->setEnabled(true);
    } else {
        run_->setText(pending && single_->isChecked() ? tr("Next") : tr("Run"));
        run_->setEnabled(hasSelection);
    }
    normal_->setEnabled(!running);
    single_->setEnabled(!running);
    for (QPushButton* b : {teaching_, refresh_, loadRom_, saveRom_, loadFile_, saveFile_})
        b->setEnabled(idle);
}

void CViewPosTable::OnRedraw() {
    UpdateRunControls(false);
    BoardRef board = Board();
    if (!board) return;
    if (board->IsTableRunning()) {
        const uint16_t item = board->GetRunningItem();
        if (item != lastFollowed_) Follow(item);
    } else if (board->IsOneItemRunPending()) {
        const uint16_t item = board->GetRunningItem();
        if (item != lastFollowed_) Follow(item);
    }
}

void CViewPosTable::Follow(uint16_t item) {
    BoardRef board = Board();
    if (!board || item >= board->GetPosTableItemCount() || item >= list_->rowCount()) return;
    lastFollowed_ = item;
    list_->clearSelection();
    list_->selectRow(item);
    list_->setCurrentCell(item, 0);
    selected_ = item;
    QTableWidgetItem* cell = list_->item(item, 0);
    if (item == 0) {
        list_->scrollToTop();
    } else if (item + 1 == list_->rowCount()) {
        list_->scrollToBottom();
    } else {
        list_->scrollToItem(cell);
    }
    if (editor_ != nullptr && editor_->isVisible()) editor_->ShowItem(Port(), Slave(), item);
}

void CViewPosTable::SelectItem(uint16_t item) {
    if (item >= list_->rowCount()) return;
    list_->selectRow(item);
    selected_ = item;
    if (BoardRef board = Board()) board->ClearOneItemPending();
    UpdateRunControls(false);
}

void CViewPosTable::RunClicked() {
    BoardRef board = Board();
    if (!board) return;
    if (board->IsTableRunning()) {
        board->MoveStop(false);
    } else if (board->IsBusy() || board->IsRepeatRunning() || board->IsJog()) {
        Shell().Dialogs().Inform(tr("Run Error"),
                                 tr("The motor is busy now. You can run it after stopping the motor."),
                                 app::BoxIcon::Exclamation);
        return;
    } else if (selected_ < board->GetPosTableItemCount()) {
        lastFollowed_ = selected_;
        if (single_->isChecked()) {
            board->PosTableRunOneItem(board->IsOneItemRunPending(), selected_);
        } else {
            board->PosTableRunItem(selected_);
        }
    }
    board->UpdateStatus();
    UpdateRunControls(true);
}

void CViewPosTable::SetSingleStep(bool single) {
    BoardRef board = Board();
    if (!board) return;
    if (!single && !board->IsTableRunning()) board->ClearOneItemPending();
    board->posTableSingleStep = single;
    (single ? single_ : normal_)->setChecked(true);
    UpdateRunControls(true);
}

QMenu* CViewPosTable::PreparePopup() {
    BoardRef board = Board();
    if (!board || board->IsTableRunning()) return nullptr;
    const bool selected = selected_ < board->GetPosTableItemCount();
    for (QAction* a : {editAction_, clearAction_, cutAction_, copyAction_, runAction_})
        a->setEnabled(selected);
    pasteAction_->setEnabled(clipSource_ != kNone);
    clearAllAction_->setEnabled(true);
    return popup_;
}

void CViewPosTable::EditItem() {
    BoardRef board = Board();
    if (!board || selected_ >= board->GetPosTableItemCount() || board->IsTableRunning()) return;
    if (editor_ == nullptr) {
        editor_ = new dialogs::CDlgPosItem(Shell(), this);
        editor_->setWindowFlag(Qt::Window);
    }
    editor_->ShowItem(Port(), Slave(), selected_);
    editor_->show();
    editor_->raise();
}

void CViewPosTable::ClearItem() {
    BoardRef board = Board();
    if (!board) return;
    auto record = board->GetPosTableItem(selected_);
    if (!record) return;
    PosItemFields f = Decode(*record);
    f.command = kEmptyCommand;
    Encode(f, *record);
    board->WritePosTableItem(selected_, *record, true);
}

void CViewPosTable::CopyItem(ClipMode mode) {
    BoardRef board = Board();
    if (!board) return;
    const auto record = board->GetPosTableItem(selected_);
    if (!record || Decode(*record).IsEmpty()) return;
    clipSource_ = selected_;
    clipMode_ = mode;
}

void CViewPosTable::PasteItem() {
    BoardRef board = Board();
    if (!board || clipSource_ == kNone || selected_ >= board->GetPosTableItemCount()) return;
    const uint16_t source = clipSource_;
    const uint16_t target = selected_;
    clipSource_ = kNone;  // the clipboard is emptied whatever the outcome
    // The source's content of this moment, not of the time of copying.
    auto record = board->GetPosTableItem(source);
    if (!record) return;
    if (clipMode_ == ClipMode::Copy) {
        board->WritePosTableItem(target, *record, true);
    } else if (target != source) {
        if (!board->WritePosTableItem(target, *record, true)) return;
        PosItemFields f = Decode(*record);
        f.command = kEmptyCommand;
        Encode(f, *record);
        board->WritePosTableItem(source, *record, true);
    }
}

void CViewPosTable::RunSelectedItem() {
    BoardRef board = Board();
    if (!board) return;
    const auto record = board->GetPosTableItem(selected_);
    if (!record || Decode(*record).IsEmpty() || AnyBusy()) return;
    lastFollowed_ = selected_;
    board->PosTableRunItem(selected_);
}

void CViewPosTable::ClearAllItems() {
    BoardRef board = Board();
    if (!board) return;
    if (!Shell().Dialogs().AskYesNo(tr("Clear Position Table Data"),
                                    tr("Do you want to clear all position table data?"))) {
        return;
    }
    const uint16_t count = board->GetPosTableItemCount();
    widgets::CProgressDlg progress(this);
    progress.setObjectName(QStringLiteral("progressClearAll"));
    progress.SetStatus(tr("Clearing Position Table data..."));
    progress.SetRange(0, count);
    progress.show();
    for (uint16_t i = 0; i < count; ++i) {
        progress.SetPos(i + 1);
        QCoreApplication::processEvents();
        if (progress.Cancelled()) break;
        auto record = board->GetPosTableItem(i);
        if (!record) continue;
        PosItemFields f = Decode(*record);
        if (f.IsEmpty()) continue;
        f.command = kEmptyCommand;
        Encode(f, *record);
        if (!board->WritePosTableItem(i, *record, false)) {
            Shell().Dialogs().Inform(tr("Clear Position Table Data"),
                                     tr("A error is occured while writing position table data."),
                                     app::BoxIcon::Error);
            break;
        }
    }
    progress.hide();
    Rebuild();
}

void CViewPosTable::Refresh() {
    BoardRef board = Board();
    if (!board) return;
    refresh_->setEnabled(false);
    for (uint16_t i = 0; i < board->GetPosTableItemCount(); ++i) {
        const auto record = board->GetPosTableItem(i);
        if (record && !Decode(*record).IsEmpty() && !board->ReadPosTableItem(i)) break;
    }
    Rebuild();
    refresh_->setEnabled(true);
}

void CViewPosTable::Teaching() {
    BoardRef board = Board();
    if (!board) return;
    const uint16_t count = board->GetPosTableItemCount();
    const auto absolute = [&board](uint16_t i) {
        const auto record = board->GetPosTableItem(i);
        return record && IsAbsolute(Decode(*record).command);
    };
    std::optional<uint16_t> start;
    if (selected_ < count && absolute(selected_)) start = selected_;
    for (uint16_t i = 0; !start && i < count; ++i) {
        if (absolute(i)) start = i;
    }
    if (!start) {
        Shell().Dialogs().Inform(
            tr("Error"),
            tr("There were no absolute position command items which teaching function could be applied."),
            app::BoxIcon::Error);
        return;
    }
    board.reset();  // the dialog looks the board up itself
    dialogs::CDlgTeaching dlg(Shell(), Port(), Slave(), *start, this);
    dlg.exec();
}

void CViewPosTable::LoadRom() {
    BoardRef board = Board();
    if (!board) return;
    if (!Shell().Dialogs().AskYesNo(Tr(kRomLoadCaption), tr("Do you really want to load saved data?")))
        return;
    if (!board->ReadPosTableFromROM()) {
        Shell().Dialogs().Inform(Tr(kRomLoadCaption), tr("Failed to load data."), app::BoxIcon::Error);
        return;
    }
    RequestTableReload();
}

void CViewPosTable::SaveRom() {
    BoardRef board = Board();
    if (!board) return;
    if (!Shell().Dialogs().AskYesNo(tr("Save Position Table"), tr("Do you really want to save it?"))) return;
    saveRom_->setEnabled(false);
    const bool ok = board->SavePosTableToROM();
    Shell().Dialogs().Inform(tr("Save PosTable to ROM"),
                             ok ? tr("Saving is done.") : tr("Failed to save data."),
                             ok ? app::BoxIcon::Information : app::BoxIcon::Error);
    saveRom_->setEnabled(true);
}

void CViewPosTable::SaveFile() {
    BoardRef board = Board();
    if (!board) return;
    app::FileRequest request;
    request.caption = Tr(kFileSaveCaption);
    request.filter = tr("Text File(*.txt);;All Files(*.*)");
    request.suffix = QStringLiteral("txt");
    const auto path = Shell().Dialogs().SaveFile(request);
    if (!path) return;
    // The file is written whole and replaces what was there.
    const bool ok = board->SavePosTableFile(path->toStdString());
    Shell().Dialogs().Inform(Tr(kFileSaveCaption),
                             ok ? tr("Saving to file is done.") : tr("Failed to save data to file."),
                             ok ? app::BoxIcon::Information : app::BoxIcon::Error);
}

// Lines with fewer than the 17 numbers are read with the missing numbers as 0; the user is told
// which items that concerns so a damaged file does not go unnoticed.
std::optional<QString> CViewPosTable::CheckShortLines(const QString& path) const {
    const auto file = ini::IniFile::Load(path.toStdString());
    BoardRef board = Board();
    if (!file || !board) return std::nullopt;
    QStringList items;
    for (uint16_t i = 0; i < board->GetPosTableItemCount(); ++i) {
        const auto line = file->Find(files::kPosTableSection, std::to_string(i));
        files::PosTableRecord record{};
        if (line && !files::ParsePosTableLine(*line, record)) items << QString::number(i);
    }
    if (items.isEmpty()) return std::nullopt;
    return items.join(QStringLiteral(", "));
}

void CViewPosTable::LoadFile() {
    BoardRef board = Board();
    if (!board) return;
    app::FileRequest request;
    request.caption = Tr(kFileLoadCaption);
    request.filter = tr("Text File(*.txt);;All Files(*.*)");
    const auto path = Shell().Dialogs().OpenFile(request);
    if (!path) return;
    const auto file = ini::IniFile::Load(path->toStdString());
    if (!file || !QFileInfo(*path).isFile()) {
        Shell().Dialogs().Inform(Tr(kFileLoadCaption), tr("Failed to read file."), app::BoxIcon::Error);
        return;
    }
    if (!files::ModelMatches(*file, board->GetModelName())) {
        Shell().Dialogs().Inform(
            Tr(kFileLoadCaption),
            tr("It is NOT a Position Table file or not a supported one.\nPlease check it again."),
            app::BoxIcon::Exclamation);
        return;
    }
    const auto shortLines = CheckShortLines(*path);
    widgets::CProgressDlg dlg(this);
    dlg.setObjectName(QStringLiteral("progressLoadFile"));
    dlg.setWindowTitle(tr("Loading Position Table Data.."));
    dlg.show();
    DialogProgress progress(dlg);
    const bool ok = board->LoadPosTableFile(path->toStdString(), &progress);
    dlg.hide();
    if (!ok) {
        Shell().Dialogs().Inform(Tr(kFileLoadCaption), tr("Failed to load file."), app::BoxIcon::Error);
    } else if (shortLines) {
        Shell().Dialogs().Inform(Tr(kFileLoadCaption),
                                 tr("These items have fewer than 17 numbers in the file; the missing numbers "
                                    "were read as 0: %1")
                                     .arg(*shortLines),
                                 app::BoxIcon::Exclamation);
    }
    RequestTableReload();
}

void RegisterPosTableView(app::ViewRegistry& registry) {
    registry.Register(app::FrameKind::PosTable, app::ViewRegistry::kAnyType, QStringLiteral("CViewPosTable"),
                      [](app::IShell& shell, QWidget* parent) { return new CViewPosTable(shell, parent); });
}

}  // namespace tarsel::views
