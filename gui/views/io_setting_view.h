// The "I/O Setting" window: which logic signal each physical pin of a drive carries and each
// pin's active level; the assignment is stored in the drive's ROM, restored from it, reset to
// the defaults, and saved to or loaded from an I/O map file (.fit).
#pragma once

#include <QString>
#include <vector>

#include "gui/app/view.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tarsel {
class CBoardInterface;
class CIOSide;
}  // namespace tarsel

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::views {

class CViewIOSetting : public app::CView {
    Q_OBJECT
public:
    static constexpr int kInputRows = 12;
    static constexpr int kOutputRows = 10;

    CViewIOSetting(app::IShell& shell, QWidget* parent);

    void OnMessage(const app::Message& message) override;

    QComboBox* LogicList(bool output, int pin) const;
    QPushButton* LevelButton(bool output, int pin) const;
    QLabel* Caption(bool output, int pin) const;

    // Commands of the buttons.
    void SetToDefault();
    void LoadRom();
    void SaveRom();
    void SaveFile();
    void LoadFile();

protected:
    void OnDriveChanged() override;

private:
    struct Row {
        QLabel* caption = nullptr;
        QComboBox* logic = nullptr;
        QPushButton* level = nullptr;
    };

    QGroupBox* BuildSide(bool output, int rows);
    std::vector<Row>& Rows(bool output) { return output ? outputs_ : inputs_; }
    void FullRefresh();
    void EnableForm(bool on);
    void FillRows(bool output, const CIOSide& side);
    // Selection and level button of one row from the board's records.
    void ShowRow(bool output, int pin, const CIOSide& side);
    void ShowLevel(bool output, int pin, const CIOSide& side);
    void ShowRowFromBoard(bool output, int pin);
    void ShowLevelFromBoard(bool output, int pin);
    void SelectEntry(bool output, int pin, int entry);
    // The user chose `entry` in the row's list.
    void OnLogicChosen(bool output, int pin, int entry);
    void OnLevelClicked(bool output, int pin);
    void ReloadMap(CBoardInterface& board);

    std::vector<Row> inputs_;
    std::vector<Row> outputs_;
    QGroupBox* inputGroup_ = nullptr;
    QGroupBox* outputGroup_ = nullptr;
    std::vector<QPushButton*> commands_;
    QPushButton* closeButton_ = nullptr;
    bool rewriting_ = false;  // set while the view itself rewrites a row's selection
};

void RegisterIoSettingView(app::ViewRegistry& registry);

}  // namespace tarsel::views
