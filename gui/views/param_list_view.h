// The parameter list: every parameter of one drive in a grid (number, name, range, default,
// value, field text), values edited in place and written at once, and the bulk operations on
// the whole set (defaults, ROM, parameter files, comparison with a file or another drive).
#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>

#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/dialogs/param_compare_dialog.h"
#include "gui/views/board_task.h"

class QPushButton;
class QLabel;

namespace tarsel::widgets {
class CValueGrid;
}

namespace tarsel::views {

class CViewParamList : public app::CView {
    Q_OBJECT
public:
    enum Column { kNumber, kName, kRange, kDefault, kValue, kField, kColumnCount };

    CViewParamList(app::IShell& shell, QWidget* parent = nullptr);
    ~CViewParamList() override;

    void OnMessage(const app::Message& message) override;

    widgets::CValueGrid* Grid() const { return grid_; }
    // The running bulk operation (file load, ROM restore, defaults), or none.
    CBoardTask* Task() const { return task_; }
    // The open comparison, or none.
    dialogs::CDlgParamCompare* CompareDialog() const { return compareDialog_; }

    // The bulk operations, as the buttons start them.
    void SetToDefault();
    void LoadRom();
    void SaveRom();
    void LoadFile();
    void SaveFile();
    void Compare();

    // The "Range" text of a parameter.
    static QString RangeText(int32_t minimum, int32_t maximum);

protected:
    void OnDriveChanged() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Refresh();
    void WriteRow(const CBoardInterface& board, int row);
    void WriteValue(CBoardInterface& board, int row);
    bool OnValueEdited(int row, const QString& text);
    void SetControlsEnabled(bool enabled);
    void RequestLoad();
    void AfterBulk();
    bool Busy() const;

    widgets::CValueGrid* grid_;
    QPushButton* bldc_;
    QPushButton* setDefault_;
    QPushButton* loadRom_;
    QPushButton* saveRom_;
    QPushButton* loadFile_;
    QPushButton* saveFile_;
    QPushButton* compare_;
    QPushButton* close_;
    QPointer<CBoardTask> task_;
    QPointer<dialogs::CDlgParamCompare> compareDialog_;
};

void RegisterParamListView(app::ViewRegistry& registry);

}  // namespace tarsel::views
