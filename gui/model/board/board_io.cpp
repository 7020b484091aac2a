// I/O words, the pin map, assignments with their refusal rule, and the level couplings.
#include "gui/model/board/CBoardInterface.h"

namespace tarsel {
namespace {

constexpr uint64_t kStopSignals = 0x202000;  // "Stop" (bit 13) and "E-Stop" (bit 21)

}  // namespace

bool CBoardInterface::SetIOInput(uint64_t setMask, uint64_t clearMask) {
    const bool ok = Run(
        "ZEL_SetIOInput", [&] { return Port()->SetIOInput(slave_, setMask, clearMask); },
        [&](uint8_t code) {
            LogCommand("ZEL_SetIOInput(%d, %d, 0x%010llX, 0x%010llX); Return : 0x%02X", PortNumber(), slave_,
                       static_cast<unsigned long long>(setMask), static_cast<unsigned long long>(clearMask),
                       code);
        });
    if (ok && (setMask & kStopSignals)) StopRepeat();
    return ok;
}

bool CBoardInterface::GetIOInput(uint64_t& inputs) {
    uint64_t read = 0;
    const bool ok = Run(
        "ZEL_GetIOInput", [&] { return Port()->GetIOInput(slave_, &read); },
        [&](uint8_t code) {
            LogCommand("ZEL_GetIOInput(%d, %d, [0x%010llX]); Return : 0x%02X", PortNumber(), slave_,
                       static_cast<unsigned long long>(read), code);
        });
    if (!ok) return false;
    inputs = read;
    if (read & kStopSignals) StopRepeat();
    return true;
}

bool CBoardInterface::SetIOOutput(uint32_t setMask, uint32_t clearMask) {
    return Run(
        "ZEL_SetIOOutput", [&] { return Port()->SetIOOutput(slave_, setMask, clearMask); },
        [&](uint8_t code) {
            LogCommand("ZEL_SetIOOutput(%d, %d, 0x%08X, 0x%08X); Return : 0x%02X", PortNumber(), slave_,
                       setMask, clearMask, code);
        });
}

bool CBoardInterface::GetIOOutput(uint32_t& outputs) {
    uint32_t read = 0;
    const bool ok = Run(
        "ZEL_GetIOOutput", [&] { return Port()->GetIOOutput(slave_, &read); },
        [&](uint8_t code) {
            LogCommand("ZEL_GetIOOutput(%d, %d, [0x%08X]); Return : 0x%02X", PortNumber(), slave_, read,
                       code);
        });
    if (ok) outputs = read;
    return ok;
}

CIOInfo CBoardInterface::GetIOInfo() const {
    std::lock_guard<std::mutex> lock(cacheMutex_);
    return io_;
}

bool CBoardInterface::ReadPinMap(bool output, uint8_t pin, bool count) {
    uint8_t signal = 0;
    uint8_t level = 0;
    const char* name = output ? "ZEL_GetOutputAssignMap" : "ZEL_GetInputAssignMap";
    const bool ok = Run(name, [&] {
        return output ? Port()->GetOutputAssignMap(slave_, pin, &signal, &level)
                      : Port()->GetInputAssignMap(slave_, pin, &signal, &level);
    });
    if (!ok) return false;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        io_.Side(output).StorePin(pin, signal, level);
    }
    if (count) ++ioReadCount;
    return true;
}

bool CBoardInterface::ReadIOAssignMaps() {
    if (ioLoaded.load()) return true;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        io_.Clear();
    }
    ioReadCount = 0;
    for (bool output : {false, true}) {
        const uint8_t pins = io_.Side(output).PinCount();
        for (uint8_t pin = 0; pin < pins; ++pin) {
            if (PollingAbort() || !ReadPinMap(output, pin, true)) {
                ioLoaded = false;
                return false;
            }
        }
    }
    ioLoaded = true;
    AfterIoMapRead();
    return true;
}

bool CBoardInterface::ReadIOAssignMap(bool output, uint8_t pin) {
    if (pin >= io_.Side(output).PinCount()) return false;
    return ReadPinMap(output, pin, false);
}

bool CBoardInterface::AssignPin(bool output, uint8_t pin, uint8_t signal, std::optional<uint8_t> level,
                                bool notify) {
    CIOSide& side = io_.Side(output);
    if (pin >= side.PinCount()) return false;
    uint8_t sendLevel = level.value_or(0);
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        if (signal > 0) {
            const SignalRecord* record = side.Record(signal);
            if (record && record->assigned && record->pin != pin) return false;  // carried by another pin
            if (!level) sendLevel = record ? static_cast<uint8_t>(record->level) : 0;
        }
    }
    const char* name = output ? "ZEL_SetOutputAssignMap" : "ZEL_SetInputAssignMap";
    const bool ok = Run(
        name,
        [&] {
            return output ? Port()->SetOutputAssignMap(slave_, pin, signal, sendLevel)
                          : Port()->SetInputAssignMap(slave_, pin, signal, sendLevel);
        },
        [&](uint8_t code) {
            LogCommand("%s(%d, %d, %d, %d, %d); Return : 0x%02X", name, PortNumber(), slave_, pin, signal,
                       sendLevel, code);
        });
    if (ok) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        side.Assign(pin, signal, sendLevel);
    }
    if (notify) Post(kMsgIoAssignChanged, slave_, PinParam(pin, output));
    return ok;
}

bool CBoardInterface::AssignInputPin(uint8_t pin, uint8_t signal) {
    return AssignPin(false, pin, signal, std::nullopt, true);
}
bool CBoardInterface::AssignOutputPin(uint8_t pin, uint8_t signal) {
    return AssignPin(true, pin, signal, std::nullopt, true);
}
bool CBoardInterface::AssignInputPinEx(uint8_t pin, uint8_t signal, uint8_t level) {
    return AssignPin(false, pin, signal, level, false);
}
bool CBoardInterface::AssignOutputPinEx(uint8_t pin, uint8_t signal, uint8_t level) {
    return AssignPin(true, pin, signal, level, false);
}

bool CBoardInterface::SetPinLevel(bool output, uint8_t pin, uint8_t level) {
    CIOSide& side = io_.Side(output);
    if (pin >= side.PinCount()) return false;
    uint8_t signal = 0;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        signal = side.SignalOnPin(pin);
    }
    const uint8_t sendLevel = level ? 1 : 0;
    const char* name = output ? "ZEL_SetOutputAssignMap" : "ZEL_SetInputAssignMap";
    const bool ok = Run(
        name,
        [&] {
            return output ? Port()->SetOutputAssignMap(slave_, pin, signal, sendLevel)
                          : Port()->SetInputAssignMap(slave_, pin, signal, sendLevel);
        },
        [&](uint8_t code) {
            LogCommand("%s(%d, %d, %d, %d, %d); Return : 0x%02X", name, PortNumber(), slave_, pin, signal,
                       sendLevel, code);
        });
    if (ok) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        if (SignalRecord* record = side.Record(signal); record && signal > 0) record->level = sendLevel;
    }
    Post(kMsgIoLevelChanged, slave_, PinParam(pin, output));
    if (ok) AfterLevelChange(output, pin);
    return ok;
}

bool CBoardInterface::SetInputPinLevel(uint8_t pin, uint8_t level) {
    return SetPinLevel(false, pin, level);
}
bool CBoardInterface::SetOutputPinLevel(uint8_t pin, uint8_t level) {
    return SetPinLevel(true, pin, level);
}

bool CBoardInterface::IOAssignMapReadROM() {
    const bool ok = Run(
        "ZEL_IOAssignMapReadROM", [&] { return Port()->IOAssignMapReadROM(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_IOAssignMapReadROM(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    if (ok) ioLoaded = false;
    return ok;
}

void CBoardInterface::RefreshPinOfSignal(bool output, uint8_t signal) {
    uint32_t pin = 0;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        const SignalRecord* record = io_.Side(output).Record(signal);
        if (!record || !record->assigned) return;
        pin = record->pin;
    }
    if (!ReadIOAssignMap(output, static_cast<uint8_t>(pin))) return;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        if (SignalRecord* record = io_.Side(output).Record(signal)) record->changed = 1;
    }
    Post(kMsgIoLevelChanged, slave_, PinParam(pin, output));
}

void CBoardInterface::AfterLevelChange(bool output, uint8_t pin) {
    uint8_t signal = 0;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        signal = io_.Side(output).SignalOnPin(pin);
    }
    if (signal == 0) return;
    for (const auto& tie : type_.ties) {
        if (tie.output != output || tie.signal != signal) continue;
        if (!output && (signal == 1 || signal == 2)) RefreshPinOfSignal(false, signal == 1 ? 2 : 1);
        ReadParameter(tie.parameter);
        return;
    }
}

void CBoardInterface::AfterIoMapRead() {
    bool limit = false;
    bool origin = false;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        const CIOSide& in = io_.input;
        limit = (in.Record(1) && in.Record(1)->assigned) || (in.Record(2) && in.Record(2)->assigned);
        origin = in.Record(3) && in.Record(3)->assigned;
    }
    if (limit) ReadParameter(type_.limitParam);
    if (origin) ReadParameter(type_.originParam);
}

}  // namespace tarsel
