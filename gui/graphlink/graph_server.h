// The serving side of the graph link, used by the graph program and by tests that stand in for
// it: takes the endpoint's presence, listens on the local socket and decodes every connection's
// stream on its own.  A connection whose stream turns malformed is dropped; the others go on.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "gui/graphlink/graph_endpoint.h"
#include "gui/graphlink/graph_messages.h"

class QLocalServer;
class QLocalSocket;

namespace tarsel::graphlink {

class CGraphServer {
public:
    using MessageHandler = std::function<void(uint64_t connection, const GraphMessage& message)>;
    using BytesHandler = std::function<void(uint64_t connection, const QByteArray& bytes)>;
    using ClosedHandler = std::function<void(uint64_t connection, const QString& error)>;

    explicit CGraphServer(QString endpoint);
    ~CGraphServer();
    CGraphServer(const CGraphServer&) = delete;
    CGraphServer& operator=(const CGraphServer&) = delete;

    // Takes the presence and listens.  False when another server holds the endpoint or the
    // socket cannot be made (ErrorText says which).  A socket file left by a server that is gone
    // is removed first; one of a living server never is.
    bool Listen();
    bool IsListening() const;
    const QString& endpoint() const { return endpoint_; }
    const QString& ErrorText() const { return error_; }

    // Called on the server's thread as messages, raw chunks and connection ends arrive.  A closed
    // connection reports an empty error when the peer closed it between messages, else why it was
    // dropped (a stream broken off inside a message included).
    void SetMessageHandler(MessageHandler handler) { onMessage_ = std::move(handler); }
    void SetBytesHandler(BytesHandler handler) { onBytes_ = std::move(handler); }
    void SetClosedHandler(ClosedHandler handler) { onClosed_ = std::move(handler); }

    int ConnectionCount() const { return static_cast<int>(connections_.size()); }

private:
    struct Connection;
    void Accept();
    void ReadFrom(uint64_t id);
    void Drop(uint64_t id, const QString& error);

    QString endpoint_;
    QString error_;
    std::unique_ptr<CGraphServerPresence> presence_;
    std::unique_ptr<QLocalServer> server_;
    std::map<uint64_t, std::unique_ptr<Connection>> connections_;
    uint64_t nextId_ = 1;
    MessageHandler onMessage_;
    BytesHandler onBytes_;
    ClosedHandler onClosed_;
};

}  // namespace tarsel::graphlink
