#include "gui/model/board/CBoardInterface.h"

#include <cstdio>

#include "comm/result_codes.h"

#include "gui/model/board/failure_box.h"
#include "gui/model/board/metadata_access.h"

namespace tarsel {
namespace {

SlaveInfo CopyInfo(const SlaveInfo* info) {
    return info ? *info : SlaveInfo{};
}

}  // namespace

CBoardInterface::CBoardInterface(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                                 const CDefaultParam* defaults, const BoardTypeInfo& type,
                                 BoardContext context)
    : slave_(slave),
      portNumber_(port.PortNumber()),
      type_(type),
      context_(context),
      info_(CopyInfo(info)),
      defaults_(defaults),
      paramCount_(meta::ParamCount(defaults)),
      itemCount_(info_.tableSize),
      params_(paramCount_),
      io_(static_cast<uint8_t>(info_.inputCount & 0xFF), type.inputSignals, type.inputFixed, type.inputLabels,
          static_cast<uint8_t>(info_.outputCount & 0xFF), type.outputSignals, type.outputFixed,
          type.outputLabels),
      posTable_(itemCount_),
      detachedPort_(portNumber_),
      port_(&port),
      pollingStop_(context.pollingStop) {
    for (uint32_t i = 0; i < params_.size(); ++i) params_[i].number = i;
    for (auto& item : posTable_) item.fill(0);
}

CBoardInterface::~CBoardInterface() = default;

void CBoardInterface::ResetStatus() {
    inputs_ = 0;
    outputs_ = 0;
    axisStatus_ = 0;
    commandPosition_ = 0;
    actualPosition_ = 0;
    actualVelocity_ = 0;
    positionError_ = 0;
    runningItem_ = 0;
    alarmCode_ = 0;
    limitMove_ = false;
    jog_ = false;
    busy_ = false;
    bit22_ = false;
    oneItemPending_ = false;
    brake_ = false;
    paramReloadRequest = false;
    paramLoaded = false;
    paramReadCount = 0;
    ioReloadRequest = false;
    ioLoaded = false;
    ioReadCount = 0;
    posTableReloadRequest = false;
    posTableLoaded = false;
    posTableReadCount = 0;
    loadFailed_ = 0;
    for (auto& count : watch_) count = 0;
    idleCounter_ = 0;
}

void CBoardInterface::AddWatch(Watch which) {
    ++watch_[which & 3];
}

void CBoardInterface::RemoveWatch(Watch which) {
    auto& count = watch_[which & 3];
    uint32_t now = count.load();
    while (now > 0 && !count.compare_exchange_weak(now, now - 1)) {
    }
}

bool CBoardInterface::IsWatched() const {
    for (const auto& count : watch_) {
        if (count.load() > 0) return true;
    }
    return false;
}

void CBoardInterface::RequestLoad(uint32_t bits) {
    loadFailed_ &= ~bits;
    if (bits & load_bit::kParameters) paramReloadRequest = true;
    if (bits & load_bit::kIoAssign) ioReloadRequest = true;
    if (bits & load_bit::kPosTable) posTableReloadRequest = true;
    if (bits & load_bit::kBldc) RequestBldcLoad();
    // A board that lost its port serves nothing: the request ends at once.
    if (IsDetached()) EndAllLoads();
}

LoadOutcome CBoardInterface::GetLoadOutcome() const {
    LoadOutcome outcome;
    const auto add = [&](uint32_t bit, bool requested, bool loaded) {
        if (requested) outcome.requested |= bit;
        if (loaded) outcome.loaded |= bit;
    };
    add(load_bit::kParameters, paramReloadRequest.load(), paramLoaded.load());
    add(load_bit::kIoAssign, ioReloadRequest.load(), ioLoaded.load());
    add(load_bit::kPosTable, posTableReloadRequest.load(), posTableLoaded.load());
    outcome.failed = loadFailed_.load();
    return outcome;
}

void CBoardInterface::EndLoad(uint32_t bit, std::atomic<bool>& request, bool ok) {
    if (ok) {
        loadFailed_ &= ~bit;
    } else {
        loadFailed_ |= bit;
    }
    request = false;
}

void CBoardInterface::EndAllLoads() {
    if (paramReloadRequest.load()) EndLoad(load_bit::kParameters, paramReloadRequest, false);
    if (ioReloadRequest.load()) EndLoad(load_bit::kIoAssign, ioReloadRequest, false);
    if (posTableReloadRequest.load()) EndLoad(load_bit::kPosTable, posTableReloadRequest, false);
}

// The lease is counted before the port pointer is read, and Detach swaps the pointer before it
// reads the count: a command either sees the stand-in or is waited for.
CBoardInterface::PortLease::PortLease(const CBoardInterface& board) : board_(board) {
    board_.portLeases_.fetch_add(1);
    port_ = board_.port_.load();
}

CBoardInterface::PortLease::~PortLease() {
    if (board_.portLeases_.fetch_sub(1) == 1) board_.portLeases_.notify_all();
}

void CBoardInterface::Detach() {
    detached_ = true;
    port_ = &detachedPort_;
    pollingStop_ = nullptr;
    pollingThread_ = std::thread::id{};
    for (uint32_t leases = portLeases_.load(); leases != 0; leases = portLeases_.load()) {
        portLeases_.wait(leases);
    }
    EndAllLoads();
}

bool CBoardInterface::PollingAbort() const {
    if (!OnPollingThread()) return false;
    const std::atomic<bool>* stop = pollingStop_.load();
    return stop && stop->load();
}

// A detached board tells the main frame nothing: a worker that outlived its window (a board
// task, a monitoring run) may still call in after the port and the main frame are gone.  The
// lease makes Detach wait for a message being handed over, as for a command.
void CBoardInterface::Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const PortLease lease(*this);
    if (IsDetached() || !context_.sink) return;
    context_.sink->Post(message, wParam, lParam);
}

void CBoardInterface::LogCommand(const char* format, ...) {
    const PortLease lease(*this);
    if (OnPollingThread() || IsDetached() || !context_.sink) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    context_.sink->CommandLine(line);
}

BoxAnswer CBoardInterface::ReportCommandError(const char* command, uint8_t code) {
    if (OnPollingThread() || IsDetached() || !context_.reporter) return BoxAnswer::Cancel;
    const FailureBox box = ComposeFailureBox(command, code);
    const BoxAnswer answer = context_.reporter->Show(box);
    return box.retryCancel ? answer : BoxAnswer::Cancel;
}

uint8_t CBoardInterface::Execute(const char* name, const std::function<uint8_t()>& issue,
                                 const std::function<void(uint8_t)>& log) {
    for (;;) {
        const uint8_t code = issue();
        if (log) log(code);
        if (code == 0) return 0;
        if (ReportCommandError(name, code) != BoxAnswer::Retry) return code;
    }
}

bool CBoardInterface::IsCommandSupported(uint8_t frameType) {
    uint8_t code = 0;
    switch (frameType) {
        case frame_type::kStepGetCurrent: {
            uint16_t value = 0;
            code = Port()->StepGetCurrent(slave_, 0, &value);
            break;
        }
        case frame_type::kStepVersion: {
            char text[256];
            code = Port()->StepVersion(slave_, text, sizeof text);
            break;
        }
        case frame_type::kStepGetMotorDb: {
            std::array<uint8_t, 64> data{};
            code = Port()->StepGetMotorDB(slave_, &data);
            break;
        }
        case frame_type::kAlarmType: {
            uint8_t alarm = 0;
            code = Port()->GetAlarmType(slave_, &alarm);
            break;
        }
        case frame_type::kRunPTStatus: {
            uint16_t status = 0;
            code = Port()->GetRunPTStatus(slave_, &status);
            break;
        }
        default:
            return true;
    }
    return code != kStatusFrameTypeError;
}

uint8_t CBoardInterface::UpdateStatus() {
    if (IsDetached()) return kResultNotOpen;
    if (paramReloadRequest.load()) EndLoad(load_bit::kParameters, paramReloadRequest, ReadAllParameters());
    ReloadBldc();
    if (ioReloadRequest.load()) EndLoad(load_bit::kIoAssign, ioReloadRequest, ReadIOAssignMaps());
    if (posTableReloadRequest.load()) EndLoad(load_bit::kPosTable, posTableReloadRequest, ReadPosTable());
    if (PollingAbort()) return 0;

    if (!IsWatched()) {
        const uint16_t idle = static_cast<uint16_t>(idleCounter_.load() + 1);
        if (idle > 5) {
            idleCounter_ = 0;
            return Port()->PresenceProbe(slave_, 100);
        }
        idleCounter_ = idle;
        return 0;
    }

    uint8_t code = 0;
    if (!paramReloadRequest.load() && !ioReloadRequest.load() && !posTableReloadRequest.load()) {
        AllStatus status;
        code = Port()->GetAllStatus(slave_, &status);
        if (code != 0) return code;
        inputs_ = status.inputs;
        outputs_ = status.outputs;
        axisStatus_ = status.axisStatus;
        commandPosition_ = status.commandPosition;
        actualPosition_ = status.actualPosition;
        positionError_ = status.positionError;
        actualVelocity_ = status.actualVelocity;
        runningItem_ = status.runningItem;
    }

    const uint32_t axis = axisStatus_.load();
    busy_ = (axis & axis_bit::kBusyMask) != 0;
    limitMove_ = (axis & axis_bit::kOriginReturning) != 0;
    if ((axis & axis_bit::kTableStopped) == 0) {
        bit22_ = true;
    } else if (bit22_.exchange(false) && oneItemPending_.load()) {
        uint8_t state = 0;
        code = Port()->PosTableRunState(slave_, &state);
        if (code == 0 && state != 0) oneItemPending_ = false;
    }

    if (QueriesBrake()) {
        uint32_t brake = 0;
        code = Port()->BrakeSet(slave_, 2, &brake);
        if (code == 0) brake_ = brake != 0;
    }

    if (axis & axis_bit::kAlarm) {
        if (alarmCode_.load() == 0) {
            uint8_t alarm = 0;
            code = Port()->GetAlarmType(slave_, &alarm);
            if (code == 0) alarmCode_ = alarm;
        }
    } else {
        alarmCode_ = 0;
    }

    idleCounter_ = 0;
    return code;
}

bool CBoardInterface::IsMotorOn() const {
    return (axisStatus_.load() & axis_bit::kServoOn) != 0;
}

bool CBoardInterface::IsUserOutput(uint8_t signal) const {
    return signal >= type_.firstUserOutput && signal <= type_.lastUserOutput;
}

bool CBoardInterface::GetFixedInputDefaultLevel(int k) const {
    uint8_t parameter = 0;
    if (k == 1 || k == 2) {
        parameter = type_.limitParam;
    } else if (k == 3) {
        parameter = type_.originParam;
    } else {
        return false;
    }
    const auto record = meta::Param(defaults_, parameter);
    return record && record->defaultValue != 0;
}

bool CBoardInterface::GetFixedOutputDefaultLevel(int) const {
    return false;
}

void CBoardInterface::ResetEvent() {
    std::lock_guard<std::mutex> lock(eventMutex_);
    eventSignalled_ = false;
}

void CBoardInterface::SignalEvent() {
    {
        std::lock_guard<std::mutex> lock(eventMutex_);
        eventSignalled_ = true;
    }
    eventCv_.notify_all();
}

void CBoardInterface::WaitEvent(uint32_t ms) {
    std::unique_lock<std::mutex> lock(eventMutex_);
    eventCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return eventSignalled_; });
    eventSignalled_ = false;  // auto-reset
}

}  // namespace tarsel
