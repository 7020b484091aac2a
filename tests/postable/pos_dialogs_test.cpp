// The item editor and the teaching dialog against simulated drives.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "gui/dialogs/pos_item_dialog.h"
#include "gui/dialogs/teaching_dialog.h"
#include "gui/widgets/invalid_edit.h"
#include "tests/postable/pos_table_fixture.h"

namespace tarsel::app::testing {
namespace {

using dialogs::CDlgPosItem;
using dialogs::CDlgTeaching;

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST_F(PosTableTest, EditorRefusesAnInvalidSpeedAndFocusesIt) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    PutItems(1, {{2, AbsMove(300)}});
    view->SelectItem(2);
    view->EditItem();
    CDlgPosItem* editor = view->Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(Child<QLineEdit>(editor, "editPosition")->text(), QStringLiteral("300"));

    auto* high = Child<QLineEdit>(editor, "editHighSpeed");
    high->setText(QStringLiteral("99999999"));
    EXPECT_TRUE(widgets::IsMarkedInvalid(high));
    Child<QLineEdit>(editor, "editPosition")->setText(QStringLiteral("777"));
    Child<QLineEdit>(editor, "editPosition")->setFocus();
    EXPECT_FALSE(editor->Save());
    EXPECT_EQ(dialogs_.boxes.back().text,
              QStringLiteral("Data value which you want to write is out of range."));
    EXPECT_EQ(editor->focusWidget(), high);
    EXPECT_EQ(DriveItem(1, 2)->position, 300);

    // Fixed, the item is written and the list row follows.
    high->setText(QStringLiteral("20000"));
    auto* jpt1 = Child<QLineEdit>(editor, "editJpt1");
    jpt1->setText(QStringLiteral("4"));  // not ticked: no jump
    Child<QLineEdit>(editor, "editJpt0")->setText(QStringLiteral("5"));
    Child<QCheckBox>(editor, "checkJpt0")->setChecked(true);
    auto* loop = Child<QGroupBox>(editor, "groupLoop");
    loop->setChecked(true);
    Child<QLineEdit>(editor, "editLoopCount")->setText(QStringLiteral("101"));  // above 100: no loop
    EXPECT_TRUE(editor->Save());
    const auto saved = DriveItem(1, 2);
    EXPECT_EQ(saved->position, 777);
    EXPECT_EQ(saved->highSpeed, 20000u);
    EXPECT_EQ(saved->jpt[0], 5);
    EXPECT_EQ(saved->jpt[1], postable::kNoItem);
    EXPECT_EQ(saved->loopCount, 0);
    EXPECT_EQ(saved->loopJump, postable::kNoItem);
    EXPECT_TRUE(WaitFor([&] { return view->List()->item(2, 2)->text() == QStringLiteral("777"); }));

    // "End" goes through the main frame to the view, which loads the last item.
    Child<QPushButton>(editor, "buttonEnd")->click();
    EXPECT_TRUE(WaitFor([&] { return editor->Item() == kItems - 1 && view->SelectedItem() == kItems - 1; }));
}

TEST_F(PosTableTest, EditorPtBitsFollowTheBoardType) {
    struct Case {
        uint8_t slave;
        uint16_t model;
        uint16_t expected;  // PT 0 + PT 3 (when there) + end sign
    };
    auto* view = Open({Drive(1, sim::model::kServo), Drive(3, sim::model::kAbsServo)}, 1);
    ASSERT_NE(view, nullptr);
    for (const Case c :
         {Case{3, sim::model::kAbsServo, 0x01 | 0x08 | 0x10}, Case{1, sim::model::kServo, 0x01 | 0x08}}) {
        PutItems(c.slave, {{0, AbsMove(10)}});
        CDlgPosItem editor(*frame_);
        editor.ShowItem(kPort, c.slave, 0);
        auto* pt = Child<QGroupBox>(&editor, "groupPt");
        EXPECT_FALSE(pt->isChecked());
        pt->setChecked(true);
        EXPECT_TRUE(Child<QRadioButton>(&editor, "radioStartSign")->isChecked());
        Child<QRadioButton>(&editor, "radioEndSign")->setChecked(true);
        Child<QCheckBox>(&editor, "checkPt0")->setChecked(true);
        Child<QCheckBox>(&editor, "checkPt3")->setChecked(true);  // ignored where there is no PT 3
        ASSERT_TRUE(editor.Save());
        EXPECT_EQ(DriveItem(c.slave, 0)->ptSet, c.expected) << int(c.model);
        editor.ShowItem(kPort, c.slave, 0);
        EXPECT_TRUE(Child<QRadioButton>(&editor, "radioEndSign")->isChecked());
    }
}

TEST_F(PosTableTest, EditorOriginSearchTakesTheDriveOriginValues) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    CDlgPosItem editor(*frame_);
    editor.ShowItem(kPort, 1, 6);  // empty
    auto* command = Child<QComboBox>(&editor, "comboCommand");
    EXPECT_EQ(command->currentIndex(), -1);
    EXPECT_FALSE(editor.Save());  // no command chosen
    command->setCurrentIndex(postable::kMoveOrigin);
    emit command->activated(postable::kMoveOrigin);
    const BoardRef board = BoardAt(1);
    EXPECT_FALSE(Child<QLineEdit>(&editor, "editPosition")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(&editor, "editLowSpeed")->text(),
              QString::number(board->GetDefaultStartSpeed()));
    EXPECT_EQ(Child<QLineEdit>(&editor, "editDecel")->text(), QString::number(board->GetDefaultAccDecTime()));
    command->setCurrentIndex(postable::kClearPosition);
    emit command->activated(postable::kClearPosition);
    EXPECT_EQ(Child<QLineEdit>(&editor, "editPosition")->text(), QStringLiteral("0"));
    EXPECT_FALSE(Child<QCheckBox>(&editor, "checkContinuous")->isEnabled());
    ASSERT_TRUE(editor.Save());
    EXPECT_EQ(DriveItem(1, 6)->command, postable::kClearPosition);
}

TEST_F(PosTableTest, TeachingStoresTheCommandPositionAndSkipsOtherItems) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BoardAt(1)->ServoEnable(true));
    PutItems(1, {{1, AbsMove(0, postable::kNoItem, 7)},
                 {2, AbsMove(5)},
                 {3, AbsMove(0, postable::kNoItem, 8)},
                 {4, AbsMove(0, postable::kNoItem, 9)},
                 {6, AbsMove(6, postable::kNoItem, 0)},
                 {8, AbsMove(0, postable::kNoItem, 4)}});
    CDlgTeaching dlg(*frame_, kPort, 1, 2);
    dlg.show();
    EXPECT_EQ(Child<QLineEdit>(&dlg, "editCmdPos")->text(), QStringLiteral("10000"));
    EXPECT_EQ(Child<QLineEdit>(&dlg, "editMoveSpeed")->text(), QStringLiteral("100000"));
    Child<QLineEdit>(&dlg, "editCmdPos")->setText(QStringLiteral("12345"));
    dlg.AbsMove();
    ASSERT_TRUE(WaitFor([&] { return BoardAt(1)->GetCommandPosition() == 12345 && !BoardAt(1)->IsBusy(); }));
    ASSERT_TRUE(dlg.PositionSave());
    EXPECT_EQ(DriveItem(1, 2)->position, 12345);
    EXPECT_TRUE(WaitFor([&] { return view->List()->item(2, 2)->text() == QStringLiteral("12345"); }));

    dlg.End();
    EXPECT_EQ(dlg.Item(), 6);
    dlg.Step(+1);  // nothing absolute above 6: unchanged
    EXPECT_EQ(dlg.Item(), 6);
    dlg.Step(-1);
    EXPECT_EQ(dlg.Item(), 2);
    dlg.Begin();
    EXPECT_EQ(dlg.Item(), 2);
    // The position table view follows the chosen item.
    dlg.End();
    EXPECT_TRUE(WaitFor([&] { return view->SelectedItem() == 6; }));
}

TEST_F(PosTableTest, TeachingJogsWhileTheButtonIsHeld) {
    auto* view = Open({Drive(1, sim::model::kServo)}, 1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BoardAt(1)->ServoEnable(true));
    CDlgTeaching dlg(*frame_, kPort, 1, 0);
    dlg.show();
    auto* plus = Child<QPushButton>(&dlg, "buttonJogPlus");
    const auto mouse = [plus](QEvent::Type type) {
        QMouseEvent event(type, QPointF(5, 5), plus->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plus, &event);
    };
    mouse(QEvent::MouseButtonPress);
    EXPECT_TRUE(WaitFor([&] { return BoardAt(1)->IsJog() && BoardAt(1)->GetCommandPosition() > 0; }));
    mouse(QEvent::MouseButtonRelease);
    EXPECT_TRUE(WaitFor([&] { return !BoardAt(1)->IsBusy(); }));
}

TEST_F(PosTableTest, TeachingOnAStepperUsesTheStepButtonAndPulsesTheAlarmReset) {
    auto* view = Open({Drive(2, sim::model::kStepper)}, 2);
    ASSERT_NE(view, nullptr);
    CDlgTeaching dlg(*frame_, kPort, 2, 0);
    dlg.show();
    auto* enable = Child<QPushButton>(&dlg, "buttonEnable");
    const bool on = BoardAt(2)->IsMotorOn();
    EXPECT_EQ(enable->text(), on ? QStringLiteral("STEP OFF") : QStringLiteral("STEP ON"));
    const auto resets = [this] {
        std::vector<uint8_t> out;
        for (const auto& r : line_.RequestLog()) {
            if (r.slave == 2 && r.frameType == 0x2C && !r.data.empty()) out.push_back(r.data[0]);
        }
        return out;
    };
    // The stepper is switched off by holding its alarm-reset input, on by releasing it.
    line_.ClearRequestLog();
    enable->click();
    EXPECT_EQ(resets(), (std::vector<uint8_t>{static_cast<uint8_t>(on ? 1 : 0)}));

    line_.ClearRequestLog();
    dlg.AlarmReset();
    EXPECT_EQ(resets(), (std::vector<uint8_t>{1, 0}));  // the input is set and released
}

}  // namespace
}  // namespace tarsel::app::testing
