// firmloader: the wizard, or the command-line mode when options are given.
#include <QApplication>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/qt_tool_ui.h"
#include "tools/firmloader/core/command_line.h"
#include "tools/firmloader/wizard/main_frame.h"

namespace {

int Run(int argc, char** argv) {
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

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "firmloader: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "firmloader: unexpected failure\n";
    }
    return tarsel::firmware::exit_code::kUpdateFailed;
}
