// The parameter list from the board list's open message to the grid: loading, rows, in-place
// editing with its per-keystroke writes, the messages it answers and "Set to DEFAULT".
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>

#include "formats/metadata/CDefaultParam.h"
#include "tests/param_views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

using Column = CViewParamList::Column;

TEST_F(ParamViewsTest, OpeningLoadsTheParametersAndShowsEveryRowWithItsMetadata) {
    Start({SupportedDrive(0, sim::model::kServo), SupportedDrive(3, sim::model::kServo)});
    ASSERT_TRUE(Board(0));
    EXPECT_FALSE(Board(0)->paramLoaded);
    ASSERT_TRUE(line_.SetParameter(0, 6, 4321));

    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(Board(0)->paramLoaded);
    const int count = Board(0)->GetParameterCount();
    ASSERT_EQ(count, 32);
    widgets::CValueGrid* grid = view->Grid();
    EXPECT_EQ(grid->RowsWithHeader(), count + 1);
    EXPECT_EQ(grid->horizontalHeaderItem(Column::kValue)->text(), "Value");

    const CDefaultParam* table = master_.GetDefaultTable(Board(0)->GetBoardType());
    for (int i = 0; i < count; ++i) {
        const CParamItemInfo* info = table->GetParamInfo(static_cast<uint32_t>(i));
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(grid->Text(i, Column::kNumber), QString::number(i));
        EXPECT_EQ(grid->Text(i, Column::kName), QString::fromStdString(info->name));
        EXPECT_EQ(grid->Text(i, Column::kDefault), QString::number(info->default_value));
        EXPECT_EQ(grid->Text(i, Column::kValue),
                  QString::number(*line_.GetParameter(0, static_cast<uint8_t>(i))));
    }
    EXPECT_EQ(grid->Text(6, Column::kValue), "4321");
    EXPECT_EQ(grid->Text(3, Column::kRange), "1~9999");
    EXPECT_EQ(grid->Text(12, Column::kRange), QString(QChar(0x00B1)) + "134217727");
    EXPECT_EQ(grid->Text(3, Column::kField), "[msec]");
    EXPECT_EQ(grid->item(3, Column::kValue)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Only slave 3 follows slave 0; the BLDC button belongs to BLDC drives.
    EXPECT_FALSE(view->findChild<QToolButton*>("slavePrevious")->isEnabled());
    EXPECT_TRUE(view->findChild<QToolButton*>("slaveNext")->isEnabled());
    EXPECT_FALSE(view->findChild<QPushButton*>("showBldcButton")->isVisible());
}

TEST_F(ParamViewsTest, RangeTextUsesPlusMinusOnlyForTheFullRange) {
    EXPECT_EQ(CViewParamList::RangeText(-134217727, 134217727), QString(QChar(0x00B1)) + "134217727");
    EXPECT_EQ(CViewParamList::RangeText(-134217727, 134217726), "-134217727~134217726");
    EXPECT_EQ(CViewParamList::RangeText(0, 1), "0~1");
}

TEST_F(ParamViewsTest, EditorWritesEveryAcceptedKeystrokeAndNothingElse) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    widgets::CValueGrid* grid = view->Grid();

    // Speed override (1..500, now 100): "1", "15", "150" are sent, "1500" is out of range.
    TypeInGrid(view, 5, "1500");
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 5, 1}, {0, 5, 15}, {0, 5, 150}}));
    EXPECT_TRUE(grid->EditorInvalid());
    EXPECT_EQ(*line_.GetParameter(0, 5), 150);
    EXPECT_EQ(grid->Text(5, Column::kValue), "150");

    // Acceleration time (1..9999, now 100): "1.9" is the value 1, written once.
    TypeInGrid(view, 3, "1.9");
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 3, 1}}));
    EXPECT_FALSE(grid->EditorInvalid());
    EXPECT_EQ(*line_.GetParameter(0, 3), 1);

    // A letter after an accepted number colours the editor and sends nothing.
    line_.ClearRequestLog();
    QTest::keyClick(grid->Editor(), Qt::Key_End);
    QTest::keyClick(grid->Editor(), Qt::Key_A);
    EXPECT_EQ(grid->Editor()->text(), "1.9a");
    EXPECT_TRUE(grid->EditorInvalid());
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(*line_.GetParameter(0, 3), 1);

    // Scrolling hides the editor.
    grid->ScrollLines(3);
    EXPECT_EQ(grid->EditorRow(), -1);
}

TEST_F(ParamViewsTest, ParameterChangedElsewhereRewritesOnlyThatRow) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    widgets::CValueGrid* grid = view->Grid();
    // Another window wrote two values; only the announced one shows.
    ASSERT_TRUE(Board(0)->SetParameter(28, 1));
    ASSERT_TRUE(Board(0)->SetParameter(21, 1));
    grid->SetText(21, Column::kValue, "stale");
    view->OnMessage(app::Message::Drive(app::MsgKind::ParameterChanged, kPort, 0, 28));
    EXPECT_EQ(grid->Text(28, Column::kValue), "1");
    EXPECT_EQ(grid->Text(21, Column::kValue), "stale");
    // Other drives and numbers beyond the table are ignored.
    view->OnMessage(app::Message::Drive(app::MsgKind::ParameterChanged, kPort, 1, 21));
    view->OnMessage(app::Message::Drive(app::MsgKind::ParameterChanged, kPort, 0, 200));
    EXPECT_EQ(grid->Text(21, Column::kValue), "stale");
    // Reloaded data rewrites everything.
    view->OnMessage(app::Message::Drive(app::MsgKind::DataReloaded, kPort, 0));
    EXPECT_EQ(grid->Text(21, Column::kValue), "1");
}

TEST_F(ParamViewsTest, TheDriveGoingAwayClosesTheFrameOtherDrivesDoNot) {
    Start({SupportedDrive(0, sim::model::kServo)});
    ASSERT_NE(OpenParamList(0), nullptr);
    ParamList()->OnMessage(app::Message::Drive(app::MsgKind::DriveGoingAway, kPort, 5));
    Pump(30);
    ASSERT_NE(frame_->Frame(app::FrameKind::ParamList), nullptr);
    ParamList()->OnMessage(app::Message::Drive(app::MsgKind::DriveGoingAway, kPort, 0));
    EXPECT_TRUE(WaitFor([&] { return frame_->Frame(app::FrameKind::ParamList) == nullptr; }));
}

TEST_F(ParamViewsTest, WheelOverTheViewScrollsTheGridOneLine) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    widgets::CValueGrid* grid = view->Grid();
    ASSERT_GT(grid->verticalScrollBar()->maximum(), 2);
    const auto wheel = [&](QWidget* target, int delta) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &event);
    };
    wheel(view, -120);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 1);
    wheel(grid->viewport(), -120);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 2);
    wheel(view, 120);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 1);
}

// The drive refuses the default of parameter 3 (its range excludes it): the writes stop there,
// message 206 shows and the values are read back.
TEST_F(ParamViewsTest, SetToDefaultStopsAtTheRefusedParameterAndReloads) {
    QTemporaryDir simData;
    ASSERT_TRUE(simData.isValid());
    for (const QString& name : QDir(TARSEL_TEST_DATA_DIR).entryList({"*.ini"}))
        ASSERT_TRUE(QFile::copy(QString(TARSEL_TEST_DATA_DIR "/") + name, simData.filePath(name)));
    {
        QFile meta(simData.filePath("Dorrin_ParamDefault.ini"));
        ASSERT_TRUE(meta.open(QIODevice::ReadOnly));
        QByteArray text = meta.readAll();
        meta.close();
        text.replace("3=Axis Acc Time|[msec]|1|9999|100", "3=Axis Acc Time|[msec]|200|9999|300");
        ASSERT_TRUE(meta.open(QIODevice::WriteOnly | QIODevice::Truncate));
        meta.write(text);
    }
    sim::LineOptions options;
    options.dataDirectory = simData.path().toStdString();
    ASSERT_TRUE(line_.Start(options));
    ASSERT_TRUE(line_.Publish(kPort));
    ASSERT_TRUE(line_.AddDrive(SupportedDrive(0, sim::model::kServo)));
    MakeFrame();
    Connect();
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(Board(0)->SetParameter(1, 7777));
    ASSERT_TRUE(Board(0)->SetParameter(5, 222));

    line_.ClearRequestLog();
    dialogs_.boxes.clear();
    view->SetToDefault();
    ASSERT_TRUE(
        WaitFor([&] { return dialogs_.Texts().contains("Failed to set parameters to default value."); }));
    EXPECT_EQ(dialogs_.boxes.front().text, "Do you really want to set parameters to default value?");
    EXPECT_EQ(dialogs_.boxes.front().caption, "Set to default value");
    // Values already at their default are not sent again (the board's cache knows them).
    std::vector<uint8_t> numbers;
    for (const Written& w : Writes()) numbers.push_back(w.number);
    EXPECT_EQ(numbers, (std::vector<uint8_t>{1, 3}));
    EXPECT_EQ(*line_.GetParameter(0, 1), 500000);
    EXPECT_EQ(*line_.GetParameter(0, 5), 222);  // after the refusal nothing more was written
    // The values are read back: the grid shows the drive's 222 again.
    ASSERT_TRUE(
        WaitFor([&] { return Board(0)->paramLoaded && view->Grid()->Text(5, Column::kValue) == "222"; }));
    EXPECT_EQ(view->Grid()->Text(1, Column::kValue), "500000");
}

TEST_F(ParamViewsTest, AnsweringNoToADefaultsQuestionWritesNothing) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    line_.ClearRequestLog();
    dialogs_.answers = {app::BoxAnswer::No, app::BoxAnswer::No, app::BoxAnswer::No};
    view->SetToDefault();
    view->LoadRom();
    view->SaveRom();
    Pump(100);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(dialogs_.boxes.size(), 3u);
    EXPECT_EQ(view->Task(), nullptr);
}

}  // namespace
}  // namespace tarsel::views::testing
