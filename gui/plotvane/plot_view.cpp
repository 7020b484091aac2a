#include "gui/plotvane/plot_view.h"

#include <QGraphicsLineItem>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPen>
#include <QWheelEvent>

namespace tarsel::plotvane {

CPlotView::CPlotView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRubberBand(QChartView::RectangleRubberBand);
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    cursorLine_ = new QGraphicsLineItem(chart);
    cursorLine_->setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    cursorLine_->setZValue(100);
    cursorLine_->hide();
    connect(chart, &QChart::plotAreaChanged, this, [this] { PlaceCursorLine(); });
}

void CPlotView::ShowCursorAt(std::optional<double> x) {
    cursorX_ = x;
    PlaceCursorLine();
}

void CPlotView::PlaceCursorLine() {
    const QRectF area = chart()->plotArea();
    if (!cursorX_ || chart()->series().isEmpty()) {
        cursorLine_->hide();
        return;
    }
    const qreal px = chart()->mapToPosition(QPointF(*cursorX_, 0), chart()->series().front()).x();
    if (px < area.left() - 0.5 || px > area.right() + 0.5) {
        cursorLine_->hide();
        return;
    }
    cursorLine_->setLine(px, area.top(), px, area.bottom());
    cursorLine_->show();
}

void CPlotView::ZoomAround(QPointF at, double factor) {
    const QRectF area = chart()->plotArea();
    if (area.isEmpty()) return;
    at.setX(std::clamp(at.x(), area.left(), area.right()));
    at.setY(std::clamp(at.y(), area.top(), area.bottom()));
    const QRectF zoomed(at.x() - (at.x() - area.left()) * factor, at.y() - (at.y() - area.top()) * factor,
                        area.width() * factor, area.height() * factor);
    chart()->zoomIn(zoomed);
    PlaceCursorLine();
    emit ViewChanged();
}

void CPlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    if (panning_) {
        const QPointF delta = event->position() - panFrom_;
        panFrom_ = event->position();
        chart()->scroll(-delta.x(), delta.y());
        PlaceCursorLine();
        emit ViewChanged();
        event->accept();
        return;
    }
    if (!chart()->series().isEmpty() && chart()->plotArea().contains(event->position()))
        emit CursorRequested(chart()->mapToValue(event->position(), chart()->series().front()).x(), 0);
    QChartView::mouseMoveEvent(event);
}

void CPlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (panning_ && (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton)) {
        panning_ = false;
        unsetCursor();
        event->accept();  // the base view would zoom out on a right click
        return;
    }
    const bool band = event->button() == Qt::LeftButton;
    QChartView::mouseReleaseEvent(event);
    if (band) {
        PlaceCursorLine();
        emit ViewChanged();
    }
}

void CPlotView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    ZoomAround(event->position(), steps > 0 ? 0.8 : 1.25);
    event->accept();
}

void CPlotView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) && cursorX_) {
        emit CursorRequested(*cursorX_, event->key() == Qt::Key_Left ? -1 : 1);
        event->accept();
        return;
    }
    QChartView::keyPressEvent(event);
}

void CPlotView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    PlaceCursorLine();
}

}  // namespace tarsel::plotvane
