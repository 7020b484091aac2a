// firmloader: the wizard, or the command-line mode when options are given.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <iostream>
#include <string>
#include <vector>

#include "tools/firmloader/core/command_line.h"
#include "tools/firmloader/wizard/main_frame.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tarsel::firmware::IsCommandLine(args))
        return tarsel::firmware::RunCommandLine(args, std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("firmloader"));
    QApplication::setApplicationVersion(QStringLiteral(FIRMLOADER_VERSION));
    QTranslator translator;
    if (translator.load(QLocale::system(), QStringLiteral("firmloader"), QStringLiteral("_"),
                        QStringLiteral(":/i18n")))
        QApplication::installTranslator(&translator);

    tarsel::firmware::CMainFrame frame;
    frame.show();
    return app.exec();
}
