// framebench: composes raw frames byte by byte, sends them and shows the bytes that come back.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <exception>
#include <iostream>

#include "tools/common/port_choices.h"
#include "tools/common/qt_tool_ui.h"
#include "tools/framebench/frame_bench_dialog.h"

namespace {

void Usage(std::ostream& out) {
    out << "Usage: framebench [--port N] [--baud B] [--connect] [--hex \"AA CC ...\"] [--send]\n"
           "  --port N      put N into the port field\n"
           "  --baud B      select the baud rate B\n"
           "  --connect     connect at start\n"
           "  --hex BYTES   append these bytes to the send buffer after connecting\n"
           "  --send        send them\n";
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QLatin1String(name));
}

int Run(int argc, char** argv) {
    QString port;
    QString baud;
    QString hex;
    bool connectAtStart = false;
    bool sendAtStart = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue) {
            port = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--baud" && hasValue) {
            baud = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--hex" && hasValue) {
            hex = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--connect") {
            connectAtStart = true;
        } else if (arg == "--send") {
            sendAtStart = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        } else if (arg.rfind("-", 0) == 0 && arg.rfind("-platform", 0) != 0) {
            std::cerr << "Unknown or incomplete argument: " << arg << '\n';
            Usage(std::cerr);
            return 1;
        }
    }

    QApplication app(argc, argv);
    tarsel::tools::InstallTranslations(app, QStringLiteral("framebench"));
    tarsel::framebench::SerialRawPort rawPort;
    tarsel::framebench::FrameBenchDialog dialog(rawPort);
    if (!port.isEmpty()) Child<QLineEdit>(dialog, "portEdit")->setText(port);
    if (!baud.isEmpty()) {
        auto* combo = Child<QComboBox>(dialog, "baudCombo");
        const int index = combo->findText(baud);
        if (index < 0) {
            std::cerr << "The baud rate " << baud.toStdString() << " is not offered.\n";
            return 1;
        }
        combo->setCurrentIndex(index);
    }
    dialog.show();
    QTimer::singleShot(0, &dialog, [&] {
        if (connectAtStart) Child<QAbstractButton>(dialog, "connectButton")->click();
        if (!hex.isEmpty()) {
            Child<QLineEdit>(dialog, "hexEdit")->setText(hex);
            Child<QAbstractButton>(dialog, "hexButton")->click();
        }
        if (sendAtStart) Child<QAbstractButton>(dialog, "sendButton")->click();
    });
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "framebench: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "framebench: unexpected failure\n";
    }
    return 1;
}
