// "Position Table": the list of a drive's position table items with the commands that edit, run,
// clear, copy, re-read, store and load them, the item editor and the teaching dialog.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "gui/app/board_watch.h"
#include "gui/app/view.h"

class QMenu;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QAction;

namespace tarsel::dialogs {
class CDlgPosItem;
}

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::views {

class CViewPosTable : public app::CView {
    Q_OBJECT
public:
    static constexpr uint16_t kNone = 0xFFFF;
    enum class ClipMode { Copy, Cut };

    CViewPosTable(app::IShell& shell, QWidget* parent = nullptr);
    ~CViewPosTable() override;

    void OnMessage(const app::Message& message) override;

    // The commands, callable from tests as from the buttons and the menu.
    void RunClicked();
    void SetSingleStep(bool single);
    void EditItem();
    void ClearItem();
    void ClearAllItems();
    void CopyItem(ClipMode mode);
    void PasteItem();
    void RunSelectedItem();
    void Refresh();
    void Teaching();
    void LoadRom();
    void SaveRom();
    void SaveFile();
    void LoadFile();
    // Selects a row as a click does (clears a pending single step).
    void SelectItem(uint16_t item);
    // Opens the popup menu's state for the current selection without showing it (tests) or at
    // the cursor.
    QMenu* PreparePopup();

    uint16_t SelectedItem() const { return selected_; }
    uint16_t ClipboardSource() const { return clipSource_; }
    QTableWidget* List() const { return list_; }
    dialogs::CDlgPosItem* Editor() const { return editor_; }

protected:
    void OnDriveChanged() override;
    void OnRedraw() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    void Rebuild();
    void FillRow(int row);
    void Follow(uint16_t item);
    void UpdateRunControls(bool force);
    bool AnyBusy() const;
    void RequestTableReload();
    std::optional<QString> CheckShortLines(const QString& path) const;

    uint16_t selected_ = kNone;
    uint16_t clipSource_ = kNone;
    ClipMode clipMode_ = ClipMode::Copy;
    uint16_t lastFollowed_ = kNone;
    bool fitted_ = false;  // the frame was fitted once the window was shown and styled
    int runState_ = -1;
    app::BoardWatch watch_;  // the drive shown, watched while the window is open
    dialogs::CDlgPosItem* editor_ = nullptr;

    QRadioButton* normal_;
    QRadioButton* single_;
    QPushButton* run_;
    QPushButton* teaching_;
    QPushButton* refresh_;
    QPushButton* loadRom_;
    QPushButton* saveRom_;
    QPushButton* loadFile_;
    QPushButton* saveFile_;
    QPushButton* close_;
    QTableWidget* list_;
    QMenu* popup_;
    QAction* editAction_;
    QAction* clearAction_;
    QAction* clearAllAction_;
    QAction* cutAction_;
    QAction* copyAction_;
    QAction* pasteAction_;
    QAction* runAction_;
};

void RegisterPosTableView(app::ViewRegistry& registry);

}  // namespace tarsel::views
