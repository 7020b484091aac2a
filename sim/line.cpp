// Serving a simulated line on the master side of a pty: frames in, drive answers out.
#include "sim/line.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "comm/platform/ports.h"
#include "comm/result_codes.h"

namespace tarsel::sim {
namespace {

constexpr auto kPollPeriod = std::chrono::milliseconds(5);
constexpr std::size_t kLogLimit = 10000;

// The request as the drive decodes it in its own frame form (the caller checked the length).
RequestRecord MakeRecord(Clock::time_point now, const uint8_t* body, std::size_t length, FrameForm form,
                         bool crcGood) {
    const std::size_t header = form == FrameForm::Sequenced ? 3 : 2;
    RequestRecord record;
    record.time = now;
    record.slave = body[0];
    record.sync = form == FrameForm::Sequenced ? body[1] : 0;
    record.frameType = body[header - 1];
    record.form = form;
    record.data.assign(body + header, body + length - 2);
    record.crcError = !crcGood;
    return record;
}

}  // namespace

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

bool SimLineImpl::Start(const LineOptions& lineOptions) {
    if (running_) return false;
    int masterFd = -1, slaveFd = -1;
    char name[256] = {};
    if (openpty(&masterFd, &slaveFd, name, nullptr, nullptr) != 0) return false;
    UniqueFd master(masterFd), slave(slaveFd);
    termios tio{};
    if (tcgetattr(slaveFd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slaveFd, TCSANOW, &tio);
    }
    int flags = fcntl(masterFd, F_GETFL);
    fcntl(masterFd, F_SETFL, flags | O_NONBLOCK);
    fcntl(masterFd, F_SETFD, FD_CLOEXEC);
    fcntl(slaveFd, F_SETFD, FD_CLOEXEC);
    {
        std::lock_guard lock(mutex);
        options = lineOptions;
        devicePath = name;
        pending_.clear();
        receiver_.Reset();
    }
    master_ = std::move(master);
    slaveKeeper_ = std::move(slave);
    stopRequested_ = false;
    running_ = true;
    thread_ = std::thread([this] { Serve(); });
    return true;
}

bool SimLineImpl::Publish(unsigned portNumber) {
    std::lock_guard lock(mutex);
    if (!running_ || devicePath.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(platform::PortsDirectory(), ec);
    const std::string entry = platform::PortEntryPath(portNumber);
    // The lock tells readers of the directory that the entry is served; a line killed without
    // cleaning up leaves an entry that they then recognise as stale.  Another live line keeps
    // its entry.
    platform::PortEntryLock entryLock;
    if (entry != publishedPath && !entryLock.Acquire(entry, devicePath)) return false;
    ::unlink(entry.c_str());
    if (::symlink(devicePath.c_str(), entry.c_str()) != 0) return false;
    if (entry != publishedPath) {
        if (!publishedPath.empty()) Unpublish();
        publishLock_ = std::move(entryLock);
    }
    publishedPath = entry;
    return true;
}

void SimLineImpl::Stop() {
    stopRequested_ = true;
    if (thread_.joinable()) thread_.join();
    running_ = false;
    std::lock_guard lock(mutex);
    master_.Reset();
    slaveKeeper_.Reset();
    if (!publishedPath.empty()) Unpublish();
    devicePath.clear();
    pending_.clear();
}

void SimLineImpl::Unpublish() {
    // Remove the entry only while it still points at this line's device.
    char target[512];
    ssize_t n = ::readlink(publishedPath.c_str(), target, sizeof(target) - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == devicePath)
        ::unlink(publishedPath.c_str());
    publishedPath.clear();
    publishLock_.Release();
}

void SimLineImpl::HangUp() {
    std::lock_guard lock(mutex);
    master_.Reset();
    slaveKeeper_.Reset();
    pending_.clear();
}

Drive* SimLineImpl::Find(uint8_t slave) const {
    auto it = drives.find(slave);
    return it == drives.end() ? nullptr : it->second.get();
}

void SimLineImpl::AdvanceAll(Clock::time_point now) {
    for (auto& [slave, drive] : drives) drive->Advance(now);
}

void SimLineImpl::Record(RequestRecord record) {
    log.push_back(std::move(record));
    while (log.size() > kLogLimit) log.pop_front();
}

void SimLineImpl::Serve() {
    uint8_t buffer[512];
    while (!stopRequested_) {
        int fd;
        int timeoutMs;
        {
            std::lock_guard lock(mutex);
            fd = master_.Get();
            auto wait = kPollPeriod;
            if (!pending_.empty()) {
                auto untilDue = std::chrono::duration_cast<std::chrono::milliseconds>(pending_.front().due -
                                                                                      Clock::now());
                wait = std::clamp(untilDue, std::chrono::milliseconds(0), kPollPeriod);
            }
            timeoutMs = static_cast<int>(wait.count());
        }
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, fd >= 0 ? 1 : 0, timeoutMs);

        std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        if (master_.Get() >= 0 && (p.revents & POLLIN)) {
            ssize_t n = ::read(master_.Get(), buffer, sizeof(buffer));
            for (ssize_t i = 0; i < n; ++i) {
                const FrameReceiver::Event event = receiver_.Feed(buffer[i]);
                if (event == FrameReceiver::Event::Complete || event == FrameReceiver::Event::CrcFailed)
                    OnFrame(receiver_.Data(), receiver_.EventCount(), event == FrameReceiver::Event::Complete,
                            now);
            }
        }
        FlushDue(now);
        AdvanceAll(now);
    }
}

void SimLineImpl::FlushDue(Clock::time_point now) {
    while (!pending_.empty() && pending_.front().due <= now) {
        PendingAnswer& answer = pending_.front();
        if (master_.Get() < 0) {
            pending_.clear();
            return;
        }
        ssize_t n = ::write(master_.Get(), answer.bytes.data(), answer.bytes.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) return;  // the host reads slowly; try again later
            pending_.clear();
            return;
        }
        answer.bytes.erase(answer.bytes.begin(), answer.bytes.begin() + n);
        if (!answer.bytes.empty()) return;
        pending_.pop_front();
    }
}

void SimLineImpl::OnFrame(const uint8_t* body, std::size_t length, bool crcGood, Clock::time_point now) {
    if (length < 1) return;
    const uint8_t slave = body[0];
    if (faults.TakeEcho(slave)) QueueEcho(body, length, now);
    if (slave == kBroadcastSlave) {
        for (auto& [number, drive] : drives) {
            if (faults.IsSilent(number) || drive->IsRestarting(now)) continue;
            const bool sequenced = drive->Config().form == FrameForm::Sequenced;
            const std::size_t header = sequenced ? 3 : 2;
            if (length < header + 2) continue;
            RequestRecord record = MakeRecord(now, body, length, drive->Config().form, crcGood);
            if (crcGood) drive->Handle(record.frameType, body + header, length - header - 2, now, true);
            Record(std::move(record));
        }
        return;
    }
    Drive* drive = Find(slave);
    if (!drive || drive->IsRestarting(now)) return;
    const bool sequenced = drive->Config().form == FrameForm::Sequenced;
    const std::size_t header = sequenced ? 3 : 2;
    if (length < header + 2) {
        // Too short for the sequenced form (a legacy request): the drive reports a packet error in
        // its own form, which lets a host that detects forms switch back.
        if (sequenced && crcGood && length == 4 && !faults.IsSilent(slave)) QueuePacketError(body, now);
        return;
    }
    RequestRecord record = MakeRecord(now, body, length, drive->Config().form, crcGood);
    Answer(*drive, body, length, crcGood, now, record);
    Record(std::move(record));
}

bool SimLineImpl::QueueRaw(const std::vector<uint8_t>& bytes) {
    if (master_.Get() < 0) return false;
    const Clock::time_point now = Clock::now();
    Clock::time_point due = now;
    if (!pending_.empty() && pending_.back().due > due) due = pending_.back().due;
    pending_.push_back({due, bytes});
    FlushDue(now);
    return true;
}

void SimLineImpl::QueueEcho(const uint8_t* body, std::size_t length, Clock::time_point now) {
    // The host's own frame as it went out (the host stuffs the same way).
    uint8_t wire[kWireBufferSize];
    const std::size_t wireLength = StuffFrame(body, length, wire, sizeof(wire));
    if (wireLength == 0) return;
    Clock::time_point due = now;
    if (!pending_.empty() && pending_.back().due > due) due = pending_.back().due;
    pending_.push_back({due, std::vector<uint8_t>(wire, wire + wireLength)});
    FlushDue(now);
}

void SimLineImpl::QueuePacketError(const uint8_t* body, Clock::time_point now) {
    uint8_t answer[kSequencedMinResponse];
    const std::size_t bodyLength =
        BuildResponseBody(FrameForm::Sequenced, body[0], 0, body[1], kStatusPacketError, nullptr, 0, answer);
    uint8_t wire[2 * kSequencedMinResponse + 4];
    const std::size_t wireLength = StuffFrame(answer, bodyLength, wire, sizeof(wire));
    Clock::time_point due = now + std::chrono::milliseconds(options.turnaroundMs);
    if (!pending_.empty() && pending_.back().due > due) due = pending_.back().due;
    pending_.push_back({due, std::vector<uint8_t>(wire, wire + wireLength)});
    FlushDue(now);
}

void SimLineImpl::Answer(Drive& drive, const uint8_t* body, std::size_t length, bool crcGood,
                         Clock::time_point now, RequestRecord& record) {
    const FaultEffects effects = faults.Take(record.slave);
    if (effects.ignoreRequest) return;
    const std::size_t header = record.form == FrameForm::Sequenced ? 3 : 2;
    DriveResponse response;
    if (!crcGood) {
        response.status = kStatusRequestCrcError;
    } else {
        response = drive.Handle(record.frameType, body + header, length - header - 2, now, false);
        if (response.newSlave && *response.newSlave != record.slave) {
            if (Find(*response.newSlave)) {
                response = {};
                response.status = kStatusDataError;
            } else {
                auto node = drives.extract(record.slave);
                node.key() = *response.newSlave;
                node.mapped()->SetSlave(*response.newSlave);
                drives.insert(std::move(node));
            }
        }
    }
    if (!response.answer) return;

    uint8_t sync = record.sync;
    if (effects.staleSync) sync = static_cast<uint8_t>(sync - 1);
    uint8_t answerBody[kBodyBufferSize + 16];
    std::size_t bodyLength =
        BuildResponseBody(record.form, record.slave, sync, record.frameType, response.status,
                          response.data.data(), response.data.size(), answerBody);
    if (bodyLength == 0) return;
    if (effects.corruptCrc) answerBody[bodyLength - 1] ^= 0x5A;
    for (uint32_t bitIndex : effects.flipBits)
        if (bitIndex / 8 < bodyLength) answerBody[bitIndex / 8] ^= static_cast<uint8_t>(1u << (bitIndex % 8));
    uint8_t wire[kWireBufferSize];
    std::size_t wireLength = StuffFrame(answerBody, bodyLength, wire, sizeof(wire));
    if (wireLength == 0) return;

    PendingAnswer answer;
    answer.bytes = effects.strayBytes;
    answer.bytes.insert(answer.bytes.end(), wire, wire + wireLength);
    if (effects.truncate) answer.bytes.resize(std::max<std::size_t>(1, answer.bytes.size() / 2));
    if (effects.duplicate) {
        const std::vector<uint8_t> once = answer.bytes;
        answer.bytes.insert(answer.bytes.end(), once.begin(), once.end());
    }
    auto delay = std::chrono::milliseconds(options.turnaroundMs + response.delayMs + effects.delayMs);
    auto due = now + delay;
    if (options.pace && options.baudRate > 0)
        due += std::chrono::microseconds(answer.bytes.size() * 10ull * 1'000'000ull / options.baudRate);
    // Answers leave in order.
    if (!pending_.empty() && pending_.back().due > due) due = pending_.back().due;
    answer.due = due;
    if (effects.splitPauseMs && answer.bytes.size() > 1) {
        // The second half leaves after a pause, as from an adapter that buffers unevenly.
        const auto half = answer.bytes.begin() + static_cast<long>(answer.bytes.size() / 2);
        PendingAnswer rest{due + std::chrono::milliseconds(*effects.splitPauseMs),
                           {half, answer.bytes.end()}};
        answer.bytes.erase(half, answer.bytes.end());
        pending_.push_back(std::move(answer));
        pending_.push_back(std::move(rest));
    } else {
        pending_.push_back(std::move(answer));
    }
    record.answered = true;
    record.status = response.status;
    record.answerLength = response.data.size();
    FlushDue(now);
}

}  // namespace tarsel::sim
