#include "gui/graphlink/graph_server.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <vector>

namespace tarsel::graphlink {

struct CGraphServer::Connection {
    QLocalSocket* socket = nullptr;  // owned by the QLocalServer until deleteLater
    CGraphStreamDecoder decoder;
};

CGraphServer::CGraphServer(QString endpoint) : endpoint_(std::move(endpoint)) {}

CGraphServer::~CGraphServer() {
    // Handlers must not run for sockets torn down with the server.
    onMessage_ = nullptr;
    onBytes_ = nullptr;
    onClosed_ = nullptr;
    for (auto& [id, connection] : connections_) {
        QObject::disconnect(connection->socket, nullptr, nullptr, nullptr);
        connection->socket->abort();
        delete connection->socket;
    }
    connections_.clear();
    if (server_) server_->close();  // removes the socket file
}

bool CGraphServer::Listen() {
    if (IsListening()) return true;
    presence_ = std::make_unique<CGraphServerPresence>(endpoint_);
    if (!presence_->Held()) {
        presence_.reset();
        error_ = QStringLiteral("another graph program serves %1").arg(endpoint_);
        return false;
    }
    // Holding the presence proves that no living server owns the socket file.
    QLocalServer::removeServer(endpoint_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] { Accept(); });
    if (!server_->listen(endpoint_)) {
        error_ = server_->errorString();
        server_.reset();
        presence_.reset();
        return false;
    }
    error_.clear();
    return true;
}

bool CGraphServer::IsListening() const {
    return server_ && server_->isListening();
}

void CGraphServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        const uint64_t id = nextId_++;
        auto connection = std::make_unique<Connection>();
        connection->socket = socket;
        connections_.emplace(id, std::move(connection));
        QObject::connect(socket, &QLocalSocket::readyRead, server_.get(), [this, id] { ReadFrom(id); });
        QObject::connect(socket, &QLocalSocket::disconnected, server_.get(), [this, id] {
            ReadFrom(id);  // what arrived together with the end
            auto it = connections_.find(id);
            if (it == connections_.end()) return;
            // A message the sender broke off is lost; say so rather than report a clean end.
            auto& decoder = it->second->decoder;
            Drop(id, decoder.Finish() ? QString() : QString::fromStdString(decoder.Error()));
        });
        ReadFrom(id);
    }
}

void CGraphServer::ReadFrom(uint64_t id) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    QLocalSocket* socket = it->second->socket;
    const QByteArray chunk = socket->readAll();
    if (chunk.isEmpty()) return;
    if (onBytes_) onBytes_(id, chunk);
    std::vector<GraphMessage> messages;
    const auto* data = reinterpret_cast<const uint8_t*>(chunk.constData());
    const bool ok = it->second->decoder.Feed(
        std::span<const uint8_t>(data, static_cast<std::size_t>(chunk.size())), messages);
    const QString error = ok ? QString() : QString::fromStdString(it->second->decoder.Error());
    for (const auto& message : messages) {
        if (onMessage_) onMessage_(id, message);
    }
    if (!ok && connections_.count(id)) Drop(id, error);
}

void CGraphServer::Drop(uint64_t id, const QString& error) {
    auto it = connections_.find(id);
    if (it == connections_.end()) return;
    QLocalSocket* socket = it->second->socket;
    connections_.erase(it);
    QObject::disconnect(socket, nullptr, nullptr, nullptr);
    socket->abort();
    socket->deleteLater();
    if (onClosed_) onClosed_(id, error);
}

}  // namespace tarsel::graphlink
