// One chart of the graph program: the series of one recording as coloured lines over the sample
// axis, the sample cursor and its read-out.  Filled at once (a file) or sample by sample while a
// run arrives; new samples reach the chart on a short timer, all of them in one go.
#pragma once

#include <QWidget>

#include <optional>

#include "gui/plotvane/recording.h"

class QChart;
class QLabel;
class QLineSeries;
class QTimer;
class QValueAxis;

namespace tarsel::plotvane {

class CPlotView;

class CChartPage : public QWidget {
    Q_OBJECT
public:
    explicit CChartPage(QWidget* parent = nullptr);

    // Replaces everything with `recording`.
    void SetRecording(Recording recording);
    // The series and axis label changed (a run's configuration).
    void Configure(const std::vector<RecordingSeries>& series, const std::string& axisLabel);
    void AddSample(RecordingSample sample);
    void Complete();

    const Recording& recording() const { return recording_; }
    // Draws what arrived since the last draw (the timer does this on its own).
    void Flush();
    void ResetZoom();
    // Moves the cursor to the sample at position `position` of the recording.
    void SetCursorSample(std::size_t position);
    std::optional<std::size_t> CursorSample() const { return cursor_; }
    // "Sample 12: Torque [%%] = -3, ..."; empty without a cursor.
    QString CursorText() const;
    bool SavePng(const QString& path);

    QChart* chart() const { return chart_; }
    CPlotView* view() const { return view_; }

private:
    void RebuildSeries();
    void FitAxes();
    void MoveCursorNear(double x, int step);
    void ShowCursor();

    Recording recording_;
    QChart* chart_ = nullptr;  // owned by the view
    CPlotView* view_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
    std::vector<QLineSeries*> lines_;
    QLabel* readout_ = nullptr;
    QTimer* redraw_ = nullptr;
    std::size_t drawn_ = 0;  // samples already on the chart
    bool userView_ = false;  // the user zoomed or panned: new samples leave the view alone
    std::optional<std::size_t> cursor_;
};

// COLORREF (0x00BBGGRR) as a colour.
QColor ColorFromColorref(uint32_t colorref);

}  // namespace tarsel::plotvane
