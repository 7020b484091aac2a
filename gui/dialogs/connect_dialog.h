// CDlgConnect: the modal dialog that chooses the serial port and the baud rate and connects.
// The port list follows the machine (refreshed every second); the last choice is kept in
// "Connection.ini".  Ends with Accepted when a connection was made.
#pragma once

#include <QBasicTimer>
#include <QDialog>
#include <filesystem>
#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace tarsel {
class CCommMaster;
}

namespace tarsel::app {

class IDialogService;

class CDlgConnect : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;
    using PortSource = std::function<std::vector<unsigned>()>;

    // `settingsDirectory` holds "Connection.ini"; `ports` lists the port numbers present (the
    // machine's serial ports by default).
    CDlgConnect(CCommMaster& master, IDialogService& dialogs, std::filesystem::path settingsDirectory,
                QWidget* parent = nullptr, PortSource ports = {});

    // Selects COM`port` when present, instead of the stored choice.
    void Preselect(unsigned port);
    QComboBox* PortBox() const { return portBox_; }
    QComboBox* BaudBox() const { return baudBox_; }
    QPushButton* ConnectButton() const { return connect_; }
    const std::vector<unsigned>& Ports() const { return ports_; }

    // The box text of a connection result (empty for success without detection lines): the
    // message of the result, then the detection lines after "\n\r\n\r".
    static QString ResultText(int result, const QString& detail);

    // The Connect button.
    void OnConnect();
    // One tick of the port list refresh.
    void RefreshPorts();

protected:
    void timerEvent(QTimerEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FillPorts();

    CCommMaster& master_;
    IDialogService& dialogs_;
    const std::filesystem::path settings_;
    PortSource source_;
    std::vector<unsigned> ports_;
    QLabel* title_;
    QLabel* version_;
    QComboBox* portBox_;
    QComboBox* baudBox_;
    QPushButton* connect_;
    QBasicTimer refresh_;
};

}  // namespace tarsel::app
