// The configuration program's object for one open serial port: the command layer of the port,
// the board objects of the drives found on it, and the polling thread that keeps their status
// fresh, serves the windows' reload requests and removes drives that went away.
//
// Ending the polling thread is cooperative: a stop request is checked between transactions (the
// port mutex is only ever held inside one transaction and released by its scope), the synchronous
// "drive going away" message is abandoned on a stop request, and the stop procedure joins the
// thread.  A thread that has not ended after nine 100 ms waits is logged as terminated and then
// joined: it can at most finish the transaction it is in, so no lock is ever left behind.
//
// Board ownership: the port holds its boards through shared_ptr and hands out shared_ptr.  A
// window never stores a board; it looks it up by (port, slave) for each use and keeps the
// shared_ptr only for that call, so a board whose command is still on the GUI thread's stack (a
// failure box with Retry is a nested event loop) stays alive while the polling thread removes its
// drive.  Before the port drops a board (removal, or its own destruction) it detaches it: the
// board never touches the port again and its commands fail quietly.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

#include "comm/CCommInterface.h"
#include "gui/model/board/CBoardInterface.h"
#include "gui/model/board/board_commands.h"

namespace tarsel {

class CDefaultParam;

struct PortOptions {
    std::chrono::milliseconds pollPeriod{100};  // wait between polling passes
    std::chrono::milliseconds stopWait{100};    // one wait of the stop procedure
    int stopTries = 9;                          // waits before the thread is given up on
    uint8_t removalTimeouts = 6;                // consecutive timeouts that remove a drive
    bool lowestPriority = true;                 // run the polling thread at the lowest priority
};

struct PortEnvironment {
    IMainFrameSink* sink = nullptr;
    IFailureReporter* reporter = nullptr;
    PortOptions options;
};

class CCommPort : public CCommInterface, public IBoardCommands {
public:
    static constexpr uint8_t kSlaveCount = tarsel::kSlaveCount;

    explicit CCommPort(PortEnvironment environment);
    ~CCommPort() override;

    // Creates the board of a detected drive (nothing when the slave has one already), resets its
    // status and starts the polling thread.  False for a slave above 15.
    bool AddBoard(uint8_t slave, const SlaveInfo& info, const CDefaultParam* defaults);
    // Detaches the board of a slave and drops the port's reference; when none is left, closes
    // the port.
    void RemoveBoard(uint8_t slave);

    std::shared_ptr<CBoardInterface> GetBoard(uint8_t slave) const;
    uint8_t GetBoardCount() const { return boardCount_.load(); }
    uint8_t GetFirstSlave() const;
    uint8_t GetLastSlave() const;
    uint8_t GetPrevSlave(uint8_t slave) const;
    uint8_t GetNextSlave(uint8_t slave) const;

    bool IsPolling() const { return threadRunning_.load(); }
    std::thread::id PollingThreadId() const;
    // The stop procedure (also run by the destructor).  True when the thread ended within the
    // nine waits (or none ran).
    bool StopPolling();

    // IBoardCommands.
    uint8_t PortNumber() const override { return CRs232CB::PortNumber(); }
    bool IsPortOpen() const override { return IsOpen(); }
    uint8_t PresenceProbe(uint8_t slave, uint32_t timeoutMs) override;
    uint8_t SaveAllParameters(uint8_t slave) override;
    uint8_t GetROMParameter(uint8_t slave, uint8_t number, int32_t* value) override;
    uint8_t SetParameter(uint8_t slave, uint8_t number, int32_t value) override;
    uint8_t GetParameter(uint8_t slave, uint8_t number, int32_t* value) override;
    uint8_t SetIOOutput(uint8_t slave, uint32_t setMask, uint32_t clearMask) override;
    uint8_t SetIOInput(uint8_t slave, uint64_t setMask, uint64_t clearMask) override;
    uint8_t GetIOInput(uint8_t slave, uint64_t* inputs) override;
    uint8_t GetIOOutput(uint8_t slave, uint32_t* outputs) override;
    uint8_t SetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) override;
    uint8_t SetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t signal, uint8_t level) override;
    uint8_t IOAssignMapReadROM(uint8_t slave) override;
    uint8_t GetInputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) override;
    uint8_t GetOutputAssignMap(uint8_t slave, uint8_t pin, uint8_t* signal, uint8_t* level) override;
    uint8_t ServoEnable(uint8_t slave, bool on) override;
    uint8_t ServoAlarmReset(uint8_t slave) override;
    uint8_t StepAlarmReset(uint8_t slave, bool reset) override;
    uint8_t BrakeSet(uint8_t slave, uint32_t mode, uint32_t* state) override;
    uint8_t GetAlarmType(uint8_t slave, uint8_t* alarm) override;
    uint8_t MoveStop(uint8_t slave) override;
    uint8_t EmergencyStop(uint8_t slave) override;
    uint8_t MoveOriginSingleAxis(uint8_t slave) override;
    uint8_t MoveSingleAxisAbsPos(uint8_t slave, int32_t position, uint32_t speed) override;
    uint8_t MoveSingleAxisIncPos(uint8_t slave, int32_t distance, uint32_t speed) override;
    uint8_t MoveToLimit(uint8_t slave, uint32_t speed, uint8_t direction) override;
    uint8_t MoveVelocity(uint8_t slave, uint32_t speed, uint8_t direction) override;
    uint8_t GetAxisStatus(uint8_t slave, uint32_t* status) override;
    uint8_t GetAllStatus(uint8_t slave, AllStatus* status) override;
    uint8_t GetRunPTStatus(uint8_t slave, uint16_t* status) override;
    uint8_t SetCommandPos(uint8_t slave, int32_t position) override;
    uint8_t SetActualPos(uint8_t slave, int32_t position) override;
    uint8_t ClearPosition(uint8_t slave) override;
    uint8_t PosTableReadItem(uint8_t slave, uint16_t item, PosTableItem* data) override;
    uint8_t PosTableWriteItem(uint8_t slave, uint16_t item, const PosTableItem& data) override;
    uint8_t PosTableReadROM(uint8_t slave) override;
    uint8_t PosTableWriteROM(uint8_t slave) override;
    uint8_t PosTableRunItem(uint8_t slave, uint16_t item) override;
    uint8_t PosTableSingleRunItem(uint8_t slave, bool next, uint16_t item) override;
    uint8_t PosTableIsData(uint8_t slave, std::array<uint32_t, 8>* bitmap) override;
    uint8_t PosTableRunState(uint8_t slave, uint8_t* state) override;
    uint8_t GetDriveWord(uint8_t slave, uint16_t* value) override;
    uint8_t StepGetCurrent(uint8_t slave, uint8_t index, uint16_t* value) override;
    uint8_t StepSetCurrent(uint8_t slave, uint16_t value) override;
    uint8_t StepVersion(uint8_t slave, char* buffer, uint32_t size) override;
    uint8_t StepGetMotorDB(uint8_t slave, std::array<uint8_t, 64>* data) override;
    uint8_t StepSetMotorDB(uint8_t slave, uint8_t index) override;
    uint8_t BLDCReadParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t* value) override;
    uint8_t BLDCWriteParameter(uint8_t slave, uint8_t category, uint32_t number, int32_t value) override;
    uint8_t BLDCReadROMParameters(uint8_t slave) override;
    uint8_t BLDCWriteROMParameters(uint8_t slave) override;
    uint8_t MonitoringStatus(uint8_t slave, uint8_t* state) override;
    uint8_t MonitoringCancel(uint8_t slave) override;
    uint8_t MonitoringGetData(uint8_t slave, uint32_t index, std::array<int16_t, 4>* values) override;
    uint8_t MonitoringSetConfig(uint8_t slave, const MonitoringConfig& config) override;
    uint8_t MonitoringGetConfig(uint8_t slave, MonitoringConfig* config) override;
    uint8_t MonitoringStart(uint8_t slave) override;

private:
    void StartPolling();
    void PollingBody(std::stop_token stop);
    void PollPass(const std::stop_token& stop);
    void RemoveDrive(uint8_t slave, const std::stop_token& stop);
    void SignalStop();
    bool WaitEnded(std::chrono::milliseconds timeout);

    IMainFrameSink* const sink_;
    IFailureReporter* const reporter_;
    const PortOptions options_;

    bool HasBoard(uint8_t slave) const;

    mutable std::mutex boardMutex_;  // guards the board slots; never held across a command
    std::array<std::shared_ptr<CBoardInterface>, kSlaveCount> boards_{};
    std::atomic<uint8_t> boardCount_{0};

    std::mutex threadMutex_;  // guards starting and stopping the thread
    std::jthread thread_;
    std::atomic<bool> threadRunning_{false};
    std::atomic<bool> stopRequested_{false};  // read by the boards' bulk readers
    std::atomic<std::thread::id> threadId_{};

    // The stop event (auto-reset) and the end notification of the thread.
    std::mutex eventMutex_;
    std::condition_variable eventCv_;
    bool stopSignalled_ = false;
};

}  // namespace tarsel
