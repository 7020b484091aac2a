// firmloader: the wizard, or the command-line mode when options are given.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/qt_tool_ui.h"
#include "tools/firmloader/core/command_line.h"
#include "tools/firmloader/wizard/main_frame.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tarsel::firmware::IsCommandLine(args))
        return tarsel::firmware::RunCommandLine(args, std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firmloader"));
    QApplication::setApplicationVersion(QStringLiteral(FIRMLOADER_VERSION));
    tarsel::tools::InstallTranslations(app, QStringLiteral("firmloader"));

    tarsel::firmware::CMainFrame frame;
    frame.show();
    return app.exec();
}
