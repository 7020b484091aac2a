// A graph server on its own thread for tests: the recording client blocks the test's thread while
// it writes, so a server that only runs when that thread pumps events could not take a whole run.
// Records every byte and message; safe to read from the test's thread at any time.
#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "gui/graphlink/graph_messages.h"

namespace tarsel::graphlink {

class CGraphTestServer {
public:
    // Starts the thread and listens on `endpoint` (holding its presence) before returning.
    explicit CGraphTestServer(const QString& endpoint);
    ~CGraphTestServer();
    CGraphTestServer(const CGraphTestServer&) = delete;
    CGraphTestServer& operator=(const CGraphTestServer&) = delete;

    bool Listening() const;
    // Every byte received, the connections' chunks in arrival order.
    QByteArray Bytes() const;
    // The bytes of connections that sent more than a probe (the run without the probe).
    QByteArray RunBytes() const;
    std::vector<GraphMessage> Messages() const;
    // Connections closed so far (by the peer or dropped as malformed).
    int Closed() const;
    // Waits until an end message ("A") arrived and its connection closed; false after `ms`.
    bool WaitForClosedRun(int ms) const;
    void Clear();

private:
    class Thread;
    struct State;
    std::unique_ptr<State> state_;
    std::unique_ptr<Thread> thread_;
};

}  // namespace tarsel::graphlink
