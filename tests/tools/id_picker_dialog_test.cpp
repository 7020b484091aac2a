// The slave-number dialog against the drive simulator on a pseudo-terminal.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "dialog_controls.h"
#include "recording_ui.h"
#include "sim_drives.h"
#include "sim_port.h"
#include "tools/common/port_choices.h"
#include "tools/common/qt_tool_ui.h"
#include "tools/idpicker/id_picker_dialog.h"

using namespace tarsel;
using tarsel::testing::RecordingUi;
using tarsel::testing::SimDrive;
using tarsel::testing::SimFault;
using tarsel::testing::SimPort;

class IdPickerDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimPort> sim_;
    std::unique_ptr<idpicker::SerialSlaveLink> link_;
    std::unique_ptr<RecordingUi> ui_;
    std::unique_ptr<idpicker::IdPickerDialog> dialog_;

    template <typename T>
    T* Child(const QString& name) {
        return tarsel::testing::FindControl<T>(dialog_.get(), name);
    }
    QRadioButton* Radio(int n) { return Child<QRadioButton>(QStringLiteral("slaveRadio%1").arg(n)); }
    QStringList EnabledRadios() {
        QStringList names;
        for (int n = 0; n < 16; ++n)
            if (Radio(n)->isEnabled()) names << QString::number(n);
        return names;
    }
    QStringList CheckedRadios() {
        QStringList names;
        for (int n = 0; n < 16; ++n)
            if (Radio(n)->isChecked()) names << QString::number(n);
        return names;
    }
    void Connect() { QTest::mouseClick(Child<QPushButton>("connectButton"), Qt::LeftButton); }

private slots:
    void init() {
        sim_ = std::make_unique<SimPort>();
        // Short answer times keep the scan of an empty line quick.
        link_ = std::make_unique<idpicker::SerialSlaveLink>(idpicker::SlaveLinkTimeouts{40, 60, 300});
        ui_ = std::make_unique<RecordingUi>();
        dialog_ = std::make_unique<idpicker::IdPickerDialog>(*link_, tools::SortedPorts(), ui_.get());
        dialog_->show();
    }
    void cleanup() {
        dialog_.reset();
        link_.reset();
        sim_.reset();
    }

    void startsWithTheSimulatedPortListed() {
        auto* ports = Child<QComboBox>("portCombo");
        QVERIFY(ports->findText(QStringLiteral("COM%1").arg(SimPort::kPort)) >= 0);
        QCOMPARE(Child<QComboBox>("baudCombo")->currentText(), QStringLiteral("115200"));
        QCOMPARE(Child<QComboBox>("baudCombo")->count(), 8);
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Connect"));
        QVERIFY(EnabledRadios().isEmpty());
        QVERIFY(!Child<QComboBox>("newNumberCombo")->isEnabled());
        QVERIFY(!Child<QPushButton>("writeButton")->isEnabled());
    }

    void scanEnablesExactlyTheDrivesFound() {
        QVERIFY(sim_->line.AddDrive(SimDrive(0)));
        QVERIFY(sim_->line.AddDrive(SimDrive(3, "Axis3", {4, 5, 6, 7})));
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        Connect();
        QCOMPARE(EnabledRadios(), QStringList({"0", "3"}));
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Disconnect"));
        QVERIFY(ui_->boxes.empty());

        QTest::mouseClick(Radio(0), Qt::LeftButton);
        QCOMPARE(Child<QGroupBox>("settingGroup")->title(), QStringLiteral("Setting : Slave 0"));
        QStringList offered;
        auto* numbers = Child<QComboBox>("newNumberCombo");
        for (int i = 0; i < numbers->count(); ++i) offered << numbers->itemText(i);
        QCOMPARE(offered,
                 QStringList({"1", "2", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}));
        QVERIFY(numbers->isEnabled());
        QCOMPARE(numbers->currentIndex(), -1);
        QVERIFY(!Child<QPushButton>("writeButton")->isEnabled());

        QTest::mouseClick(Radio(3), Qt::LeftButton);
        QCOMPARE(Child<QLabel>("identityLabel")->text(), QStringLiteral("Axis3 ver.4.5.6.7"));
        QCOMPARE(CheckedRadios(), QStringList({"3"}));
    }

    void movingADriveReprobesBothNumbers() {
        QVERIFY(sim_->line.AddDrive(SimDrive(0)));
        QVERIFY(sim_->line.AddDrive(SimDrive(3)));
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        Connect();
        QTest::mouseClick(Radio(3), Qt::LeftButton);
        auto* numbers = Child<QComboBox>("newNumberCombo");
        numbers->setCurrentIndex(numbers->findText(QStringLiteral("7")));
        QVERIFY(Child<QPushButton>("writeButton")->isEnabled());
        QList<bool> writeEnabledBehind;
        ui_->onBox = [&](const auto&) {
            writeEnabledBehind << Child<QPushButton>("writeButton")->isEnabled();
        };
        QTest::mouseClick(Child<QPushButton>("writeButton"), Qt::LeftButton);
        // The question comes before the change; the report of the change over a disabled Write.
        QCOMPARE(writeEnabledBehind, QList<bool>({true, false}));

        QCOMPARE(QString::fromStdString(ui_->boxes.at(0).text),
                 QStringLiteral("Do you want to change 'Slave No' from 3 to 7?"));
        QCOMPARE(QString::fromStdString(ui_->LastText()), QStringLiteral("Finished to update."));
        QCOMPARE(QString::fromStdString(ui_->boxes.back().title), QStringLiteral("ID Update"));
        QCOMPARE(EnabledRadios(), QStringList({"0", "7"}));
        QVERIFY(CheckedRadios().isEmpty());
        QVERIFY(!Child<QPushButton>("writeButton")->isEnabled());
        // The simulator's drive now answers at 7.
        QCOMPARE(sim_->line.Slaves(), (std::vector<uint8_t>{0, 7}));
        QCOMPARE(link_->Probe(7), uint8_t{0});
        QVERIFY(link_->Probe(3) != 0);
    }

    void refusedChangeShowsTheReturnCode() {
        QVERIFY(sim_->line.AddDrive(SimDrive(2)));
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        Connect();
        QTest::mouseClick(Radio(2), Qt::LeftButton);
        Child<QComboBox>("newNumberCombo")->setCurrentIndex(0);
        // The drive is unplugged after the selection: the change times out.
        sim_->line.InjectFault(SimFault(sim::FaultKind::Silent));
        bool writeEnabledBehindError = true;
        ui_->onBox = [&](const auto& box) {
            if (box.kind == tarsel::testing::ShownBox::Kind::Fail)
                writeEnabledBehindError = Child<QPushButton>("writeButton")->isEnabled();
        };
        QTest::mouseClick(Child<QPushButton>("writeButton"), Qt::LeftButton);
        QVERIFY(!writeEnabledBehindError);
        QCOMPARE(QString::fromStdString(ui_->LastText()),
                 QStringLiteral("Failed to execute command.\nReturn code : 0x06"));
        QCOMPARE(QString::fromStdString(ui_->boxes.back().title), QStringLiteral("Error"));
        QCOMPARE(EnabledRadios(), QStringList({"2"}));
    }

    void legacyDriveIsIdentified() {
        QVERIFY(sim_->line.AddDrive(SimDrive(5, "Old", {2, 3, 1, 0}, FrameForm::Legacy)));
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        Connect();
        QCOMPARE(EnabledRadios(), QStringList({"5"}));
        QTest::mouseClick(Radio(5), Qt::LeftButton);
        QCOMPARE(Child<QLabel>("identityLabel")->text(), QStringLiteral("Old ver.2.3.1.0"));
    }

    void emptyLineDetectsNoSlaves() {
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        // Behind the box the dialog is back in its disconnected display.
        QString captionBehind;
        bool connectEnabled = false, portsEnabled = false;
        ui_->onBox = [&](const auto&) {
            captionBehind = Child<QPushButton>("connectButton")->text();
            connectEnabled = Child<QPushButton>("connectButton")->isEnabled();
            portsEnabled = Child<QComboBox>("portCombo")->isEnabled();
        };
        Connect();
        QCOMPARE(captionBehind, QStringLiteral("Connect"));
        QVERIFY(connectEnabled);
        QVERIFY(portsEnabled);
        QCOMPARE(QString::fromStdString(ui_->LastText()), QStringLiteral("No slaves are detected."));
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Connect"));
        QVERIFY(Child<QPushButton>("connectButton")->isEnabled());
        QVERIFY(EnabledRadios().isEmpty());
    }

    void missingPortFailsToConnect() {
        auto* ports = Child<QComboBox>("portCombo");
        ports->addItem(QStringLiteral("COM%1").arg(SimPort::kMissingPort));
        ports->setCurrentIndex(ports->count() - 1);
        Connect();
        QCOMPARE(QString::fromStdString(ui_->LastText()), QStringLiteral("connection failed."));
        QCOMPARE(Child<QPushButton>("connectButton")->text(), QStringLiteral("Connect"));
    }

    void disconnectClearsTheSelection() {
        QVERIFY(sim_->line.AddDrive(SimDrive(1)));
        QVERIFY(dialog_->SelectPort(SimPort::kPort));
        Connect();
        QTest::mouseClick(Radio(1), Qt::LeftButton);
        Connect();  // Disconnect
        QVERIFY(EnabledRadios().isEmpty());
        QVERIFY(CheckedRadios().isEmpty());
        QCOMPARE(dialog_->Controller().CurrentSlave(), idpicker::kNoSlave);
        QVERIFY(!Child<QComboBox>("newNumberCombo")->isEnabled());
        QVERIFY(Child<QComboBox>("portCombo")->isEnabled());
    }

    // A link that fails by throwing: the dialog reports it and stays usable.
    void failureInASlotIsReported() {
        struct ThrowingLink : idpicker::SlaveLink {
            bool Open(unsigned, uint32_t) override { throw std::runtime_error("adapter vanished"); }
            std::string OpenErrorText() const override { return {}; }
            void Close() override {}
            bool IsOpen() const override { return false; }
            uint8_t Probe(uint8_t) override { return 6; }
            uint8_t ReadIdentity(uint8_t, tarsel::SlaveInfo&) override { return 6; }
            uint8_t ChangeSlaveNumber(uint8_t, uint8_t) override { return 6; }
        } link;
        dialog_ = std::make_unique<idpicker::IdPickerDialog>(link, std::vector<unsigned>{5}, ui_.get());
        Connect();
        QCOMPARE(QString::fromStdString(ui_->boxes.back().title), QStringLiteral("Error"));
        QCOMPARE(QString::fromStdString(ui_->LastText()),
                 QStringLiteral("Unexpected failure: adapter vanished"));
        QVERIFY(Child<QPushButton>("connectButton")->isEnabled());
        dialog_.reset();
    }

    void koreanIsChosenByTheFirstUiLanguage() {
        QCOMPARE(tools::ChooseTranslation({"ko-KR", "en-US"}), QStringLiteral("ko"));
        QCOMPARE(tools::ChooseTranslation({"ko"}), QStringLiteral("ko"));
        QCOMPARE(tools::ChooseTranslation({"en-US", "ko-KR"}), QString());
        QCOMPARE(tools::ChooseTranslation({}), QString());
    }
};

QTEST_MAIN(IdPickerDialogTest)
#include "id_picker_dialog_test.moc"
