// The graph program's main window, titled "Plotvane": serves the graph link's endpoint and shows
// every run it receives as a new chart tab; opens and saves recordings as CSV and exports charts
// as PNG.
#pragma once

#include <QMainWindow>

#include <map>
#include <memory>

#include "gui/plotvane/recording.h"

class QAction;
class QLabel;
class QTabWidget;

namespace tarsel::graphlink {
class CGraphServer;
}

namespace tarsel::plotvane {

class CChartPage;
class IPlotvaneDialogs;

class CPlotvaneWindow : public QMainWindow {
    Q_OBJECT
public:
    // Serves `endpoint` when no other graph program does (empty: do not serve).  `dialogs`
    // outlives the window.
    CPlotvaneWindow(const QString& endpoint, IPlotvaneDialogs& dialogs, QWidget* parent = nullptr);
    ~CPlotvaneWindow() override;

    bool Serving() const;
    // Opens a recording file in a new tab; false (after an error box) when it cannot be read.
    bool OpenFile(const QString& path);
    // Saves the current tab's recording / chart; false (after an error box) on failure.
    bool SaveCsv(const QString& path);
    bool ExportPng(const QString& path);
    // The folder the file dialogs start in.
    void SetFolder(const QString& folder) { folder_ = folder; }

    int ChartCount() const;
    CChartPage* Chart(int index) const;
    CChartPage* CurrentChart() const;

private:
    void BuildActions();
    void OnMessage(uint64_t connection, const graphlink::GraphMessage& message);
    void OnClosed(uint64_t connection, const QString& error);
    CChartPage* AddChart(const QString& title);
    void CloseChart(int index);
    void UpdateActions();
    void AskOpen();
    void AskSaveCsv();
    void AskExportPng();
    QString ProposedName(const QString& suffix) const;

    IPlotvaneDialogs& dialogs_;
    std::unique_ptr<graphlink::CGraphServer> server_;
    QTabWidget* tabs_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* saveCsv_ = nullptr;
    QAction* exportPng_ = nullptr;
    QAction* resetZoom_ = nullptr;
    QAction* closeChart_ = nullptr;
    QString folder_;
    int runs_ = 0;
    struct Incoming {
        CRecordingAssembler assembler;
        CChartPage* page = nullptr;  // the tab being filled; cleared when the tab is closed
    };
    std::map<uint64_t, Incoming> incoming_;
};

}  // namespace tarsel::plotvane
