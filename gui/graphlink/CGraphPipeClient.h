// The recording side of the graph link: starts the graph program when none runs, connects to its
// endpoint and writes messages of graph_messages.h.  The client never reads.  Every wait is
// bounded and calls back into the caller between attempts, so a GUI caller keeps its event loop
// running and can give up.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLocalSocket;

namespace tarsel::graphlink {

class CGraphPipeClient {
public:
    struct Options {
        QString endpoint;  // DefaultEndpoint() when empty
        QString program;   // the graph program; default: "Plotvane" next to the running executable
        QString argument;  // default: the running executable's folder ending in '/'
        int windowWaitMs = 10000, presenceWaitMs = 5000, probeMs = 5000, probeRetryMs = 1000;
    };

    CGraphPipeClient();
    explicit CGraphPipeClient(Options options);
    ~CGraphPipeClient();
    CGraphPipeClient(const CGraphPipeClient&) = delete;
    CGraphPipeClient& operator=(const CGraphPipeClient&) = delete;

    // Starts the graph program when no server is running (with $TARSEL_GRAPH_ENDPOINT set to this
    // client's endpoint, so that it serves where the client looks), waits for it and probes the endpoint
    // with one 0x00 byte.  `keepGoing` is called between attempts; returning false gives up.
    // False on failure (the program could not be started, did not appear in time, or no probe
    // got through).
    bool StartGraphApplication(const std::function<bool()>& keepGoing);
    // One attempt to connect; true when connected.
    bool Open();
    bool IsOpen() const;
    // True when every byte was handed to the endpoint within the write limit.
    bool Send(const std::vector<uint8_t>& message);
    void Close();

    const Options& options() const { return options_; }

private:
    // Calls `done` until it is true, at most `limitMs`, sleeping a little and asking `keepGoing`
    // between attempts.  False on timeout or when the caller gave up.
    bool WaitFor(const std::function<bool()>& done, int limitMs, const std::function<bool()>& keepGoing);

    // Sleeps `ms` in short slices, asking `keepGoing` between them; false when the caller gave up.
    bool Pause(int ms, const std::function<bool()>& keepGoing);

    Options options_;
    std::unique_ptr<QLocalSocket> socket_;
};

}  // namespace tarsel::graphlink
