#include "gui/app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

#include "gui/app/board_access.h"
#include "gui/app/child_frame.h"
#include "gui/app/line_health_dock.h"
#include "gui/app/loading_sequence.h"
#include "gui/app/message_event.h"
#include "gui/app/qt_dialog_service.h"
#include "gui/app/routing.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/view.h"
#include "gui/app/view_registry.h"
#include "gui/model/board/main_frame_sink.h"
#include "gui/model/port/CCommMaster.h"

namespace tarsel::app {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("CMainFrame", text);
}

// Shown for a modeless dialog that is not part of this build.
class CPlaceholderDialog : public CShellDialog {
public:
    CPlaceholderDialog(IShell& shell, DialogKind kind, QWidget* parent) : CShellDialog(shell, kind, parent) {
        auto* label =
            new QLabel(QCoreApplication::translate("Frame", "This window is not available yet."), this);
        label->setObjectName(QStringLiteral("placeholderText"));
        label->setMinimumSize(320, 120);
        label->setAlignment(Qt::AlignCenter);
    }
};

}  // namespace

// The drive model's messages become typed messages on the main frame's queue.  Messages of the
// polling thread carry only a slave: they concern the first registered port (the program opens
// one port at a time).
class CMainFrame::ModelBridge : public IMainFrameSink {
public:
    explicit ModelBridge(CMainFrame& frame) : frame_(frame), master_(frame.master_) {}
    // Queued, never waited for: a worker may write lines while the GUI thread joins it.
    void CommandLine(std::string line) override { PostAppMessage(&frame_, Message::Line(std::move(line))); }
    bool Send(uint32_t number, uintptr_t wParam, intptr_t lParam, std::stop_token cancel) override {
        auto message = FromModel(number, wParam, lParam, master_.GetPortNumberAt(0));
        if (!message) return true;
        return SendAppMessage(&frame_, std::move(*message), std::move(cancel));
    }
    void Post(uint32_t number, uintptr_t wParam, intptr_t lParam) override {
        if (auto message = FromModel(number, wParam, lParam, master_.GetPortNumberAt(0)))
            PostAppMessage(&frame_, std::move(*message));
    }

private:
    CMainFrame& frame_;
    CCommMaster& master_;
};

class CMainFrame::Reporter : public FailureReporterAdapter {
public:
    using FailureReporterAdapter::FailureReporterAdapter;
};

CMainFrame::CMainFrame(CCommMaster& master, IDialogService& dialogs, const ViewRegistry& views,
                       MainFrameOptions options, QWidget* parent)
    : QMainWindow(parent),
      master_(master),
      dialogs_(dialogs),
      views_(views),
      options_(options),
      bridge_(std::make_unique<ModelBridge>(*this)),
      reporter_(std::make_unique<Reporter>(dialogs)),
      loader_(std::make_unique<CLoadingSequence>(*this, this)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Tarsel Tevra GUI Program for Distributor")));
    setWindowIcon(NamedIcon("tarselv8"));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdi_);

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    BuildCommandBar();
    BuildLineHealthBar();
    UpdateCommands();

    watchdog_ = new QTimer(this);
    watchdog_->setObjectName(QStringLiteral("watchdogTimer"));
    watchdog_->setInterval(options_.watchdogMs);
    connect(watchdog_, &QTimer::timeout, this, &CMainFrame::OnWatchdog);

    startTimer_ = new QTimer(this);
    startTimer_->setObjectName(QStringLiteral("startTimer"));
    startTimer_->setSingleShot(true);
    connect(startTimer_, &QTimer::timeout, this, &CMainFrame::OnConnect);
    if (options_.startDelayMs >= 0) startTimer_->start(options_.startDelayMs);
}

CMainFrame::~CMainFrame() {
    tearingDown_ = true;
    startTimer_->stop();
    watchdog_->stop();
    // The frames tell this object when they go; let them go while it is whole.
    // (also those closed a moment ago and waiting for their deletion).
    for (CChildFrame* frame : findChildren<CChildFrame*>()) delete frame;
    for (CShellDialog* dialog : findChildren<CShellDialog*>()) delete dialog;
    loader_.reset();
}

IMainFrameSink& CMainFrame::ModelSink() {
    return *bridge_;
}

IFailureReporter& CMainFrame::FailureReporter() {
    return *reporter_;
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const char* objectName) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(objectName));
    actions_[id] = action;
    return action;
}

QAction* CMainFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

void CMainFrame::BuildMenus() {
    QMenu* file = menuBar()->addMenu(Tr(QT_TRANSLATE_NOOP("CMainFrame", "&File")));
    file->setObjectName(QStringLiteral("menuFile"));
    QAction* connectAction =
        MakeAction(command::kConnect, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Connect")), "actionConnect");
    connectAction->setCheckable(true);
    connectAction->setToolTip(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Connect")));
    connectAction->setStatusTip(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Connect or disconnect the serial port")));
    connect(connectAction, &QAction::triggered, this, [this] {
        OnConnect();
        UpdateCommands();
    });
    file->addAction(connectAction);
    file->addSeparator();
    QAction* exitAction =
        MakeAction(command::kExit, Tr(QT_TRANSLATE_NOOP("CMainFrame", "E&xit")), "actionExit");
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    file->addAction(exitAction);

    QMenu* tuning = menuBar()->addMenu(Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Tuning")));
    tuning->setObjectName(QStringLiteral("menuTuning"));
    struct Bldc {
        int id;
        const char* text;
        const char* name;
    };
    const Bldc tuningItems[] = {
        {command::kBldcParameter, QT_TRANSLATE_NOOP("CMainFrame", "BLDC Parameter List"),
         "actionBldcParameter"},
        {command::kEstimateInertia, QT_TRANSLATE_NOOP("CMainFrame", "Estimate Inertia Ratio"),
         "actionEstimateInertia"},
        {command::kRlEstimate, QT_TRANSLATE_NOOP("CMainFrame", "R&&L Estimate"), "actionRlEstimate"},
    };
    for (const Bldc& item : tuningItems) {
        QAction* action = MakeAction(item.id, Tr(item.text), item.name);
        connect(action, &QAction::triggered, this, [this, id = item.id] { OnBldcCommand(id); });
        tuning->addAction(action);
    }
    QMenu* monitoring = menuBar()->addMenu(Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Monitoring")));
    monitoring->setObjectName(QStringLiteral("menuMonitoring"));
    QAction* monitoringAction = MakeAction(
        command::kMonitoring, Tr(QT_TRANSLATE_NOOP("CMainFrame", "Monitoring Data")), "actionMonitoring");
    connect(monitoringAction, &QAction::triggered, this, [this] { OnBldcCommand(command::kMonitoring); });
    monitoring->addAction(monitoringAction);

    QMenu* view = menuBar()->addMenu(Tr(QT_TRANSLATE_NOOP("CMainFrame", "&View")));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(
        MakeAction(command::kToolbar, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Toolbar")), "actionToolbar"));
    view->addAction(MakeAction(command::kStatusBar, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Status Bar")),
                               "actionStatusBar"));
    view->addAction(MakeAction(command::kCommandBar, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Command Bar")),
                               "actionCommandBar"));
    view->addAction(MakeAction(command::kLineHealth, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Line Health")),
                               "actionLineHealth"));

    QMenu* help = menuBar()->addMenu(Tr(QT_TRANSLATE_NOOP("CMainFrame", "&Help")));
    help->setObjectName(QStringLiteral("menuHelp"));
    QAction* about = MakeAction(command::kAbout, Tr(QT_TRANSLATE_NOOP("CMainFrame", "&About Tevra GUI...")),
                                "actionAbout");
    connect(about, &QAction::triggered, this, [this] {
        if (showAbout_) showAbout_(this);
    });
    help->addAction(about);
    QAction* update = MakeAction(
        command::kCheckUpdate, Tr(QT_TRANSLATE_NOOP("CMainFrame", "Check for update")), "actionCheckUpdate");
    connect(update, &QAction::triggered, this, [this] {
        if (runUpdateCheck_) runUpdateCheck_(this);
    });
    help->addAction(update);

    // The view commands of the toolbar: tool tip and status text of each.
    struct ViewCommand {
        int id;
        FrameKind kind;
        const char* text;
        const char* status;
        const char* tip;
        const char* name;
    };
    // clang-format off
    const ViewCommand views[] = {
        {command::kBoardList, FrameKind::BoardList, QT_TRANSLATE_NOOP("CMainFrame", "Board List"), QT_TRANSLATE_NOOP("CMainFrame", "Show the Board List windows."), QT_TRANSLATE_NOOP("CMainFrame", "Show Board List"), "actionBoardList"},
        {command::kParamList, FrameKind::ParamList, QT_TRANSLATE_NOOP("CMainFrame", "Parameter List"), QT_TRANSLATE_NOOP("CMainFrame", "Show the Parameter List window."), QT_TRANSLATE_NOOP("CMainFrame", "Show Parameter List"), "actionParamList"},
        {command::kAxisParam, FrameKind::AxisParam, QT_TRANSLATE_NOOP("CMainFrame", "Axis Parameter"), QT_TRANSLATE_NOOP("CMainFrame", "Show the Axis Parameter window."), QT_TRANSLATE_NOOP("CMainFrame", "Show Axis Parameter"), "actionAxisParam"},
        {command::kIoMonitor, FrameKind::IoMonitor, QT_TRANSLATE_NOOP("CMainFrame", "I/O Monitor"), QT_TRANSLATE_NOOP("CMainFrame", "Show the I/O Monitor window."), QT_TRANSLATE_NOOP("CMainFrame", "Show I/O Monitor"), "actionIoMonitor"},
        {command::kIoSetting, FrameKind::IoSetting, QT_TRANSLATE_NOOP("CMainFrame", "I/O Setting"), QT_TRANSLATE_NOOP("CMainFrame", "Show the I/O Setting window."), QT_TRANSLATE_NOOP("CMainFrame", "Show I/O Setting"), "actionIoSetting"},
        {command::kMotion, FrameKind::Motion, QT_TRANSLATE_NOOP("CMainFrame", "Motion Test"), QT_TRANSLATE_NOOP("CMainFrame", "Show the Motion Test window."), QT_TRANSLATE_NOOP("CMainFrame", "Show Motion Test"), "actionMotion"},
        {command::kPosTable, FrameKind::PosTable, QT_TRANSLATE_NOOP("CMainFrame", "Position Table"), QT_TRANSLATE_NOOP("CMainFrame", "Show the Position Table window."), QT_TRANSLATE_NOOP("CMainFrame", "Show Position Table"), "actionPosTable"},
    };
    // clang-format on
    for (const ViewCommand& v : views) {
        QAction* action = MakeAction(v.id, Tr(v.text), v.name);
        action->setToolTip(Tr(v.tip));
        action->setStatusTip(Tr(v.status));
        connect(action, &QAction::triggered, this, [this, kind = v.kind] { OpenView(kind); });
    }
}

void CMainFrame::BuildToolBar() {
    toolBar_ = addToolBar(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Toolbar")));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(kToolButtonWidth, kToolButtonHeight));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const std::vector<std::vector<int>> groups{{command::kConnect},
                                               {command::kBoardList},
                                               {command::kParamList, command::kAxisParam},
                                               {command::kIoMonitor, command::kIoSetting},
                                               {command::kMotion, command::kPosTable},
                                               {command::kCommandBar}};
    bool first = true;
    for (const auto& group : groups) {
        if (!first) toolBar_->addSeparator();
        first = false;
        for (int id : group) {
            QAction* action = actions_.at(id);
            action->setIcon(ToolButtonIcon(id));
            toolBar_->addAction(action);
        }
    }
    QAction* toolbarToggle = actions_.at(command::kToolbar);
    toolbarToggle->setCheckable(true);
    toolbarToggle->setChecked(true);
    connect(toolbarToggle, &QAction::toggled, toolBar_, &QToolBar::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toolbarToggle, &QAction::setChecked);
}

void CMainFrame::BuildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* label = new QLabel(QString::fromLatin1(indicator), statusBar());
        label->setObjectName(QStringLiteral("indicator") + QString::fromLatin1(indicator));
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->showMessage(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Ready")));
    QAction* toggle = actions_.at(command::kStatusBar);
    toggle->setCheckable(true);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
}

void CMainFrame::BuildCommandBar() {
    commandBar_ = new QDockWidget(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Command Message")), this);
    commandBar_->setObjectName(QStringLiteral("commandBar"));
    commandBar_->setAllowedAreas(Qt::AllDockWidgetAreas);
    commandText_ = new QPlainTextEdit(commandBar_);
    commandText_->setObjectName(QStringLiteral("commandText"));
    commandText_->setAccessibleName(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Command Message")));
    commandText_->setReadOnly(true);
    commandText_->setMaximumBlockCount(kCommandLines);
    commandText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    commandBar_->setWidget(commandText_);
    addDockWidget(Qt::BottomDockWidgetArea, commandBar_);
    commandBar_->hide();
    QAction* toggle = actions_.at(command::kCommandBar);
    toggle->setCheckable(true);
    toggle->setChecked(false);
    toggle->setToolTip(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Toggle CommandBar")));
    toggle->setStatusTip(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the command bar")));
    connect(toggle, &QAction::triggered, commandBar_, &QDockWidget::setVisible);
    // The dock also reports a change while the window is being destroyed (QWidget's destructor
    // hides it), so the handler uses only the dock and the action, never this frame.
    connect(commandBar_, &QDockWidget::visibilityChanged, toggle,
            [bar = commandBar_, toggle](bool) { toggle->setChecked(!bar->isHidden()); });
}

void CMainFrame::BuildLineHealthBar() {
    lineHealth_ = new CLineHealthBar(master_, this);
    addDockWidget(Qt::RightDockWidgetArea, lineHealth_);
    lineHealth_->hide();
    QAction* toggle = actions_.at(command::kLineHealth);
    toggle->setCheckable(true);
    toggle->setChecked(false);
    toggle->setStatusTip(Tr(QT_TRANSLATE_NOOP("CMainFrame", "Show or hide the counters of the serial line")));
    connect(toggle, &QAction::triggered, lineHealth_, &QDockWidget::setVisible);
    connect(lineHealth_, &QDockWidget::visibilityChanged, toggle,
            [bar = lineHealth_, toggle](bool) { toggle->setChecked(!bar->isHidden()); });
}

void CMainFrame::AppendCommandLine(const QString& line) {
    commandText_->appendPlainText(line);
    QScrollBar* bar = commandText_->verticalScrollBar();
    bar->setValue(bar->maximum());
}

QStringList CMainFrame::CommandLines() const {
    return commandText_->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool CMainFrame::IsConnected() const {
    return master_.GetPortCount() > 0;
}

uint8_t CMainFrame::FirstPort() const {
    return master_.GetPortNumberAt(0);
}

void CMainFrame::UpdateCommands() {
    const bool connected = IsConnected();
    actions_.at(command::kConnect)->setChecked(connected);
    for (int id : {command::kBoardList, command::kParamList, command::kAxisParam, command::kIoMonitor,
                   command::kIoSetting, command::kMotion, command::kPosTable, command::kBldcParameter,
                   command::kEstimateInertia, command::kRlEstimate, command::kMonitoring}) {
        actions_.at(id)->setEnabled(connected);
    }
}

void CMainFrame::Post(Message message) {
    PostAppMessage(this, std::move(message));
}

void CMainFrame::Send(const Message& message) {
    Handle(message);
}

void CMainFrame::LoadData(uint8_t port, uint8_t slave, uint32_t bits, LoadDone done) {
    loader_->Start(port, slave, bits, std::move(done));
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == MessageEvent::EventType()) {
        auto* me = static_cast<MessageEvent*>(event);
        if (me->Wanted()) Handle(me->message());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::Handle(const Message& message) {
    if (IsFrameMessage(message.kind)) {
        OnFrameMessage(message);
        return;
    }
    if (tearingDown_) return;
    switch (message.kind) {
        case MsgKind::CommandLine:
            AppendCommandLine(QString::fromStdString(message.text));
            return;
        case MsgKind::LoadData:
            LoadData(message.port != 0 ? message.port : FirstPort(), message.slave,
                     static_cast<uint32_t>(message.value));
            return;
        case MsgKind::ServeDrive:
            return;
        default:
            Route(message);
    }
}

void CMainFrame::Route(const Message& message) {
    const std::optional<app::Route> route = FindRoute(message.kind);
    if (!route) return;
    QMdiSubWindow* active = mdi_->activeSubWindow();
    for (int k = 0; k < kFrameKindCount; ++k) {
        const auto kind = static_cast<FrameKind>(k);
        CChildFrame* frame = frames_[k].data();
        if (frame == nullptr || !route->frames.Has(kind)) continue;
        if (route->skipWhenActive.Has(kind) && frame == active) continue;
        frame->Deliver(message);
    }
    if (route->closeRepeatOfSlave) {
        for (const QPointer<CChildFrame>& repeat : std::vector(repeats_)) {
            if (repeat && repeat->Slave() == message.slave) repeat->close();
        }
        repeats_.erase(
            std::remove_if(repeats_.begin(), repeats_.end(),
                           [&](const QPointer<CChildFrame>& f) { return !f || f->Slave() == message.slave; }),
            repeats_.end());
    }
    for (int d = 0; d < kDialogKindCount; ++d) {
        const auto kind = static_cast<DialogKind>(d);
        CShellDialog* dialog = dialogs3_[d].data();
        if (dialog == nullptr || !route->dialogs.Has(kind)) continue;
        if (route->destroyDialogs) {
            dialog->OnMessage(message);
            DestroyDialog(kind);
        } else {
            PostAppMessage(dialog, message);
        }
    }
}

void CMainFrame::OnFrameMessage(const Message& message) {
    const std::optional<FrameKind> kind = FrameOfMessage(message.kind);
    if (!kind) return;
    const int k = static_cast<int>(*kind);
    if (!message.open) {
        if (*kind == FrameKind::Repeat) {
            std::erase_if(repeats_, [&](const QPointer<CChildFrame>& f) {
                return !f || static_cast<const void*>(f.data()) == message.origin;
            });
        } else if (static_cast<const void*>(frames_[k].data()) == message.origin) {
            frames_[k] = nullptr;
        }
        return;
    }
    if (tearingDown_) return;
    OpenFrame(*kind, message.port, message.slave);
}

void CMainFrame::OpenFrame(FrameKind kind, uint8_t port, uint8_t slave) {
    BoardRef board = LookupBoard(master_, port, slave);
    const uint8_t type = board != nullptr ? board->GetBoardType() : 0;
    CChildFrame* frame = kind == FrameKind::Repeat ? nullptr : frames_[static_cast<int>(kind)].data();
    if (frame == nullptr) {
        frame = new CChildFrame(*this, kind);
        mdi_->addSubWindow(frame);
        if (kind == FrameKind::Repeat) {
            repeats_.emplace_back(frame);
        } else {
            frames_[static_cast<int>(kind)] = frame;
        }
    }
    frame->Serve(port, slave, type);
    Activate(frame);
}

void CMainFrame::Activate(CChildFrame* frame) {
    frame->show();
    frame->raise();
    mdi_->setActiveSubWindow(frame);
}

void CMainFrame::OpenView(FrameKind kind) {
    if (CChildFrame* frame = Frame(kind)) {
        Activate(frame);
        return;
    }
    if (!IsConnected()) return;
    const uint8_t port = FirstPort();
    OpenFrame(kind, port, master_.GetFirstSlave(port));
}

CChildFrame* CMainFrame::Frame(FrameKind kind) const {
    return frames_[static_cast<int>(kind)].data();
}

CShellDialog* CMainFrame::Dialog(DialogKind kind) const {
    return dialogs3_[static_cast<int>(kind)].data();
}

void CMainFrame::OnBldcCommand(int commandId) {
    if (!IsConnected()) return;
    const uint8_t port = FirstPort();
    int bldcSlave = -1;
    for (uint8_t slave = 0; slave < 16 && bldcSlave < 0; ++slave) {
        BoardRef board = LookupBoard(master_, port, slave);
        if (board != nullptr && board->GetBoardType() == board_type::kBldc) bldcSlave = slave;
    }
    if (bldcSlave < 0) {
        dialogs_.Box(
            {Tr(QT_TRANSLATE_NOOP("CMainFrame", "BLDC Function")),
             Tr(QT_TRANSLATE_NOOP("CMainFrame",
                                  "The specific function is only supported by Dorrin Tevra BLDC product.")),
             BoxButtons::Ok, BoxIcon::Exclamation});
        return;
    }
    // The BLDC windows serve the BLDC drive that was found.
    const auto slave = static_cast<uint8_t>(bldcSlave);
    switch (commandId) {
        case command::kBldcParameter:
            OpenFrame(FrameKind::Bldc, port, slave);
            break;
        case command::kEstimateInertia:
            OpenDialog(DialogKind::InertiaEstimate, port, slave);
            break;
        case command::kRlEstimate:
            OpenDialog(DialogKind::RlEstimate, port, slave);
            break;
        case command::kMonitoring:
            OpenDialog(DialogKind::Monitoring, port, slave);
            break;
        default:
            break;
    }
}

void CMainFrame::OpenDialog(DialogKind kind, uint8_t port, uint8_t slave) {
    QPointer<CShellDialog>& dialog = dialogs3_[static_cast<int>(kind)];
    if (!dialog) {
        const DialogFactory* make = views_.FindDialog(kind);
        CShellDialog* created = make != nullptr ? (*make)(*this, this) : nullptr;
        if (created == nullptr) created = new CPlaceholderDialog(*this, kind, this);
        dialog = created;
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    SendAppMessage(dialog.data(), Message::Drive(MsgKind::ServeDrive, port, slave));
}

void CMainFrame::DestroyDialog(DialogKind kind) {
    QPointer<CShellDialog>& dialog = dialogs3_[static_cast<int>(kind)];
    if (!dialog) return;
    dialog->close();
    dialog->deleteLater();
    dialog = nullptr;
}

void CMainFrame::CloseFrame(FrameKind kind) {
    QPointer<CChildFrame>& frame = frames_[static_cast<int>(kind)];
    if (!frame) return;
    CChildFrame* closing = frame.data();
    frame = nullptr;  // a view command from now on opens a new frame
    closing->close();
}

void CMainFrame::CloseAll() {
    for (FrameKind kind :
         {FrameKind::BoardList, FrameKind::ParamList, FrameKind::AxisParam, FrameKind::IoMonitor,
          FrameKind::IoSetting, FrameKind::Motion, FrameKind::PosTable})
        CloseFrame(kind);
    DestroyDialog(DialogKind::InertiaEstimate);
    DestroyDialog(DialogKind::RlEstimate);
    CloseFrame(FrameKind::Bldc);
    DestroyDialog(DialogKind::Monitoring);
    std::vector<QPointer<CChildFrame>> repeats;
    repeats.swap(repeats_);
    for (auto it = repeats.rbegin(); it != repeats.rend(); ++it) {
        if (*it) (*it)->close();
    }
}

void CMainFrame::OnConnect() {
    startTimer_->stop();
    if (IsConnected()) {
        watchdog_->stop();
        CloseAll();
        master_.Disconnect(FirstPort());
        UpdateCommands();
        return;
    }
    if (runConnectDialog_ && runConnectDialog_(this)) AfterConnected();
    UpdateCommands();
}

int CMainFrame::ConnectDirect(uint8_t port, uint32_t baudRate) {
    startTimer_->stop();
    for (int tries = 0; tries < 4 && IsConnected(); ++tries) {
        watchdog_->stop();
        CloseAll();
        master_.Disconnect(FirstPort());
    }
    const int result = master_.Connect(port, baudRate);
    if (result != CCommMaster::kOpenFailed && result != CCommMaster::kNoSupportedDrive) AfterConnected();
    UpdateCommands();
    return result;
}

void CMainFrame::AfterConnected() {
    const uint8_t port = FirstPort();
    OpenFrame(FrameKind::BoardList, port, master_.GetFirstSlave(port));
    watchdog_->start(options_.watchdogMs);
    UpdateCommands();
    if (onConnected_) onConnected_();
}

void CMainFrame::OnWatchdog() {
    const uint8_t port = FirstPort();
    if (master_.IsPortOpen(port)) return;
    watchdog_->stop();
    CloseAll();
    master_.Disconnect(port);
    UpdateCommands();
    dialogs_.Box({Tr(QT_TRANSLATE_NOOP("CMainFrame", "Error")),
                  Tr(QT_TRANSLATE_NOOP("CMainFrame", "Serial communication was disconnected.")),
                  BoxButtons::Ok, BoxIcon::Error});
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    watchdog_->stop();
    startTimer_->stop();
    CloseAll();
    // The ports stop their threads (which may be waiting for this frame) before it goes.
    master_.DisconnectAll();
    UpdateCommands();
    event->accept();
}

}  // namespace tarsel::app
