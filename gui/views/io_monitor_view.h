// The "I/O Monitoring" window: the live state of every logic input and output signal of one
// drive.  Each signal has a row (check box and name); a physical pin's indicator takes the place
// of the check box of the signal the pin carries and lights while the signal is active.  Signals
// without a pin are driven by software through their check boxes; output pins that carry a
// user output toggle on a click.  The window records the input and output words while it is open
// and saves the record as CSV.
#pragma once

#include <QLabel>
#include <array>
#include <memory>

#include "gui/app/board_watch.h"
#include "gui/app/view.h"
#include "gui/views/io_recorder.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace tarsel {
class CBoardInterface;
class CIOSide;
}  // namespace tarsel

namespace tarsel::app {
class ViewRegistry;
}

namespace tarsel::views {

// A pin indicator: a small coloured caption, lit or unlit; output pins react to a click.
class CPinIndicator : public QLabel {
    Q_OBJECT
public:
    CPinIndicator(const QString& caption, QWidget* parent);
    void SetLit(bool lit);
    bool Lit() const { return lit_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool lit_ = false;
};

class CViewIOMonitor : public app::CView {
    Q_OBJECT
public:
    static constexpr int kInputRows = 40;
    static constexpr int kOutputRows = 32;
    static constexpr int kInputPins = 12;
    static constexpr int kOutputPins = 10;
    static constexpr QRgb kLitColour = 0x50FF50;  // red 0x50, green 0xFF, blue 0x50
    static constexpr QRgb kUnlitColour = 0xFEFEFE;

    CViewIOMonitor(app::IShell& shell, QWidget* parent);
    ~CViewIOMonitor() override;

    void OnMessage(const app::Message& message) override;

    // Controls, for the tests and the screenshot tour.
    QCheckBox* SignalCheck(bool output, int signal) const;  // signal from 1
    QLabel* SignalName(bool output, int signal) const;
    CPinIndicator* PinIndicator(bool output, int pin) const;  // pin from 0
    // The signal whose row the pin's indicator covers (0 none).
    int CoveredSignal(bool output, int pin) const;
    const IoRecorder& Record() const { return recorder_; }

protected:
    void OnDriveChanged() override;
    void OnRedraw() override;

private:
    struct Row {
        QWidget* slot = nullptr;  // where the check box or a pin indicator sits
        QCheckBox* check = nullptr;
        QLabel* name = nullptr;
        bool checkShown = true;  // the check box is meant to be visible
        bool ticked = false;     // the check state last written
    };
    struct Side {
        bool output = false;
        std::vector<Row> rows;
        std::vector<CPinIndicator*> pins;
        std::vector<int> covered;  // per pin: signal whose row it covers, 0 none
        int signalCount = 0;       // signals of the shown board on this side
        QGroupBox* group = nullptr;
    };

    QGroupBox* BuildSide(Side& side, const QString& title, int rows, int pins,
                         const QStringList& pinCaptions);
    void FullRefresh();
    void EnableForm(bool on);
    void WriteNames(const CBoardInterface& board);
    void Layout(Side& side, const CIOSide& pins);
    void UpdateStates(const CBoardInterface& board);
    void UpdateSide(Side& side, uint64_t word, int signalCount);
    void SetCheckShown(Row& row, bool shown);
    void UpdateNow(bool relayout);
    void OnSignalClicked(bool output, int signal, bool ticked);
    void OnOutputPinClicked(int pin);
    void SaveRecord();
    void UpdateRecordCount();

    Side inputs_;
    Side outputs_;
    QPushButton* settingButton_ = nullptr;
    QPushButton* saveRecordButton_ = nullptr;
    QLabel* recordCount_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    int namesType_ = -1;     // board type code the names were written for
    app::BoardWatch watch_;  // the drive shown, watched while the window is open
    IoRecorder recorder_;
};

void RegisterIoMonitorView(app::ViewRegistry& registry);

}  // namespace tarsel::views
