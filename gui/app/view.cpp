#include "gui/app/view.h"

#include <QTimerEvent>

#include "gui/app/child_frame.h"
#include "gui/app/message_event.h"
#include "gui/app/shell.h"
#include "gui/app/view_registry.h"
#include "gui/widgets/slave_selector.h"

namespace tarsel::app {

CView::CView(IShell& shell, FrameKind kind, QWidget* parent) : QWidget(parent), shell_(shell), kind_(kind) {}

void CView::OnMessage(const Message& message) {
    if (message.kind != MsgKind::ServeDrive) return;
    port_ = message.port;
    slave_ = message.slave;
    hasDrive_ = true;
    if (Spec(kind_).viewPerType) {
        if (BoardRef board = Board()) {
            const uint8_t type = board->GetBoardType();
            const ViewRegistry::Entry* entry = shell_.Views().Find(kind_, type);
            if (entry != nullptr && entry->className != className_ && Frame() != nullptr &&
                !Frame()->ExchangeFailed(type)) {
                // Another view class serves this drive: the frame exchanges the view.
                PostAppMessage(Frame(), Message::Drive(MsgKind::ServeDrive, port_, slave_, type));
                return;
            }
        }
    }
    UpdateSelector();
    OnDriveChanged();
    SyncTimer();
}

BoardRef CView::Board() const {
    if (!hasDrive_) return nullptr;
    return LookupBoard(shell_.Master(), port_, slave_);
}

void CView::ChangeSlave(uint8_t slave) {
    BoardRef board = LookupBoard(shell_.Master(), port_, slave);
    if (board == nullptr) return;
    const Message serve = Message::Drive(MsgKind::ServeDrive, port_, slave, board->GetBoardType());
    if (CChildFrame* frame = Frame()) {
        frame->Serve(serve.port, serve.slave, static_cast<uint8_t>(serve.value));
    } else {
        OnMessage(serve);
    }
}

widgets::CSlaveSelector* CView::SlaveSelector() {
    if (selector_ == nullptr) {
        selector_ = new widgets::CSlaveSelector(this);
        connect(selector_, &widgets::CSlaveSelector::previousClicked, this,
                [this] { ChangeSlave(shell_.Master().GetPrevSlave(port_, slave_)); });
        connect(selector_, &widgets::CSlaveSelector::nextClicked, this,
                [this] { ChangeSlave(shell_.Master().GetNextSlave(port_, slave_)); });
        UpdateSelector();
    }
    return selector_;
}

void CView::UpdateSelector() {
    if (selector_ == nullptr) return;
    const CCommMaster& master = shell_.Master();
    const bool hasPrevious = hasDrive_ && master.GetPrevSlave(port_, slave_) != slave_;
    const bool hasNext = hasDrive_ && master.GetNextSlave(port_, slave_) != slave_;
    selector_->SetState(slave_, hasPrevious, hasNext);
}

QStatusBar* CView::FrameStatusBar() const {
    CChildFrame* frame = Frame();
    return frame != nullptr ? frame->StatusBar() : nullptr;
}

CChildFrame* CView::Frame() const {
    for (QObject* p = parent(); p != nullptr; p = p->parent()) {
        if (auto* frame = qobject_cast<CChildFrame*>(p)) return frame;
    }
    return nullptr;
}

void CView::FitFrame() {
    if (CChildFrame* frame = Frame()) frame->FitToView();
}

void CView::SetRedrawing(bool on) {
    redrawing_ = on;
    SyncTimer();
}

void CView::SyncTimer() {
    const bool run = redrawing_ && hasDrive_ && isVisible();
    if (run && !timer_.isActive()) timer_.start(kRedrawMs, this);
    if (!run && timer_.isActive()) timer_.stop();
}

bool CView::event(QEvent* event) {
    if (event->type() == MessageEvent::EventType()) {
        auto* me = static_cast<MessageEvent*>(event);
        if (me->Wanted()) OnMessage(me->message());
        return true;
    }
    return QWidget::event(event);
}

void CView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        OnRedraw();
        return;
    }
    QWidget::timerEvent(event);
}

void CView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SyncTimer();
}

void CView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    SyncTimer();
}

CShellDialog::CShellDialog(IShell& shell, DialogKind kind, QWidget* parent)
    : QDialog(parent), shell_(shell), kind_(kind) {
    setObjectName(QString::fromLatin1(Spec(kind).className));
}

void CShellDialog::OnMessage(const Message& message) {
    if (message.kind != MsgKind::ServeDrive) return;
    port_ = message.port;
    slave_ = message.slave;
    OnDriveChanged();
}

BoardRef CShellDialog::Board() const {
    return LookupBoard(shell_.Master(), port_, slave_);
}

bool CShellDialog::event(QEvent* event) {
    if (event->type() == MessageEvent::EventType()) {
        auto* me = static_cast<MessageEvent*>(event);
        if (me->Wanted()) OnMessage(me->message());
        return true;
    }
    return QDialog::event(event);
}

}  // namespace tarsel::app
