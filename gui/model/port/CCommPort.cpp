#include "gui/model/port/CCommPort.h"

#include <sys/resource.h>
#include <unistd.h>

#include "comm/result_codes.h"
#include "gui/model/board/board_classes.h"

namespace tarsel {

CCommPort::CCommPort(PortEnvironment environment)
    : CCommInterface(TransportConfig::Gui()),
      sink_(environment.sink),
      reporter_(environment.reporter),
      options_(environment.options) {}

CCommPort::~CCommPort() {
    StopPolling();
    std::array<std::shared_ptr<CBoardInterface>, kSlaveCount> boards;
    {
        std::lock_guard<std::mutex> lock(boardMutex_);
        boards.swap(boards_);
        boardCount_ = 0;
    }
    // A window may still hold a board (a failure box open): it must not reach this port again.
    for (auto& board : boards) {
        if (board) board->Detach();
    }
}

bool CCommPort::AddBoard(uint8_t slave, const SlaveInfo& info, const CDefaultParam* defaults) {
    if (slave >= kSlaveCount) return false;
    std::shared_ptr<CBoardInterface> board;
    {
        std::lock_guard<std::mutex> lock(boardMutex_);
        if (boards_[slave]) return true;
        BoardContext context{sink_, reporter_, &stopRequested_};
        board = CreateBoard(static_cast<uint8_t>(info.type & 0xFF), slave, *this, &info, defaults, context);
        board->SetPollingThreadId(threadId_.load());
        boards_[slave] = board;
        ++boardCount_;
    }
    board->ResetStatus();
    StartPolling();
    return true;
}

void CCommPort::RemoveBoard(uint8_t slave) {
    if (slave >= kSlaveCount) return;
    std::shared_ptr<CBoardInterface> board;
    bool none = false;
    {
        std::lock_guard<std::mutex> lock(boardMutex_);
        board = std::move(boards_[slave]);
        if (!board) return;
        if (boardCount_.load() > 0) --boardCount_;
        none = boardCount_.load() == 0;
    }
    board->Detach();
    board.reset();  // destroyed here unless a window still holds it for a call
    if (none) ClosePort();
}

std::shared_ptr<CBoardInterface> CCommPort::GetBoard(uint8_t slave) const {
    if (slave >= kSlaveCount) return nullptr;
    std::lock_guard<std::mutex> lock(boardMutex_);
    return boards_[slave];
}

bool CCommPort::HasBoard(uint8_t slave) const {
    std::lock_guard<std::mutex> lock(boardMutex_);
    return boards_[slave] != nullptr;
}

uint8_t CCommPort::GetFirstSlave() const {
    for (uint8_t s = 0; s < kSlaveCount; ++s) {
        if (HasBoard(s)) return s;
    }
    return 0;
}

uint8_t CCommPort::GetLastSlave() const {
    for (int s = kSlaveCount - 1; s >= 0; --s) {
        if (HasBoard(static_cast<uint8_t>(s))) return static_cast<uint8_t>(s);
    }
    return 0;
}

uint8_t CCommPort::GetPrevSlave(uint8_t slave) const {
    if (slave == 0 || slave >= kSlaveCount) return slave;
    for (int s = slave - 1; s >= 0; --s) {
        if (HasBoard(static_cast<uint8_t>(s))) return static_cast<uint8_t>(s);
    }
    return slave;
}

uint8_t CCommPort::GetNextSlave(uint8_t slave) const {
    if (slave >= kSlaveCount - 1) return slave;
    for (int s = slave + 1; s < kSlaveCount; ++s) {
        if (HasBoard(static_cast<uint8_t>(s))) return static_cast<uint8_t>(s);
    }
    return slave;
}

std::thread::id CCommPort::PollingThreadId() const {
    return threadId_.load();
}

void CCommPort::StartPolling() {
    std::lock_guard<std::mutex> lock(threadMutex_);
    if (threadRunning_.load()) return;
    if (thread_.joinable()) thread_.join();  // a thread that ended on its own
    {
        std::lock_guard<std::mutex> event(eventMutex_);
        stopSignalled_ = false;
    }
    stopRequested_ = false;
    threadRunning_ = true;
    thread_ = std::jthread([this](std::stop_token stop) { PollingBody(std::move(stop)); });
}

void CCommPort::PollingBody(std::stop_token stop) {
    {
        // Every board learns this thread before its first pass (boards created later get it at
        // creation, under the same mutex), so their logs and failure reports stay silent here.
        std::lock_guard<std::mutex> lock(boardMutex_);
        threadId_ = std::this_thread::get_id();
        for (auto& board : boards_) {
            if (board) board->SetPollingThreadId(threadId_.load());
        }
    }
    if (options_.lowestPriority) {
        // Linux schedules threads as tasks: this lowers only the polling thread.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
    }
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(eventMutex_);
            if (eventCv_.wait_for(lock, options_.pollPeriod, [this] { return stopSignalled_; })) {
                stopSignalled_ = false;  // auto-reset
                break;
            }
        }
        if (stop.stop_requested() || !IsOpen()) break;
        PollPass(stop);
    }
    {
        std::lock_guard<std::mutex> lock(eventMutex_);
        threadRunning_ = false;
    }
    eventCv_.notify_all();
}

void CCommPort::PollPass(const std::stop_token& stop) {
    for (uint8_t slave = 0; slave < kSlaveCount; ++slave) {
        if (stop.stop_requested() || !IsOpen()) return;
        const std::shared_ptr<CBoardInterface> board = GetBoard(slave);
        if (!board) continue;
        const uint8_t code = board->UpdateStatus();
        if (stop.stop_requested()) return;
        const bool gone = code == kResultNotOpen || code == kResultDisconnected ||
                          (code == kResultTimeout && TimeoutCount(slave) >= options_.removalTimeouts);
        if (gone) RemoveDrive(slave, stop);
    }
}

void CCommPort::RemoveDrive(uint8_t slave, const std::stop_token& stop) {
    // The windows let go of the board while this thread waits; a stop request abandons the
    // message, and the port then destroys the board itself.
    if (sink_ && !sink_->Send(kMsgDriveGoingAway, slave, 0, stop)) return;
    RemoveBoard(slave);
    if (sink_) sink_->Post(kMsgDataReloaded, slave, 0);
}

void CCommPort::SignalStop() {
    {
        std::lock_guard<std::mutex> lock(eventMutex_);
        stopSignalled_ = true;
    }
    eventCv_.notify_all();
}

bool CCommPort::WaitEnded(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(eventMutex_);
    return eventCv_.wait_for(lock, timeout, [this] { return !threadRunning_.load(); });
}

bool CCommPort::StopPolling() {
    std::lock_guard<std::mutex> lock(threadMutex_);
    if (!thread_.joinable()) return true;
    stopRequested_ = true;
    thread_.request_stop();
    bool ended = false;
    for (int attempt = 0; attempt < options_.stopTries && !ended; ++attempt) {
        SignalStop();
        ended = WaitEnded(options_.stopWait);
    }
    if (!ended) Log().WriteMessage("StopThread : Terminate Thread\r\n");
    // Cooperative end: the thread leaves after the transaction it is in; it holds no lock of
    // ours meanwhile and releases the port mutex with that transaction.
    thread_.join();
    {
        std::lock_guard<std::mutex> event(eventMutex_);
        stopSignalled_ = false;
    }
    stopRequested_ = false;
    return ended;
}

}  // namespace tarsel
