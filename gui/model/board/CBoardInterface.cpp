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
    : port_(port),
      slave_(slave),
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
      posTable_(itemCount_) {
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
    for (auto& flag : watch_) flag = false;
    idleCounter_ = 0;
}

bool CBoardInterface::IsWatched() const {
    for (const auto& flag : watch_) {
        if (flag.load()) return true;
    }
    return false;
}

bool CBoardInterface::PollingAbort() const {
    return context_.pollingStop && context_.pollingStop->load() && OnPollingThread();
}

void CBoardInterface::Post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (context_.sink) context_.sink->Post(message, wParam, lParam);
}

void CBoardInterface::LogCommand(const char* format, ...) {
    if (OnPollingThread() || !context_.sink) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    context_.sink->Send(kMsgCommandLine, reinterpret_cast<uintptr_t>(line), 0);
}

BoxAnswer CBoardInterface::ReportCommandError(const char* command, uint8_t code) {
    if (OnPollingThread() || !context_.reporter) return BoxAnswer::Cancel;
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
        case 0x0B: {
            uint16_t value = 0;
            code = port_.StepGetCurrent(slave_, 0, &value);
            break;
        }
        case 0x0D: {
            char text[256];
            code = port_.StepVersion(slave_, text, sizeof text);
            break;
        }
        case 0x0E: {
            std::array<uint8_t, 64> data{};
            code = port_.StepGetMotorDB(slave_, &data);
            break;
        }
        case 0x2E: {
            uint8_t alarm = 0;
            code = port_.GetAlarmType(slave_, &alarm);
            break;
        }
        case 0x44: {
            uint16_t status = 0;
            code = port_.GetRunPTStatus(slave_, &status);
            break;
        }
        default:
            return true;
    }
    return code != kStatusFrameTypeError;
}

uint8_t CBoardInterface::UpdateStatus() {
    if (paramReloadRequest.load()) {
        ReadAllParameters();
        paramReloadRequest = false;
    }
    if (ServesBldcReload()) ReloadBldc();
    if (ioReloadRequest.load()) {
        ReadIOAssignMaps();
        ioReloadRequest = false;
    }
    if (posTableReloadRequest.load()) {
        ReadPosTable();
        posTableReloadRequest = false;
    }
    if (PollingAbort()) return 0;

    if (!IsWatched()) {
        const uint16_t idle = static_cast<uint16_t>(idleCounter_.load() + 1);
        if (idle > 5) {
            idleCounter_ = 0;
            return port_.PresenceProbe(slave_, 100);
        }
        idleCounter_ = idle;
        return 0;
    }

    uint8_t code = 0;
    if (!paramReloadRequest.load() && !ioReloadRequest.load() && !posTableReloadRequest.load()) {
        AllStatus status;
        code = port_.GetAllStatus(slave_, &status);
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
        code = port_.PosTableRunState(slave_, &state);
        if (code == 0 && state != 0) oneItemPending_ = false;
    }

    if (QueriesBrake()) {
        uint32_t brake = 0;
        code = port_.BrakeSet(slave_, 2, &brake);
        if (code == 0) brake_ = brake != 0;
    }

    if (axis & axis_bit::kAlarm) {
        if (alarmCode_.load() == 0) {
            uint8_t alarm = 0;
            code = port_.GetAlarmType(slave_, &alarm);
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
