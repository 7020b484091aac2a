// idpicker: finds the drives on one line and gives one of them a new slave number, in a dialog
// or from the command line.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <exception>
#include <iostream>

#include "tools/common/port_choices.h"
#include "tools/common/qt_tool_ui.h"
#include "tools/idpicker/command_line.h"
#include "tools/idpicker/id_picker_dialog.h"

namespace {

int Run(int argc, char** argv) {
    using namespace tarsel::idpicker;
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto options = ParseOptions(args, error);
    if (!options) {
        std::cerr << error << '\n' << UsageText();
        return kExitUsage;
    }
    if (options->mode == Options::Mode::Help) {
        std::cout << UsageText();
        return kExitOk;
    }
    if (options->mode != Options::Mode::Dialog) {
        SerialSlaveLink link(SlaveLinkTimeouts{options->probeTimeoutMs, options->probeTimeoutMs, 2000});
        return RunCommandLine(*options, link, std::cout, std::cerr);
    }

    QApplication app(argc, argv);
    tarsel::tools::InstallTranslations(app, QStringLiteral("idpicker"));
    SerialSlaveLink link;
    IdPickerDialog dialog(link, tarsel::tools::SortedPorts());
    if (options->port && !dialog.SelectPort(*options->port))
        std::cerr << "COM" << *options->port << " is not among the ports found.\n";
    dialog.show();
    if (options->connectAtStart) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            if (auto* button = dialog.findChild<QAbstractButton*>(QStringLiteral("connectButton")))
                button->click();
        });
    }
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "idpicker: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "idpicker: unexpected failure\n";
    }
    return tarsel::idpicker::kExitFailure;
}
