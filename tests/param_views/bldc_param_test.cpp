// The BLDC parameter window against the simulated BLDC drive: the grid per category, the real
// number editing rule, the ROM commands and the BLDC parameter file.
#include <QFile>
#include <QTabBar>
#include <QToolButton>

#include "comm/frame.h"
#include "gui/model/board/CBoardDorrinTevraBLDC.h"
#include "gui/model/port/CCommPort.h"
#include "gui/views/bldc_param_view.h"
#include "gui/widgets/slave_selector.h"
#include "tests/param_views/views_fixture.h"

namespace tarsel::views::testing {
namespace {

using Column = CViewBLDCParameter::Column;
constexpr uint8_t kBldcWriteFrame = 0x85;

struct BldcWrite {
    uint8_t category;
    uint32_t number;
    int32_t value;
    bool operator==(const BldcWrite&) const = default;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

class BldcViewTest : public ParamViewsTest {
protected:
    void SetUp() override {
        ParamViewsTest::SetUp();
        RegisterBldcParamView(views_);
    }

    sim::DriveConfig Bldc(uint8_t slave) const { return SupportedDrive(slave, sim::model::kBldc); }

    CViewBLDCParameter* View() const {
        app::CChildFrame* frame = frame_->Frame(app::FrameKind::Bldc);
        return frame != nullptr ? dynamic_cast<CViewBLDCParameter*>(frame->View()) : nullptr;
    }
    std::shared_ptr<CBoardDorrinTevraBLDC> BldcBoard(uint8_t slave) const {
        return std::dynamic_pointer_cast<CBoardDorrinTevraBLDC>(Board(slave));
    }

    // Opens the window on `slave` and waits until its values are loaded and shown.
    CViewBLDCParameter* OpenBldc(uint8_t slave) {
        frame_->Send(app::Message::Open(app::MsgKind::BldcFrame, kPort, slave));
        CViewBLDCParameter* view = nullptr;
        const bool loaded = WaitFor([&] {
            view = View();
            return view != nullptr && view->Slave() == slave && view->HasDrive() && BldcBoard(slave) &&
                   BldcBoard(slave)->bldcLoaded && view->Grid()->rowCount() > 0 && view->Grid()->isEnabled();
        });
        return loaded ? view : nullptr;
    }

    // Waits until the window's bulk operation and the reload after it are over.
    bool WaitIdle(CViewBLDCParameter* view, uint8_t slave) {
        Pump(50);
        return WaitFor([&] {
            return view->Task() == nullptr && BldcBoard(slave)->bldcLoaded && view->Grid()->isEnabled();
        });
    }

    int RowOf(CViewBLDCParameter* view, uint32_t number) const {
        for (int r = 0; r < view->Grid()->rowCount(); ++r) {
            if (view->NumberOfRow(r) == number) return r;
        }
        return -1;
    }

    std::vector<BldcWrite> BldcWrites() const {
        std::vector<BldcWrite> out;
        for (const sim::RequestRecord& r : line_.RequestLog()) {
            if (r.frameType != kBldcWriteFrame || r.data.size() < 9) continue;
            out.push_back({r.data[0], GetU32(r.data.data() + 1), GetS32(r.data.data() + 5)});
        }
        return out;
    }

    void Type(CViewBLDCParameter* view, int row, const QString& text) {
        widgets::CValueGrid* grid = view->Grid();
        grid->OpenEditor(row);
        ASSERT_EQ(grid->EditorRow(), row);
        QTest::keyClick(grid->Editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(grid->Editor(), Qt::Key_Delete);
        line_.ClearRequestLog();
        QTest::keyClicks(grid->Editor(), text);
    }

    // Replaces the editor's text at once, as pasting does.
    void Paste(CViewBLDCParameter* view, int row, const QString& text) {
        widgets::CValueGrid* grid = view->Grid();
        if (grid->EditorRow() != row) grid->OpenEditor(row);
        ASSERT_EQ(grid->EditorRow(), row);
        line_.ClearRequestLog();
        grid->Editor()->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(grid->Editor(), Qt::Key_Delete);
        } else {
            grid->Editor()->insert(text);
        }
    }

    // The metadata's parameters of every category: (category, number).
    std::vector<std::pair<uint8_t, uint32_t>> AllParameters(const CBoardDorrinTevraBLDC& board) const {
        std::vector<std::pair<uint8_t, uint32_t>> all;
        for (uint32_t c = 1; c <= board.GetBLDCCategoryCount(); ++c) {
            for (uint32_t i = 0; i < board.GetBLDCParamCount(c); ++i)
                all.emplace_back(static_cast<uint8_t>(c), board.GetBLDCParamInfoAt(c, i)->number);
        }
        return all;
    }

    QByteArray Model(uint8_t slave) const { return QByteArray::fromStdString(Board(slave)->GetModelName()); }
};

TEST_F(BldcViewTest, TabsPerCategoryHiddenRowsLeftOutAndReadOnlyRowsNotEditable) {
    Start({Bldc(0), SupportedDrive(1, sim::model::kServo)});
    CViewBLDCParameter* view = OpenBldc(0);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Tabs()->count(), 7);
    EXPECT_EQ(view->Tabs()->tabText(0), "Position Control");
    EXPECT_EQ(view->Tabs()->tabText(6), "Monitoring");

    view->Tabs()->setCurrentIndex(1);  // "Current Control": 18 parameters, number 18 hidden
    ASSERT_EQ(view->Category(), 2u);
    widgets::CValueGrid* grid = view->Grid();
    ASSERT_EQ(grid->rowCount(), 17);
    EXPECT_EQ(RowOf(view, 18), -1);
    const int gain = RowOf(view, 1);
    EXPECT_EQ(grid->Text(gain, Column::kName), "Current Loop P Gain");
    EXPECT_EQ(grid->Text(gain, Column::kRange), "0~100");
    EXPECT_EQ(grid->Text(gain, Column::kStep), "0.01");
    EXPECT_EQ(grid->Text(gain, Column::kField), "[V/A]");
    const auto board = BldcBoard(0);
    EXPECT_EQ(grid->Text(gain, Column::kValue),
              CViewBLDCParameter::FormatG(board->BLDCRawToDisplay(2, 1, board->GetBLDCParameterValue(2, 1))));

    const int offset = RowOf(view, 8);  // "Current Offset U", read-only
    EXPECT_EQ(grid->Text(offset, Column::kRange), "READ ONLY!");
    EXPECT_EQ(grid->Text(offset, Column::kStep), "");
    grid->OpenEditor(gain);
    EXPECT_EQ(grid->EditorRow(), gain);
    grid->OpenEditor(offset);  // a click on a read-only row hides the editor
    EXPECT_EQ(grid->EditorRow(), -1);

    // A changed value rewrites its one cell, only while its category is shown.
    ASSERT_TRUE(line_.SetBldcParameter(0, 2, 8, -1234));
    ASSERT_TRUE(board->ReadBLDCParameter(2, 8));
    view->OnMessage(app::Message::Drive(app::MsgKind::BldcParamChanged, kPort, 0, 2 + 8 * 65536));
    EXPECT_EQ(grid->Text(offset, Column::kValue), "-1.234");
    view->OnMessage(app::Message::Drive(app::MsgKind::BldcParamChanged, kPort, 0, 1 + 8 * 65536));
    EXPECT_EQ(grid->Text(offset, Column::kValue), "-1.234");

    // The servo drive next on the line is not taken; the window goes with its own drive.
    QTest::mouseClick(view->findChild<widgets::CSlaveSelector*>()->NextButton(), Qt::LeftButton);
    Pump(100);
    EXPECT_EQ(view->Slave(), 0);
    EXPECT_EQ(grid->rowCount(), 17);
    frame_->Send(app::Message::Drive(app::MsgKind::DriveGoingAway, kPort, 1));
    Pump(50);
    EXPECT_EQ(View(), view);
    frame_->Send(app::Message::Drive(app::MsgKind::DriveGoingAway, kPort, 0));
    EXPECT_TRUE(WaitFor([&] { return View() == nullptr; }));
}

TEST_F(BldcViewTest, TypedRealNumbersAreSentOnlyWhenCompleteInRangeAndDifferent) {
    Start({Bldc(0)});
    CViewBLDCParameter* view = OpenBldc(0);
    ASSERT_NE(view, nullptr);
    widgets::CValueGrid* grid = view->Grid();
    const int row = RowOf(view, 2);  // "Position Feedforward Gain": 0..100 %, stored as tenths
    ASSERT_GE(row, 0);

    Type(view, row, "1");
    EXPECT_EQ(BldcWrites(), (std::vector<BldcWrite>{{1, 2, 10}}));
    line_.ClearRequestLog();
    QTest::keyClicks(grid->Editor(), "e");  // "1e" is not a number yet
    EXPECT_TRUE(grid->EditorInvalid());
    EXPECT_TRUE(BldcWrites().empty());
    QTest::keyClicks(grid->Editor(), "2");  // "1e2" = 100 -> 1000
    EXPECT_FALSE(grid->EditorInvalid());
    EXPECT_EQ(BldcWrites(), (std::vector<BldcWrite>{{1, 2, 1000}}));
    EXPECT_EQ(grid->Text(row, Column::kValue), "100");
    EXPECT_EQ(*line_.GetBldcParameter(0, 1, 2), 1000);

    struct Case {
        const char* text;
        bool valid;
    };
    // None of these sends anything: invalid texts, out of range, or the value stored already.
    for (const Case& c :
         {Case{"100.0", true}, Case{"1e2 ", true}, Case{"100.5", false}, Case{"-0.1", false},
          Case{"12a", false}, Case{"1,5", false}, Case{"nan", false}, Case{"", false}, Case{"+", false}}) {
        Paste(view, row, QString::fromLatin1(c.text));
        EXPECT_EQ(grid->Editor()->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(grid->EditorInvalid(), !c.valid) << c.text;
        EXPECT_TRUE(BldcWrites().empty()) << c.text;
    }

    // A write the drive does not answer leaves the drive's value in the cell and in the cache, so
    // the same number typed again is sent again.
    master_.GetPort(kPort)->StopPolling();
    line_.InjectFault({sim::FaultKind::Silent}, 0);
    Paste(view, row, "50");
    EXPECT_EQ(grid->Text(row, Column::kValue), "100");
    EXPECT_EQ(BldcBoard(0)->GetBLDCParameterValue(1, 2), 1000);
    line_.ClearFaults();
    Paste(view, row, "50.0");
    EXPECT_EQ(BldcWrites(), (std::vector<BldcWrite>{{1, 2, 500}}));
    EXPECT_EQ(*line_.GetBldcParameter(0, 1, 2), 500);
}

TEST_F(BldcViewTest, FileRoundTripRestoresEveryStoredValueAndKeepsOtherSections) {
    Start({Bldc(0)});
    CViewBLDCParameter* view = OpenBldc(0);
    ASSERT_NE(view, nullptr);
    const auto board = BldcBoard(0);
    const auto all = AllParameters(*board);
    ASSERT_EQ(all.size(), board->GetBLDCTotalParamCount());
    ASSERT_TRUE(line_.SetBldcParameter(0, 1, 7, 321));
    view->RefreshParameters();
    ASSERT_TRUE(WaitIdle(view, 0));
    std::map<std::pair<uint8_t, uint32_t>, int32_t> saved;
    for (const auto& p : all) saved[p] = board->GetBLDCParameterValue(p.first, p.second);
    ASSERT_EQ((saved[{2, 18}]), 0);

    const QString path = files_.filePath("tune.fbt");
    WriteAll(path, "[Notes]\r\nAxis=spindle\r\n");
    dialogs_.fileAnswers = {path};
    view->SaveFile();
    ASSERT_EQ(dialogs_.files.size(), 1u);
    EXPECT_EQ(dialogs_.files[0].filter, "BLDC Parameter File(*.fbt)");
    EXPECT_EQ(dialogs_.files[0].suffix, "fbt");
    EXPECT_EQ(dialogs_.Texts(), QStringList{"Saving to file is done."});
    const QByteArray text = ReadAll(path);
    EXPECT_TRUE(text.contains("[Info]\r\nModel=" + Model(0) + "\r\n"));
    EXPECT_TRUE(text.contains("[Notes]\r\nAxis=spindle"));
    EXPECT_TRUE(text.contains("[Category2]\r\nParamCnt=18\r\n"));
    EXPECT_TRUE(text.contains("\r\n18=0\r\n"));  // hidden
    EXPECT_TRUE(text.contains("[Category7]\r\nParamCnt=7\r\n"));

    // The drive's working values change behind the window; the file brings them back.
    ASSERT_TRUE(line_.SetBldcParameter(0, 2, 18, 1));  // hidden: set without starting anything
    ASSERT_TRUE(line_.SetBldcParameter(0, 1, 7, 5));
    ASSERT_TRUE(line_.SetBldcParameter(0, 6, 7, 50));
    view->RefreshParameters();
    ASSERT_TRUE(WaitIdle(view, 0));
    dialogs_.boxes.clear();
    // A write that times out on a busy machine is retried, as a user would.
    dialogs_.answers = {app::BoxAnswer::Retry, app::BoxAnswer::Retry, app::BoxAnswer::Retry};
    dialogs_.fileAnswers = {path};
    view->LoadFile();
    ASSERT_NE(view->Task(), nullptr);
    EXPECT_EQ(view->Task()->Dialog()->windowTitle(), "Loading Parameters..");
    int range = 0;
    ASSERT_TRUE(WaitFor([&] {
        if (view->Task()) range = std::max(range, view->Task()->ProgressRange());
        return view->Task() == nullptr && view->Grid()->isEnabled();
    }));
    EXPECT_EQ(range, static_cast<int>(board->GetBLDCTotalParamCount()));
    for (const app::BoxRequest& box : dialogs_.boxes) EXPECT_EQ(box.buttons, app::BoxButtons::RetryCancel);
    for (const auto& [p, value] : saved)
        EXPECT_EQ(*line_.GetBldcParameter(0, p.first, p.second), value) << int(p.first) << "/" << p.second;
    EXPECT_EQ(view->Grid()->Text(RowOf(view, 7), Column::kValue), "321");
}

TEST_F(BldcViewTest, FileCountsLimitTheLoadAndForeignFilesChangeNothing) {
    Start({Bldc(0)});
    CViewBLDCParameter* view = OpenBldc(0);
    ASSERT_NE(view, nullptr);
    const QByteArray model = Model(0).toUpper();  // the model is compared without regard to case
    // Category 1: "ParamCnt" 2 leaves parameter 3 alone.  Category 3: 99 reads only the drive's 8
    // (key 9 is not looked at).  Category 5: the refused write of read-only 7 stops nothing.
    const QString path = files_.filePath("part.fbt");
    WriteAll(path, "[Info]\r\nModel=" + model +
                       "\r\n[Category1]\r\nParamCnt=2\r\n1=40\r\n2=300\r\n3=7\r\n"
                       "[Category3]\r\nParamCnt=99\r\n4=2500\r\n9=77\r\n"
                       "[Category5]\r\nParamCnt=7\r\n1=8\r\n7=999\r\n");
    const auto board = BldcBoard(0);
    line_.ClearRequestLog();
    dialogs_.fileAnswers = {path};
    view->LoadFile();
    ASSERT_TRUE(WaitFor([&] { return view->Task() == nullptr && view->Grid()->isEnabled(); }));
    const auto writes = BldcWrites();
    const auto wrote = [&](uint8_t c, uint32_t n, int32_t v) {
        return std::find(writes.begin(), writes.end(), BldcWrite{c, n, v}) != writes.end();
    };
    EXPECT_TRUE(wrote(1, 1, 40));
    EXPECT_TRUE(wrote(1, 2, 300));
    EXPECT_FALSE(std::any_of(writes.begin(), writes.end(),
                             [](const BldcWrite& w) { return w.category == 1 && w.number == 3; }));
    EXPECT_TRUE(wrote(3, 4, 2500));
    EXPECT_FALSE(std::any_of(writes.begin(), writes.end(), [](const BldcWrite& w) { return w.number > 8; }));
    EXPECT_TRUE(wrote(5, 7, 999));  // refused by the drive: the cache keeps the drive's value
    EXPECT_EQ(board->GetBLDCParameterValue(5, 7), *line_.GetBldcParameter(0, 5, 7));
    EXPECT_EQ(*line_.GetBldcParameter(0, 5, 1), 8);
    EXPECT_EQ(*line_.GetBldcParameter(0, 3, 4), 2500);

    // Another model's file: the message, no progress, nothing written.
    WriteAll(path, "[Info]\r\nModel=Ravelo\r\n[Category1]\r\nParamCnt=8\r\n1=41\r\n");
    dialogs_.boxes.clear();
    line_.ClearRequestLog();
    dialogs_.fileAnswers = {path, files_.filePath("missing.fbt")};
    view->LoadFile();
    EXPECT_EQ(view->Task(), nullptr);
    view->LoadFile();
    Pump(100);
    EXPECT_EQ(dialogs_.Texts(),
              (QStringList{"It is NOT a paramerer file or not a supported one.\nPlease check it "
                           "again.",
                           "Failed to read file."}));
    EXPECT_EQ(dialogs_.boxes[0].caption, "Load BLDC Parameters from file");
    EXPECT_TRUE(BldcWrites().empty());

    // A file of the right model without "Category1" fails but the windows refresh anyway.
    WriteAll(path, "[Info]\r\nModel=" + model + "\r\n[Category2]\r\nParamCnt=1\r\n1=5\r\n");
    dialogs_.boxes.clear();
    dialogs_.fileAnswers = {path};
    view->LoadFile();
    ASSERT_TRUE(WaitFor([&] { return view->Task() == nullptr && view->Grid()->isEnabled(); }));
    EXPECT_EQ(dialogs_.Texts(), QStringList{"Failed to load file."});
    EXPECT_TRUE(BldcWrites().empty());
}

TEST_F(BldcViewTest, RomCommandsAndAFailedRomReadStillRereadTheValues) {
    sim::DriveConfig failing = Bldc(1);
    failing.bldcRomReadFails = true;
    Start({Bldc(0), failing});

    CViewBLDCParameter* view = OpenBldc(0);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(BldcBoard(0)->WriteBLDCParameter(1, 4, 1234));
    view->SaveRom();
    ASSERT_TRUE(WaitFor([&] { return dialogs_.boxes.size() == 2; }));
    EXPECT_EQ(dialogs_.Texts(), (QStringList{"Do you really want to save it?", "Saving is done."}));
    EXPECT_EQ(dialogs_.boxes[0].caption, "Save BLDC Parameters to ROM");
    ASSERT_TRUE(BldcBoard(0)->WriteBLDCParameter(1, 4, 99));
    dialogs_.boxes.clear();
    view->LoadRom();
    ASSERT_TRUE(WaitIdle(view, 0));
    EXPECT_EQ(dialogs_.Texts(), QStringList{"Do you really want to load saved data?"});
    EXPECT_EQ(view->Grid()->Text(RowOf(view, 4), Column::kValue), "1234");

    // The drive whose ROM read fails: the failure is shown and the values are read again.
    view = OpenBldc(1);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(line_.SetBldcParameter(1, 1, 4, 4321));  // behind the cache's back
    dialogs_.boxes.clear();
    view->LoadRom();
    ASSERT_TRUE(WaitFor([&] { return view->Grid()->Text(RowOf(view, 4), Column::kValue) == "4321"; }));
    EXPECT_TRUE(dialogs_.Texts().contains("Failed to load data."));
    EXPECT_EQ(dialogs_.boxes[0].caption, "Load BLDC Parameters from ROM");

    // Answering No does nothing.
    dialogs_.boxes.clear();
    line_.ClearRequestLog();
    dialogs_.answers = {app::BoxAnswer::No, app::BoxAnswer::No};
    view->LoadRom();
    view->SaveRom();
    EXPECT_EQ(view->Task(), nullptr);
    EXPECT_EQ(dialogs_.boxes.size(), 2u);
}

}  // namespace
}  // namespace tarsel::views::testing
