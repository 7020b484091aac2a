#include "tests/graphlink/graph_test_server.h"

#include <map>

#include "gui/graphlink/graph_server.h"

namespace tarsel::graphlink {

struct CGraphTestServer::State {
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool started = false, listening = false;
    QByteArray bytes;
    std::map<uint64_t, QByteArray> perConnection;
    QByteArray runBytes;
    std::vector<GraphMessage> messages;
    std::map<uint64_t, bool> sawEnd;
    int closed = 0, closedRuns = 0;
};

class CGraphTestServer::Thread : public QThread {
public:
    Thread(QString endpoint, State& state) : endpoint_(std::move(endpoint)), state_(state) {}

protected:
    void run() override {
        CGraphServer server(endpoint_);
        State& s = state_;
        server.SetBytesHandler([&s](uint64_t id, const QByteArray& b) {
            std::lock_guard lock(s.mutex);
            s.bytes += b;
            s.perConnection[id] += b;
        });
        server.SetMessageHandler([&s](uint64_t id, const GraphMessage& m) {
            std::lock_guard lock(s.mutex);
            s.messages.push_back(m);
            if (m.command == GraphCommand::End) s.sawEnd[id] = true;
        });
        server.SetClosedHandler([&s](uint64_t id, const QString&) {
            std::lock_guard lock(s.mutex);
            ++s.closed;
            const QByteArray mine = s.perConnection[id];
            if (mine != QByteArray(1, '\0')) s.runBytes += mine;
            if (s.sawEnd[id]) ++s.closedRuns;
            s.perConnection.erase(id);
            s.changed.notify_all();
        });
        {
            const bool ok = server.Listen();
            std::lock_guard lock(s.mutex);
            s.started = true;
            s.listening = ok;
            s.changed.notify_all();
        }
        exec();
    }

private:
    QString endpoint_;
    State& state_;
};

CGraphTestServer::CGraphTestServer(const QString& endpoint)
    : state_(std::make_unique<State>()), thread_(std::make_unique<Thread>(endpoint, *state_)) {
    thread_->start();
    std::unique_lock lock(state_->mutex);
    state_->changed.wait(lock, [this] { return state_->started; });
}

CGraphTestServer::~CGraphTestServer() {
    thread_->quit();
    thread_->wait();
}

bool CGraphTestServer::Listening() const {
    std::lock_guard lock(state_->mutex);
    return state_->listening;
}

QByteArray CGraphTestServer::Bytes() const {
    std::lock_guard lock(state_->mutex);
    return state_->bytes;
}

QByteArray CGraphTestServer::RunBytes() const {
    std::lock_guard lock(state_->mutex);
    return state_->runBytes;
}

std::vector<GraphMessage> CGraphTestServer::Messages() const {
    std::lock_guard lock(state_->mutex);
    return state_->messages;
}

int CGraphTestServer::Closed() const {
    std::lock_guard lock(state_->mutex);
    return state_->closed;
}

bool CGraphTestServer::WaitForClosedRun(int ms) const {
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, std::chrono::milliseconds(ms),
                                    [this] { return state_->closedRuns > 0; });
}

void CGraphTestServer::Clear() {
    std::lock_guard lock(state_->mutex);
    state_->bytes.clear();
    state_->runBytes.clear();
    state_->messages.clear();
    state_->sawEnd.clear();
    state_->closed = state_->closedRuns = 0;
}

}  // namespace tarsel::graphlink
