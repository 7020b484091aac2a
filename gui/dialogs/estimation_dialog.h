// What the two estimation dialogs share: they serve one BLDC drive at a time (other drives are
// not taken), load its parameters and BLDC parameters before they show anything, and offer the
// slave selector, whose buttons move to the previous or next BLDC drive of the port.
#pragma once

#include <memory>
#include <optional>
#include <utility>

#include "gui/app/view.h"

class QPushButton;

namespace tarsel {
class CBoardDorrinTevraBLDC;
}

namespace tarsel::widgets {
class CSlaveSelector;
}

namespace tarsel::dialogs {

class CEstimationDialog : public app::CShellDialog {
    Q_OBJECT
public:
    CEstimationDialog(app::IShell& shell, app::DialogKind kind, QWidget* parent);

    // ServeDrive is taken only for a BLDC drive.
    void OnMessage(const app::Message& message) override;
    widgets::CSlaveSelector* Selector() const { return selector_; }

protected:
    // The drive was taken (also the first): its data is loaded; redraw everything.
    virtual void Refresh() = 0;
    // A drive is about to be taken (or the dialog goes): let go of the current one.
    virtual void LeaveDrive() {}
    // Another drive was asked for with the selector; false refuses (a run is on).
    virtual bool MayChangeDrive() const { return true; }

    std::shared_ptr<CBoardDorrinTevraBLDC> BldcBoard() const;
    // Counts the dialog among the watchers of the drive's live status (on), or no longer (off):
    // the polling thread reads the status of watched drives only, and the servo checks and the
    // position fields need it.
    void Watch(bool on);
    bool HasDrive() const { return hasDrive_; }
    // Enables the selector's buttons for the BLDC neighbours that exist, or disables both.
    void UpdateSelector(bool enabled);
    QPushButton* MakeButton(const QString& caption, const char* objectName, QWidget* parent);

private:
    void OnDriveChanged() override;
    std::optional<uint8_t> Neighbour(int direction) const;
    void Step(int direction);

    widgets::CSlaveSelector* selector_;
    bool hasDrive_ = false;
    std::optional<std::pair<uint8_t, uint8_t>> watched_;
};

}  // namespace tarsel::dialogs
