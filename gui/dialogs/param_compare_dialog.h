// Side by side: the parameter values of a drive and those of a parameter file or of another
// drive of the same model on the line.  Rows that differ are marked and can be ticked; "Copy to
// Drive" writes the ticked values to the drive one by one through its board, so the command bar
// and the other windows see each write.
#pragma once

#include <QDialog>
#include <cstdint>
#include <vector>

#include "gui/dialogs/param_compare.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tarsel::app {
class IShell;
}

namespace tarsel::dialogs {

class CDlgParamCompare : public QDialog {
    Q_OBJECT
public:
    enum Column { kNumber, kName, kDrive, kOther, kColumnCount };

    CDlgParamCompare(app::IShell& shell, uint8_t port, uint8_t slave, QWidget* parent = nullptr);

    // Compares with a parameter file; false (with a message box) when it cannot be used.
    bool CompareWithFile(const QString& path);
    // Compares with another drive of the port; false when it is not there or of another model.
    bool CompareWithDrive(uint8_t slave);
    // Ticks the row of a parameter (only rows that differ can be ticked).
    void SetChecked(int number, bool checked);
    // Writes the ticked values to the drive; returns how many were written.
    int CopyChecked();

    const std::vector<CompareRow>& Rows() const { return rows_; }
    QTableWidget* Table() const { return table_; }

private:
    void OnBrowse();
    void OnDriveChosen(int index);
    void Show(std::vector<int32_t> other, const QString& source);
    void Redraw();
    std::vector<int32_t> DriveValues() const;

    app::IShell& shell_;
    const uint8_t port_;
    const uint8_t slave_;
    std::vector<int32_t> other_;
    std::vector<CompareRow> rows_;
    QLabel* source_;
    QComboBox* drives_;
    QPushButton* browse_;
    QTableWidget* table_;
    QPushButton* copy_;
};

}  // namespace tarsel::dialogs
