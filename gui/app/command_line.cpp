#include "gui/app/command_line.h"

namespace tarsel::app {

namespace {

std::optional<unsigned> Number(const QString& text, unsigned maximum) {
    bool ok = false;
    const unsigned value = text.toUInt(&ok, 10);
    if (!ok || value > maximum || text.startsWith(QLatin1Char('+'))) return std::nullopt;
    return value;
}

}  // namespace

QString UsageText() {
    return QStringLiteral(
        "Usage: TarselV8 [--port N [--baud B] | --select-port N] [--show WINDOW[:SLAVE]]...\n"
        "  --port N        connect COMN at start without the connection dialog\n"
        "  --baud B        baud rate of --port (default 115200)\n"
        "  --select-port N preselect COMN in the connection dialog\n"
        "  --show WINDOW   open a window once connected; WINDOW is one of boards, parameters, axis,\n"
        "                  motion, repeat, io-monitor, io-setting, position-table, bldc, monitoring,\n"
        "                  inertia, rl; :SLAVE (0 to 15) picks the drive\n"
        "  --tour FOLDER   with --port: save every window as a PNG into FOLDER, then quit\n");
}

LaunchOptions ParseCommandLine(const QStringList& arguments) {
    LaunchOptions options;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size()) return std::nullopt;
            return arguments[++i];
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--port")) {
            const auto text = value();
            const auto port = text ? Number(*text, 255) : std::nullopt;
            if (!port || *port == 0) {
                options.error = QStringLiteral("--port needs a port number from 1 to 255");
                return options;
            }
            options.port = static_cast<uint8_t>(*port);
        } else if (arg == QLatin1String("--select-port")) {
            const auto text = value();
            const auto port = text ? Number(*text, 255) : std::nullopt;
            if (!port || *port == 0) {
                options.error = QStringLiteral("--select-port needs a port number from 1 to 255");
                return options;
            }
            options.selectPort = static_cast<uint8_t>(*port);
        } else if (arg == QLatin1String("--tour")) {
            const auto text = value();
            if (!text || text->isEmpty()) {
                options.error = QStringLiteral("--tour needs a folder");
                return options;
            }
            options.tourFolder = *text;
        } else if (arg == QLatin1String("--baud")) {
            const auto text = value();
            const auto baud = text ? Number(*text, 4000000) : std::nullopt;
            if (!baud || *baud == 0) {
                options.error = QStringLiteral("--baud needs a baud rate");
                return options;
            }
            options.baudRate = *baud;
        } else if (arg == QLatin1String("--show")) {
            const auto text = value();
            if (!text) {
                options.error = QStringLiteral("--show needs a window name");
                return options;
            }
            const QString name = text->section(QLatin1Char(':'), 0, 0);
            ShowRequest request;
            request.frame = FrameByName(name.toStdString());
            if (!request.frame) request.dialog = DialogByName(name.toStdString());
            if (!request.frame && !request.dialog) {
                options.error = QStringLiteral("unknown window \"%1\" for --show").arg(name);
                return options;
            }
            if (text->contains(QLatin1Char(':'))) {
                const auto slave = Number(text->section(QLatin1Char(':'), 1), 15);
                if (!slave) {
                    options.error = QStringLiteral("slave number of \"%1\" must be 0 to 15").arg(*text);
                    return options;
                }
                request.slave = static_cast<uint8_t>(*slave);
            }
            options.show.push_back(request);
        } else {
            options.error = QStringLiteral("unknown argument \"%1\"").arg(arg);
            return options;
        }
    }
    if (!options.tourFolder.isEmpty() && !options.port) options.error = QStringLiteral("--tour needs --port");
    return options;
}

}  // namespace tarsel::app
