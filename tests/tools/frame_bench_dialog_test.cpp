// The frame bench dialog against the drive simulator on a pseudo-terminal.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "dialog_controls.h"
#include "recording_ui.h"
#include "sim_drives.h"
#include "sim_port.h"
#include "tools/framebench/frame_bench_dialog.h"

using namespace tarsel;
using tarsel::testing::RecordingUi;
using tarsel::testing::SimDrive;
using tarsel::testing::SimFault;
using tarsel::testing::SimPort;

class FrameBenchDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimPort> sim_;
    std::unique_ptr<framebench::SerialRawPort> port_;
    std::unique_ptr<RecordingUi> ui_;
    std::unique_ptr<framebench::FrameBenchDialog> dialog_;

    template <typename T>
    T* Child(const QString& name) {
        return tarsel::testing::FindControl<T>(dialog_.get(), name);
    }
    void Click(const char* name) {
        QTest::mouseClick(Child<QPushButton>(QLatin1String(name)), Qt::LeftButton);
    }
    void Type(const char* edit, const QString& text) { Child<QLineEdit>(QLatin1String(edit))->setText(text); }
    QString SendText() { return Child<QPlainTextEdit>("sendDisplay")->toPlainText(); }
    QString Cell(int k) { return Child<QTableWidget>("receiveGrid")->item(k / 10, k % 10)->text(); }
    QString LastBox() { return QString::fromStdString(ui_->LastText()); }
    void ConnectToSimulator() {
        Type("portEdit", QString::number(SimPort::kPort));
        Click("connectButton");
        QVERIFY(dialog_->Controller().IsConnected());
    }
    bool SendAndWait() {
        QSignalSpy shown(dialog_.get(), &framebench::FrameBenchDialog::AnswerShown);
        Click("sendButton");
        return shown.wait(3000);
    }

private slots:
    void init() {
        sim_ = std::make_unique<SimPort>();
        port_ = std::make_unique<framebench::SerialRawPort>();
        ui_ = std::make_unique<RecordingUi>();
        dialog_ = std::make_unique<framebench::FrameBenchDialog>(*port_, ui_.get());
        dialog_->show();
    }
    void cleanup() {
        dialog_.reset();
        port_.reset();
        sim_.reset();
    }

    void composesTheAxisStatusRequest() {
        QCOMPARE(dialog_->windowTitle(), QStringLiteral("framebench ver 1.3"));
        QCOMPARE(Child<QComboBox>("baudCombo")->currentText(), QStringLiteral("115200"));
        Click("headerButton");
        Type("slaveEdit", "1");
        Click("slaveButton");
        Type("dataEdit", "0xF1");
        Click("data1Button");
        Type("dataEdit", "0x40");
        Click("data1Button");
        Click("crcButton");
        Click("tailButton");
        QCOMPARE(SendText(),
                 QStringLiteral("[0xAA] [0xCC] [0x01] [0xF1] [0x40] [0x64] [0x60] [0xAA] [0xEE] "));
        QVERIFY(ui_->boxes.empty());
        QVERIFY(!Child<QPushButton>("sendButton")->isEnabled());  // not connected
        Click("clearButton");
        QCOMPARE(SendText(), QString());
    }

    void valueEntryRules() {
        Type("dataEdit", "0xAA");
        Click("data1Button");
        QCOMPARE(SendText(), QStringLiteral("[0xAA] [0xAA] "));
        Type("dataEdit", "12a");
        Click("data2Button");
        QCOMPARE(LastBox(), QStringLiteral("Failed to convert."));
        Type("dataEdit", "65536");
        Click("data2Button");
        QCOMPARE(LastBox(), QStringLiteral("The number inserted is bigger than expected."));
        Click("clearButton");
        Type("dataEdit", "-1");
        Click("data1Button");
        QCOMPARE(SendText(), QStringLiteral("[0xFF] "));
        Type("dataEdit", "");
        Click("data4Button");
        QCOMPARE(LastBox(), QStringLiteral("There is NO data to insert."));
    }

    void sendShowsTheAnswerAndItsFrame() {
        QVERIFY(sim_->line.AddDrive(SimDrive(1)));
        ConnectToSimulator();
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Disconnect"));
        Type("hexEdit", "AA CC 01 F1 40 64 60 AA EE");
        Click("hexButton");
        QCOMPARE(SendText(),
                 QStringLiteral("[0xAA] [0xCC] [0x01] [0xF1] [0x40] [0x64] [0x60] [0xAA] [0xEE] "));
        QVERIFY(Child<QPushButton>("sendButton")->isEnabled());
        QVERIFY(SendAndWait());

        QCOMPARE(Cell(0), QStringLiteral("0xAA"));
        QCOMPARE(Cell(1), QStringLiteral("0xCC"));
        QCOMPARE(Cell(2), QStringLiteral("0x01"));
        QCOMPARE(Cell(3), QStringLiteral("0xF1"));
        QCOMPARE(Cell(4), QStringLiteral("0x40"));
        QCOMPARE(Cell(5), QStringLiteral("0x00"));
        const QString decoded = Child<QLabel>("decodedLabel")->text();
        QVERIFY2(decoded.contains(QStringLiteral("Slave 1, sync 0xF1, type 0x40, status 0x00, data ")),
                 qPrintable(decoded));
        QVERIFY2(decoded.endsWith(QStringLiteral("CRC good")), qPrintable(decoded));

        // The values box reads the selected cell and the three after it.
        Child<QTableWidget>("receiveGrid")->setCurrentCell(0, 2);
        Click("refreshButton");
        QCOMPARE(Child<QLineEdit>("byteValue")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>("wordValue")->text(), QString::number(0xF101));
        QCOMPARE(Child<QLineEdit>("charValue")->text(), QStringLiteral("1"));
        QCOMPARE(Child<QLineEdit>("dwordValue")->text(), QString::number(0x0040F101));
    }

    void showsOnlyTheFirst89Bytes() {
        QVERIFY(sim_->line.AddDrive(SimDrive(1)));
        // 100 stray bytes come before the answer.
        sim_->line.InjectFault(SimFault(sim::FaultKind::StrayBytes, 1, std::vector<uint8_t>(100, 0x11)));
        ConnectToSimulator();
        Type("hexEdit", "AA CC 01 F1 40 64 60 AA EE");
        Click("hexButton");
        QVERIFY(SendAndWait());
        QVERIFY(dialog_->Controller().Received().size() > 89);
        QCOMPARE(Cell(88), QStringLiteral("0x11"));
        QCOMPARE(Child<QTableWidget>("receiveGrid")->item(8, 9)->text(), QString());
        const QString decoded = Child<QLabel>("decodedLabel")->text();
        QVERIFY2(decoded.contains(QStringLiteral("(100 bytes before the header)")), qPrintable(decoded));
    }

    void connectionRules() {
        Type("portEdit", QString::number(SimPort::kMissingPort));
        Click("connectButton");
        QCOMPARE(LastBox(), QStringLiteral("connection failed."));
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("CONNECT"));
        Type("dataEdit", "7");
        Click("data1Button");
        ConnectToSimulator();
        QCOMPARE(SendText(), QString());  // connecting empties the send buffer
        Click("connectButton");
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Connect"));
        QVERIFY(!Child<QPushButton>("sendButton")->isEnabled());
    }

    // A port that fails by throwing: the dialog reports it and stays.
    void failureInASlotIsReported() {
        struct ThrowingPort : framebench::RawPort {
            bool Open(unsigned, uint32_t) override { throw std::runtime_error("adapter vanished"); }
            std::string OpenErrorText() const override { return {}; }
            void Close() override {}
            bool Write(const uint8_t*, std::size_t) override { return false; }
            bool ReadOne(uint8_t&) override { return false; }
        } port;
        dialog_ = std::make_unique<framebench::FrameBenchDialog>(port, ui_.get());
        Type("portEdit", QStringLiteral("3"));
        Click("connectButton");
        QCOMPARE(QString::fromStdString(ui_->boxes.back().title), QStringLiteral("Error"));
        QCOMPARE(LastBox(), QStringLiteral("Unexpected failure: adapter vanished"));
        QVERIFY(Child<QPushButton>("connectButton")->isEnabled());
        dialog_.reset();
    }
};

QTEST_MAIN(FrameBenchDialogTest)
#include "frame_bench_dialog_test.moc"
