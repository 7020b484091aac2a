#include "tools/firmloader/wizard/view_connect.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "comm/platform/ports.h"
#include "comm/result_codes.h"
#include "formats/files/connection_settings.h"
#include "tools/firmloader/core/boot_link.h"
#include "tools/firmloader/wizard/wizard_texts.h"

namespace tarsel::firmware {
namespace {

constexpr const char* kBaudRates[] = {"9600",   "19200",  "38400",  "57600",
                                      "115200", "230400", "460800", "921600"};

}  // namespace

CViewConnect::CViewConnect(FirmloaderDocument& document, const WizardEnvironment& environment,
                           QWidget* parent)
    : QWidget(parent),
      document_(document),
      environment_(environment),
      portList_(new QComboBox),
      baudList_(new QComboBox),
      slaveEdit_(new QLineEdit),
      connectButton_(new QPushButton(tr("Connect"))),
      statusLine_(new QLabel(ApplicationStatusLine())) {
    for (const char* baud : kBaudRates) baudList_->addItem(QString::fromLatin1(baud));
    slaveEdit_->setValidator(new QIntValidator(0, 255, slaveEdit_));
    slaveEdit_->setMaxLength(3);

    auto* group = new QGroupBox(tr("Open COMM"));
    auto* form = new QFormLayout(group);
    form->addRow(tr("Port No. :"), portList_);
    form->addRow(tr("Baudrate :"), baudList_);
    form->addRow(tr("Slave No."), slaveEdit_);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(connectButton_);
    form->addRow(buttonRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
    layout->addWidget(statusLine_);

    connect(connectButton_, &QPushButton::clicked, this,
            GuardedSlot(this, environment_, &CViewConnect::OnConnect));
    refreshTimer_.setInterval(environment_.portRefreshMs);
    connect(&refreshTimer_, &QTimer::timeout, this,
            GuardedSlot(this, environment_, &CViewConnect::RefreshPorts));
}

std::vector<unsigned> CViewConnect::ListPorts() const {
    std::vector<unsigned> ports;
    if (environment_.enumeratePorts) {
        environment_.enumeratePorts(ports);
    } else {
        platform::EnumeratePorts(ports);
    }
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

// The port the user chose stays chosen while it exists: the next step erases the drive on the
// chosen line, so the choice never moves to another line by itself.
void CViewConnect::FillPortList() {
    const QString chosen = portList_->currentText();
    portList_->clear();
    for (unsigned port : ports_) portList_->addItem(QStringLiteral("COM%1").arg(port));
    const int kept = chosen.isEmpty() ? -1 : portList_->findText(chosen);
    if (kept >= 0) {
        portList_->setCurrentIndex(kept);
    } else if (portList_->count() > 0) {
        portList_->setCurrentIndex(0);
    }
    connectButton_->setEnabled(!ports_.empty());
}

void CViewConnect::OnOpen() {
    document_.port.ClosePort();
    ports_ = ListPorts();
    FillPortList();

    const files::ConnectionSettings saved = files::ReadConnectionSettings(environment_.iniDirectory);
    const int port = portList_->findText(QStringLiteral("COM%1").arg(saved.port_number));
    if (portList_->count() > 0) portList_->setCurrentIndex(std::max(port, 0));
    const int baud = baudList_->findText(QString::number(saved.baudrate));
    baudList_->setCurrentIndex(std::max(baud, 0));
    slaveEdit_->setText(QString::number(document_.slave));
    refreshTimer_.start();
}

void CViewConnect::OnLeave() {
    refreshTimer_.stop();
}

void CViewConnect::RefreshPorts() {
    std::vector<unsigned> ports = ListPorts();
    if (ports == ports_) return;
    ports_ = std::move(ports);
    FillPortList();
}

void CViewConnect::Fail(const QString& text) {
    environment_.prompt->Error(this, text);
    connectButton_->setEnabled(!ports_.empty());
}

void CViewConnect::OnConnect() {
    connectButton_->setEnabled(false);
    const QString portText = portList_->currentText();
    bool portOk = false;
    const unsigned portNumber = portText.mid(3).toUInt(&portOk);
    const uint32_t baudRate = baudList_->currentText().toUInt();
    const QString slaveText = slaveEdit_->text().trimmed();
    if (slaveText.isEmpty()) {
        Fail(tr("Please insert slave number"));
        return;
    }
    const unsigned slave = slaveText.toUInt();
    if (!portOk || portNumber == 0 || portNumber > 255 ||
        !document_.port.OpenPort(static_cast<uint8_t>(portNumber), baudRate)) {
        Fail(tr("Failed to open port."));
        return;
    }
    // Slave numbers above 15 are not addressed to one drive: no drive answers them.
    TransportBootLink link(document_.port, static_cast<uint8_t>(std::min(slave, 255u)));
    if (slave > 15 || link.PresenceProbe() != kResultSuccess) {
        document_.port.ClosePort();
        Fail(tr("Incorrect slave number."));
        return;
    }
    uint8_t romType = 0;
    if (link.GetRomType(romType) != kResultSuccess) {
        document_.port.ClosePort();
        Fail(tr("The drive does NOT support firmloader."));
        return;
    }
    files::WriteConnectionSettings({static_cast<int32_t>(portNumber), static_cast<int32_t>(baudRate)},
                                   environment_.iniDirectory);
    document_.title = QStringLiteral("Port %1  SlaveNo %2").arg(portNumber).arg(slave);
    document_.slave = static_cast<uint8_t>(slave);
    connectButton_->setEnabled(true);
    emit Connected();
}

}  // namespace tarsel::firmware
