#include "gui/app/child_frame.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/app/message_event.h"
#include "gui/app/shell.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/view.h"
#include "gui/app/view_registry.h"

namespace tarsel::app {

namespace {

// Shown in a frame whose window is not part of this build.
class CPlaceholderView : public CView {
public:
    CPlaceholderView(IShell& shell, FrameKind kind, QWidget* parent) : CView(shell, kind, parent) {
        setObjectName(QStringLiteral("placeholderView"));
        auto* label =
            new QLabel(QCoreApplication::translate("Frame", "This window is not available yet."), this);
        label->setObjectName(QStringLiteral("placeholderText"));
        label->setAlignment(Qt::AlignCenter);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        setMinimumSize(360, 160);
    }
};

}  // namespace

CChildFrame::CChildFrame(IShell& shell, FrameKind kind, QWidget* parent)
    : QMdiSubWindow(parent), shell_(shell), kind_(kind) {
    const FrameSpec& spec = Spec(kind);
    setObjectName(QString::fromLatin1(spec.className));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("Frame", spec.title));
    setWindowIcon(NamedIcon(spec.icon));
    Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint;
    if (spec.resizable) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    body_ = new QWidget(this);
    auto* layout = new QVBoxLayout(body_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (spec.statusBar) {
        statusBar_ = new QStatusBar(body_);
        statusBar_->setObjectName(QStringLiteral("frameStatusBar"));
        layout->addWidget(statusBar_);
    }
    setWidget(body_);
    if (spec.resizable) setMinimumSize(spec.minWidth, spec.minHeight);
    MakeView(ViewRegistry::kAnyType);
}

CChildFrame::~CChildFrame() {
    shell_.Send(Message::Closed(Spec(kind_).message, this));
}

bool CChildFrame::MakeView(uint8_t typeCode) {
    const ViewRegistry::Entry* entry = shell_.Views().Find(kind_, typeCode);
    CView* view = nullptr;
    if (entry != nullptr && entry->make) {
        view = entry->make(shell_, body_);
        if (view == nullptr) return false;  // the old view stays
        view->SetClassName(entry->className);
    } else if (view_ == nullptr) {
        view = new CPlaceholderView(shell_, kind_, body_);
    } else {
        return false;
    }
    auto* layout = static_cast<QVBoxLayout*>(body_->layout());
    if (view_ != nullptr) {
        layout->removeWidget(view_);
        view_->hide();
        view_->deleteLater();
    }
    view_ = view;
    layout->insertWidget(0, view_, 1);
    view_->show();
    FitToView();
    return true;
}

void CChildFrame::Serve(uint8_t port, uint8_t slave, uint8_t typeCode) {
    port_ = port;
    slave_ = slave;
    if (Spec(kind_).viewPerType) {
        const ViewRegistry::Entry* entry = shell_.Views().Find(kind_, typeCode);
        if (entry != nullptr && (view_ == nullptr || view_->ClassName() != entry->className)) {
            if (MakeView(typeCode)) {
                failedType_ = -1;
                if (mdiArea() != nullptr) mdiArea()->setActiveSubWindow(this);
            } else {
                failedType_ = typeCode;
            }
        }
    }
    if (view_ != nullptr) PostAppMessage(view_, Message::Drive(MsgKind::ServeDrive, port, slave));
}

void CChildFrame::Deliver(const Message& message) {
    if (view_ != nullptr) view_->OnMessage(message);
}

void CChildFrame::FitToView() {
    const FrameSpec& spec = Spec(kind_);
    body_->adjustSize();
    adjustSize();
    if (!spec.resizable) {
        setFixedSize(sizeHint());
    } else {
        resize(sizeHint().expandedTo(QSize(spec.minWidth, spec.minHeight)));
    }
}

bool CChildFrame::event(QEvent* event) {
    if (event->type() == MessageEvent::EventType()) {
        auto* me = static_cast<MessageEvent*>(event);
        const Message& m = me->message();
        if (me->Wanted()) {
            if (m.kind == MsgKind::ServeDrive) {
                Serve(m.port, m.slave, static_cast<uint8_t>(m.value));
            } else {
                Deliver(m);
            }
        }
        return true;
    }
    return QMdiSubWindow::event(event);
}

}  // namespace tarsel::app
