// First page: choose the port, the baud rate and the slave, and connect to the drive.
#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "tools/firmloader/wizard/firmloader_document.h"
#include "tools/firmloader/wizard/wizard_environment.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QLabel;

namespace tarsel::firmware {

class CViewConnect : public QWidget {
    Q_OBJECT
public:
    CViewConnect(FirmloaderDocument& document, const WizardEnvironment& environment,
                 QWidget* parent = nullptr);

    // Called each time the page is shown.
    void OnOpen();
    void OnLeave();

    QComboBox* PortList() const { return portList_; }
    QComboBox* BaudList() const { return baudList_; }
    QLineEdit* SlaveEdit() const { return slaveEdit_; }
    QPushButton* ConnectButton() const { return connectButton_; }
    QLabel* StatusLine() const { return statusLine_; }

signals:
    void Connected();

private:
    void OnConnect();
    void RefreshPorts();
    void FillPortList();
    void Fail(const QString& text);
    std::vector<unsigned> ListPorts() const;

    FirmloaderDocument& document_;
    const WizardEnvironment& environment_;
    std::vector<unsigned> ports_;
    QTimer refreshTimer_;
    QComboBox* portList_;
    QComboBox* baudList_;
    QLineEdit* slaveEdit_;
    QPushButton* connectButton_;
    QLabel* statusLine_;
};

}  // namespace tarsel::firmware
