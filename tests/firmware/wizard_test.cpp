// The wizard's pages driven through their widgets against the simulated drive (offscreen).
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QXmlStreamReader>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <stdexcept>

#include "base/ini/profile.h"
#include "image_files.h"
#include "sim/simulator.h"
#include "tools/firmloader/wizard/about_dialog.h"
#include "tools/firmloader/wizard/main_frame.h"
#include "tools/firmloader/wizard/view_connect.h"
#include "tools/firmloader/wizard/view_final.h"
#include "tools/firmloader/wizard/view_select_file.h"
#include "tools/firmloader/wizard/view_update_rom.h"
#include "tools/firmloader/wizard/wizard_texts.h"

using namespace tarsel::firmware;
using namespace std::chrono_literals;

namespace {

class RecordingPrompt : public UserPrompt {
public:
    void Error(QWidget*, const QString& text) override { errors << text; }
    bool AskRetry(QWidget*, const QString& text) override {
        questions << text;
        return retryAnswers-- > 0;
    }
    void Notice(QWidget*, const QString& text) override { notices << text; }
    QString ChooseImageFile(QWidget*, const QString&) override { return chosenFile; }

    QStringList errors, questions, notices;
    int retryAnswers = 0;
    QString chosenFile;
};

constexpr unsigned kPort = 41;
constexpr uint8_t kSlave = 2;

}  // namespace

class WizardTest : public QObject {
    Q_OBJECT

private:
    tarsel::firmware::testing::TempDir* dir_ = nullptr;
    tarsel::firmware::testing::TempDir* portsDir_ = nullptr;
    tarsel::sim::SimLine* line_ = nullptr;
    RecordingPrompt* prompt_ = nullptr;
    std::vector<unsigned> ports_;
    std::string base_;

    WizardEnvironment Environment() {
        WizardEnvironment env;
        env.prompt = prompt_;
        env.enumeratePorts = [this](std::vector<unsigned>& ports) { ports = ports_; };
        env.iniDirectory = dir_->Path();
        env.timings.restartWait = 1500ms;
        env.timings.eraseWait = 300ms;
        env.timings.afterRestartPause = 10ms;
        env.portRefreshMs = 30;
        env.pageTimerMs = 20;
        return env;
    }
    void AddDrive(uint32_t eraseDurationMs = 30) {
        tarsel::sim::DriveConfig config;
        config.slave = kSlave;
        config.boot.silenceAfterRestartMs = 50;
        config.boot.eraseDurationMs = eraseDurationMs;
        QVERIFY(line_->AddDrive(config));
    }
    void ConnectTo(CMainFrame& frame, const QString& slave) {
        CViewConnect* view = frame.ConnectView();
        view->PortList()->setCurrentText(QStringLiteral("COM%1").arg(kPort));
        view->SlaveEdit()->setText(slave);
        QTest::mouseClick(view->ConnectButton(), Qt::LeftButton);
    }

private slots:
    void init() {
        dir_ = new tarsel::firmware::testing::TempDir;
        portsDir_ = new tarsel::firmware::testing::TempDir;
        ::setenv("TARSEL_PORTS_DIR", portsDir_->Path().c_str(), 1);
        line_ = new tarsel::sim::SimLine;
        QVERIFY(line_->Start());
        QVERIFY(line_->Publish(kPort));
        prompt_ = new RecordingPrompt;
        ports_ = {kPort, 3};
        base_ = dir_->File("drive");
        QVERIFY(tarsel::firmware::testing::WriteImageSet(base_, 0x100000,
                                                         tarsel::firmware::testing::PatternWords(300, 5), 0x0,
                                                         tarsel::firmware::testing::PatternWords(10, 6)));
    }
    void cleanup() {
        delete line_;
        delete prompt_;
        delete dir_;
        delete portsDir_;
    }

    void connectPagePreselectsTheStoredChoiceAndFollowsThePorts() {
        const auto ini = dir_->Path() / "Connection.ini";
        tarsel::ini::WriteProfileInt(ini, "COMM", "PortNo", kPort);
        tarsel::ini::WriteProfileInt(ini, "COMM", "Baudrate", 57600);
        CMainFrame frame(Environment());
        CViewConnect* view = frame.ConnectView();
        QCOMPARE(view->PortList()->count(), 2);
        QCOMPARE(view->PortList()->itemText(0), QStringLiteral("COM3"));
        QCOMPARE(view->PortList()->currentText(), QStringLiteral("COM41"));
        QCOMPARE(view->BaudList()->currentText(), QStringLiteral("57600"));
        QCOMPARE(view->SlaveEdit()->text(), QStringLiteral("0"));
        QVERIFY(view->ConnectButton()->isEnabled());
        QVERIFY(view->StatusLine()->text().contains(QStringLiteral(" Ver. ")));

        // An unknown stored baud rate and port select the first entries.
        tarsel::ini::WriteProfileInt(ini, "COMM", "PortNo", 99);
        tarsel::ini::WriteProfileInt(ini, "COMM", "Baudrate", 4800);
        frame.ShowPage(CMainFrame::Page::Connect);
        QCOMPARE(view->PortList()->currentText(), QStringLiteral("COM3"));
        QCOMPARE(view->BaudList()->currentText(), QStringLiteral("9600"));

        // Ports come and go while the page is open.
        ports_ = {};
        QTRY_COMPARE_WITH_TIMEOUT(view->PortList()->count(), 0, 2000);
        QVERIFY(!view->ConnectButton()->isEnabled());
        ports_ = {7, 5};
        QTRY_COMPARE_WITH_TIMEOUT(view->PortList()->count(), 2, 2000);
        QCOMPARE(view->PortList()->currentText(), QStringLiteral("COM5"));
        QVERIFY(view->ConnectButton()->isEnabled());
    }

    // A new entry in the ports directory while the page is open: the list follows, the chosen
    // line stays chosen.
    void connectPageKeepsTheChosenPortWhenAnotherAppears() {
        WizardEnvironment env = Environment();
        env.enumeratePorts = nullptr;  // the machine's ports: the ports directory of this test
        CMainFrame frame(env);
        QComboBox* list = frame.ConnectView()->PortList();
        list->setCurrentText(QStringLiteral("COM%1").arg(kPort));
        QCOMPARE(list->currentText(), QStringLiteral("COM%1").arg(kPort));
        std::filesystem::create_symlink(line_->DevicePath(), portsDir_->Path() / "com5");
        QTRY_VERIFY_WITH_TIMEOUT(list->findText(QStringLiteral("COM5")) >= 0, 3000);
        QCOMPARE(list->currentText(), QStringLiteral("COM%1").arg(kPort));
        // The chosen port goes away: the first one is chosen.
        std::filesystem::remove(portsDir_->Path() / ("com" + std::to_string(kPort)));
        QTRY_VERIFY_WITH_TIMEOUT(list->findText(QStringLiteral("COM%1").arg(kPort)) < 0, 3000);
        QCOMPARE(list->currentIndex(), 0);
    }

    void pagesGiveTheirControlsRoom() {
        CMainFrame frame(Environment());
        frame.show();
        frame.ShowPage(CMainFrame::Page::Update);
        frame.UpdateView()->StopProcedure();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QLabel* previous = nullptr;
        for (int i = 0; i < 5; ++i) {
            auto* label = frame.UpdateView()->findChild<QLabel*>(QStringLiteral("stepLabel%1").arg(i));
            QVERIFY(label);
            QVERIFY(label->width() >= label->sizeHint().width());
            if (previous) QVERIFY(label->geometry().left() - previous->geometry().right() >= 20);
            previous = label;
        }
        frame.ShowPage(CMainFrame::Page::Connect);
        QPushButton* button = frame.ConnectView()->ConnectButton();
        QVERIFY(button->width() < frame.ConnectView()->SlaveEdit()->width() / 2);

        CAboutDlg about(&frame);
        const QMargins margins = about.layout()->contentsMargins();
        QVERIFY(margins.left() >= 16 && margins.top() >= 16 && margins.right() >= 16);

        // Each filter of the file dialog names its patterns once.
        const QStringList filters = ImageFileFilters();
        QCOMPARE(filters.size(), 2);
        QCOMPARE(filters[0], QStringLiteral("ROM Files (*.i00 *.i01 *.i10 *.i11)"));
        QCOMPARE(filters[1], QStringLiteral("All Files (*)"));
    }

    void connectPageReportsEachFailureAndStaysUsable() {
        AddDrive();
        CMainFrame frame(Environment());
        CViewConnect* view = frame.ConnectView();
        ConnectTo(frame, QString());
        QCOMPARE(prompt_->errors, QStringList{QStringLiteral("Please insert slave number")});
        QVERIFY(!frame.Document().port.IsOpen());

        view->PortList()->setCurrentText(QStringLiteral("COM3"));
        view->SlaveEdit()->setText(QStringLiteral("2"));
        QTest::mouseClick(view->ConnectButton(), Qt::LeftButton);
        QCOMPARE(prompt_->errors.last(), QStringLiteral("Failed to open port."));

        ConnectTo(frame, QStringLiteral("9"));
        QCOMPARE(prompt_->errors.last(), QStringLiteral("Incorrect slave number."));
        QVERIFY(!frame.Document().port.IsOpen());
        QVERIFY(view->ConnectButton()->isEnabled());
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::Connect);
        QVERIFY(!std::filesystem::exists(dir_->Path() / "Connection.ini"));
    }

    void wholeWizardUpdatesTheDriveAndOffersAnotherRound() {
        AddDrive();
        CMainFrame frame(Environment());
        ConnectTo(frame, QStringLiteral("2"));
        QVERIFY(prompt_->errors.isEmpty());
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::SelectFile);
        QCOMPARE(frame.windowTitle(),
                 QStringLiteral("Port 41  SlaveNo 2 - ") + QCoreApplication::applicationName());
        const auto ini = dir_->Path() / "Connection.ini";
        QCOMPARE(tarsel::ini::ReadProfileInt(ini, "COMM", "PortNo", 0), 41);

        CViewSelectFile* select = frame.SelectFileView();
        QCOMPARE(select->PortLine()->text(), QStringLiteral("PortNo : 41, SlaveNo : 2"));
        QVERIFY(select->VersionLine()->text().contains(QStringLiteral(" ver.8.0.0.0")));
        QVERIFY(!select->NextButton()->isEnabled());

        // Choosing the ".i10" file of a complete set enables "Next >"; without ".i11" it does not.
        prompt_->chosenFile = QString::fromStdString(base_ + ".i10");
        std::filesystem::rename(base_ + ".i11", base_ + ".x11");
        QTest::mouseClick(select->BrowseButton(), Qt::LeftButton);
        QVERIFY(!select->NextButton()->isEnabled());
        std::filesystem::rename(base_ + ".x11", base_ + ".i11");
        QTest::mouseClick(select->BrowseButton(), Qt::LeftButton);
        QVERIFY(select->NextButton()->isEnabled());
        QCOMPARE(QString::fromStdString(frame.Document().imagePaths[3]),
                 QString::fromStdString(base_ + ".i11"));

        QTest::mouseClick(select->NextButton(), Qt::LeftButton);
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::Update);
        CViewUpdateROM* update = frame.UpdateView();
        QVERIFY(update->NextButton()->isHidden());
        QVERIFY(update->PrevButton()->isHidden());
        QTRY_COMPARE_WITH_TIMEOUT(frame.CurrentPage(), CMainFrame::Page::Final, 15000);
        QCOMPARE(update->ProgressBar()->value(), update->ProgressBar()->maximum());
        for (std::size_t i = 0; i < kStepLabelCount; ++i)
            QCOMPARE(update->Snapshot().labels[i], LabelState::Done);
        QCOMPARE(line_->GetFlashImage(kSlave)->size(), std::size_t{310});
        QVERIFY(!line_->IsInBootRom(kSlave));
        QVERIFY(!tarsel::ini::ReadProfileString(ini, "HISTORY", "BootROMVersion").empty());
        QVERIFY(prompt_->questions.isEmpty());

        QTest::mouseClick(frame.FinalView()->AgainButton(), Qt::LeftButton);
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::Connect);
        QVERIFY(!frame.Document().port.IsOpen());
    }

    void failedUpdateOffersRetryThenPrevAndExit() {
        AddDrive(600000);  // the erase never completes
        CMainFrame frame(Environment());
        ConnectTo(frame, QStringLiteral("2"));
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::SelectFile);
        frame.SelectFileView()->PathEdit()->setText(QString::fromStdString(base_ + ".i00"));
        frame.SelectFileView()->CheckImageSet();
        prompt_->retryAnswers = 1;
        QTest::mouseClick(frame.SelectFileView()->NextButton(), Qt::LeftButton);
        CViewUpdateROM* update = frame.UpdateView();
        // The window stays while the drive is being rewritten.
        QVERIFY(update->IsRunning());
        QVERIFY(!frame.close());

        QTRY_COMPARE_WITH_TIMEOUT(prompt_->questions.size(), 2, 15000);
        const QString expected = QStringLiteral(
            "Failed to erase ROM. ROM was not erased.\n\nPlease check the Power or Communication cable.\nDo "
            "you want "
            "to retry firmloader?");
        QCOMPARE(prompt_->questions[0], expected);
        QCOMPARE(prompt_->questions[1], expected);
        QTRY_VERIFY_WITH_TIMEOUT(!update->NextButton()->isHidden(), 2000);
        QCOMPARE(update->NextButton()->text(), QStringLiteral("Exit"));
        QVERIFY(!update->PrevButton()->isHidden());
        QVERIFY(update->StepLabelWidget(StepLabel::Erase)
                    ->styleSheet()
                    .contains(QStringLiteral("rgb(144, 1, 1)")));
        QVERIFY(update->StepLabelWidget(StepLabel::BootRom)
                    ->styleSheet()
                    .contains(QStringLiteral("rgb(1, 176, 1)")));
        QVERIFY(!update->Snapshot().messagePending);

        QTest::mouseClick(update->PrevButton(), Qt::LeftButton);
        QCOMPARE(frame.CurrentPage(), CMainFrame::Page::SelectFile);
    }

    void selectPageRefusesAnUnwritableSetBeforeTheUpdate() {
        AddDrive();
        std::string longRecord = ":41000000";
        for (int i = 0; i < 0x41; ++i) longRecord += "00";
        tarsel::firmware::testing::WriteText(base_ + ".i10", longRecord + "BF\n");
        CMainFrame frame(Environment());
        ConnectTo(frame, QStringLiteral("2"));
        CViewSelectFile* select = frame.SelectFileView();
        select->PathEdit()->setText(QString::fromStdString(base_ + ".i00"));
        select->CheckImageSet();
        QVERIFY(!select->NextButton()->isEnabled());
        QVERIFY(select->ProblemLine()->text().contains(QStringLiteral("drive.i10: record 1 (line 1)")));
    }

    void selectPageSaysWhichFileIsMissingOrRefused() {
        AddDrive();
        CMainFrame frame(Environment());
        ConnectTo(frame, QStringLiteral("2"));
        CViewSelectFile* select = frame.SelectFileView();
        select->PathEdit()->setText(QString::fromStdString(base_ + ".i10"));

        std::filesystem::rename(base_ + ".i11", base_ + ".x11");
        select->CheckImageSet();
        QVERIFY(!select->NextButton()->isEnabled());
        QCOMPARE(select->ProblemLine()->text(),
                 QStringLiteral("Missing image file ") + QString::fromStdString(base_ + ".i11"));
        std::filesystem::rename(base_ + ".x11", base_ + ".i11");

        std::filesystem::rename(base_ + ".i01", base_ + ".x01");
        std::filesystem::create_directory(base_ + ".i01");
        select->CheckImageSet();
        QVERIFY(!select->NextButton()->isEnabled());
        QCOMPARE(select->ProblemLine()->text(),
                 QString::fromStdString(base_ + ".i01") + QStringLiteral(" is a folder, not an image file."));
        std::filesystem::remove(base_ + ".i01");
        std::filesystem::rename(base_ + ".x01", base_ + ".i01");

        select->CheckImageSet();
        QVERIFY(select->NextButton()->isEnabled());
        QVERIFY(select->ProblemLine()->text().isEmpty());
        QVERIFY(select->WarningLine()->text().isEmpty());

        // A set with type 02 records can be written, but the page says where it would go.
        QVERIFY(tarsel::firmware::testing::WriteImageSet(
            base_, 0x20000, tarsel::firmware::testing::PatternWords(64, 5), 0, {}));
        select->CheckImageSet();
        QVERIFY(select->NextButton()->isEnabled());
        QVERIFY(select->WarningLine()->text().contains(
            QStringLiteral("drive.i00 has 1 type 02 address records")));
    }

    void failureInASlotIsShownAndTheWindowStays() {
        std::atomic<bool> broken{false};
        WizardEnvironment env = Environment();
        env.enumeratePorts = [&](std::vector<unsigned>& ports) {
            if (broken.exchange(false)) throw std::runtime_error("no port list");
            ports = ports_;
        };
        CMainFrame frame(env);
        broken = true;  // the next refresh of the port list fails
        QTRY_VERIFY_WITH_TIMEOUT(!prompt_->errors.isEmpty(), 2000);
        QCOMPARE(prompt_->errors.front(), QStringLiteral("Unexpected failure: no port list"));
        QCOMPARE(frame.ConnectView()->PortList()->count(), 2);
    }

    // Every text of the image check, and the page's own, has a finished Korean translation.
    void koreanTextsCoverTheImageCheck() {
        QFile file(QStringLiteral(FIRMLOADER_TS_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QSet<QString> translated;  // "context|source"
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("name")) context = xml.readElementText();
            if (xml.name() == QLatin1String("source")) source = xml.readElementText();
            if (xml.name() == QLatin1String("translation")) {
                const bool finished = xml.attributes().value(QLatin1String("type")).isEmpty();
                if (finished && !xml.readElementText().isEmpty())
                    translated << context + QLatin1Char('|') + source;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QStringList wanted = {QStringLiteral("ToolUi|Unexpected failure: %1"),
                              QStringLiteral("tarsel::firmware::CViewSelectFile|Missing image file %1")};
        for (const char* text : image_text::kAll)
            wanted << QStringLiteral("ImageCheck|") + QString::fromUtf8(text);
        for (const QString& key : wanted) QVERIFY2(translated.contains(key), qPrintable(key));
    }

    void translatedTextsFallBackToEnglishAndVersionIsShortened() {
        QCOMPARE(ShortVersion(QStringLiteral("1, 2, 3, 4")), QStringLiteral("1.2.3"));
        ProcedureMessage m{MessageId::WriteFailed, MessageKind::Error, 0x85, {}};
        QCOMPARE(
            TranslatedMessage(m),
            QStringLiteral("An error occured while writing data to flash.\n\n\tReturn Code : 133[0x85]"));
    }
};

QTEST_MAIN(WizardTest)
#include "wizard_test.moc"
