// A stand-in graph program for the link tests: serves DefaultEndpoint(), writes every byte it
// received into "<folder>received.bin" (the folder is its argument) once the end message came,
// then quits.  Quits on its own after 10 s.
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include "gui/graphlink/graph_server.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    tarsel::graphlink::CGraphServer server(tarsel::graphlink::DefaultEndpoint());
    QByteArray received;
    server.SetBytesHandler([&](uint64_t, const QByteArray& bytes) { received += bytes; });
    server.SetMessageHandler([&](uint64_t, const tarsel::graphlink::GraphMessage& message) {
        if (message.command != tarsel::graphlink::GraphCommand::End) return;
        QFile out(folder + QStringLiteral("received.bin"));
        if (out.open(QIODevice::WriteOnly)) out.write(received);
        out.close();
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });
    if (!server.Listen()) return 2;
    QTimer::singleShot(10000, &app, &QCoreApplication::quit);
    return app.exec();
}
