#include "gui/graphlink/CGraphPipeClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <algorithm>

#include "gui/graphlink/graph_endpoint.h"
#include "gui/graphlink/graph_messages.h"

namespace tarsel::graphlink {

namespace {

constexpr int kPollSliceMs = 20;      // pause between two looks while waiting
constexpr int kConnectMs = 1000;      // one connection attempt to a local socket
constexpr int kWriteLimitMs = 10000;  // one message handed to a graph program that stopped reading

CGraphPipeClient::Options Completed(CGraphPipeClient::Options options) {
    if (options.endpoint.isEmpty()) options.endpoint = DefaultEndpoint();
    const QString folder =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (options.program.isEmpty()) options.program = QDir(folder).filePath(QStringLiteral("Plotvane"));
    if (options.argument.isEmpty()) {
        options.argument = folder;
        if (!options.argument.endsWith(QLatin1Char('/'))) options.argument += QLatin1Char('/');
    }
    return options;
}

}  // namespace

CGraphPipeClient::CGraphPipeClient() : CGraphPipeClient(Options{}) {}

CGraphPipeClient::CGraphPipeClient(Options options) : options_(Completed(std::move(options))) {}

CGraphPipeClient::~CGraphPipeClient() {
    Close();
}

bool CGraphPipeClient::WaitFor(const std::function<bool()>& done, int limitMs,
                               const std::function<bool()>& keepGoing) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (done()) return true;
        if (clock.elapsed() >= limitMs) return false;
        if (keepGoing && !keepGoing()) return false;
        QThread::msleep(
            static_cast<unsigned long>(std::clamp<qint64>(limitMs - clock.elapsed(), 1, kPollSliceMs)));
    }
}

bool CGraphPipeClient::Pause(int ms, const std::function<bool()>& keepGoing) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (keepGoing && !keepGoing()) return false;
        const qint64 left = ms - clock.elapsed();
        if (left <= 0) return true;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kPollSliceMs)));
    }
}

bool CGraphPipeClient::StartGraphApplication(const std::function<bool()>& keepGoing) {
    const QString& endpoint = options_.endpoint;
    if (!GraphServerRunning(endpoint)) {
        // The program serves the endpoint this client waits on, also when that is not its default.
        QProcess process;
        process.setProgram(options_.program);
        process.setArguments({options_.argument});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TARSEL_GRAPH_ENDPOINT"), endpoint);
        process.setProcessEnvironment(environment);
        if (!process.startDetached()) return false;
        if (!WaitFor([&] { return GraphServerRunning(endpoint); }, options_.windowWaitMs, keepGoing))
            return false;
    }
    // The server takes its presence before it listens: wait until the socket is published too.
    if (!WaitFor([&] { return GraphServerRunning(endpoint) && QFileInfo::exists(endpoint); },
                 options_.presenceWaitMs, keepGoing))
        return false;

    QElapsedTimer clock;
    clock.start();
    for (;;) {
        Close();
        if (Open()) {
            const bool sent = Send(EncodeProbe());
            Close();
            if (sent) return true;
        }
        if (clock.elapsed() >= options_.probeMs) return false;
        const int pause =
            static_cast<int>(std::min<qint64>(options_.probeRetryMs, options_.probeMs - clock.elapsed()));
        if (!Pause(pause, keepGoing)) return false;
    }
}

bool CGraphPipeClient::Open() {
    Close();
    socket_ = std::make_unique<QLocalSocket>();
    socket_->connectToServer(options_.endpoint, QIODevice::WriteOnly);
    if (socket_->state() == QLocalSocket::ConnectedState || socket_->waitForConnected(kConnectMs))
        return true;
    socket_.reset();
    return false;
}

bool CGraphPipeClient::IsOpen() const {
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

bool CGraphPipeClient::Send(const std::vector<uint8_t>& message) {
    if (!IsOpen()) return false;
    const qint64 size = static_cast<qint64>(message.size());
    if (socket_->write(reinterpret_cast<const char*>(message.data()), size) != size) return false;
    QElapsedTimer clock;
    clock.start();
    while (socket_->bytesToWrite() > 0) {
        const qint64 left = kWriteLimitMs - clock.elapsed();
        if (left <= 0 || !socket_->waitForBytesWritten(static_cast<int>(left))) return false;
    }
    return socket_->state() == QLocalSocket::ConnectedState;
}

void CGraphPipeClient::Close() {
    if (!socket_) return;
    // Whatever was accepted has been written by Send; disconnecting flushes nothing new.
    socket_->abort();
    socket_.reset();
}

}  // namespace tarsel::graphlink
