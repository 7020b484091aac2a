// The configuration program's model of one detected drive.  Windows read the drive through the
// cached values and command it through the operations below; every command goes through the
// board's port.  The port's polling thread refreshes the status and performs the reloads that
// windows request through the reload-request flags.
//
// Threads: the GUI thread, the polling thread of the port and worker threads (repeat run,
// estimation) use a board.  Status words, flags and counters are atomics; the caches (parameters,
// I/O map, position table) are guarded by the board's cache mutex, which is never held while a
// command is on the line.
//
// Lifetime: the port owns its boards through shared_ptr and hands out shared_ptr; a window looks
// its board up by (port, slave) for every use and holds it only for that call.  When the port
// lets go of a board (drive removed, port destroyed) it detaches it first: a detached board never
// touches its port again, and every command then fails quietly (kResultNotOpen, no box, no log
// line, no message to the main frame), so a board that outlives its port is harmless.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdarg>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "comm/protocol.h"
#include "comm/slave_info.h"
#include "gui/model/board/CIOInfo.h"
#include "gui/model/board/board_commands.h"
#include "gui/model/board/board_type_info.h"
#include "gui/model/board/detached_port.h"
#include "gui/model/board/failure_reporter.h"
#include "gui/model/board/main_frame_sink.h"

namespace tarsel {

class CDefaultParam;

// Progress of the bulk loaders: SetRange, SetStep(1), SetPos(0), then StepIt per item done.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void SetRange(int low, int high) = 0;
    virtual void SetStep(int step) = 0;
    virtual void SetPos(int position) = 0;
    virtual void StepIt() = 0;
};

// Where a board reports to, shared by all boards of a program.  Any member may be null.
struct BoardContext {
    IMainFrameSink* sink = nullptr;
    IFailureReporter* reporter = nullptr;
    // Set while the polling thread is asked to end: its bulk readers stop between commands.
    const std::atomic<bool>* pollingStop = nullptr;
};

struct ParameterRecord {
    uint32_t number = 0;
    int32_t value = 0;
    int32_t lastRead = 0;
    uint32_t modified = 0;
};

// The inputs of a repeat run, read again at the end of every cycle.
struct RepeatInputs {
    int positionCount = 2;  // 2 or 3
    std::array<int32_t, 3> positions{0, 10000, 20000};
    uint32_t speed = 10000;
    uint32_t waitMs = 0;
    uint32_t repeatCount = 0;  // 0: until stopped
    bool inPosition = false;
};

// The load selector bits of the reload requests (the loading sequence of the main frame).
namespace load_bit {
constexpr uint32_t kParameters = 1;
constexpr uint32_t kIoAssign = 2;
constexpr uint32_t kPosTable = 4;
constexpr uint32_t kBldc = 8;
}  // namespace load_bit

// Where the reloads of a board stand, one load bit each.  A reload that ended without data (the
// drive did not answer, the board was detached) shows as failed, so a loading sequence waiting
// for it can end.
struct LoadOutcome {
    uint32_t requested = 0;  // asked for and not served yet
    uint32_t loaded = 0;     // the cache holds the drive's data
    uint32_t failed = 0;     // the last reload asked for ended without data
    // True once none of `bits` waits for the polling thread any more.
    bool Ended(uint32_t bits) const { return (requested & bits) == 0; }
    bool Loaded(uint32_t bits) const { return (loaded & bits) == bits; }
    bool Failed(uint32_t bits) const { return (failed & bits) != 0; }
};

class CBoardInterface {
public:
    CBoardInterface(uint8_t slave, IBoardCommands& port, const SlaveInfo* info, const CDefaultParam* defaults,
                    const BoardTypeInfo& type, BoardContext context);
    virtual ~CBoardInterface();
    CBoardInterface(const CBoardInterface&) = delete;
    CBoardInterface& operator=(const CBoardInterface&) = delete;

    // Identity.
    virtual uint8_t GetBoardType() const { return type_.typeCode; }
    virtual std::string GetModelName() const { return type_.modelName; }
    virtual std::string GetFirmwareName() const { return info_.Name(); }
    const SlaveInfo& GetSlaveInfo() const { return info_; }
    uint8_t PortNumber() const { return portNumber_; }
    bool IsPortOpen() const { return Port()->IsPortOpen(); }
    const BoardTypeInfo& TypeInfo() const { return type_; }
    const CDefaultParam* DefaultTable() const { return defaults_; }

    virtual bool IsCommandSupported(uint8_t frameType);
    virtual void ResetStatus();
    // One polling step; the result decides whether the port keeps the drive.
    virtual uint8_t UpdateStatus();

    // Range checks of the type's four check parameters.
    bool CheckValue1(int32_t value) const { return IsParamValueInRange(type_.checkValueBase + 0, value); }
    bool CheckValue2(int32_t value) const { return IsParamValueInRange(type_.checkValueBase + 1, value); }
    bool CheckValue3(int32_t value) const { return IsParamValueInRange(type_.checkValueBase + 2, value); }
    bool CheckValue4(int32_t value) const { return IsParamValueInRange(type_.checkValueBase + 3, value); }

    // Parameters.
    virtual bool ReadAllParameters();
    virtual bool ReadParameter(uint8_t number);
    virtual bool SetParameter(uint8_t number, int32_t value);
    virtual bool SaveAllParameters();
    int32_t GetParameterValue(uint8_t number) const;
    std::optional<ParameterRecord> GetParameterRecord(uint8_t number) const;
    virtual bool GetROMParameter(uint8_t number, int32_t& value);
    uint8_t GetParameterCount() const { return paramCount_; }
    virtual std::optional<std::string> GetParamValueText(uint8_t number, int32_t value);
    bool IsParamValueInRange(uint32_t number, int32_t value) const;
    int32_t GetDefaultStartSpeed() const { return GetParameterValue(type_.startSpeedParam); }
    int32_t GetDefaultRunSpeed() const { return GetParameterValue(type_.runSpeedParam); }
    int32_t GetDefaultAccDecTime() const { return GetParameterValue(type_.accDecParam); }

    // I/O.
    virtual bool SetIOInput(uint64_t setMask, uint64_t clearMask);
    virtual bool GetIOInput(uint64_t& inputs);
    virtual bool SetIOOutput(uint32_t setMask, uint32_t clearMask);
    virtual bool GetIOOutput(uint32_t& outputs);
    virtual bool ReadIOAssignMaps();
    virtual bool ReadIOAssignMap(bool output, uint8_t pin);
    virtual bool AssignInputPin(uint8_t pin, uint8_t signal);
    virtual bool AssignOutputPin(uint8_t pin, uint8_t signal);
    virtual bool SetInputPinLevel(uint8_t pin, uint8_t level);
    virtual bool SetOutputPinLevel(uint8_t pin, uint8_t level);
    virtual bool AssignInputPinEx(uint8_t pin, uint8_t signal, uint8_t level);
    virtual bool AssignOutputPinEx(uint8_t pin, uint8_t signal, uint8_t level);
    uint64_t GetInputStatus() const { return inputs_.load(); }
    uint32_t GetOutputStatus() const { return outputs_.load(); }
    virtual bool IOAssignMapReadROM();
    virtual bool IsUserOutput(uint8_t signal) const;
    virtual bool GetFixedInputDefaultLevel(int k) const;
    virtual bool GetFixedOutputDefaultLevel(int k) const;
    // A copy of the pin map, taken under the cache mutex.
    CIOInfo GetIOInfo() const;

    // Servo on/off and alarm reset (every type but the stepper), the brake (servo, absolute
    // servo, BLDC) and the stepper's alarm-reset input.  A type without the command refuses it:
    // false, nothing sent, no log line, no box.
    virtual bool ServoEnable(bool on);
    virtual bool ServoAlarmReset();
    virtual bool BrakeSet(bool on, uint32_t& state);
    virtual bool StepAlarmReset(bool reset);
    bool HasServoCommands() const { return type_.servoCommands; }
    bool HasBrake() const { return type_.queriesBrake; }
    bool HasStepCommands() const { return type_.stepCommands; }
    // The enable button of the motion windows: ServoEnable, or for the stepper its alarm-reset
    // input, held to switch the motor off and released to switch it on.
    bool MotorEnable(bool on);
    // The alarm reset of the motion windows: ServoAlarmReset, or for the stepper a pulse on its
    // alarm-reset input (1, then 0 when that succeeded).
    bool AlarmReset();

    // Motion.
    virtual bool IsMotorOn() const;
    virtual bool SetCommandPos(int32_t position);
    virtual bool SetActualPos(int32_t position);
    virtual bool ClearPosition();
    virtual bool MoveStop(bool wait);
    virtual bool EmergencyStop(bool wait);
    virtual bool MoveSingleAxisAbsPos(int32_t position, uint32_t speed, bool wait);
    virtual bool MoveSingleAxisIncPos(int32_t distance, uint32_t speed, bool wait);
    virtual bool MoveVelocity(uint32_t speed, uint8_t direction);
    virtual bool MoveToLimit(uint32_t speed, uint8_t direction);
    virtual bool MoveOriginSingleAxis();
    // Repeat run between two or three positions; `read` is called at the start and after every
    // cycle.  `cycles` and `startTimeMs` (optional) receive the progress.
    virtual bool RunRepeat(const std::function<RepeatInputs()>& read, std::atomic<uint32_t>* cycles,
                           std::atomic<uint64_t>* startTimeMs);
    // The same with the board's own repeat settings.
    bool RunRepeat(std::atomic<uint32_t>* cycles = nullptr, std::atomic<uint64_t>* startTimeMs = nullptr);
    virtual void StopRepeat();

    // Position table.
    uint16_t GetPosTableItemCount() const { return itemCount_; }
    virtual bool ReadPosTable();
    virtual bool ReadPosTableItem(uint16_t number);
    virtual bool PosTableWriteROM();
    virtual bool PosTableReadROM();
    virtual bool WritePosTableItem(uint16_t number, const PosTableItem& item, bool notify);
    virtual bool PosTableRunItem(uint16_t number);
    virtual bool PosTableRunOneItem(bool next, uint16_t number);
    std::optional<PosTableItem> GetPosTableItem(uint16_t number) const;
    // The "has data" bitmap as the drive reports it (with the failure report's retries).
    bool ReadPosTableDataMap(std::array<uint32_t, 8>& bitmap);

    // ROM and files.
    virtual bool RestoreParametersFromROM(IProgress* progress);
    virtual bool ReadIOMapFromROM() { return IOAssignMapReadROM(); }
    virtual bool ReadPosTableFromROM() { return PosTableReadROM(); }
    virtual bool SaveParametersToROM() { return SaveAllParameters(); }
    virtual bool SaveIOMapToROM() { return SaveAllParameters(); }
    virtual bool SavePosTableToROM() { return PosTableWriteROM(); }
    virtual bool LoadParameterFile(const std::string& path, IProgress* progress);
    virtual bool LoadIOMapFile(const std::string& path, IProgress* progress);
    virtual bool LoadPosTableFile(const std::string& path, IProgress* progress);
    virtual bool SaveParameterFile(const std::string& path);
    virtual bool SaveIOMapFile(const std::string& path);
    virtual bool SavePosTableFile(const std::string& path);

    // The failure report of a command: Retry only for timeouts and CRC failures on a thread
    // other than the polling thread.
    BoxAnswer ReportCommandError(const char* command, uint8_t code);
    void LogCommand(const char* format, ...) __attribute__((format(printf, 2, 3)));

    void SetPollingThreadId(std::thread::id id) { pollingThread_.store(id); }
    bool OnPollingThread() const { return std::this_thread::get_id() == pollingThread_.load(); }

    // Called by the port as it lets go of the board: from then on no command reaches the port,
    // every command fails quietly with kResultNotOpen, and reloads still asked for end as failed.
    // Returns once no other thread is still inside a command on the port (at most one
    // transaction) or handing a message or log line to the sink, so the port may be destroyed
    // right after.
    void Detach();
    bool IsDetached() const { return detached_.load(); }

    // Asks the polling thread to reload the caches of `bits` (load_bit values); clears their
    // failed state.  The loading sequence then waits until GetLoadOutcome().Ended(bits).
    void RequestLoad(uint32_t bits);
    virtual LoadOutcome GetLoadOutcome() const;

    // Request, loaded and count fields (windows set the requests; the polling step serves them).
    std::atomic<bool> paramReloadRequest{false};
    std::atomic<bool> paramLoaded{false};
    std::atomic<uint32_t> paramReadCount{0};
    std::atomic<bool> ioReloadRequest{false};
    std::atomic<bool> ioLoaded{false};
    std::atomic<uint32_t> ioReadCount{0};
    std::atomic<bool> posTableReloadRequest{false};
    std::atomic<bool> posTableLoaded{false};
    std::atomic<uint32_t> posTableReadCount{0};

    // Windows watching the live status, counted per kind (several repeat windows and estimation
    // dialogs may watch one drive at once); while every count is 0 the polling step only probes.
    enum Watch { kWatchMotion = 0, kWatchIo = 1, kWatchPosTable = 2, kWatchOther = 3 };
    void AddWatch(Watch which);
    void RemoveWatch(Watch which);  // never below 0
    uint32_t WatchCount(Watch which) const { return watch_[which & 3].load(); }
    bool IsWatched() const;

    // Cached status.
    uint32_t GetAxisStatus() const { return axisStatus_.load(); }
    int32_t GetCommandPosition() const { return commandPosition_.load(); }
    int32_t GetActualPosition() const { return actualPosition_.load(); }
    int32_t GetActualVelocity() const { return actualVelocity_.load(); }
    int32_t GetPositionError() const { return positionError_.load(); }
    uint16_t GetRunningItem() const { return runningItem_.load(); }
    uint8_t GetAlarmCode() const { return alarmCode_.load(); }
    bool IsLimitMove() const { return limitMove_.load(); }
    bool IsJog() const { return jog_.load(); }
    bool IsRepeatRunning() const { return repeatRunning_.load(); }
    bool IsRepeatStopped() const { return repeatStop_.load(); }
    bool IsBusy() const { return busy_.load(); }
    bool IsTableRunning() const { return bit22_.load(); }
    bool IsOneItemRunPending() const { return oneItemPending_.load(); }
    // The position table window forgets a pending single step when the user picks another item.
    void ClearOneItemPending() { oneItemPending_ = false; }
    bool GetBrakeState() const { return brake_.load(); }

    // Repeat-run settings of the repeat view and the estimation dialogs.
    std::atomic<int32_t> repeatPosition1{0};
    std::atomic<int32_t> repeatPosition2{10000};
    std::atomic<int32_t> repeatPosition3{20000};
    std::atomic<bool> repeatUseThird{false};
    std::atomic<uint32_t> repeatSpeed{10000};
    std::atomic<uint32_t> repeatDelayMs{0};
    std::atomic<uint32_t> repeatCount{0};
    std::atomic<bool> repeatInPosition{false};
    // The position table window's run mode for this drive: single steps or the whole table.
    std::atomic<bool> posTableSingleStep{false};

protected:
    // Runs `issue` until it succeeds or the failure report does not answer Retry; `log`, when
    // set, writes the command line for each attempt.  Returns the final code.
    uint8_t Execute(const char* name, const std::function<uint8_t()>& issue,
                    const std::function<void(uint8_t)>& log = {});
    bool Run(const char* name, const std::function<uint8_t()>& issue,
             const std::function<void(uint8_t)>& log = {}) {
        return Execute(name, issue, log) == 0;
    }
    // Waits until motion is done (bit 27 clear, and bit 19 set in the in-position variant);
    // `untilStop` also ends it at a repeat-stop request.
    uint8_t WaitMotionDone(bool inPosition, bool untilStop = false);
    // The wait after a move, with the failure report's retries of the status read alone.
    bool WaitAfterMove(bool inPosition, bool untilStop = false);
    // The absolute move with its log line and retries, without a wait.
    bool SendAbsMove(int32_t position, uint32_t speed);
    // True on the polling thread once its port asked it to end.
    bool PollingAbort() const;
    void Post(uint32_t message, uintptr_t wParam, intptr_t lParam);
    // One command's hold on the port: while it lives, Detach waits and the port stays alive.
    class PortLease {
    public:
        explicit PortLease(const CBoardInterface& board);
        ~PortLease();
        PortLease(const PortLease&) = delete;
        PortLease& operator=(const PortLease&) = delete;
        IBoardCommands* operator->() const { return port_; }

    private:
        const CBoardInterface& board_;
        IBoardCommands* port_ = nullptr;
    };
    // The port for one command (`Port()->Call(...)`), or after Detach a stand-in that answers
    // every command with kResultNotOpen.
    PortLease Port() const { return PortLease(*this); }
    // Ends a reload the polling step served: failed state first, then the request.
    void EndLoad(uint32_t bit, std::atomic<bool>& request, bool ok);

    // Type hooks of the polling step.
    virtual void ReloadBldc() {}
    virtual void RequestBldcLoad() {}
    // Ends every reload still asked for as failed (a detached board serves none).
    virtual void EndAllLoads();
    virtual bool QueriesBrake() const { return type_.queriesBrake; }

    // Level couplings.
    void AfterParameterWrite(uint8_t number);
    void AfterLevelChange(bool output, uint8_t pin);
    void AfterIoMapRead();
    bool SetPinLevel(bool output, uint8_t pin, uint8_t level);
    bool AssignPin(bool output, uint8_t pin, uint8_t signal, std::optional<uint8_t> level, bool notify);
    bool ReadPinMap(bool output, uint8_t pin, bool count);
    void RefreshPinOfSignal(bool output, uint8_t signal);

    const uint8_t slave_;
    const uint8_t portNumber_;
    const BoardTypeInfo& type_;
    const BoardContext context_;
    SlaveInfo info_;
    const CDefaultParam* const defaults_;
    const uint8_t paramCount_;
    const uint16_t itemCount_;

    mutable std::mutex cacheMutex_;
    std::vector<ParameterRecord> params_;
    CIOInfo io_;
    std::vector<PosTableItem> posTable_;

private:
    DetachedPort detachedPort_;
    std::atomic<IBoardCommands*> port_;
    mutable std::atomic<uint32_t> portLeases_{0};
    std::atomic<const std::atomic<bool>*> pollingStop_;
    std::atomic<bool> detached_{false};
    std::atomic<uint32_t> loadFailed_{0};
    std::atomic<std::thread::id> pollingThread_{};
    std::atomic<uint16_t> idleCounter_{0};
    std::array<std::atomic<uint32_t>, 4> watch_{};

    std::atomic<uint64_t> inputs_{0};
    std::atomic<uint32_t> outputs_{0};
    std::atomic<uint32_t> axisStatus_{0};
    std::atomic<int32_t> commandPosition_{0};
    std::atomic<int32_t> actualPosition_{0};
    std::atomic<int32_t> actualVelocity_{0};
    std::atomic<int32_t> positionError_{0};
    std::atomic<uint16_t> runningItem_{0};
    std::atomic<uint8_t> alarmCode_{0};
    std::atomic<bool> limitMove_{false};
    std::atomic<bool> jog_{false};
    std::atomic<bool> repeatStop_{false};
    std::atomic<bool> repeatRunning_{false};
    std::atomic<bool> busy_{false};
    std::atomic<bool> bit22_{false};
    std::atomic<bool> oneItemPending_{false};
    std::atomic<bool> brake_{false};

    // The repeat run's event: auto-reset, signalled by StopRepeat.
    std::mutex eventMutex_;
    std::condition_variable eventCv_;
    bool eventSignalled_ = false;
    void ResetEvent();
    void SignalEvent();
    void WaitEvent(uint32_t ms);
};

}  // namespace tarsel
