// A scripted drive for transport tests: owns a pseudo-terminal, decodes every request written
// to the slave side and answers with whatever the test's script returns.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "comm/frame.h"

namespace tarsel::testing {

struct Request {
    std::vector<uint8_t> body;  // unstuffed body without CRC
    FrameForm form = FrameForm::Sequenced;
    uint8_t slave() const { return body.at(0); }
    uint8_t sync() const { return form == FrameForm::Sequenced ? body.at(1) : 0; }
    uint8_t frameType() const { return body.at(form == FrameForm::Sequenced ? 2 : 1); }
    std::vector<uint8_t> data() const {
        const std::size_t start = form == FrameForm::Sequenced ? 3 : 2;
        return std::vector<uint8_t>(body.begin() + static_cast<long>(start), body.end());
    }
};

// What the responder sends back for one request: raw wire bytes, after an optional delay.
struct Reply {
    std::vector<uint8_t> wire;
    int delayMs = 0;
};

using Script = std::function<std::vector<Reply>(const Request&)>;

// Wire bytes of an answer in either form.
std::vector<uint8_t> AnswerWire(FrameForm form, uint8_t slave, uint8_t sync, uint8_t type, uint8_t status,
                                const std::vector<uint8_t>& data = {});
// Answer to `request` echoing its header.
std::vector<uint8_t> AnswerTo(const Request& request, uint8_t status, const std::vector<uint8_t>& data = {});
// Stuffs an arbitrary body (CRC appended) into wire bytes.
std::vector<uint8_t> WireOfBody(std::vector<uint8_t> body, bool appendCrc = true);

class PtyResponder {
public:
    // `form` is the form the responder decodes requests in.
    explicit PtyResponder(Script script, FrameForm form = FrameForm::Sequenced);
    ~PtyResponder();

    const std::string& DevicePath() const { return slavePath_; }
    void SetScript(Script script);
    void SetForm(FrameForm form);
    // Every request decoded so far, in order.
    std::vector<Request> Requests() const;
    std::size_t RequestCount() const;
    bool WaitForRequests(std::size_t count, int timeoutMs) const;
    // Raw bytes received from the host so far.
    std::vector<uint8_t> RawReceived() const;
    // Sends bytes to the host right now.
    void Send(const std::vector<uint8_t>& wire);
    // The drive side reads nothing more and the queue towards it is full, so that no byte the
    // host writes can leave (an adapter that stopped transmitting).
    void StopReading();
    // Closes the master side: the host sees the line hang up.
    void HangUp();

private:
    void Run();

    int master_ = -1;
    int slaveKeepAlive_ = -1;
    std::string slavePath_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Script script_;
    FrameForm form_;
    std::vector<Request> requests_;
    std::vector<uint8_t> raw_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace tarsel::testing
