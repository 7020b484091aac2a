// The chart view of one recording with the mouse handling the people looking at drive data ask
// for: a rubber band zooms in (left button), the wheel zooms around the pointer, the right or
// middle button drags the plot, and the pointer (or the arrow keys) moves the sample cursor.
#pragma once

#include <QtCharts/QChartView>

class QGraphicsLineItem;

namespace tarsel::plotvane {

class CPlotView : public QChartView {
    Q_OBJECT
public:
    explicit CPlotView(QChart* chart, QWidget* parent = nullptr);

    // Puts the cursor line at the sample value `x` (none hides it).
    void ShowCursorAt(std::optional<double> x);
    // Zooms by `factor` (below 1 zooms in) around the point `at` of the plot area.
    void ZoomAround(QPointF at, double factor);

signals:
    // The pointer or an arrow key asked for the cursor near the sample value `x`; `step` is -1 or
    // +1 for the arrow keys (from the current cursor), 0 for the pointer.
    void CursorRequested(double x, int step);
    // The user changed the visible range.
    void ViewChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceCursorLine();

    QGraphicsLineItem* cursorLine_ = nullptr;  // owned by the scene
    std::optional<double> cursorX_;
    bool panning_ = false;
    QPointF panFrom_;
};

}  // namespace tarsel::plotvane
