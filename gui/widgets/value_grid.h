// A read-only grid with a header row, column widths given in twips and per-column alignment,
// and an in-place editor laid over one column's cell of the clicked row.  Every change of the
// editor's text goes to the owner's handler, which accepts it (and applies it) or refuses it;
// the editor is painted light red while its text is refused.  The editor hides when it loses
// the focus or the grid scrolls.  The mouse wheel scrolls one line per notch.
#pragma once

#include <QString>
#include <QTableWidget>
#include <functional>
#include <vector>

class QLineEdit;

namespace tarsel::widgets {

struct GridColumn {
    QString header;
    int widthTwips = 1000;
    Qt::Alignment alignment = Qt::AlignLeft;
};

class CValueGrid : public QTableWidget {
    Q_OBJECT
public:
    // The editor's text changed for `row`: true when it is acceptable.  Only the first
    // kEditorChars characters are handed over.
    using EditHandler = std::function<bool(int row, const QString& text)>;
    static constexpr int kEditorChars = 22;

    explicit CValueGrid(QWidget* parent = nullptr);

    // Twips (1/1440 inch) to pixels at `dpi` pixels per inch.
    static int TwipsToPixels(int twips, int dpi);

    void SetColumns(const std::vector<GridColumn>& columns);
    // Data rows (the header row is not counted here).
    void SetRows(int rows);
    // Rows as the user sees them: the header row plus the data rows.
    int RowsWithHeader() const { return rowCount() + 1; }
    // Writes a cell; a cell whose text is unchanged is not touched.
    void SetText(int row, int column, const QString& text);
    QString Text(int row, int column) const;

    // The column the editor opens over, and the handler of its text.
    void SetEditor(int column, EditHandler handler);
    // Which rows the editor opens on (all when none is set); a click on another row hides it.
    void SetRowEditable(std::function<bool(int row)> editable);
    // Lays the editor over the row's cell with its text, all selected, and focuses it.
    void OpenEditor(int row);
    void HideEditor();
    QLineEdit* Editor() const { return editor_; }
    // The row being edited, or -1 when the editor is hidden.
    int EditorRow() const;
    bool EditorInvalid() const;

    // Scrolls by whole lines: positive down, negative up.
    void ScrollLines(int lines);
    // One notch of the wheel: a negative delta scrolls one line down, otherwise one line up.
    void WheelStep(int delta);

protected:
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnEdited(const QString& text);

    std::vector<GridColumn> columns_;
    QLineEdit* editor_;
    int editorColumn_ = -1;
    int editorRow_ = -1;
    EditHandler handler_;
    std::function<bool(int row)> rowEditable_;
};

}  // namespace tarsel::widgets
