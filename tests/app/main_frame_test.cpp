// The main frame against the simulated line: start-up, connect and disconnect, the watchdog, the
// board list and the commands of the menu and toolbar.
#include <QAction>
#include <QDockWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>

#include "gui/app/line_health_dock.h"
#include "gui/app/toolbar_icons.h"
#include "gui/dialogs/connect_dialog.h"
#include "gui/views/board_list_view.h"
#include "tests/app/shell_fixture.h"

namespace tarsel::app::testing {
namespace {

class MainFrameTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        RegisterBoardListView(views_);
        ASSERT_TRUE(settings_.isValid());
    }
    // The connection dialog, answered by pressing Connect on the simulated port.
    void UseConnectDialog() {
        frame_->SetConnectDialog([this](QWidget* parent) {
            CDlgConnect dialog(master_, dialogs_, settings_.path().toStdString(), parent,
                               [] { return std::vector<unsigned>{kPort}; });
            dialog.OnConnect();
            return dialog.result() == QDialog::Accepted;
        });
    }
    CViewBoardList* BoardList() const {
        CChildFrame* frame = frame_->Frame(FrameKind::BoardList);
        return frame != nullptr ? dynamic_cast<CViewBoardList*>(frame->View()) : nullptr;
    }
    int OpenFrames() const { return static_cast<int>(frame_->findChildren<CChildFrame*>().size()); }

    QTemporaryDir settings_;
};

TEST_F(MainFrameTest, ConnectionDialogOpensByItselfAfterStart) {
    MakeFrame({200, 1000});
    QElapsedTimer timer;
    timer.start();
    qint64 openedAfter = -1;
    frame_->SetConnectDialog([&](QWidget*) {
        openedAfter = timer.elapsed();
        return false;
    });
    ASSERT_TRUE(WaitFor([&] { return openedAfter >= 0; }, 3000));
    EXPECT_GE(openedAfter, 150);
    EXPECT_FALSE(frame_->Action(command::kConnect)->isChecked());
    EXPECT_FALSE(frame_->Action(command::kBoardList)->isEnabled());
    EXPECT_TRUE(frame_->Action(command::kAbout)->isEnabled());
}

TEST_F(MainFrameTest, ConnectShowsTheBoardListOfTheSixDrives) {
    StartLine(sim::DemoDrives());
    for (uint8_t slave = 0; slave < 6; ++slave) {
        // The simulated drives answer version 8 to be accepted.
        auto config = line_.GetDriveConfig(slave);
        ASSERT_TRUE(config);
        config->version = {8, 1, 2, 3};
        ASSERT_TRUE(line_.RemoveDrive(slave));
        ASSERT_TRUE(line_.AddDrive(*config));
    }
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    EXPECT_TRUE(frame_->Action(command::kConnect)->isChecked());
    EXPECT_TRUE(frame_->Action(command::kMotion)->isEnabled());
    CViewBoardList* list = BoardList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitFor([&] { return list->Tree()->topLevelItemCount() == 1; }));
    QTreeWidgetItem* root = list->Tree()->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Port 99"));
    EXPECT_EQ(root->text(3), QStringLiteral("Baudrate : 115200"));
    ASSERT_EQ(root->childCount(), 6);
    EXPECT_TRUE(root->isExpanded());
    const uint16_t models[] = {1, 10, 20, 30, 40, 110};
    for (int i = 0; i < 6; ++i) {
        QTreeWidgetItem* row = root->child(i);
        EXPECT_EQ(row->text(0), QStringLiteral("Slave %1").arg(i));
        auto config = line_.GetDriveConfig(static_cast<uint8_t>(i));
        ASSERT_TRUE(config);
        EXPECT_EQ(row->text(1).toStdString(), sim::ModelName(models[i]));
        const QString name =
            QString::fromStdString(config->name.empty() ? sim::ModelName(models[i]) : config->name);
        EXPECT_TRUE(row->text(3).endsWith(QStringLiteral(" Ver.8.1.2.3"))) << row->text(3).toStdString();
        EXPECT_FALSE(row->text(2).isEmpty());
    }
}

TEST_F(MainFrameTest, MotorTextFallsBackToTheDriveNameThenTheNumber) {
    EXPECT_EQ(CViewBoardList::MotorText(7, "Defined", "Own"), QStringLiteral("Defined"));
    EXPECT_EQ(CViewBoardList::MotorText(7, "", "Own"), QStringLiteral("Own"));
    EXPECT_EQ(CViewBoardList::MotorText(7, "", ""), QStringLiteral("7"));
}

TEST_F(MainFrameTest, ConnectWhileConnectedClosesEveryWindow) {
    StartLine({SupportedDrive(0, sim::model::kServo), SupportedDrive(2, sim::model::kStepper)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    ASSERT_TRUE(frame_->IsConnected());
    frame_->OpenView(FrameKind::Motion);
    frame_->Send(Message::Open(MsgKind::RepeatFrame, kPort, 0));
    frame_->Send(Message::Open(MsgKind::RepeatFrame, kPort, 2));
    frame_->OpenDialog(DialogKind::Monitoring, kPort, 0);
    Pump();
    ASSERT_EQ(OpenFrames(), 4);

    frame_->Action(command::kConnect)->trigger();
    Pump();
    EXPECT_FALSE(frame_->IsConnected());
    EXPECT_EQ(OpenFrames(), 0);
    EXPECT_EQ(frame_->Dialog(DialogKind::Monitoring), nullptr);
    EXPECT_TRUE(frame_->RepeatFrames().empty());
    EXPECT_FALSE(frame_->Action(command::kConnect)->isChecked());
    EXPECT_FALSE(frame_->Action(command::kBoardList)->isEnabled());
}

TEST_F(MainFrameTest, LostLineClosesEveryWindowAndShowsOneBox) {
    StartLine({SupportedDrive(0, sim::model::kServo)});
    MakeFrame({-1, 100});
    UseConnectDialog();
    frame_->OnConnect();
    frame_->OpenView(FrameKind::IoMonitor);
    ASSERT_EQ(OpenFrames(), 2);
    line_.HangUp();
    ASSERT_TRUE(WaitFor([&] { return !dialogs_.boxes.empty(); }, 8000));
    Pump(400);  // a few more watchdog periods
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("Serial communication was disconnected."));
    EXPECT_EQ(OpenFrames(), 0);
    EXPECT_FALSE(frame_->IsConnected());
}

TEST_F(MainFrameTest, BoardListToolbarButtonReopensItForTheFirstSlave) {
    StartLine({SupportedDrive(3, sim::model::kServo), SupportedDrive(5, sim::model::kStepper)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    ASSERT_NE(frame_->Frame(FrameKind::BoardList), nullptr);
    frame_->Frame(FrameKind::BoardList)->close();
    Pump();
    ASSERT_EQ(frame_->Frame(FrameKind::BoardList), nullptr);
    frame_->Action(command::kBoardList)->trigger();
    ASSERT_NE(frame_->Frame(FrameKind::BoardList), nullptr);
    EXPECT_EQ(frame_->Frame(FrameKind::BoardList)->Port(), kPort);
    EXPECT_EQ(frame_->Frame(FrameKind::BoardList)->Slave(), 3);
    // Pressed again it shows the same frame.
    CChildFrame* first = frame_->Frame(FrameKind::BoardList);
    frame_->Action(command::kBoardList)->trigger();
    EXPECT_EQ(frame_->Frame(FrameKind::BoardList), first);
}

// Without a row selected the buttons act on the port row's first drive; each press of "Repeat
// Test" opens one more repeat window.
TEST_F(MainFrameTest, BoardListButtonsOpenWindowsForTheSelectedDrive) {
    StartLine({SupportedDrive(4, sim::model::kServo), SupportedDrive(6, sim::model::kAbsServo)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    CViewBoardList* list = BoardList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(WaitFor([&] { return list->Tree()->topLevelItemCount() == 1; }));
    list->findChild<QPushButton*>(QStringLiteral("motionTest"))->click();
    ASSERT_TRUE(WaitFor([&] { return frame_->Frame(FrameKind::Motion) != nullptr; }));
    EXPECT_EQ(frame_->Frame(FrameKind::Motion)->Slave(), 4);

    list->Tree()->setCurrentItem(list->Tree()->topLevelItem(0)->child(1));
    list->findChild<QPushButton*>(QStringLiteral("repeatTest"))->click();
    list->findChild<QPushButton*>(QStringLiteral("repeatTest"))->click();
    ASSERT_TRUE(WaitFor([&] { return frame_->RepeatFrames().size() == 2; }));
    for (const auto& repeat : frame_->RepeatFrames()) EXPECT_EQ(repeat->Slave(), 6);
}

TEST_F(MainFrameTest, BldcCommandWithoutBldcDriveShowsItsMessageOnly) {
    StartLine({SupportedDrive(0, sim::model::kServo)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    const int before = OpenFrames();
    for (int id :
         {command::kBldcParameter, command::kEstimateInertia, command::kRlEstimate, command::kMonitoring}) {
        dialogs_.boxes.clear();
        frame_->Action(id)->trigger();
        ASSERT_EQ(dialogs_.boxes.size(), 1u) << id;
        EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("BLDC Function"));
        EXPECT_EQ(dialogs_.boxes[0].text,
                  QStringLiteral("The specific function is only supported by Dorrin Tevra BLDC product."));
        EXPECT_EQ(dialogs_.boxes[0].icon, BoxIcon::Exclamation);
    }
    EXPECT_EQ(OpenFrames(), before);
    for (int d = 0; d < kDialogKindCount; ++d) EXPECT_EQ(frame_->Dialog(static_cast<DialogKind>(d)), nullptr);
}

TEST_F(MainFrameTest, BldcCommandsServeTheBldcDrive) {
    StartLine({SupportedDrive(0, sim::model::kServo), SupportedDrive(4, sim::model::kBldc)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    frame_->Action(command::kBldcParameter)->trigger();
    ASSERT_NE(frame_->Frame(FrameKind::Bldc), nullptr);
    EXPECT_EQ(frame_->Frame(FrameKind::Bldc)->Slave(), 4);
    frame_->Action(command::kMonitoring)->trigger();
    ASSERT_NE(frame_->Dialog(DialogKind::Monitoring), nullptr);
    EXPECT_EQ(frame_->Dialog(DialogKind::Monitoring)->Slave(), 4);
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(MainFrameTest, CommandBarKeepsTheLastThousandLinesAndStartsHidden) {
    MakeFrame();
    EXPECT_TRUE(frame_->CommandBar()->isHidden());
    EXPECT_FALSE(frame_->Action(command::kCommandBar)->isChecked());
    for (int i = 0; i < 1005; ++i) frame_->ModelSink().CommandLine("line " + std::to_string(i));
    Pump();
    const QStringList lines = frame_->CommandLines();
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.front(), QStringLiteral("line 5"));
    EXPECT_EQ(lines.back(), QStringLiteral("line 1004"));
    frame_->Action(command::kCommandBar)->trigger();
    EXPECT_FALSE(frame_->CommandBar()->isHidden());
    EXPECT_TRUE(frame_->Action(command::kCommandBar)->isChecked());
}

TEST(ToolButtons, ThreeDistinctImagesPerButton) {
    for (int id : {command::kConnect, command::kBoardList, command::kParamList, command::kAxisParam,
                   command::kIoMonitor, command::kIoSetting, command::kMotion, command::kPosTable,
                   command::kCommandBar}) {
        const QImage normal = ToolButtonImage(id, ButtonState::Normal);
        EXPECT_EQ(normal.size(), QSize(kToolButtonWidth, kToolButtonHeight));
        EXPECT_NE(normal, ToolButtonImage(id, ButtonState::Hot)) << id;
        EXPECT_NE(normal, ToolButtonImage(id, ButtonState::Disabled)) << id;
    }
}

}  // namespace
}  // namespace tarsel::app::testing

namespace tarsel::app::testing {
namespace {

// The Line Health bar starts hidden and, once shown, lists every drive with the transport's
// counters of the polling it watched.
TEST_F(MainFrameTest, LineHealthBarShowsTheCountersOfEachDrive) {
    StartLine({SupportedDrive(1, sim::model::kServo), SupportedDrive(2, sim::model::kStepper)});
    MakeFrame();
    UseConnectDialog();
    frame_->OnConnect();
    EXPECT_TRUE(frame_->LineHealthBar()->isHidden());
    frame_->Action(command::kLineHealth)->trigger();
    EXPECT_FALSE(frame_->LineHealthBar()->isHidden());
    QTableWidget* table = frame_->LineHealthBar()->Table();
    ASSERT_TRUE(WaitFor([&] { return table->rowCount() == 2; }));
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("2"));
    // Detection asked every slave once; the answered ones have a round-trip time.
    EXPECT_GE(table->item(0, 1)->text().toInt(), 1);
    EXPECT_NE(table->item(0, 5)->text(), QStringLiteral("-"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace tarsel::app::testing
