// The "Line Health" bar: per drive on the open port, the transactions, time-outs, CRC failures
// and retries the transport counted, and the median and worst round-trip time of the last
// minute.  It reads the transport's counters once a second while shown; it sends nothing.
#pragma once

#include <QBasicTimer>
#include <QDockWidget>

class QTableWidget;

namespace tarsel {
class CCommMaster;
}

namespace tarsel::app {

class CLineHealthBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    CLineHealthBar(CCommMaster& master, QWidget* parent = nullptr);
    QTableWidget* Table() const { return table_; }
    void Refresh();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    CCommMaster& master_;
    QTableWidget* table_;
    QBasicTimer timer_;
};

}  // namespace tarsel::app
