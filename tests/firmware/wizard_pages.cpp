// Renders the wizard's pages into PNG files for looking at their layout (scripts/screenshot):
//   firmloader_pages PAGE OUT.png     PAGE: connect, select, update, final or about
// The wizard runs against a simulated drive on its own line; no box is ever shown.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image_files.h"
#include "sim/simulator.h"
#include "tools/firmloader/wizard/about_dialog.h"
#include "tools/firmloader/wizard/main_frame.h"
#include "tools/firmloader/wizard/view_connect.h"
#include "tools/firmloader/wizard/view_select_file.h"

using namespace tarsel::firmware;

namespace {

constexpr unsigned kPort = 77;

class SilentPrompt : public UserPrompt {
public:
    void Error(QWidget*, const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
    bool AskRetry(QWidget*, const QString&) override { return false; }
    void Notice(QWidget*, const QString&) override {}
    QString ChooseImageFile(QWidget*, const QString&) override { return {}; }
};

void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) QTest::qWait(20);
}

bool Save(QWidget& widget, const char* path) {
    widget.show();
    Wait(300);
    return widget.grab().save(QString::fromLocal8Bit(path));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: firmloader_pages connect|select|update|final|about OUT.png\n");
        return 2;
    }
    const std::string page = argv[1];
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firmloader"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0"));

    testing::TempDir dir;
    testing::TempDir ports;
    ::setenv("TARSEL_PORTS_DIR", ports.Path().c_str(), 1);
    tarsel::sim::SimLine line;
    tarsel::sim::DriveConfig drive;
    drive.slave = 1;
    if (!line.Start() || !line.AddDrive(drive) || !line.Publish(kPort)) return 1;
    const std::string base = dir.File("drive_v08");
    if (!testing::WriteImageSet(base, 0x100000, testing::PatternWords(300, 5), 0,
                                testing::PatternWords(10, 6)))
        return 1;

    SilentPrompt prompt;
    WizardEnvironment environment;
    environment.prompt = &prompt;
    environment.iniDirectory = dir.Path();
    environment.enumeratePorts = [](std::vector<unsigned>& list) { list = {3, kPort}; };

    if (page == "about") {
        CAboutDlg about;
        return Save(about, argv[2]) ? 0 : 1;
    }
    CMainFrame frame(environment);
    frame.ConnectView()->PortList()->setCurrentText(QStringLiteral("COM%1").arg(kPort));
    frame.ConnectView()->SlaveEdit()->setText(QStringLiteral("1"));
    if (page != "connect") {
        frame.ConnectView()->ConnectButton()->click();
        frame.SelectFileView()->PathEdit()->setText(QString::fromStdString(base + ".i00"));
        frame.SelectFileView()->CheckImageSet();
    }
    if (page == "update") {
        frame.SelectFileView()->NextButton()->click();
        frame.show();
        Wait(1000);  // the restart into the boot ROM is under way
    }
    if (page == "final") frame.ShowPage(CMainFrame::Page::Final);
    return Save(frame, argv[2]) ? 0 : 1;
}
