// The BLDC parameter window: the tuning parameters of a BLDC servo drive, one tab per category,
// in a grid (number, name, range, step, value, field text) whose values are edited in place as
// real numbers and written at once, and the bulk operations on the whole set (re-read, ROM,
// BLDC parameter files).
#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/views/board_task.h"

class QPushButton;
class QTabBar;

namespace tarsel {
class CBoardDorrinTevraBLDC;
}

namespace tarsel::widgets {
class CValueGrid;
}

namespace tarsel::views {

class CViewBLDCParameter : public app::CView {
    Q_OBJECT
public:
    enum Column { kNumber, kName, kRange, kStep, kValue, kField, kColumnCount };

    CViewBLDCParameter(app::IShell& shell, QWidget* parent = nullptr);
    ~CViewBLDCParameter() override;

    void OnMessage(const app::Message& message) override;

    widgets::CValueGrid* Grid() const { return grid_; }
    QTabBar* Tabs() const { return tabs_; }
    // The category shown (from 1).
    uint32_t Category() const { return category_; }
    // The parameter number of a grid row of the shown category, or 0.
    uint32_t NumberOfRow(int row) const;
    // The running bulk operation (ROM, file load), or none.
    CBoardTask* Task() const { return task_; }

    // The buttons' commands.
    void RefreshParameters();
    void LoadRom();
    void SaveRom();
    void SaveFile();
    void LoadFile();

    // "%g" of a real number, as every number of the grid is shown.
    static QString FormatG(double value);

protected:
    void OnDriveChanged() override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::shared_ptr<CBoardDorrinTevraBLDC> BldcBoard() const;
    void Refresh();
    void RequestLoad(CBoardDorrinTevraBLDC& board);
    void WriteValue(const CBoardDorrinTevraBLDC& board, int row);
    bool OnValueEdited(int row, const QString& text);
    bool RowEditable(int row) const;
    void SetControlsEnabled(bool enabled);
    bool Busy() const;

    struct Row {
        uint32_t number = 0;
        bool readOnly = false;
    };

    QTabBar* tabs_;
    widgets::CValueGrid* grid_;
    QPushButton* refresh_;
    QPushButton* loadRom_;
    QPushButton* saveRom_;
    QPushButton* saveFile_;
    QPushButton* loadFile_;
    QPushButton* close_;
    uint32_t category_ = 1;
    std::vector<Row> rows_;
    QPointer<CBoardTask> task_;
};

void RegisterBldcParamView(app::ViewRegistry& registry);

}  // namespace tarsel::views
