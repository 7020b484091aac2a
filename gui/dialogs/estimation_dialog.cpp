#include "gui/dialogs/estimation_dialog.h"

#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include "gui/app/shell.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/board/board_type_info.h"
#include "gui/model/port/CCommMaster.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::dialogs {

using app::Message;
using app::MsgKind;

CEstimationDialog::CEstimationDialog(app::IShell& shell, app::DialogKind kind, QWidget* parent)
    : CShellDialog(shell, kind, parent), selector_(new widgets::CSlaveSelector(this)) {
    connect(selector_, &widgets::CSlaveSelector::previousClicked, this, [this] { Step(-1); });
    connect(selector_, &widgets::CSlaveSelector::nextClicked, this, [this] { Step(+1); });
}

void CEstimationDialog::OnMessage(const Message& message) {
    if (message.kind != MsgKind::ServeDrive) return;
    app::BoardRef board = app::LookupBoard(Shell().Master(), message.port, message.slave);
    if (board == nullptr || board->GetBoardType() != board_type::kBldc) return;
    LeaveDrive();
    hasDrive_ = true;
    CShellDialog::OnMessage(message);
}

void CEstimationDialog::OnDriveChanged() {
    auto board = BldcBoard();
    if (board == nullptr) return;
    if (board->paramLoaded.load() && board->bldcLoaded.load()) {
        Refresh();
        return;
    }
    board->paramReloadRequest = true;
    board->bldcReloadRequest = true;
    const uint8_t port = Port(), slave = Slave();
    Shell().LoadData(port, slave, app::kLoadParameters | app::kLoadBldc,
                     [self = QPointer<CEstimationDialog>(this), port, slave](bool) {
                         // Shown even when a part failed to load: the dialog then works on what
                         // the caches hold, and its commands report their own failures.
                         if (self && self->Port() == port && self->Slave() == slave) self->Refresh();
                     });
}

std::shared_ptr<CBoardDorrinTevraBLDC> CEstimationDialog::BldcBoard() const {
    if (!hasDrive_) return nullptr;
    return std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(Board());
}

void CEstimationDialog::Watch(bool on) {
    if (on) {
        if (!hasDrive_ || watched_ == std::make_pair(Port(), Slave())) return;
        Watch(false);
        if (app::BoardRef board = Board()) {
            board->AddWatch(CBoardInterface::kWatchOther);
            watched_ = std::make_pair(Port(), Slave());
        }
        return;
    }
    if (!watched_) return;
    if (app::BoardRef board = app::LookupBoard(Shell().Master(), watched_->first, watched_->second))
        board->RemoveWatch(CBoardInterface::kWatchOther);
    watched_.reset();
}

std::optional<uint8_t> CEstimationDialog::Neighbour(int direction) const {
    const CCommMaster& master = Shell().Master();
    uint8_t slave = Slave();
    for (int k = 0; k < 16; ++k) {
        const uint8_t next =
            direction < 0 ? master.GetPrevSlave(Port(), slave) : master.GetNextSlave(Port(), slave);
        if (next == slave) return std::nullopt;
        slave = next;
        app::BoardRef board = app::LookupBoard(master, Port(), slave);
        if (board != nullptr && board->GetBoardType() == board_type::kBldc) return slave;
    }
    return std::nullopt;
}

void CEstimationDialog::UpdateSelector(bool enabled) {
    if (!hasDrive_) return;
    selector_->SetState(Slave(), enabled && Neighbour(-1).has_value(), enabled && Neighbour(+1).has_value());
}

void CEstimationDialog::Step(int direction) {
    if (!MayChangeDrive()) return;
    if (const std::optional<uint8_t> slave = Neighbour(direction))
        OnMessage(Message::Drive(MsgKind::ServeDrive, Port(), *slave));
}

QPushButton* CEstimationDialog::MakeButton(const QString& caption, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

}  // namespace tarsel::dialogs
