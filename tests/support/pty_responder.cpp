#include "tests/support/pty_responder.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

namespace tarsel::testing {

std::vector<uint8_t> WireOfBody(std::vector<uint8_t> body, bool appendCrc) {
    if (appendCrc) {
        const uint16_t crc = CalcCRC(body.data(), body.size());
        body.push_back(static_cast<uint8_t>(crc));
        body.push_back(static_cast<uint8_t>(crc >> 8));
    }
    std::vector<uint8_t> wire(body.size() * 2 + 4);
    wire.resize(StuffFrame(body.data(), body.size(), wire.data(), wire.size()));
    return wire;
}

std::vector<uint8_t> AnswerWire(FrameForm form, uint8_t slave, uint8_t sync, uint8_t type, uint8_t status,
                                const std::vector<uint8_t>& data) {
    std::vector<uint8_t> body{slave};
    if (form == FrameForm::Sequenced) body.push_back(sync);
    body.push_back(type);
    body.push_back(status);
    body.insert(body.end(), data.begin(), data.end());
    return WireOfBody(body);
}

std::vector<uint8_t> AnswerTo(const Request& request, uint8_t status, const std::vector<uint8_t>& data) {
    return AnswerWire(request.form, request.slave(), request.sync(), request.frameType(), status, data);
}

PtyResponder::PtyResponder(Script script, FrameForm form) : script_(std::move(script)), form_(form) {
    int slave = -1;
    char name[256] = {};
    if (openpty(&master_, &slave, name, nullptr, nullptr) != 0) return;
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);
    // Keeping a slave descriptor open avoids a hang-up being seen while the host reopens.
    slaveKeepAlive_ = slave;
    slavePath_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    thread_ = std::thread([this] { Run(); });
}

PtyResponder::~PtyResponder() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (master_ >= 0) ::close(master_);
    if (slaveKeepAlive_ >= 0) ::close(slaveKeepAlive_);
}

void PtyResponder::SetScript(Script script) {
    std::lock_guard<std::mutex> lock(mutex_);
    script_ = std::move(script);
}

void PtyResponder::SetForm(FrameForm form) {
    std::lock_guard<std::mutex> lock(mutex_);
    form_ = form;
}

std::vector<Request> PtyResponder::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

std::size_t PtyResponder::RequestCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_.size();
}

bool PtyResponder::WaitForRequests(std::size_t count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return requests_.size() >= count; });
}

std::vector<uint8_t> PtyResponder::RawReceived() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return raw_;
}

void PtyResponder::Send(const std::vector<uint8_t>& wire) {
    std::size_t done = 0;
    while (done < wire.size() && master_ >= 0) {
        const ssize_t n = ::write(master_, wire.data() + done, wire.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 10);
        }
    }
}

void PtyResponder::HangUp() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (slaveKeepAlive_ >= 0) ::close(slaveKeepAlive_);
    slaveKeepAlive_ = -1;
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyResponder::StopReading() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (slaveKeepAlive_ < 0) return;
    // Our own slave descriptor writes into the same queue as the host does.
    fcntl(slaveKeepAlive_, F_SETFL, fcntl(slaveKeepAlive_, F_GETFL) | O_NONBLOCK);
    // The kernel moves queued bytes on to the master's own buffer a little later, which
    // makes room again, and a small write may still fit where a large one does not: fill
    // with ever smaller writes until no room came back for a while.
    const char filler[4096] = {};
    pollfd room{slaveKeepAlive_, POLLOUT, 0};
    do {
        for (std::size_t size = sizeof filler; size > 0; size /= 4) {
            while (::write(slaveKeepAlive_, filler, size) > 0) {
            }
        }
    } while (::poll(&room, 1, 100) > 0);
}

void PtyResponder::Run() {
    FrameReceiver receiver;
    while (!stop_) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN)) continue;
        uint8_t buffer[512];
        const ssize_t n = ::read(master_, buffer, sizeof(buffer));
        if (n <= 0) continue;
        for (ssize_t i = 0; i < n; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                raw_.push_back(buffer[i]);
            }
            if (receiver.Feed(buffer[i]) != FrameReceiver::Event::Complete) continue;
            Request request;
            Script script;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                request.form = form_;
                request.body.assign(receiver.Data(), receiver.Data() + receiver.EventCount() - 2);
                requests_.push_back(request);
                script = script_;
            }
            changed_.notify_all();
            if (!script) continue;
            for (const Reply& reply : script(request)) {
                if (reply.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
                Send(reply.wire);
            }
        }
    }
}

}  // namespace tarsel::testing
