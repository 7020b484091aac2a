// CViewBoardList: the open port and its drives as a two-level list (port row, one row per drive
// with type, motor and firmware), and seven buttons that open the other windows for the selected
// drive.
#pragma once

#include <QTreeWidget>
#include <optional>
#include <utility>

#include "gui/app/view.h"

class QPushButton;

namespace tarsel::app {

class ViewRegistry;

class CViewBoardList : public CView {
    Q_OBJECT
public:
    CViewBoardList(IShell& shell, QWidget* parent = nullptr);

    void OnMessage(const Message& message) override;

    QTreeWidget* Tree() const { return tree_; }
    // The drive the buttons act on: the selected row's, or the first drive when nothing is
    // selected (the port row is selected then).  None without a connection or drives.
    std::optional<std::pair<uint8_t, uint8_t>> SelectedDrive();
    void Rebuild();

    // The motor column's text of a drive: the name from "MotorDefines.ini", else the drive's own
    // motor name, else its motor number.
    static QString MotorText(uint16_t motorNumber, const QString& definedName, const QString& driveName);

protected:
    void OnDriveChanged() override { Rebuild(); }

private:
    QPushButton* AddButton(const QString& caption, const char* name, MsgKind message);

    QTreeWidget* tree_;
};

void RegisterBoardListView(ViewRegistry& registry);

}  // namespace tarsel::app
