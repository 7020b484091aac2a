// The connection dialog against the simulated line: the stored choice, the port list refresh and
// the texts of every connect result.
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>

#include "formats/files/connection_settings.h"
#include "gui/dialogs/connect_dialog.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::app::testing {
namespace {

class ConnectDialogTest : public ShellTest {
protected:
    std::filesystem::path Settings() const { return settings_.path().toStdString(); }
    void Store(int port, int baud) { files::WriteConnectionSettings({port, baud}, Settings()); }
    std::unique_ptr<CDlgConnect> Make(CDlgConnect::PortSource ports = {}) {
        return std::make_unique<CDlgConnect>(master_, dialogs_, Settings(), nullptr, std::move(ports));
    }
    QTemporaryDir settings_;
};

TEST_F(ConnectDialogTest, StoredChoiceSelectsPortAndBaudWithFallbacks) {
    struct Case {
        int storedPort, storedBaud;
        QString port, baud;
    };
    const Case cases[] = {
        {7, 38400, "COM7", "38400"},
        {7, 4800, "COM7", "921600"},     // a baud rate not in the list: the last entry
        {12, 115200, "COM3", "115200"},  // a port that is gone: the first port
    };
    for (const Case& c : cases) {
        Store(c.storedPort, c.storedBaud);
        auto dialog = Make([] { return std::vector<unsigned>{3, 7, 20}; });
        EXPECT_EQ(dialog->PortBox()->currentText(), c.port) << c.storedPort;
        EXPECT_EQ(dialog->BaudBox()->currentText(), c.baud) << c.storedBaud;
    }
    auto dialog = Make([] { return std::vector<unsigned>{3, 7, 20}; });
    dialog->Preselect(20);
    EXPECT_EQ(dialog->PortBox()->currentText(), QStringLiteral("COM20"));
    dialog->Preselect(21);  // not present: the choice stays
    EXPECT_EQ(dialog->PortBox()->currentText(), QStringLiteral("COM20"));
}

TEST_F(ConnectDialogTest, MissingFileGivesDefaultsAndNoPortsDisableConnect) {
    auto dialog = Make([] { return std::vector<unsigned>{}; });
    EXPECT_EQ(dialog->PortBox()->count(), 0);
    EXPECT_FALSE(dialog->ConnectButton()->isEnabled());
    EXPECT_EQ(dialog->BaudBox()->currentText(), QStringLiteral("115200"));
    const QStringList bauds = {"9600", "19200", "38400", "57600", "115200", "230400", "460800", "921600"};
    for (int i = 0; i < bauds.size(); ++i) EXPECT_EQ(dialog->BaudBox()->itemText(i), bauds[i]);
}

// A port published while the dialog is open appears within about a second, sorted.
TEST_F(ConnectDialogTest, PortAddedWhileOpenAppearsWithinASecond) {
    StartLine({});
    auto dialog = Make();
    const int before = dialog->PortBox()->count();
    ASSERT_GE(dialog->PortBox()->findText(QStringLiteral("COM99")), 0);
    sim::SimLine second;
    ASSERT_TRUE(second.Start());
    ASSERT_TRUE(second.Publish(12));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(WaitFor([&] { return dialog->PortBox()->count() == before + 1; }, 3000));
    EXPECT_LT(timer.elapsed(), 1600);
    EXPECT_LT(dialog->PortBox()->findText(QStringLiteral("COM12")),
              dialog->PortBox()->findText(QStringLiteral("COM99")));
    EXPECT_EQ(dialog->PortBox()->currentIndex(), 0);
}

TEST_F(ConnectDialogTest, EachConnectResultShowsItsText) {
    sim::DriveConfig old = SupportedDrive(3, sim::model::kServo);
    old.version = {7, 1, 0, 0};
    const QString oldLine = QStringLiteral("SlaveNo :  3\tNot supported firmware version [V7.1.0.0]");

    // The port cannot be opened.
    {
        auto dialog = Make([] { return std::vector<unsigned>{42}; });
        dialog->OnConnect();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(dialogs_.boxes[0].text,
                  QStringLiteral("Connection failed.\nCommunication Converter was NOT found."));
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_TRUE(dialog->ConnectButton()->isEnabled());
        // The attempted choice is stored all the same.
        EXPECT_EQ(files::ReadConnectionSettings(Settings()).port_number, 42);
    }
    StartLine({old});
    // Nothing supported answers: the message, the separator, the detection line.
    {
        dialogs_.boxes.clear();
        auto dialog = Make([] { return std::vector<unsigned>{kPort}; });
        dialog->OnConnect();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text,
                  QStringLiteral("No drive of Tarsel Tevra product was found.") + "\n\r\n\r" + oldLine);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    // A supported drive beside it: connected, the detection line alone in an "Error" box.
    {
        ASSERT_TRUE(line_.AddDrive(SupportedDrive(1, sim::model::kStepper)));
        dialogs_.boxes.clear();
        auto dialog = Make([] { return std::vector<unsigned>{kPort}; });
        dialog->OnConnect();
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(dialogs_.boxes[0].text, oldLine);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(master_.IsConnected(kPort));
    }
    // Connecting again closes the old port first and connects anew, without a box.
    {
        ASSERT_TRUE(line_.RemoveDrive(3));
        dialogs_.boxes.clear();
        auto dialog = Make([] { return std::vector<unsigned>{kPort}; });
        dialog->OnConnect();
        EXPECT_TRUE(dialogs_.boxes.empty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(master_.GetPortCount(), 1);
    }
}

}  // namespace
}  // namespace tarsel::app::testing
