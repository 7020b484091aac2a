#include "gui/dialogs/connect_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QSysInfo>
#include <QTimerEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "comm/platform/ports.h"
#include "formats/files/connection_settings.h"
#include "gui/app/dialog_service.h"
#include "gui/app/toolbar_icons.h"
#include "gui/app/version.h"
#include "gui/model/port/CCommMaster.h"

namespace tarsel::app {

namespace {

const char* const kBaudRates[] = {"9600", "19200", "38400", "57600", "115200", "230400", "460800", "921600"};

// Where the title picture goes, and its size.
const QRect kPictureRect(17, 25, 370, 110);

std::vector<unsigned> MachinePorts() {
    std::vector<unsigned> ports;
    platform::EnumeratePorts(ports);
    std::sort(ports.begin(), ports.end());
    ports.erase(std::unique(ports.begin(), ports.end()), ports.end());
    return ports;
}

}  // namespace

CDlgConnect::CDlgConnect(CCommMaster& master, IDialogService& dialogs,
                         std::filesystem::path settingsDirectory, QWidget* parent, PortSource ports)
    : QDialog(parent),
      master_(master),
      dialogs_(dialogs),
      settings_(std::move(settingsDirectory)),
      source_(ports ? std::move(ports) : PortSource(MachinePorts)) {
    setObjectName(QStringLiteral("CDlgConnect"));
    setWindowTitle(tr("Connect to Tarsel Tevra"));

    title_ = new QLabel(QStringLiteral(TARSEL_PRODUCT_TITLE), this);
    title_->setObjectName(QStringLiteral("productTitle"));
    title_->setAlignment(Qt::AlignCenter);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(24);
    bold.setBold(true);
    title_->setFont(bold);
    title_->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    title_->setGeometry(kPictureRect.adjusted(0, 20, 0, -40));
    version_ = new QLabel(tr("File Ver. %1 (rev.%2)")
                              .arg(QStringLiteral(TARSEL_PRODUCT_VERSION), QStringLiteral(TARSEL_REVISION)),
                          this);
    version_->setObjectName(QStringLiteral("versionLine"));
    version_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* platform = new QLabel(tr("For %1").arg(QSysInfo::prettyProductName()), this);
    platform->setObjectName(QStringLiteral("platformLine"));

    auto* group = new QGroupBox(tr("Communication Port"), this);
    group->setObjectName(QStringLiteral("communicationPort"));
    portBox_ = new QComboBox(group);
    portBox_->setObjectName(QStringLiteral("portNo"));
    baudBox_ = new QComboBox(group);
    baudBox_->setObjectName(QStringLiteral("baudrate"));
    for (const char* baud : kBaudRates) baudBox_->addItem(QString::fromLatin1(baud));
    auto* form = new QFormLayout(group);
    form->addRow(tr("Port No."), portBox_);
    form->addRow(tr("Baudrate"), baudBox_);

    connect_ = new QPushButton(tr("Connect"), this);
    connect_->setObjectName(QStringLiteral("connect"));
    connect_->setDefault(true);
    connect(connect_, &QPushButton::clicked, this, &CDlgConnect::OnConnect);

    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(kPictureRect.bottom() + 6);
    layout->addWidget(version_);
    layout->addWidget(platform);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(group, 1);
    bottom->addWidget(connect_, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
    setFixedWidth(kPictureRect.right() + 18);

    // The ports present, then the stored choice.
    ports_ = source_();
    FillPorts();
    const files::ConnectionSettings stored = files::ReadConnectionSettings(settings_);
    const int port = portBox_->findText(QStringLiteral("COM%1").arg(stored.port_number));
    portBox_->setCurrentIndex(port >= 0 ? port : 0);
    const int baud = baudBox_->findText(QString::number(stored.baudrate));
    baudBox_->setCurrentIndex(baud >= 0 ? baud : baudBox_->count() - 1);
    refresh_.start(kRefreshMs, this);
}

void CDlgConnect::Preselect(unsigned port) {
    const int index = portBox_->findText(QStringLiteral("COM%1").arg(port));
    if (index >= 0) portBox_->setCurrentIndex(index);
}

void CDlgConnect::FillPorts() {
    portBox_->clear();
    for (unsigned port : ports_) portBox_->addItem(QStringLiteral("COM%1").arg(port));
    if (portBox_->currentText().isEmpty() && portBox_->count() > 0) portBox_->setCurrentIndex(0);
    connect_->setEnabled(!ports_.empty());
}

void CDlgConnect::RefreshPorts() {
    std::vector<unsigned> now = source_();
    if (now == ports_) return;
    ports_ = std::move(now);
    FillPorts();
}

void CDlgConnect::timerEvent(QTimerEvent* event) {
    if (event->timerId() == refresh_.timerId()) {
        RefreshPorts();
        return;
    }
    QDialog::timerEvent(event);
}

void CDlgConnect::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The title picture: a plain banner with the program's icon.
    QPainter p(this);
    QLinearGradient gradient(kPictureRect.topLeft(), kPictureRect.bottomRight());
    gradient.setColorAt(0, QColor(13, 71, 161));
    gradient.setColorAt(1, QColor(0, 131, 143));
    p.fillRect(kPictureRect, gradient);
    NamedIcon("tarselv8").paint(&p, QRect(kPictureRect.left() + 12, kPictureRect.top() + 12, 40, 40));
}

void CDlgConnect::OnConnect() {
    connect_->setEnabled(false);
    // A new connection always starts from a closed state.
    for (int tries = 0; tries < 256 && master_.GetPortCount() > 0; ++tries)
        master_.Disconnect(master_.GetPortNumberAt(0));

    const QString portText = portBox_->currentText().left(12);
    if (portText.size() <= 3) {
        connect_->setEnabled(true);
        return;
    }
    bool portOk = false, baudOk = false;
    const unsigned port = portText.mid(3).toUInt(&portOk);
    const unsigned baud = baudBox_->currentText().toUInt(&baudOk);
    if (!portOk || port > 255 || !baudOk) {
        connect_->setEnabled(true);
        return;
    }
    // Stored before connecting, so the choice survives a failed connection.
    files::WriteConnectionSettings({static_cast<int32_t>(port), static_cast<int32_t>(baud)}, settings_);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = master_.Connect(static_cast<uint8_t>(port), baud);
    QApplication::restoreOverrideCursor();
    const QString text = ResultText(result, QString::fromStdString(master_.GetMessageText()));
    if (!text.isEmpty()) dialogs_.Box({tr("Error"), text, BoxButtons::Ok, BoxIcon::Error});
    connect_->setEnabled(true);
    if (result == CCommMaster::kOpenFailed || result == CCommMaster::kNoSupportedDrive) return;
    refresh_.stop();
    accept();
}

QString CDlgConnect::ResultText(int result, const QString& detail) {
    QString text;
    if (result == CCommMaster::kOpenFailed)
        text = tr("Connection failed.\nCommunication Converter was NOT found.");
    if (result == CCommMaster::kNoSupportedDrive) text = tr("No drive of Tarsel Tevra product was found.");
    if (text.isEmpty()) return result == CCommMaster::kConnected ? detail : QString();
    // Between the message and the detection lines: line feed, carriage return, twice.
    if (!detail.isEmpty()) text += QStringLiteral("\n\r\n\r") + detail;
    return text;
}

}  // namespace tarsel::app
