#include "gui/plotvane/plotvane_window.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>
#include <QToolBar>

#include "gui/graphlink/graph_server.h"
#include "gui/plotvane/chart_page.h"
#include "gui/plotvane/plotvane_dialogs.h"

namespace tarsel::plotvane {

using graphlink::GraphCommand;

namespace {
// Recording files larger than this are refused rather than read into memory.
constexpr qint64 kMaxCsvBytes = 256ll * 1024 * 1024;
}  // namespace

CPlotvaneWindow::CPlotvaneWindow(const QString& endpoint, IPlotvaneDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), folder_(QDir::homePath()) {
    setObjectName(QStringLiteral("plotvaneWindow"));
    setWindowTitle(QStringLiteral("Plotvane"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("chartTabs"));
    tabs_->setAccessibleName(tr("Charts"));
    tabs_->setTabsClosable(true);
    tabs_->setDocumentMode(true);
    setCentralWidget(tabs_);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, &CPlotvaneWindow::CloseChart);
    connect(tabs_, &QTabWidget::currentChanged, this, &CPlotvaneWindow::UpdateActions);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("linkStatus"));
    status_->setAccessibleName(tr("Link status"));
    statusBar()->addWidget(status_, 1);
    BuildActions();

    if (!endpoint.isEmpty()) {
        server_ = std::make_unique<graphlink::CGraphServer>(endpoint);
        server_->SetMessageHandler(
            [this](uint64_t id, const graphlink::GraphMessage& m) { OnMessage(id, m); });
        server_->SetClosedHandler([this](uint64_t id, const QString& error) { OnClosed(id, error); });
        if (server_->Listen()) {
            status_->setText(tr("Waiting for recordings."));
        } else {
            status_->setText(graphlink::GraphServerRunning(endpoint)
                                 ? tr("Another Plotvane receives the recordings.")
                                 : tr("Not receiving recordings: %1").arg(server_->ErrorText()));
            server_.reset();
        }
    } else {
        status_->setText(tr("Not receiving recordings."));
    }
    UpdateActions();
    resize(900, 600);
}

CPlotvaneWindow::~CPlotvaneWindow() {
    server_.reset();  // no handler may reach the tabs while they go
}

void CPlotvaneWindow::BuildActions() {
    auto make = [this](const QString& name, const QString& text, QKeySequence key,
                       void (CPlotvaneWindow::*slot)()) {
        auto* action = new QAction(text, this);
        action->setObjectName(name);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QAction* open =
        make(QStringLiteral("openAction"), tr("&Open CSV..."), QKeySequence::Open, &CPlotvaneWindow::AskOpen);
    saveCsv_ = make(QStringLiteral("saveCsvAction"), tr("&Save CSV..."), QKeySequence::Save,
                    &CPlotvaneWindow::AskSaveCsv);
    exportPng_ = make(QStringLiteral("exportPngAction"), tr("&Export PNG..."),
                      QKeySequence(Qt::CTRL | Qt::Key_E), &CPlotvaneWindow::AskExportPng);
    resetZoom_ = new QAction(tr("Reset Zoom"), this);
    resetZoom_->setObjectName(QStringLiteral("resetZoomAction"));
    resetZoom_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(resetZoom_, &QAction::triggered, this, [this] {
        if (auto* page = CurrentChart()) page->ResetZoom();
    });
    closeChart_ = new QAction(tr("&Close Chart"), this);
    closeChart_->setObjectName(QStringLiteral("closeChartAction"));
    closeChart_->setShortcut(QKeySequence::Close);
    connect(closeChart_, &QAction::triggered, this, [this] {
        if (tabs_->currentIndex() >= 0) CloseChart(tabs_->currentIndex());
    });
    auto* quit = new QAction(tr("&Quit"), this);
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addActions({open, saveCsv_, exportPng_});
    file->addSeparator();
    file->addActions({closeChart_, quit});
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    view->addAction(resetZoom_);

    QToolBar* bar = addToolBar(tr("Chart"));
    bar->setObjectName(QStringLiteral("chartToolBar"));
    bar->setAccessibleName(tr("Chart tools"));
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    bar->addActions({open, saveCsv_, exportPng_, resetZoom_});
    // The tool buttons carry the actions' texts as their accessible names.
    for (QAction* action : bar->actions()) {
        if (QWidget* button = bar->widgetForAction(action)) {
            button->setObjectName(action->objectName() + QStringLiteral("Button"));
            button->setAccessibleName(action->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        }
    }
}

bool CPlotvaneWindow::Serving() const {
    return server_ && server_->IsListening();
}

int CPlotvaneWindow::ChartCount() const {
    return tabs_->count();
}

CChartPage* CPlotvaneWindow::Chart(int index) const {
    return qobject_cast<CChartPage*>(tabs_->widget(index));
}

CChartPage* CPlotvaneWindow::CurrentChart() const {
    return qobject_cast<CChartPage*>(tabs_->currentWidget());
}

CChartPage* CPlotvaneWindow::AddChart(const QString& title) {
    auto* page = new CChartPage(tabs_);
    page->setObjectName(QStringLiteral("chart%1").arg(tabs_->count() + 1));
    page->setAccessibleName(title);
    tabs_->setCurrentIndex(tabs_->addTab(page, title));
    UpdateActions();
    return page;
}

void CPlotvaneWindow::CloseChart(int index) {
    CChartPage* page = Chart(index);
    if (!page) return;
    for (auto& [id, incoming] : incoming_) {
        if (incoming.page == page) incoming.page = nullptr;  // the rest of that run is dropped
    }
    tabs_->removeTab(index);
    page->deleteLater();
    UpdateActions();
}

void CPlotvaneWindow::UpdateActions() {
    const bool any = CurrentChart() != nullptr;
    saveCsv_->setEnabled(any);
    exportPng_->setEnabled(any);
    resetZoom_->setEnabled(any);
    closeChart_->setEnabled(any);
}

void CPlotvaneWindow::OnMessage(uint64_t connection, const graphlink::GraphMessage& message) {
    if (message.command == GraphCommand::Probe && !incoming_.count(connection)) return;
    Incoming& incoming = incoming_[connection];
    const auto change = incoming.assembler.Apply(message);
    const Recording* current = incoming.assembler.Current();
    switch (change) {
        case CRecordingAssembler::Change::Started:
            ++runs_;
            incoming.page = AddChart(
                tr("Run %1 (%2)").arg(runs_).arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
            status_->setText(tr("Receiving run %1...").arg(runs_));
            break;
        case CRecordingAssembler::Change::Configured:
            if (incoming.page) incoming.page->Configure(current->series, current->axisLabel);
            break;
        case CRecordingAssembler::Change::Sampled:
            if (incoming.page) incoming.page->AddSample(current->samples.back());
            break;
        case CRecordingAssembler::Change::Completed:
            if (incoming.page) {
                incoming.page->Complete();
                status_->setText(tr("Run %1 received: %2 samples.").arg(runs_).arg(current->samples.size()));
            }
            incoming.assembler.Take();
            incoming.page = nullptr;
            break;
        case CRecordingAssembler::Change::None:
            break;
    }
}

void CPlotvaneWindow::OnClosed(uint64_t connection, const QString& error) {
    auto it = incoming_.find(connection);
    if (it != incoming_.end()) {
        if (it->second.page) it->second.page->Flush();  // a run cut short keeps what came
        incoming_.erase(it);
    }
    if (!error.isEmpty()) status_->setText(tr("A sender was cut off: %1").arg(error));
}

bool CPlotvaneWindow::OpenFile(const QString& path) {
    const QString caption = tr("Open Recording");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs_.Error(this, caption,
                       tr("Cannot open %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    if (file.size() > kMaxCsvBytes) {
        dialogs_.Error(this, caption,
                       tr("%1 is too large for a recording.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QByteArray bytes = file.readAll();
    auto result = RecordingFromCsv(bytes.toStdString());
    if (!result.recording) {
        dialogs_.Error(this, caption,
                       tr("%1 is not a recording: %2")
                           .arg(QDir::toNativeSeparators(path), QString::fromStdString(result.error)));
        return false;
    }
    const QFileInfo info(path);
    folder_ = info.absolutePath();
    CChartPage* page = AddChart(info.fileName());
    page->SetRecording(std::move(*result.recording));
    UpdateActions();
    return true;
}

bool CPlotvaneWindow::SaveCsv(const QString& path) {
    CChartPage* page = CurrentChart();
    if (!page) return false;
    const std::string text = RecordingToCsv(page->recording());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.flush()) {
        dialogs_.Error(this, tr("Save Recording"),
                       tr("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    folder_ = QFileInfo(path).absolutePath();
    return true;
}

bool CPlotvaneWindow::ExportPng(const QString& path) {
    CChartPage* page = CurrentChart();
    if (!page) return false;
    if (!page->SavePng(path)) {
        dialogs_.Error(this, tr("Export Chart"), tr("Cannot write %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    folder_ = QFileInfo(path).absolutePath();
    return true;
}

QString CPlotvaneWindow::ProposedName(const QString& suffix) const {
    QString base = tabs_->tabText(tabs_->currentIndex());
    base = QFileInfo(base).completeBaseName();
    base.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("-"));
    return QDir(folder_).filePath(base + QLatin1Char('.') + suffix);
}

void CPlotvaneWindow::AskOpen() {
    if (auto path = dialogs_.OpenCsv(this, folder_)) OpenFile(*path);
}

void CPlotvaneWindow::AskSaveCsv() {
    if (!CurrentChart()) return;
    if (auto path = dialogs_.SaveCsv(this, ProposedName(QStringLiteral("csv")))) SaveCsv(*path);
}

void CPlotvaneWindow::AskExportPng() {
    if (!CurrentChart()) return;
    if (auto path = dialogs_.SavePng(this, ProposedName(QStringLiteral("png")))) ExportPng(*path);
}

}  // namespace tarsel::plotvane
