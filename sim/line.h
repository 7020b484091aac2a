// The line behind SimLine: the pty pair, the serving thread, the drives and the faults.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "comm/frame.h"
#include "comm/platform/port_entry_lock.h"
#include "sim/drive.h"
#include "sim/faults.h"
#include "sim/simulator.h"

namespace tarsel::sim {

// Owns one file descriptor.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    int Get() const { return fd_; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

class SimLineImpl {
public:
    ~SimLineImpl() { Stop(); }

    bool Start(const LineOptions& options);
    bool Publish(unsigned portNumber);
    void Stop();
    void HangUp();

    // Everything below is guarded by `mutex`.
    mutable std::mutex mutex;
    std::map<uint8_t, std::unique_ptr<Drive>> drives;
    FaultSet faults;
    std::deque<RequestRecord> log;
    LineOptions options;
    std::string devicePath;
    std::string publishedPath;

    Drive* Find(uint8_t slave) const;
    // Queues bytes to leave now, after the answers already waiting; false when the line is down.
    bool QueueRaw(const std::vector<uint8_t>& bytes);
    void AdvanceAll(Clock::time_point now);

private:
    struct PendingAnswer {
        Clock::time_point due;
        std::vector<uint8_t> bytes;
    };

    void Serve();
    void Unpublish();  // under `mutex`
    void OnFrame(const uint8_t* body, std::size_t length, bool crcGood, Clock::time_point now);
    void Answer(Drive& drive, const uint8_t* body, std::size_t length, bool crcGood, Clock::time_point now,
                RequestRecord& record);
    void FlushDue(Clock::time_point now);
    void QueuePacketError(const uint8_t* body, Clock::time_point now);
    void QueueEcho(const uint8_t* body, std::size_t length, Clock::time_point now);
    void Record(RequestRecord record);

    platform::PortEntryLock publishLock_;  // held while the line is published
    UniqueFd master_;
    UniqueFd slaveKeeper_;  // keeps the pty alive while no program has it open
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stopRequested_{false};
    FrameReceiver receiver_;
    std::deque<PendingAnswer> pending_;
};

}  // namespace tarsel::sim
