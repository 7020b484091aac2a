// TarselV8: the configuration and test program for the drives on one serial line.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>
#include <utility>

#include "gui/app/command_line.h"
#include "gui/app/main_frame.h"
#include "gui/app/qt_dialog_service.h"
#include "gui/app/settings_location.h"
#include "gui/app/show_requests.h"
#include "gui/app/tour.h"
#include "gui/app/update_check.h"
#include "gui/app/view_registry.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/connect_dialog.h"
#include "gui/model/port/CCommMaster.h"
#include "tools/common/qt_tool_ui.h"

namespace {

void PrintError(const QString& text) {
    std::fprintf(stderr, "TarselV8: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tarsel::app;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TarselV8"));
    QApplication::setOrganizationName(QStringLiteral("TarselTevra"));
    tarsel::tools::InstallTranslations(app, QStringLiteral("tarselv8"));

    const LaunchOptions options = ParseCommandLine(QCoreApplication::arguments().mid(1));
    if (options.help) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (!options.error.isEmpty()) {
        PrintError(options.error);
        std::fputs(UsageText().toLocal8Bit().constData(), stderr);
        return 2;
    }

    ViewRegistry views;
    RegisterAllViews(views);
    QtDialogService dialogs;
    tarsel::CCommMaster& master = tarsel::CCommMaster::GetInstance();
    MainFrameOptions frameOptions;
    if (options.port) frameOptions.startDelayMs = -1;  // connected below instead of through the dialog
    CMainFrame frame(master, dialogs, views, frameOptions);
    dialogs.SetParent(&frame);
    master.SetMainFrame(&frame.ModelSink(), &frame.FailureReporter());
    master.LoadDefaultTables();

    const std::filesystem::path settings = SettingsDirectory();
    frame.SetConnectDialog([&](QWidget* parent) {
        CDlgConnect dialog(master, dialogs, settings, parent);
        if (options.selectPort) dialog.Preselect(*options.selectPort);
        return dialog.exec() == QDialog::Accepted;
    });
    frame.SetAboutBox([](QWidget* parent) {
        CAboutDlg about(parent);
        about.exec();
    });
    frame.SetUpdateCheck([&frame](QWidget*) {
        CheckForUpdate(QCoreApplication::applicationFilePath(), frame.windowTitle(), QDir::tempPath());
    });
    std::unique_ptr<CTour> tour;
    frame.SetOnConnected([&frame, &tour, &options, show = options.show]() mutable {
        // The windows asked for on the command line open with the first connection only.
        const auto requests = std::exchange(show, {});
        for (const QString& error : ApplyShowRequests(frame, requests)) PrintError(error);
        if (!options.tourFolder.isEmpty() && !tour) {
            tour = std::make_unique<CTour>(frame, options.tourFolder, [](bool ok) {
                if (!ok) PrintError(QStringLiteral("some windows of the tour could not be saved"));
                QCoreApplication::exit(ok ? 0 : 1);
            });
            tour->Start();
        }
    });
    if (!options.tourFolder.isEmpty()) {
        frame.resize(1280, 860);
        frame.show();
    } else {
        frame.showMaximized();
    }

    if (options.port) {
        QTimer::singleShot(0, &frame, [&] {
            const int result = frame.ConnectDirect(*options.port, options.baudRate);
            const QString text =
                CDlgConnect::ResultText(result, QString::fromStdString(master.GetMessageText()));
            if (!text.isEmpty())
                dialogs.Box({QCoreApplication::translate("tarsel::app::CDlgConnect", "Error"), text,
                             BoxButtons::Ok, BoxIcon::Error});
            if (!frame.IsConnected() && !options.tourFolder.isEmpty()) QCoreApplication::exit(1);
            if (!frame.IsConnected() && options.tourFolder.isEmpty()) frame.OnConnect();
        });
    }
    const int result = QApplication::exec();
    master.DisconnectAll();
    master.SetMainFrame(nullptr, nullptr);
    return result;
}
