// The bulk operations of the parameter list on parameter files and the drive's ROM, and the
// comparison with a file.
#include <QFile>
#include <QTableWidget>
#include <map>
#include <set>

#include "gui/dialogs/param_compare_dialog.h"
#include "tests/param_views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

using Column = CViewParamList::Column;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// The parameter file text of the servo drive's current values, with `model`, without the keys
// in `skip` and with `changes` applied.
QByteArray ServoFile(const CBoardInterface& board, const QByteArray& model, const std::set<int>& skip,
                     const std::map<int, int32_t>& changes, int paramCnt) {
    QByteArray text =
        "[Info]\r\nModel=" + model + "\r\n[Parameter]\r\nParamCnt=" + QByteArray::number(paramCnt) + "\r\n";
    for (int i = 0; i < board.GetParameterCount(); ++i) {
        if (skip.count(i) != 0) continue;
        const auto it = changes.find(i);
        const int32_t value =
            it != changes.end() ? it->second : board.GetParameterValue(static_cast<uint8_t>(i));
        text += QByteArray::number(i) + "=" + QByteArray::number(value) + "\r\n";
    }
    return text;
}

TEST_F(ParamViewsTest, SavedFileKeepsOtherSectionsAndIsRefusedByAnotherModel) {
    Start({SupportedDrive(0, sim::model::kServo), SupportedDrive(1, sim::model::kStepper)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    const QString path = files_.filePath("servo.fpt");
    WriteAll(path, "[Notes]\r\nAxis=X table\r\n");

    dialogs_.fileAnswers = {path};
    view->SaveFile();
    ASSERT_EQ(dialogs_.files.size(), 1u);
    EXPECT_EQ(dialogs_.files[0].filter, "Parameter File(*.fpt)");
    EXPECT_EQ(dialogs_.files[0].suffix, "fpt");
    EXPECT_EQ(dialogs_.Texts(), QStringList{"Saving to file is done."});
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.contains("[Notes]\r\nAxis=X table"));
    EXPECT_TRUE(saved.contains("Model=" + QByteArray::fromStdString(Board(0)->GetModelName())));
    EXPECT_TRUE(saved.contains("ParamCnt=32"));
    EXPECT_TRUE(saved.contains("\n31=" + QByteArray::number(Board(0)->GetParameterValue(31))));

    // The stepper's list refuses the servo's file and writes nothing.
    ASSERT_NE(OpenParamList(1), nullptr);
    ASSERT_EQ(ParamList()->Slave(), 1);
    dialogs_.boxes.clear();
    line_.ClearRequestLog();
    dialogs_.fileAnswers = {path};
    ParamList()->LoadFile();
    Pump(100);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text,
              "It is NOT a paramerer file or not a supported one.\nPlease check it again.");
    EXPECT_EQ(dialogs_.boxes[0].icon, app::BoxIcon::Exclamation);
    EXPECT_EQ(ParamList()->Task(), nullptr);
    EXPECT_TRUE(Writes().empty());
}

TEST_F(ParamViewsTest, LoadFileAcceptsAnyLetterCaseSetsMissingKeysToZeroAndReadsEveryParameter) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(Board(0)->GetParameterValue(11), 1);
    ASSERT_EQ(Board(0)->GetParameterValue(25), 200);
    const QString path = files_.filePath("lower.fpt");
    const QByteArray model = QByteArray::fromStdString(Board(0)->GetModelName()).toLower();
    WriteAll(path, ServoFile(*Board(0), model, {11, 25}, {{31, 777}}, 999));

    line_.ClearRequestLog();
    dialogs_.fileAnswers = {path};
    view->LoadFile();
    EXPECT_EQ(dialogs_.files.at(0).filter, "Parameter File(*.fpt);;All Files(*.*)");
    QPointer<CBoardTask> task = view->Task();
    ASSERT_NE(task, nullptr);
    int range = 0;
    ASSERT_TRUE(WaitFor([&] {
        if (task) range = std::max(range, task->ProgressRange());
        return !task && view->Grid()->Text(31, Column::kValue) == "777";
    }));
    EXPECT_EQ(range, 32);  // "ParamCnt" beyond the drive's count only sets the progress range
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 11, 0}, {0, 25, 0}, {0, 31, 777}}));
    EXPECT_EQ(view->Grid()->Text(11, Column::kValue), "0");
}

TEST_F(ParamViewsTest, UnreadableFilesAndFilesWithoutParametersAreReported) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    const QString empty = files_.filePath("empty.fpt");
    WriteAll(empty, "[Info]\r\nModel=" + QByteArray::fromStdString(Board(0)->GetModelName()) + "\r\n");
    dialogs_.fileAnswers = {files_.filePath("missing.fpt"), empty};
    view->LoadFile();
    EXPECT_EQ(dialogs_.Texts(), QStringList{"Failed to read file."});
    view->LoadFile();
    ASSERT_TRUE(WaitFor([&] { return dialogs_.boxes.size() == 2; }));
    EXPECT_EQ(dialogs_.boxes[1].text, "Failed to load file.");
    EXPECT_EQ(dialogs_.boxes[1].caption, "Load Parameters from file");
    // A cancelled file dialog does nothing.
    view->LoadFile();
    view->SaveFile();
    EXPECT_EQ(dialogs_.boxes.size(), 2u);
}

TEST_F(ParamViewsTest, RomOperationsRestoreAndStoreTheWorkingValues) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(Board(0)->SetParameter(6, 1234));
    ASSERT_NE(*line_.GetRomParameter(0, 6), 1234);

    view->LoadRom();
    ASSERT_NE(view->Task(), nullptr);
    EXPECT_EQ(view->Task()->Dialog()->Status(), "Loading Parameters..");
    const int32_t rom = *line_.GetRomParameter(0, 6);
    ASSERT_TRUE(WaitFor(
        [&] { return !view->Task() && view->Grid()->Text(6, Column::kValue) == QString::number(rom); }));
    EXPECT_EQ(*line_.GetParameter(0, 6), rom);

    ASSERT_TRUE(Board(0)->SetParameter(6, 4321));
    dialogs_.boxes.clear();
    view->SaveRom();
    EXPECT_EQ(dialogs_.Texts(), (QStringList{"Do you really want to save it?", "Saving is done."}));
    EXPECT_EQ(*line_.GetRomParameter(0, 6), 4321);
}

TEST_F(ParamViewsTest, CompareMarksTheDifferingRowsAndCopiesOnlyTheTickedOne) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewParamList* view = OpenParamList(0);
    ASSERT_NE(view, nullptr);
    const QString path = files_.filePath("other.fpt");
    WriteAll(path, ServoFile(*Board(0), QByteArray::fromStdString(Board(0)->GetModelName()), {},
                             {{3, 250}, {17, 6000}}, 32));
    view->Compare();
    dialogs::CDlgParamCompare* compare = view->CompareDialog();
    ASSERT_NE(compare, nullptr);
    ASSERT_TRUE(compare->CompareWithFile(path));
    std::vector<int> differing;
    for (const dialogs::CompareRow& row : compare->Rows()) {
        if (row.differs) differing.push_back(row.number);
    }
    EXPECT_EQ(differing, (std::vector<int>{3, 17}));
    EXPECT_EQ(compare->Table()->item(17, dialogs::CDlgParamCompare::kOther)->text(), "6000");
    EXPECT_TRUE(compare->Table()->item(3, 0)->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(compare->Table()->item(4, 0)->flags() & Qt::ItemIsUserCheckable);

    line_.ClearRequestLog();
    compare->SetChecked(17, true);
    compare->SetChecked(4, true);  // equal rows cannot be ticked
    EXPECT_EQ(compare->CopyChecked(), 1);
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 17, 6000}}));
    // The copied row no longer differs; the list heard of the write.
    differing.clear();
    for (const dialogs::CompareRow& row : compare->Rows()) {
        if (row.differs) differing.push_back(row.number);
    }
    EXPECT_EQ(differing, (std::vector<int>{3}));
    view->OnMessage(app::Message::Drive(app::MsgKind::ParameterChanged, kPort, 0, 17));
    EXPECT_EQ(view->Grid()->Text(17, Column::kValue), "6000");
}

TEST(ParamCompare, RowsFollowTheDriveAndMarkOnlyDifferentValues) {
    const auto rows = dialogs::CompareValues({1, 2, 3}, {1, 5});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[0].differs);
    EXPECT_TRUE(rows[1].differs);
    EXPECT_FALSE(rows[2].differs);  // nothing to compare with
    EXPECT_FALSE(rows[2].other.has_value());
}

}  // namespace
}  // namespace tarsel::views::testing
