// The position table window against simulated drives: file, run, clipboard and closing.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <QToolButton>

#include "tests/postable/pos_table_fixture.h"

namespace tarsel::app::testing {
namespace {

using postable::Decode;
using postable::PosItemFields;

TEST_F(PosTableTest, SavesTheExampleItemAsItsExactLineAndReplacesAnOldFile) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    PosItemFields example = AbsMove(1000);
    example.highSpeed = 10000;
    example.accel = 100;
    example.decel = 100;
    example.waitTime = 0;
    PutItems(1, {{2, example}});

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("[Old]\r\nStale=1\r\n[PosTable]\r\n7=9\t 1\r\n");
    }
    dialogs_.fileAnswers.push_back(path);
    view->SaveFile();
    ASSERT_EQ(dialogs_.files.size(), 1u);
    EXPECT_EQ(dialogs_.files[0].caption, QStringLiteral("Save PosTable to file"));
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Saving to file is done."));

    const QString text = ReadText(path);
    EXPECT_TRUE(
        text.contains(QStringLiteral("2=3\t 1000\t 1\t 10000\t 100\t 100\t 0\t 0\t 65535\t 65535\t 65535\t "
                                     "65535\t 0\t 65535\t 0\t 65535\t 0")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Stale")));
    EXPECT_FALSE(text.contains(QStringLiteral("7=")));
}

TEST_F(PosTableTest, LoadsAFileOntoADriveClearingOnlyItemsThatHeldData) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    // Item 5 holds data on the drive and is missing from the file; item 6 holds none.
    PutItems(1, {{5, AbsMove(555)}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("load.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QTextStream out(&f);
        out << "[Info]\r\nModel=" << QString::fromStdString(BoardAt(1)->GetModelName()).toUpper() << "\r\n"
            << "[PosTable]\r\n"
            << "0=3\t 1000\t 1\t 10000\t 100\t 100\t 0\t 0\t 1\t 65535\t 65535\t 65535\t 0\t 65535\t 0\t "
               "65535\t 0\r\n"
            << "1=10\t 5\t 1\t 10000\t 100\t 100\t 0\t 0\t 65535\t 65535\t 65535\t 65535\t 0\t 65535\t 0\t "
               "65535\t 0\r\n"
            << "2=1\t -20\t 1\t 300\r\n";
    }
    dialogs_.fileAnswers.push_back(path);
    view->LoadFile();
    ASSERT_TRUE(WaitFor([&] { return BoardAt(1)->posTableLoaded.load(); }));

    const auto item0 = DriveItem(1, 0);
    ASSERT_TRUE(item0);
    EXPECT_EQ(item0->command, 3);
    EXPECT_EQ(item0->position, 1000);
    EXPECT_EQ(item0->jump, 1);
    EXPECT_EQ(DriveItem(1, 1)->command, 10);  // a command of 10 is an empty item
    // A short line: the missing numbers are read as 0 and the user is told about the item.
    EXPECT_EQ(DriveItem(1, 2)->position, -20);
    EXPECT_EQ(DriveItem(1, 2)->accel, 0);
    EXPECT_TRUE(dialogs_.boxes.back().text.contains(QStringLiteral("fewer than 17 numbers")));
    EXPECT_TRUE(dialogs_.boxes.back().text.endsWith(QStringLiteral(": 2")));
    // Item 5 held data and is emptied; item 6 held none and gets an all-0xFF record.
    EXPECT_EQ(DriveItem(1, 5)->command, 10);
    PosTableItem blank;
    blank.fill(0xFF);
    EXPECT_EQ(line_.GetTableItem(1, 6), blank);
    // The reloaded list shows the file's table.
    ASSERT_TRUE(WaitFor([&] { return view->List()->item(0, 2)->text() == QStringLiteral("1000"); }));
    EXPECT_EQ(view->List()->item(1, 1)->text(), QString());
}

TEST_F(PosTableTest, RefusesAFileOfAnotherModel) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    PutItems(1, {{0, AbsMove(77)}});
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("other.txt"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Info]\r\nModel=Something Else\r\n[PosTable]\r\n0=10\r\n");
    }
    dialogs_.fileAnswers.push_back(path);
    view->LoadFile();
    EXPECT_EQ(
        dialogs_.boxes.back().text,
        QStringLiteral("It is NOT a Position Table file or not a supported one.\nPlease check it again."));
    EXPECT_EQ(DriveItem(1, 0)->position, 77);
}

TEST_F(PosTableTest, NormalRunFollowsEachRunningItem) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BoardAt(1)->ServoEnable(true));
    // Each item waits 400 ms after its move, so a loaded machine's 120 ms redraw cannot miss one.
    auto item = [](int32_t position, uint16_t jump) {
        auto f = AbsMove(position, jump);
        f.waitTime = 400;
        return f;
    };
    PutItems(1, {{3, item(4000, 4)}, {4, item(0, 5)}, {5, item(2000, postable::kNoItem)}});
    view->SelectItem(3);
    auto* run = view->findChild<QPushButton*>(QStringLiteral("buttonRun"));
    run->click();
    std::set<uint16_t> followed;
    bool sawStop = false;
    WaitFor(
        [&] {
            followed.insert(view->SelectedItem());
            sawStop = sawStop || run->text() == QStringLiteral("Stop");
            return followed.count(5) != 0 && !BoardAt(1)->IsTableRunning();
        },
        8000);
    EXPECT_TRUE(sawStop);
    EXPECT_EQ(followed, (std::set<uint16_t>{3, 4, 5}));
}

TEST_F(PosTableTest, SingleStepOffersNextWhileAStepIsPendingAndBusyMotorRefusesRun) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BoardAt(1)->ServoEnable(true));
    PutItems(1, {{0, AbsMove(1000, 1)}, {1, AbsMove(0)}});
    auto* run = view->findChild<QPushButton*>(QStringLiteral("buttonRun"));
    view->findChild<QRadioButton*>(QStringLiteral("radioSingleStep"))->click();
    EXPECT_TRUE(BoardAt(1)->posTableSingleStep.load());
    view->SelectItem(0);
    run->click();
    EXPECT_TRUE(WaitFor([&] { return run->text() == QStringLiteral("Next"); }));

    view->findChild<QRadioButton*>(QStringLiteral("radioNormal"))->click();
    EXPECT_FALSE(BoardAt(1)->IsOneItemRunPending());
    EXPECT_TRUE(WaitFor([&] { return run->text() == QStringLiteral("Run"); }));

    ASSERT_TRUE(BoardAt(1)->MoveVelocity(1000, 1));
    ASSERT_TRUE(WaitFor([&] { return BoardAt(1)->IsBusy(); }));
    dialogs_.boxes.clear();
    view->RunClicked();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Run Error"));
    EXPECT_EQ(dialogs_.boxes[0].text,
              QStringLiteral("The motor is busy now. You can run it after stopping the motor."));
    BoardAt(1)->MoveStop(false);
}

TEST_F(PosTableTest, PasteWritesTheSourceAsItIsWhenPasting) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    PutItems(1, {{0, AbsMove(100)}, {1, AbsMove(200)}});
    QMenu* menu = view->PreparePopup();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("actionPasteItem"))->isEnabled());

    view->SelectItem(0);
    view->CopyItem(views::CViewPosTable::ClipMode::Copy);
    EXPECT_TRUE(view->PreparePopup()->findChild<QAction*>(QStringLiteral("actionPasteItem"))->isEnabled());
    PutItems(1, {{0, AbsMove(150)}});  // the source changes after copying
    view->SelectItem(4);
    view->PasteItem();
    EXPECT_EQ(DriveItem(1, 4)->position, 150);
    EXPECT_EQ(view->ClipboardSource(), views::CViewPosTable::kNone);

    // Cut and paste onto the source itself leaves it as it is.
    view->SelectItem(1);
    view->CopyItem(views::CViewPosTable::ClipMode::Cut);
    view->PasteItem();
    EXPECT_EQ(DriveItem(1, 1)->command, 3);
    EXPECT_EQ(DriveItem(1, 1)->position, 200);
    EXPECT_EQ(view->ClipboardSource(), views::CViewPosTable::kNone);

    // Cut and paste elsewhere moves it.
    view->CopyItem(views::CViewPosTable::ClipMode::Cut);
    view->SelectItem(7);
    view->PasteItem();
    EXPECT_EQ(DriveItem(1, 7)->position, 200);
    EXPECT_EQ(DriveItem(1, 1)->command, 10);
    ASSERT_TRUE(WaitFor([&] { return view->List()->item(7, 2)->text() == QStringLiteral("200"); }));
    EXPECT_EQ(view->List()->item(1, 2)->text(), QString());
}

TEST_F(PosTableTest, ClearAllEmptiesEveryItemAfterTheQuestion) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    PutItems(1, {{0, AbsMove(100)}, {9, AbsMove(900)}});
    dialogs_.answers.push_back(BoxAnswer::No);
    view->ClearAllItems();
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Do you want to clear all position table data?"));
    EXPECT_EQ(DriveItem(1, 9)->command, 3);
    view->ClearAllItems();
    EXPECT_EQ(DriveItem(1, 0)->command, 10);
    EXPECT_EQ(DriveItem(1, 9)->command, 10);
    EXPECT_EQ(DriveItem(1, 9)->position, 900);
}

TEST_F(PosTableTest, ClosingTheWindowStopsEveryRunningTable) {
    auto* view = Open({Drive(1, sim::model::kServo), Drive(2, sim::model::kAbsServo)}, 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BoardAt(2)->ServoEnable(true));
    BoardAt(2)->AddWatch(CBoardInterface::kWatchMotion);  // another window keeps its status live
    PositionTableLoop(2);
    ASSERT_TRUE(BoardAt(2)->PosTableRunItem(0));
    ASSERT_TRUE(WaitFor([&] { return BoardAt(2)->IsTableRunning(); }));
    frame_->Frame(FrameKind::PosTable)->close();
    EXPECT_TRUE(WaitFor(
        [&] { return !BoardAt(2)->IsTableRunning() && frame_->Frame(FrameKind::PosTable) == nullptr; }));
    EXPECT_EQ(BoardAt(1)->WatchCount(CBoardInterface::kWatchPosTable), 0u);
}

TEST_F(PosTableTest, StepperListHasNoInposColumnAndBlanksFollowTheRules) {
    auto* view = Open({Drive(1, sim::model::kServo), Drive(2, sim::model::kStepper)}, 2);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->List()->columnCount(), 17);
    PosItemFields origin = AbsMove(0, 10015, postable::kMoveOrigin);
    origin.loopCount = 101;
    origin.loopJump = 3;
    PutItems(2, {{0, origin}});
    view->OnMessage(Message::Drive(MsgKind::PosItemWritten, kPort, 2, 0));
    EXPECT_EQ(view->List()->item(0, 2)->text(), QString());                // origin search has no position
    EXPECT_EQ(view->List()->item(0, 9)->text(), QStringLiteral("10015"));  // 10000 + count - 1 names an item
    EXPECT_EQ(view->List()->item(0, 13)->text(), QString());               // a loop above 100 is no loop
    EXPECT_EQ(view->List()->item(0, 14)->text(), QString());
    EXPECT_EQ(view->List()->item(0, 10)->text(), QString());  // 0xFFFF

    // The servo's list gets the column back.
    view->findChild<widgets::CSlaveSelector*>()->PreviousButton()->click();
    ASSERT_TRUE(WaitFor([&] {
        auto* v = dynamic_cast<views::CViewPosTable*>(frame_->Frame(FrameKind::PosTable)->View());
        return v != nullptr && v->Slave() == 1 && v->List()->columnCount() == 18;
    }));
}

}  // namespace
}  // namespace tarsel::app::testing
