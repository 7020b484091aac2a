// The I/O setting window against simulated drives: rows, reassignment with its question, the
// ROM commands and the I/O map file.
#include <QLabel>
#include <QTemporaryDir>
#include <fstream>

#include "base/ini/ini_file.h"
#include "tests/views/io_views_fixture.h"

namespace tarsel::views::testing {
namespace {

constexpr uint8_t kSetInputMap = 0x24;
constexpr uint8_t kSetOutputMap = 0x25;
const QString kAlreadyAssigned = QStringLiteral(
    "The logic which you select is already assigned. Do you want to assign the logic? The logic value of the "
    "Input pin which was assigned it before will be reset.");

void WriteFile(const QString& path, const std::string& text) {
    std::ofstream out(path.toStdString(), std::ios::binary);
    out << text;
}

TEST_F(IoViewsTest, RowsFollowThePinsOfTheDrive) {
    // Pulse-output controller: 10 input pins (3 fixed), 2 output pins (1 fixed).
    Start({{0, sim::model::kMotionController}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);

    struct RowCase {
        bool output;
        int pin;
        const char* caption;
        bool rowEnabled;
        bool listEnabled;
        int entries;  // "[NONE]" plus the signals offered
    };
    const RowCase cases[] = {
        {false, 0, "LIMIT +", true, false, 33},  {false, 2, "ORIGIN", true, false, 33},
        {false, 3, "INPUT 1", true, true, 30},   {false, 9, "INPUT 7", true, true, 30},
        {false, 10, "INPUT", false, false, -1},  {false, 11, "INPUT", false, false, -1},
        {true, 0, "COMP. OUT", true, false, 25}, {true, 1, "OUTPUT 1", true, true, 24},
        {true, 2, "OUTPUT", false, false, -1},   {true, 9, "OUTPUT", false, false, -1},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.output ? "output " : "input ") << c.pin);
        EXPECT_EQ(view->Caption(c.output, c.pin)->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(view->Caption(c.output, c.pin)->isEnabled(), c.rowEnabled);
        EXPECT_EQ(view->LogicList(c.output, c.pin)->isEnabled(), c.listEnabled);
        if (c.entries >= 0) {
            EXPECT_EQ(view->LogicList(c.output, c.pin)->count(), c.entries);
            EXPECT_EQ(view->LogicList(c.output, c.pin)->itemText(0), QStringLiteral("[NONE]"));
        }
        if (!c.rowEnabled) {
            EXPECT_FALSE(view->LevelButton(c.output, c.pin)->isEnabled());
        }
    }
    // Pin 3 carries "PT A0" (signal 5 = entry 2 of an assignable row), high active.
    EXPECT_EQ(view->LogicList(false, 3)->currentText(), QStringLiteral("PT A0"));
    EXPECT_EQ(view->LogicList(false, 3)->currentIndex(), 2);
    EXPECT_EQ(view->LevelButton(false, 3)->text(), QStringLiteral("High Active"));
    EXPECT_TRUE(view->LevelButton(false, 3)->isEnabled());
    EXPECT_EQ(view->LogicList(false, 0)->currentIndex(), 1);
}

TEST_F(IoViewsTest, SignalOfAnotherPinNeedsTheQuestion) {
    Start({{0, sim::model::kServo}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);
    // Pin 3 carries signal 5 (entry 2), pin 4 signal 6 (entry 3).
    ASSERT_EQ(InputSignal(0, 3), 5);
    ASSERT_EQ(InputSignal(0, 4), 6);

    // No: both rows and both pins stay as they were.
    dialogs_.answers = {app::BoxAnswer::No};
    Choose(view->LogicList(false, 4), 2);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Input Assign"));
    EXPECT_EQ(dialogs_.boxes[0].text, kAlreadyAssigned);
    EXPECT_EQ(dialogs_.boxes[0].buttons, app::BoxButtons::YesNo);
    EXPECT_EQ(view->LogicList(false, 4)->currentIndex(), 3);
    EXPECT_EQ(view->LogicList(false, 3)->currentIndex(), 2);
    EXPECT_TRUE(view->LevelButton(false, 3)->isEnabled());
    EXPECT_EQ(InputSignal(0, 3), 5);
    EXPECT_EQ(InputSignal(0, 4), 6);

    // Yes: the signal moves; the other row shows "[NONE]" with its level button disabled.
    dialogs_.answers = {app::BoxAnswer::Yes};
    Choose(view->LogicList(false, 4), 2);
    EXPECT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(view->LogicList(false, 3)->currentIndex(), 0);
    EXPECT_FALSE(view->LevelButton(false, 3)->isEnabled());
    EXPECT_EQ(view->LogicList(false, 4)->currentIndex(), 2);
    EXPECT_TRUE(view->LevelButton(false, 4)->isEnabled());
    EXPECT_EQ(InputSignal(0, 3), 0);
    EXPECT_EQ(InputSignal(0, 4), 5);
}

TEST_F(IoViewsTest, LevelButtonTogglesThePinLevel) {
    Start({{0, sim::model::kServo}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(InputLevel(0, 5), 1);
    view->LevelButton(false, 5)->click();
    EXPECT_EQ(InputLevel(0, 5), 0);
    EXPECT_EQ(view->LevelButton(false, 5)->text(), QStringLiteral("Low Active"));
    view->LevelButton(false, 5)->click();
    EXPECT_EQ(InputLevel(0, 5), 1);
    EXPECT_EQ(view->LevelButton(false, 5)->text(), QStringLiteral("High Active"));
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(IoViewsTest, DefaultThenRomRestoresTheSavedMap) {
    Start({{0, sim::model::kServo}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);

    view->SetToDefault();
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Clear to default value"));
    EXPECT_EQ(dialogs_.boxes[0].text,
              QStringLiteral("Do you really want to clear I/O LOGIC to default value?"));
    for (uint8_t pin = 3; pin < 12; ++pin) EXPECT_EQ(InputSignal(0, pin), 0) << int(pin);
    EXPECT_EQ(line_.GetOutputAssignment(0, 1)->first, 0);
    // The map is read back from the drive and shown.
    const BoardRef board = LookupBoard(master_, kPort, 0);
    ASSERT_TRUE(WaitFor([&] { return board->ioLoaded.load() && !frame_->Loader().Running(); }));
    Pump(50);
    EXPECT_EQ(view->LogicList(false, 3)->currentIndex(), 0);

    view->LoadRom();
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Load I/O map from ROM"));
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Do you really want to load saved data?"));
    ASSERT_TRUE(WaitFor([&] { return board->ioLoaded.load() && !frame_->Loader().Running(); }));
    ASSERT_TRUE(WaitFor([&] { return view->LogicList(false, 3)->currentIndex() == 2; }));
    EXPECT_EQ(InputSignal(0, 3), 5);

    view->SaveRom();
    ASSERT_GE(dialogs_.boxes.size(), 2u);
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Save I/O map to ROM"));
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Saving is done."));
    EXPECT_EQ(dialogs_.boxes[dialogs_.boxes.size() - 2].text,
              QStringLiteral("Do you really want to save it?"));
}

class IoMapFileTest : public IoViewsTest {
protected:
    void SetUp() override {
        IoViewsTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
    }
    QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }
    // Loads `path` through the window's Load File command.
    void LoadThrough(CViewIOSetting* view, const QString& path) {
        dialogs_.fileAnswers.push_back(path);
        view->LoadFile();
    }
    QTemporaryDir dir_;
};

TEST_F(IoMapFileTest, SavedFileCarriesModelAndPinsAndKeepsOtherSections) {
    Start({{0, sim::model::kMotionController}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);
    // An older file from a drive with more pins, and a section of someone else.
    const QString path = Path("map.fit");
    WriteFile(
        path,
        "[Info]\r\nModel=Other\r\n[INPUT11_MAP]\r\nLogicNo=9\r\nLevel=1\r\n[OUTPUT5_MAP]\r\nLogicNo=20\r\n"
        "[Notes]\r\nLine=kept\r\n");
    dialogs_.fileAnswers.push_back(path);
    view->SaveFile();
    ASSERT_EQ(dialogs_.files.size(), 1u);
    EXPECT_EQ(dialogs_.files[0].filter, QStringLiteral("I/O Map File(*.fit)"));
    EXPECT_EQ(dialogs_.files[0].suffix, QStringLiteral("fit"));
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].caption, QStringLiteral("Save I/O map to file"));
    EXPECT_EQ(dialogs_.boxes[0].text, QStringLiteral("Saving to file is done."));

    const auto file = ini::IniFile::Load(path.toStdString());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->GetString("Info", "Model"), "Ravelo");
    // Fixed pins: "Level" only; assignable pins: "LogicNo" and "Level".
    EXPECT_FALSE(file->Find("INPUT0_MAP", "LogicNo"));
    EXPECT_EQ(file->GetInt("INPUT0_MAP", "Level", -1), InputLevel(0, 0));
    EXPECT_EQ(file->GetInt("INPUT3_MAP", "LogicNo", -1), 5);
    EXPECT_EQ(file->GetInt("INPUT3_MAP", "Level", -1), 1);
    EXPECT_TRUE(file->Find("INPUT9_MAP", "LogicNo"));
    EXPECT_TRUE(file->Find("OUTPUT1_MAP", "LogicNo"));
    // Pins this drive does not have, and foreign sections, stay.
    EXPECT_FALSE(file->HasSection("INPUT10_MAP"));
    EXPECT_EQ(file->GetInt("INPUT11_MAP", "LogicNo", -1), 9);
    EXPECT_EQ(file->GetInt("OUTPUT5_MAP", "LogicNo", -1), 20);
    EXPECT_EQ(file->GetString("Notes", "Line"), "kept");
}

TEST_F(IoMapFileTest, FileOfAnotherTypeIsRefusedWithoutSending) {
    Start({{0, sim::model::kServo}, {1, sim::model::kStepper}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);
    const QString path = Path("servo.fit");
    dialogs_.fileAnswers.push_back(path);
    view->SaveFile();
    ASSERT_EQ(dialogs_.Texts().back(), QStringLiteral("Saving to file is done."));

    frame_->Frame(FrameKind::IoSetting)->Serve(kPort, 1, sim::model::kStepper);
    const BoardRef stepper = LookupBoard(master_, kPort, 1);
    ASSERT_TRUE(WaitFor(
        [&] { return view->Slave() == 1 && stepper->ioLoaded.load() && !frame_->Loader().Running(); }));
    line_.ClearRequestLog();
    LoadThrough(view, path);
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Load I/O map from file"));
    EXPECT_EQ(dialogs_.boxes.back().text,
              QStringLiteral("It is NOT a I/O setting file or not a supported one.\nPlease check it again."));
    EXPECT_TRUE(Requests(kSetInputMap).empty());
    EXPECT_TRUE(Requests(kSetOutputMap).empty());
}

TEST_F(IoMapFileTest, FilesThatCannotBeApplied) {
    Start({{0, sim::model::kServo}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);

    // The model matches but there are no pin sections.
    const QString noPins = Path("nopins.fit");
    WriteFile(noPins, "[Info]\r\nModel=dorrin tevra inc.\r\n[INPUT1_MAP]\r\nLevel=1\r\n");
    line_.ClearRequestLog();
    LoadThrough(view, noPins);
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Load I/O map from file"));
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Failed to load file."));
    EXPECT_TRUE(Requests(kSetInputMap).empty());

    // A file that cannot be read at all.
    LoadThrough(view, Path("missing.fit"));
    EXPECT_EQ(dialogs_.boxes.back().caption, QStringLiteral("Error"));
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Failed to read file."));

    // Pin 3 is given signal 6 while pin 4 still carries it: the load stops at pin 3, after the
    // levels of the fixed pins 0..2 were applied.
    const int origin = InputLevel(0, 2);
    const QString conflict = Path("conflict.fit");
    WriteFile(conflict,
              "[Info]\r\nModel=Dorrin Tevra Inc.\r\n[INPUT0_MAP]\r\nLevel=1\r\n[INPUT1_MAP]\r\nLevel=1\r\n"
              "[INPUT2_MAP]\r\nLevel=" +
                  std::to_string(1 - origin) + "\r\n[INPUT3_MAP]\r\nLogicNo=6\r\nLevel=1\r\n");
    const size_t before = dialogs_.boxes.size();
    LoadThrough(view, conflict);
    ASSERT_EQ(dialogs_.boxes.size(), before + 1);
    EXPECT_EQ(dialogs_.boxes.back().text, QStringLiteral("Failed to load file."));
    EXPECT_EQ(InputLevel(0, 2), 1 - origin);
    EXPECT_EQ(InputSignal(0, 3), 5);
    EXPECT_EQ(InputSignal(0, 4), 6);
}

TEST_F(IoMapFileTest, MissingKeysReadAsZero) {
    Start({{0, sim::model::kServo}});
    CViewIOSetting* view = OpenSetting(0);
    ASSERT_NE(view, nullptr);
    const QString path = Path("sparse.fit");
    WriteFile(path,
              "[Info]\r\nModel=Dorrin Tevra Inc.\r\n[INPUT0_MAP]\r\nLevel=1\r\n[INPUT1_MAP]\r\nLevel=1\r\n"
              "[INPUT3_MAP]\r\nLogicNo=5\r\n");
    LoadThrough(view, path);
    EXPECT_TRUE(dialogs_.boxes.empty()) << dialogs_.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(InputLevel(0, 2), 0);
    EXPECT_EQ(InputSignal(0, 3), 5);
    EXPECT_EQ(InputLevel(0, 3), 0);
    for (uint8_t pin = 4; pin < 12; ++pin) EXPECT_EQ(InputSignal(0, pin), 0) << int(pin);
    for (uint8_t pin = 1; pin < 10; ++pin) EXPECT_EQ(line_.GetOutputAssignment(0, pin)->first, 0) << int(pin);
    EXPECT_EQ(line_.GetOutputAssignment(0, 0)->second, 0);
    // The window shows the map read back from the drive.
    const BoardRef board = LookupBoard(master_, kPort, 0);
    ASSERT_TRUE(WaitFor([&] { return board->ioLoaded.load() && !frame_->Loader().Running(); }));
    EXPECT_TRUE(WaitFor([&] { return view->LevelButton(false, 3)->text() == QStringLiteral("Low Active"); }));
    EXPECT_EQ(view->LogicList(false, 4)->currentIndex(), 0);
}

}  // namespace
}  // namespace tarsel::views::testing
