// Plotvane, the graph program: shows the runs a recording program streams over the graph link,
// and recordings saved as CSV.
//   Plotvane [FOLDER/] [FILE.csv...]        FOLDER: where the file dialogs start
//   Plotvane --screenshot OUT.png FILE.csv   draws FILE with the cursor in the middle into OUT.png
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

#include "gui/graphlink/graph_endpoint.h"
#include "gui/plotvane/chart_page.h"
#include "gui/plotvane/plotvane_dialogs.h"
#include "gui/plotvane/plotvane_window.h"
#include "tools/common/qt_tool_ui.h"

namespace {

int Screenshot(const QString& output, const QString& input) {
    tarsel::plotvane::QtPlotvaneDialogs dialogs;
    tarsel::plotvane::CPlotvaneWindow window(QString(), dialogs);
    if (!window.OpenFile(input)) return 1;
    window.resize(960, 600);
    window.show();
    QCoreApplication::processEvents();
    auto* page = window.CurrentChart();
    page->SetCursorSample(page->recording().samples.size() / 2);
    QCoreApplication::processEvents();
    if (!window.grab().save(output, "PNG")) {
        std::fprintf(stderr, "Plotvane: cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plotvane"));
    tarsel::tools::InstallTranslations(app, QStringLiteral("plotvane"));
    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty() && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        std::printf(
            "usage: Plotvane [FOLDER/] [FILE.csv...]\n       Plotvane --screenshot OUT.png FILE.csv\n");
        return 0;
    }
    if (!args.isEmpty() && args[0] == QLatin1String("--screenshot")) {
        if (args.size() != 3) {
            std::fprintf(stderr, "usage: Plotvane --screenshot OUT.png FILE.csv\n");
            return 2;
        }
        return Screenshot(args[1], args[2]);
    }

    tarsel::plotvane::QtPlotvaneDialogs dialogs;
    tarsel::plotvane::CPlotvaneWindow window(tarsel::graphlink::DefaultEndpoint(), dialogs);
    QStringList files;
    for (const QString& arg : args) {
        if (QFileInfo(arg).isDir())
            window.SetFolder(arg);  // the recording program passes its own folder
        else
            files << arg;
    }
    window.show();
    QTimer::singleShot(0, &window, [&window, files] {
        for (const QString& file : files) window.OpenFile(file);
    });
    return app.exec();
}
