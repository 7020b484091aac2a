#include "gui/widgets/value_grid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include "gui/widgets/invalid_edit.h"

namespace tarsel::widgets {

CValueGrid::CValueGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName(QStringLiteral("valueGrid"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    editor_ = new QLineEdit(viewport());
    editor_->setObjectName(QStringLiteral("cellEditor"));
    editor_->setAccessibleName(tr("Value"));
    editor_->setFrame(false);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textEdited, this, &CValueGrid::OnEdited);
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) { OpenEditor(row); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { HideEditor(); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { HideEditor(); });
}

int CValueGrid::TwipsToPixels(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

void CValueGrid::SetColumns(const std::vector<GridColumn>& columns) {
    columns_ = columns;
    setColumnCount(static_cast<int>(columns.size()));
    QStringList headers;
    for (const GridColumn& c : columns) headers << c.header;
    setHorizontalHeaderLabels(headers);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
        setColumnWidth(c, TwipsToPixels(columns[static_cast<std::size_t>(c)].widthTwips, logicalDpiX()));
}

void CValueGrid::SetRows(int rows) {
    if (rows != rowCount()) {
        HideEditor();
        setRowCount(rows);
    }
}

void CValueGrid::SetText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem(text);
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const Qt::Alignment align = column < static_cast<int>(columns_.size())
                                        ? columns_[static_cast<std::size_t>(column)].alignment
                                        : Qt::AlignLeft;
        cell->setTextAlignment(align | Qt::AlignVCenter);
        setItem(row, column, cell);
    } else if (cell->text() != text) {
        cell->setText(text);
    }
}

QString CValueGrid::Text(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

void CValueGrid::SetEditor(int column, EditHandler handler) {
    editorColumn_ = column;
    handler_ = std::move(handler);
}

void CValueGrid::SetRowEditable(std::function<bool(int row)> editable) {
    rowEditable_ = std::move(editable);
}

void CValueGrid::OpenEditor(int row) {
    if (editorColumn_ < 0 || row < 0 || row >= rowCount() || !isEnabled()) return;
    if (rowEditable_ && !rowEditable_(row)) {
        HideEditor();
        return;
    }
    editorRow_ = row;
    const QRect cell = visualRect(model()->index(row, editorColumn_));
    editor_->setGeometry(cell);
    editor_->setAlignment(columns_.size() > static_cast<std::size_t>(editorColumn_)
                              ? columns_[static_cast<std::size_t>(editorColumn_)].alignment
                              : Qt::AlignLeft);
    MarkInvalid(editor_, false);
    editor_->setText(Text(row, editorColumn_));
    editor_->selectAll();
    editor_->show();
    editor_->raise();
    editor_->setFocus(Qt::MouseFocusReason);
}

void CValueGrid::HideEditor() {
    editorRow_ = -1;
    if (editor_->isVisible()) editor_->hide();
}

int CValueGrid::EditorRow() const {
    return editor_->isVisible() ? editorRow_ : -1;
}

bool CValueGrid::EditorInvalid() const {
    return IsMarkedInvalid(editor_);
}

void CValueGrid::OnEdited(const QString& text) {
    if (editorRow_ < 0 || !handler_) return;
    const bool ok = handler_(editorRow_, text.left(kEditorChars));
    MarkInvalid(editor_, !ok);
}

void CValueGrid::ScrollLines(int lines) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

void CValueGrid::WheelStep(int delta) {
    setFocus(Qt::MouseFocusReason);
    ScrollLines(delta < 0 ? 1 : -1);
}

void CValueGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) WheelStep(delta);
    event->accept();
}

bool CValueGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        // A context menu of the editor itself keeps it open.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) HideEditor();
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace tarsel::widgets
