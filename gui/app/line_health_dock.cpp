#include "gui/app/line_health_dock.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTimerEvent>

#include "gui/model/port/CCommMaster.h"

namespace tarsel::app {

namespace {

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
    QTableWidgetItem* item = table->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
}

}  // namespace

CLineHealthBar::CLineHealthBar(CCommMaster& master, QWidget* parent)
    : QDockWidget(tr("Line Health"), parent), master_(master) {
    setObjectName(QStringLiteral("lineHealthBar"));
    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName(QStringLiteral("lineHealthTable"));
    table_->setAccessibleName(tr("Line Health"));
    table_->setHorizontalHeaderLabels({tr("Slave"), tr("Transactions"), tr("Time-outs"), tr("CRC failures"),
                                       tr("Retries"), tr("Median ms"), tr("Worst ms")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(table_);
}

void CLineHealthBar::Refresh() {
    const uint8_t port = master_.GetPortNumberAt(0);
    CCommPort* object = master_.GetPortCount() > 0 ? master_.GetPort(port) : nullptr;
    if (object == nullptr) {
        table_->setRowCount(0);
        return;
    }
    std::vector<uint8_t> slaves;
    for (uint8_t slave = 0; slave < 16; ++slave) {
        if (master_.GetBoard(port, slave) != nullptr) slaves.push_back(slave);
    }
    if (table_->rowCount() != static_cast<int>(slaves.size()))
        table_->setRowCount(static_cast<int>(slaves.size()));
    for (int row = 0; row < static_cast<int>(slaves.size()); ++row) {
        const SlaveHealth h = object->Health().Snapshot(slaves[row]);
        SetCell(table_, row, 0, QString::number(slaves[row]));
        SetCell(table_, row, 1, QString::number(h.transactions));
        SetCell(table_, row, 2, QString::number(h.timeouts));
        SetCell(table_, row, 3, QString::number(h.crcFailures));
        SetCell(table_, row, 4, QString::number(h.retries));
        SetCell(table_, row, 5, h.samples > 0 ? QString::number(h.medianMs, 'f', 1) : QStringLiteral("-"));
        SetCell(table_, row, 6, h.samples > 0 ? QString::number(h.worstMs, 'f', 1) : QStringLiteral("-"));
    }
}

void CLineHealthBar::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    Refresh();
    timer_.start(kRefreshMs, this);
}

void CLineHealthBar::hideEvent(QHideEvent* event) {
    QDockWidget::hideEvent(event);
    timer_.stop();
}

void CLineHealthBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_.timerId()) {
        Refresh();
        return;
    }
    QDockWidget::timerEvent(event);
}

}  // namespace tarsel::app
