// The configuration program's main window: the MDI area with the child frames, the menu, the
// toolbar, the status bar and the "Command Message" bar.  It routes the program's messages to the
// child frames and dialogs, opens and closes the frames, connects and disconnects the port with
// its watchdog, and runs the loading sequence.  It is the shell every view talks to (IShell) and
// the main frame the drive model reports to.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "gui/app/frame_kinds.h"
#include "gui/app/shell.h"

class QAction;
class QDockWidget;
class QMdiArea;
class QPlainTextEdit;
class QTimer;
class QToolBar;

namespace tarsel {
class IMainFrameSink;
class IFailureReporter;
}  // namespace tarsel

namespace tarsel::app {

class CChildFrame;
class CLoadingSequence;
class CShellDialog;
class CLineHealthBar;

// Command ids of the menu and toolbar, as object names and for tests.
namespace command {
constexpr int kConnect = 32771;
constexpr int kExit = 57665;
constexpr int kBldcParameter = 32795;
constexpr int kEstimateInertia = 32796;
constexpr int kRlEstimate = 32798;
constexpr int kMonitoring = 32797;
constexpr int kToolbar = 59392;
constexpr int kStatusBar = 59393;
constexpr int kCommandBar = 32801;
constexpr int kAbout = 57664;
constexpr int kCheckUpdate = 32807;
constexpr int kBoardList = 32800;
constexpr int kParamList = 32805;
constexpr int kAxisParam = 32799;
constexpr int kIoMonitor = 32802;
constexpr int kIoSetting = 32803;
constexpr int kMotion = 32804;
constexpr int kPosTable = 32806;
constexpr int kLineHealth = 32900;  // beyond the classic commands
}  // namespace command

struct MainFrameOptions {
    int startDelayMs = 200;  // the connection dialog opens by itself after this (negative: never)
    int watchdogMs = 1000;   // the port check while connected
};

class CMainFrame : public QMainWindow, public IShell {
    Q_OBJECT
public:
    static constexpr int kCommandLines = 1000;

    CMainFrame(CCommMaster& master, IDialogService& dialogs, const ViewRegistry& views,
               MainFrameOptions options = {}, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // IShell.
    CCommMaster& Master() override { return master_; }
    IDialogService& Dialogs() override { return dialogs_; }
    const ViewRegistry& Views() const override { return views_; }
    void Post(Message message) override;
    void Send(const Message& message) override;
    void LoadData(uint8_t port, uint8_t slave, uint32_t bits, LoadDone done = {}) override;

    // What the drive model reports to.
    IMainFrameSink& ModelSink();
    IFailureReporter& FailureReporter();

    // Runs the connection dialog modally; true when it connected.
    void SetConnectDialog(std::function<bool(QWidget* parent)> run) { runConnectDialog_ = std::move(run); }
    void SetAboutBox(std::function<void(QWidget* parent)> show) { showAbout_ = std::move(show); }
    void SetUpdateCheck(std::function<void(QWidget* parent)> run) { runUpdateCheck_ = std::move(run); }
    // Called after every successful connection (the command line's --show requests use it).
    void SetOnConnected(std::function<void()> hook) { onConnected_ = std::move(hook); }

    // Commands.
    void OnConnect();
    void OpenView(FrameKind kind);  // toolbar and menu: show the frame or open it for the first drive
    void OnBldcCommand(int commandId);
    void OpenDialog(DialogKind kind, uint8_t port, uint8_t slave);
    // Connects without the dialog (command line); returns the registry's result.
    int ConnectDirect(uint8_t port, uint32_t baudRate);

    bool IsConnected() const;
    uint8_t FirstPort() const;
    CChildFrame* Frame(FrameKind kind) const;
    const std::vector<QPointer<CChildFrame>>& RepeatFrames() const { return repeats_; }
    CShellDialog* Dialog(DialogKind kind) const;
    QMdiArea* Mdi() const { return mdi_; }
    QAction* Action(int commandId) const;
    QDockWidget* CommandBar() const { return commandBar_; }
    CLineHealthBar* LineHealthBar() const { return lineHealth_; }
    QStringList CommandLines() const;
    CLoadingSequence& Loader() { return *loader_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class ModelBridge;
    class Reporter;

    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    void BuildCommandBar();
    void BuildLineHealthBar();
    QAction* MakeAction(int id, const QString& text, const char* objectName);
    void UpdateCommands();

    void Handle(const Message& message);
    void Route(const Message& message);
    void OnFrameMessage(const Message& message);
    void OpenFrame(FrameKind kind, uint8_t port, uint8_t slave);
    void Activate(CChildFrame* frame);
    void CloseFrame(FrameKind kind);
    void DestroyDialog(DialogKind kind);
    void CloseAll();
    void AfterConnected();
    void OnWatchdog();
    void AppendCommandLine(const QString& line);

    CCommMaster& master_;
    IDialogService& dialogs_;
    const ViewRegistry& views_;
    const MainFrameOptions options_;
    std::unique_ptr<ModelBridge> bridge_;
    std::unique_ptr<Reporter> reporter_;
    std::unique_ptr<CLoadingSequence> loader_;

    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QDockWidget* commandBar_ = nullptr;
    QPlainTextEdit* commandText_ = nullptr;
    CLineHealthBar* lineHealth_ = nullptr;
    QTimer* startTimer_ = nullptr;
    QTimer* watchdog_ = nullptr;
    std::map<int, QAction*> actions_;

    std::array<QPointer<CChildFrame>, kFrameKindCount> frames_{};
    std::vector<QPointer<CChildFrame>> repeats_;
    std::array<QPointer<CShellDialog>, kDialogKindCount> dialogs3_{};

    std::function<bool(QWidget*)> runConnectDialog_;
    std::function<void(QWidget*)> showAbout_;
    std::function<void(QWidget*)> runUpdateCheck_;
    std::function<void()> onConnected_;
    bool tearingDown_ = false;
};

}  // namespace tarsel::app
