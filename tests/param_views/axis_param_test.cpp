// The axis parameter views: the view class and parameter numbers each family ends with, writes
// on radio clicks and edits, and values shown from elsewhere that are not sent back.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>

#include "gui/widgets/invalid_edit.h"
#include "tests/param_views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

struct FamilyCase {
    uint16_t model;
    const char* className;
    std::vector<int> radios;  // bound parameter numbers of the radio groups
    std::vector<int> edits;   // ... and of the edits
};

// Written out from the family table, independently of the form table in the code.
const std::vector<FamilyCase> kFamilies = {
    {sim::model::kServo, "CViewAxisParam", {28, 21, 15}, {22, 23, 26, 12, 13, 27, 5}},
    {sim::model::kStepper, "CViewAxisParam2", {26, 21, 15, 10}, {22, 23, 12, 13, 5}},
    {10, "CViewAxisParam3", {28, 21, 15, 27, 26, 0}, {22, 23, 12, 13, 5}},
    {30, "CViewAxisParam5", {28, 21, 15}, {22, 23, 26, 12, 13, 27, 5}},
    {sim::model::kBldc, "CViewAxisParam6", {25, 20, 14}, {21, 22, 11, 12, 24, 4}},
    {110, "CViewAxisParam7", {25, 18, 12, 24, 23, 0}, {19, 20, 9, 10, 5}},
};

TEST_F(ParamViewsTest, EachFamilyEndsWithItsViewAndShowsItsParameters) {
    std::vector<sim::DriveConfig> drives;
    for (std::size_t k = 0; k < kFamilies.size(); ++k)
        drives.push_back(SupportedDrive(static_cast<uint8_t>(k), kFamilies[k].model));
    Start(drives);
    for (std::size_t k = 0; k < kFamilies.size(); ++k) {
        const FamilyCase& family = kFamilies[k];
        const auto slave = static_cast<uint8_t>(k);
        SCOPED_TRACE(family.className);
        CViewAxisParam* view = OpenAxisParam(slave, family.className);
        ASSERT_NE(view, nullptr);
        const auto board = Board(slave);
        ASSERT_TRUE(WaitFor([&] {
            QLineEdit* edit = view->Edit(family.edits.front());
            return edit != nullptr && edit->isEnabled() && !edit->text().isEmpty();
        }));
        int radioGroups = 0;
        for (QButtonGroup* group : view->findChildren<QButtonGroup*>()) {
            if (!group->buttons().isEmpty()) ++radioGroups;
        }
        EXPECT_EQ(radioGroups, static_cast<int>(family.radios.size()));
        EXPECT_EQ(view->findChildren<QLineEdit*>().size(), static_cast<qsizetype>(family.edits.size()));
        for (int number : family.radios) {
            QButtonGroup* group = view->RadioGroup(number);
            ASSERT_NE(group, nullptr) << number;
            const int32_t value = board->GetParameterValue(static_cast<uint8_t>(number));
            if (group->button(value) != nullptr) {
                EXPECT_EQ(group->checkedId(), value) << number;
            }
        }
        for (int number : family.edits) {
            ASSERT_NE(view->Edit(number), nullptr) << number;
            EXPECT_EQ(view->Edit(number)->text(),
                      QString::number(board->GetParameterValue(static_cast<uint8_t>(number))))
                << number;
        }
    }
}

TEST_F(ParamViewsTest, RadioClicksWriteTheirValueAlsoOnTheSelectedButton) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewAxisParam* view = OpenAxisParam(0, "CViewAxisParam");
    ASSERT_NE(view, nullptr);
    QButtonGroup* motor = view->RadioGroup(28);
    ASSERT_NE(motor, nullptr);
    ASSERT_EQ(motor->checkedId(), 0);

    line_.ClearRequestLog();
    QTest::mouseClick(motor->button(1), Qt::LeftButton);
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 28, 1}}));
    EXPECT_EQ(motor->checkedId(), 1);

    // The drive holds a value without a button: the buttons stay as they were, and a click on
    // the selected one writes its value again.
    ASSERT_TRUE(line_.SetParameter(0, 28, 2));
    ASSERT_TRUE(Board(0)->ReadParameter(28));
    view->OnMessage(app::Message::Drive(app::MsgKind::ParameterChanged, kPort, 0, 28));
    EXPECT_EQ(motor->checkedId(), 1);
    line_.ClearRequestLog();
    QTest::mouseClick(motor->button(1), Qt::LeftButton);
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 28, 1}}));
}

TEST_F(ParamViewsTest, EditsWriteValidValuesAndMarkTheOthers) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewAxisParam* view = OpenAxisParam(0, "CViewAxisParam");
    ASSERT_NE(view, nullptr);
    QLineEdit* plusLimit = view->Edit(12);
    ASSERT_NE(plusLimit, nullptr);
    const int32_t before = *line_.GetParameter(0, 12);

    // A software limit beyond its range, entered at once: marked, nothing sent.
    line_.ClearRequestLog();
    plusLimit->setText("200000000");
    EXPECT_TRUE(widgets::IsMarkedInvalid(plusLimit));
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(*line_.GetParameter(0, 12), before);

    // Typed key by key, every complete number is written; the letter stops it.
    plusLimit->clear();
    line_.ClearRequestLog();
    QTest::keyClicks(plusLimit, "12a");
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 12, 1}, {0, 12, 12}}));
    EXPECT_TRUE(widgets::IsMarkedInvalid(plusLimit));
    QTest::keyClick(plusLimit, Qt::Key_Backspace);
    EXPECT_FALSE(widgets::IsMarkedInvalid(plusLimit));
}

TEST_F(ParamViewsTest, ValueWrittenInTheParameterListIsShownAndNotSentBack) {
    Start({SupportedDrive(0, sim::model::kServo)});
    CViewAxisParam* axis = OpenAxisParam(0, "CViewAxisParam");
    ASSERT_NE(axis, nullptr);
    CViewParamList* list = OpenParamList(0);  // now the active frame
    ASSERT_NE(list, nullptr);
    Pump(50);

    TypeInGrid(list, 22, "5");
    ASSERT_TRUE(WaitFor([&] { return axis->Edit(22)->text() == "5"; }));
    TypeInGrid(list, 28, "1");
    ASSERT_TRUE(WaitFor([&] { return axis->RadioGroup(28)->checkedId() == 1; }));
    Pump(100);
    EXPECT_EQ(Writes(), (std::vector<Written>{{0, 28, 1}}));
    EXPECT_EQ(*line_.GetParameter(0, 22), 5);
}

}  // namespace
}  // namespace tarsel::views::testing
