// Positions, single-axis motion, waiting for the end of a motion, and the repeat run.
#include <chrono>

#include "gui/model/board/CBoardInterface.h"

namespace tarsel {
namespace {

uint64_t NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

}  // namespace

uint8_t CBoardInterface::WaitMotionDone(bool inPosition, bool untilStop) {
    for (;;) {
        // A repeat run that was asked to stop sends nothing more, so it need not see the axis
        // come to rest (the stop command brings it there).
        if (untilStop && repeatStop_.load()) return 0;
        std::this_thread::yield();
        uint32_t status = 0;
        const uint8_t code = Port()->GetAxisStatus(slave_, &status);
        if (code != 0) return code;
        axisStatus_ = status;
        if ((status & axis_bit::kMoving) != 0) continue;
        if (!inPosition || (status & axis_bit::kInPosition) != 0) return 0;
    }
}

bool CBoardInterface::SetCommandPos(int32_t position) {
    return Run(
        "ZEL_SetCommandPos", [&] { return Port()->SetCommandPos(slave_, position); },
        [&](uint8_t code) {
            LogCommand("ZEL_SetCommandPos(%d, %d, %d); Return : 0x%02X", PortNumber(), slave_, position,
                       code);
        });
}

bool CBoardInterface::SetActualPos(int32_t position) {
    return Run(
        "ZEL_SetActualPos", [&] { return Port()->SetActualPos(slave_, position); },
        [&](uint8_t code) {
            LogCommand("ZEL_SetActualPos(%d, %d, %d); Return : 0x%02X", PortNumber(), slave_, position, code);
        });
}

bool CBoardInterface::ClearPosition() {
    return Run(
        "ZEL_ClearPosition", [&] { return Port()->ClearPosition(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_ClearPosition(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

bool CBoardInterface::WaitAfterMove(bool inPosition, bool untilStop) {
    // The wait is not part of the move's retry: a Retry after a failed status read waits again and
    // never sends the move a second time.
    return Run("ZEL_GetAxisStatus", [&] { return WaitMotionDone(inPosition, untilStop); });
}

bool CBoardInterface::MoveStop(bool wait) {
    StopRepeat();
    const bool ok = Run(
        "ZEL_MoveStop", [&] { return Port()->MoveStop(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_MoveStop(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    return ok && (!wait || WaitAfterMove(false));
}

bool CBoardInterface::EmergencyStop(bool wait) {
    StopRepeat();
    const bool ok = Run(
        "ZEL_EmergencyStop", [&] { return Port()->EmergencyStop(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_EmergencyStop(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    return ok && (!wait || WaitAfterMove(false));
}

bool CBoardInterface::SendAbsMove(int32_t position, uint32_t speed) {
    return Run(
        "ZEL_MoveSingleAxisAbsPos", [&] { return Port()->MoveSingleAxisAbsPos(slave_, position, speed); },
        [&](uint8_t code) {
            LogCommand("ZEL_MoveSingleAxisAbsPos(%d, %d, %d, %u); Return : 0x%02X", PortNumber(), slave_,
                       position, speed, code);
        });
}

bool CBoardInterface::MoveSingleAxisAbsPos(int32_t position, uint32_t speed, bool wait) {
    repeatStop_ = false;
    return SendAbsMove(position, speed) && (!wait || WaitAfterMove(false));
}

bool CBoardInterface::MoveSingleAxisIncPos(int32_t distance, uint32_t speed, bool wait) {
    repeatStop_ = false;
    const bool ok = Run(
        "ZEL_MoveSingleAxisIncPos", [&] { return Port()->MoveSingleAxisIncPos(slave_, distance, speed); },
        [&](uint8_t code) {
            LogCommand("ZEL_MoveSingleAxisIncPos(%d, %d, %d, %u); Return : 0x%02X", PortNumber(), slave_,
                       distance, speed, code);
        });
    return ok && (!wait || WaitAfterMove(false));
}

bool CBoardInterface::MoveVelocity(uint32_t speed, uint8_t direction) {
    // Sent once: a jog key held down must not stack up retries or boxes.
    repeatStop_ = false;
    const uint8_t code = Port()->MoveVelocity(slave_, speed, direction);
    LogCommand("ZEL_MoveVelocity(%d, %d, %u, %d); Return : 0x%02X", PortNumber(), slave_, speed, direction,
               code);
    if (code != 0) return false;
    jog_ = true;
    return true;
}

bool CBoardInterface::MoveToLimit(uint32_t speed, uint8_t direction) {
    repeatStop_ = false;
    const bool ok = Run(
        "ZEL_MoveToLimit", [&] { return Port()->MoveToLimit(slave_, speed, direction); },
        [&](uint8_t code) {
            LogCommand("ZEL_MoveToLimit(%d, %d, %u, %d); Return : 0x%02X", PortNumber(), slave_, speed,
                       direction, code);
        });
    if (ok) limitMove_ = true;
    return ok;
}

bool CBoardInterface::MoveOriginSingleAxis() {
    repeatStop_ = false;
    const bool ok = Run(
        "ZEL_MoveOriginSingleAxis", [&] { return Port()->MoveOriginSingleAxis(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_MoveOriginSingleAxis(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    if (ok) limitMove_ = true;
    return ok;
}

void CBoardInterface::StopRepeat() {
    repeatStop_ = true;
    jog_ = false;
    if (repeatRunning_.load()) SignalEvent();
}

bool CBoardInterface::RunRepeat(std::atomic<uint32_t>* cycles, std::atomic<uint64_t>* startTimeMs) {
    return RunRepeat(
        [this] {
            RepeatInputs in;
            in.positionCount = repeatUseThird.load() ? 3 : 2;
            in.positions = {repeatPosition1.load(), repeatPosition2.load(), repeatPosition3.load()};
            in.speed = repeatSpeed.load();
            in.waitMs = repeatDelayMs.load();
            in.repeatCount = repeatCount.load();
            in.inPosition = repeatInPosition.load();
            return in;
        },
        cycles, startTimeMs);
}

bool CBoardInterface::RunRepeat(const std::function<RepeatInputs()>& read, std::atomic<uint32_t>* cycles,
                                std::atomic<uint64_t>* startTimeMs) {
    ResetEvent();
    repeatStop_ = false;
    repeatRunning_ = true;
    struct Running {
        std::atomic<bool>& flag;
        ~Running() { flag = false; }
    } running{repeatRunning_};

    RepeatInputs in = read();
    if (repeatStop_.load()) return true;  // stopped before the first move
    const auto moveAndWait = [&](int32_t position) {
        return SendAbsMove(position, in.speed) && WaitAfterMove(in.inPosition, true);
    };
    const auto stopped = [&] { return repeatStop_.load(); };

    if (commandPosition_.load() != in.positions[0]) {
        if (!SendAbsMove(in.positions[0], in.speed) || !WaitAfterMove(false, true)) return false;
    }
    if (startTimeMs) *startTimeMs = NowMs();

    uint32_t cycle = 0;
    // Every wait may end with a stop request: the run then leaves at once, without another move.
    for (;;) {
        if (stopped()) return true;
        ++cycle;
        if (cycles) *cycles = cycle;
        if (cycle > 1 && in.waitMs) WaitEvent(in.waitMs);
        const int count = in.positionCount >= 3 ? 3 : 2;
        for (int i = 1; i < count; ++i) {
            if (stopped()) return true;
            if (!moveAndWait(in.positions[i])) return false;
            if (stopped()) return true;
            if (in.waitMs) WaitEvent(in.waitMs);
        }
        if (stopped()) return true;
        if (!moveAndWait(in.positions[0])) return false;
        in = read();
        if (in.repeatCount != 0 && cycle >= in.repeatCount) return true;
    }
}

}  // namespace tarsel
