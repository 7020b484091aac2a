// Where the graph program listens, and how another process tells that it runs.  A graph program
// serving an endpoint holds an exclusive lock on "<endpoint>.lock" for as long as it serves; the
// lock goes with the process, also when it crashes, so a leftover file never looks alive.
#pragma once

#include <QString>

namespace tarsel::graphlink {

// The per-user local socket path: $TARSEL_GRAPH_ENDPOINT when set, else
// $XDG_RUNTIME_DIR/GRAPH_SERVER, else <temp>/GRAPH_SERVER-<uid>.
QString DefaultEndpoint();

// The lock file that marks a running server of `endpoint`.
QString PresencePath(const QString& endpoint);

// Held by a running graph program (and by test servers) while it serves `endpoint`.
class CGraphServerPresence {
public:
    explicit CGraphServerPresence(const QString& endpoint);
    ~CGraphServerPresence();
    CGraphServerPresence(const CGraphServerPresence&) = delete;
    CGraphServerPresence& operator=(const CGraphServerPresence&) = delete;

    // False when another server already holds the endpoint or the lock file cannot be made.
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// True while some process (this one included) holds the presence of `endpoint`.
bool GraphServerRunning(const QString& endpoint);

}  // namespace tarsel::graphlink
