#include "gui/plotvane/chart_page.h"

#include <QLabel>
#include <QPen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/plotvane/plot_view.h"

namespace tarsel::plotvane {

namespace {
constexpr int kRedrawMs = 100;

// 1, 2 or 5 times a power of ten, at least `rough` (and at least 1: samples are whole numbers).
double NiceStep(double rough) {
    if (!(rough > 1)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * power >= rough) return m * power;
    }
    return 10 * power;
}
}  // namespace

QColor ColorFromColorref(uint32_t colorref) {
    return QColor(static_cast<int>(colorref & 0xff), static_cast<int>((colorref >> 8) & 0xff),
                  static_cast<int>((colorref >> 16) & 0xff));
}

CChartPage::CChartPage(QWidget* parent) : QWidget(parent) {
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    axisX_ = new QValueAxis(chart_);
    axisX_->setLabelFormat(QStringLiteral("%.0f"));
    axisY_ = new QValueAxis(chart_);
    axisY_->setLabelFormat(QStringLiteral("%.0f"));
    axisX_->setTickType(QValueAxis::TicksDynamic);
    axisX_->setTickAnchor(0);
    connect(axisX_, &QValueAxis::rangeChanged, this, [this](qreal min, qreal max) {
        // Sample numbers on round steps whatever the zoom.
        axisX_->setTickInterval(NiceStep((max - min) / 6));
    });
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);

    view_ = new CPlotView(chart_, this);
    view_->setObjectName(QStringLiteral("chartView"));
    view_->setAccessibleName(tr("Chart"));
    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("cursorReadout"));
    readout_->setAccessibleName(tr("Cursor values"));
    readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    readout_->setText(tr("Move the pointer over the chart to read the values at a sample."));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    readout_->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(view_, 1);
    layout->addWidget(readout_);

    redraw_ = new QTimer(this);
    redraw_->setInterval(kRedrawMs);
    redraw_->setSingleShot(true);
    connect(redraw_, &QTimer::timeout, this, &CChartPage::Flush);
    connect(view_, &CPlotView::CursorRequested, this, &CChartPage::MoveCursorNear);
    connect(view_, &CPlotView::ViewChanged, this, [this] { userView_ = true; });
}

void CChartPage::SetRecording(Recording recording) {
    recording_ = std::move(recording);
    RebuildSeries();
    Flush();
    ResetZoom();
}

void CChartPage::Configure(const std::vector<RecordingSeries>& series, const std::string& axisLabel) {
    recording_.series = series;
    recording_.axisLabel = axisLabel;
    RebuildSeries();
}

void CChartPage::AddSample(RecordingSample sample) {
    recording_.samples.push_back(std::move(sample));
    if (!redraw_->isActive()) redraw_->start();
}

void CChartPage::Complete() {
    recording_.complete = true;
    Flush();
}

void CChartPage::RebuildSeries() {
    for (QLineSeries* line : lines_) {
        chart_->removeSeries(line);
        delete line;
    }
    lines_.clear();
    for (const auto& series : recording_.series) {
        auto* line = new QLineSeries;
        line->setName(QString::fromStdString(series.name));
        line->setPen(QPen(ColorFromColorref(series.colorref), 1.5));
        chart_->addSeries(line);
        line->attachAxis(axisX_);
        line->attachAxis(axisY_);
        lines_.push_back(line);
    }
    axisX_->setTitleText(QString::fromStdString(recording_.axisLabel));
    drawn_ = 0;
    Flush();
}

void CChartPage::Flush() {
    redraw_->stop();
    if (drawn_ >= recording_.samples.size()) return;
    for (std::size_t s = 0; s < lines_.size(); ++s) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(recording_.samples.size() - drawn_));
        for (std::size_t i = drawn_; i < recording_.samples.size(); ++i) {
            const auto& sample = recording_.samples[i];
            if (s < sample.values.size()) points.append(QPointF(sample.index, sample.values[s]));
        }
        lines_[s]->append(points);
    }
    drawn_ = recording_.samples.size();
    if (!userView_) FitAxes();
    ShowCursor();
}

void CChartPage::FitAxes() {
    if (recording_.samples.empty()) {
        axisX_->setRange(0, 1);
        axisY_->setRange(-1, 1);
        return;
    }
    double xMin = std::numeric_limits<double>::max(), xMax = std::numeric_limits<double>::lowest();
    double yMin = xMin, yMax = xMax;
    for (const auto& sample : recording_.samples) {
        xMin = std::min<double>(xMin, sample.index);
        xMax = std::max<double>(xMax, sample.index);
        for (int32_t v : sample.values) {
            yMin = std::min<double>(yMin, v);
            yMax = std::max<double>(yMax, v);
        }
    }
    if (yMin > yMax) yMin = -1, yMax = 1;  // samples without values
    if (xMax <= xMin) xMax = xMin + 1;
    const double pad = yMax > yMin ? (yMax - yMin) * 0.05 : 1.0;
    axisX_->setRange(xMin, xMax);
    axisY_->setRange(yMin - pad, yMax + pad);
    axisY_->applyNiceNumbers();
}

void CChartPage::ResetZoom() {
    chart_->zoomReset();
    userView_ = false;
    FitAxes();
    ShowCursor();
}

void CChartPage::MoveCursorNear(double x, int step) {
    auto nearest = recording_.NearestSample(x);
    if (!nearest) return;
    std::size_t position = *nearest;
    if (step < 0 && position > 0) --position;
    if (step > 0 && position + 1 < recording_.samples.size()) ++position;
    SetCursorSample(position);
}

void CChartPage::SetCursorSample(std::size_t position) {
    if (position >= recording_.samples.size()) return;
    cursor_ = position;
    ShowCursor();
}

void CChartPage::ShowCursor() {
    if (!cursor_ || *cursor_ >= recording_.samples.size()) {
        view_->ShowCursorAt(std::nullopt);
        return;
    }
    view_->ShowCursorAt(recording_.samples[*cursor_].index);
    readout_->setText(CursorText());
}

QString CChartPage::CursorText() const {
    if (!cursor_ || *cursor_ >= recording_.samples.size()) return {};
    const auto& sample = recording_.samples[*cursor_];
    QStringList parts;
    for (std::size_t s = 0; s < recording_.series.size(); ++s) {
        const QString value = s < sample.values.size() ? QString::number(sample.values[s]) : tr("none");
        parts << QString::fromStdString(recording_.series[s].name) + QStringLiteral(" = ") + value;
    }
    return tr("Sample %1: %2").arg(QString::number(sample.index), parts.join(QStringLiteral(", ")));
}

bool CChartPage::SavePng(const QString& path) {
    Flush();
    return view_->grab().save(path, "PNG");
}

}  // namespace tarsel::plotvane
