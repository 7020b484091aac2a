// Request dispatch, identification and the parameter store of a simulated drive.
#include "sim/drive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive_util.h"

namespace tarsel::sim {

Drive::Drive(const DriveConfig& config, FamilyMetadata metadata, Clock::time_point now)
    : config_(config), traits_(Traits(config.modelCode)), meta_(std::move(metadata)) {
    if (config_.inputCount == 0) config_.inputCount = traits_.defaultInputPins;
    if (config_.outputCount == 0) config_.outputCount = traits_.defaultOutputPins;
    if (config_.tableSize == 0) config_.tableSize = traits_.defaultTableSize;
    if (config_.name.empty()) config_.name = traits_.modelName;
    for (const ParamSpec& spec : meta_.params) params_.push_back(spec.defaultValue);
    romParams_ = params_;
    for (const BldcParamSpec& spec : meta_.bldc) {
        double zero = std::clamp(0.0, spec.minimum, std::max(spec.minimum, spec.maximum));
        bldc_[{spec.category, spec.number}] = spec.ToRaw(zero);
    }
    bldcRom_ = bldc_;
    for (uint8_t channel : config_.monitoringChannels) {
        if (channel == 0) break;
        monitor_.channels[monitor_.channelCount++] = channel;
    }
    TableItem empty;
    empty.fill(0xFF);
    table_.assign(config_.tableSize, empty);
    romTable_ = table_;
    run_.loopCounters.assign(config_.tableSize, 0);
    InitIoMap();
    bootRom_ = config_.startInBootRom;
    lastInputs_ = InputStatus(now);
}

// The simulated drive deliberately keeps its own copy of the protocol facts (frame types below,
// axis status bits, model codes) instead of taking them from comm/protocol.h: a wrong number on
// the host side then shows up in the tests as a refused or misread request instead of being
// copied into the drive.  Only the slave numbering and the wire format are shared.
DriveResponse Drive::Handle(uint8_t type, const uint8_t* data, std::size_t length, Clock::time_point now,
                            bool broadcast) {
    Advance(now);
    DriveResponse r;
    if (bootRom_) {
        switch (type) {
            case 0x01:
            case 0x08:
            case 0x51:
                r = HandleIdentity(type, data, length, now);
                break;
            case 0x1A:
            case 0x1B:
            case 0x1C:
            case 0x1D:
            case 0x1E:
            case 0x1F:
                r = HandleBoot(type, data, length, now);
                break;
            default:
                r = Status(kStatusFrameTypeError);
        }
    } else {
        switch (type) {
            case 0x01:
            case 0x06:
            case 0x08:
            case 0x51:
                r = HandleIdentity(type, data, length, now);
                break;
            case 0x10:
            case 0x11:
            case 0x12:
            case 0x13:
                r = HandleParameters(type, data, length);
                break;
            case 0x20:
            case 0x21:
            case 0x22:
            case 0x23:
            case 0x24:
            case 0x25:
            case 0x26:
            case 0x27:
            case 0x28:
                r = HandleIo(type, data, length, now);
                break;
            case 0x2A:
            case 0x2B:
            case 0x2C:
            case 0x2D:
            case 0x2E:
                r = HandleServo(type, data, length, now);
                break;
            case 0x31:
            case 0x32:
            case 0x33:
            case 0x34:
            case 0x35:
            case 0x36:
            case 0x37:
            case 0x38:
            case 0x39:
            case 0x3A:
            case 0x3B:
            case 0x3C:
            case 0x3D:
            case 0x3E:
            case 0x3F:
            case 0x58:
            case 0x70:
            case 0x71:
            case 0x80:
            case 0x81:
            case 0x82:
                r = HandleMotion(type, data, length, now);
                break;
            case 0x40:
            case 0x41:
            case 0x42:
            case 0x43:
            case 0x44:
            case 0x50:
            case 0x52:
            case 0x53:
            case 0x54:
            case 0x55:
            case 0x56:
                r = HandleStatus(type, data, length, now);
                break;
            case 0x60:
            case 0x61:
            case 0x62:
            case 0x63:
            case 0x64:
            case 0x65:
            case 0x68:
            case 0x69:
            case 0x6A:
            case 0x6B:
                r = HandleTable(type, data, length, now);
                break;
            case 0x0B:
            case 0x0C:
            case 0x0D:
            case 0x0E:
            case 0x0F:
                r = traits_.stepper ? HandleStepper(type, data, length) : Status(kStatusFrameTypeError);
                break;
            case 0x84:
            case 0x85:
            case 0x86:
            case 0x87:
            case 0x8A:
            case 0x8B:
            case 0x8C:
            case 0x8D:
            case 0x8E:
            case 0x8F:
                r = traits_.bldc ? HandleBldc(type, data, length, now) : Status(kStatusFrameTypeError);
                break;
            case 0x1A:
            case 0x1B:
            case 0x1C:
            case 0x1D:
            case 0x1E:
            case 0x1F:
                r = HandleBoot(type, data, length, now);
                break;
            default:
                r = Status(kStatusFrameTypeError);
        }
    }
    if (broadcast) r.answer = false;
    if (!bootRom_) ProcessInputEdges(now);  // inputs set by the request act at once
    return r;
}

DriveResponse Drive::HandleIdentity(uint8_t type, const uint8_t* data, std::size_t length,
                                    Clock::time_point now) {
    DriveResponse r;
    switch (type) {
        case 0x01: {
            if (config_.form == FrameForm::Legacy) {
                // Legacy text: type byte, name, "(V" and the version numbers.
                char text[96];
                int n = std::snprintf(
                    text, sizeof(text), "%c%s(V%u.%u.%u)",
                    config_.legacyTypeByte ? config_.legacyTypeByte : traits_.legacyTypeByte,
                    config_.name.c_str(), config_.version[0], config_.version[1], config_.version[2]);
                r.data.assign(text, text + std::min<int>(n, sizeof(text) - 1));
                return r;
            }
            r.data.assign(70, 0);
            uint8_t* p = r.data.data();
            for (int i = 0; i < 4; ++i) PutU16(p + 2 * i, config_.version[i]);
            std::memcpy(p + 8, config_.name.c_str(), std::min<std::size_t>(config_.name.size(), 29));
            PutU16(p + 38, config_.modelCode);
            PutU16(p + 40, config_.motorNumber);
            std::memcpy(p + 42, config_.motorName.c_str(),
                        std::min<std::size_t>(config_.motorName.size(), 19));
            PutU16(p + 62, config_.inputCount);
            PutU16(p + 64, config_.outputCount);
            PutU16(p + 66, config_.tableSize);
            PutU16(p + 68, config_.firmwareType);
            return r;
        }
        case 0x06:
            if (!traits_.hasDriveWord) return Status(kStatusFrameTypeError);
            return WithU16(config_.driveWord);
        case 0x08: {
            // New slave number, then the constant 4.  The line checks that the number is free.
            if (length < 2) return Status(kStatusPacketError);
            if (data[0] > kMaxAddressedSlave || data[1] != 4) return Status(kStatusDataError);
            r.newSlave = data[0];
            return r;
        }
        case 0x51:
            return WithS32(Axis(now).commandPosition);
    }
    return Status(kStatusFrameTypeError);
}

DriveResponse Drive::HandleParameters(uint8_t type, const uint8_t* data, std::size_t length) {
    switch (type) {
        case 0x10:
            romParams_ = params_;
            romInputMap_ = inputMap_;
            romOutputMap_ = outputMap_;
            return {};
        case 0x11:
        case 0x13: {
            if (length < 1) return Status(kStatusPacketError);
            if (data[0] >= params_.size()) return Status(kStatusDataError);
            return WithS32(type == 0x11 ? romParams_[data[0]] : params_[data[0]]);
        }
        case 0x12: {
            if (length < 5) return Status(kStatusPacketError);
            uint8_t number = data[0];
            int32_t value = GetS32(data + 1);
            if (number >= params_.size() || !meta_.params[number].InRange(value))
                return Status(kStatusDataError);
            StoreParam(number, value);
            return {};
        }
    }
    return Status(kStatusFrameTypeError);
}

int32_t Drive::Param(int number, int32_t fallback) const {
    if (number < 0 || number >= static_cast<int>(params_.size())) return fallback;
    return params_[static_cast<std::size_t>(number)];
}

void Drive::StoreParam(int number, int32_t value) {
    if (number < 0 || number >= static_cast<int>(params_.size())) return;
    params_[static_cast<std::size_t>(number)] = value;
    ApplyLevelParam(number, value);
}

std::optional<int32_t> Drive::Parameter(uint8_t number) const {
    if (number >= params_.size()) return std::nullopt;
    return params_[number];
}

std::optional<int32_t> Drive::RomParameter(uint8_t number) const {
    if (number >= romParams_.size()) return std::nullopt;
    return romParams_[number];
}

bool Drive::ForceParameter(uint8_t number, int32_t value) {
    if (number >= params_.size()) return false;
    StoreParam(number, value);
    return true;
}

void Drive::Advance(Clock::time_point now) {
    if (bootRom_) {
        if (erasing_ && now >= eraseDone_) {
            erasing_ = false;
            erased_ = true;
        }
        return;
    }
    AdvanceMonitoring(now);
    if (Moving()) {
        CheckLimits(now);
        if (Moving() && !paused_ && plan_.At(now).done) FinishMotion(now);
    }
    AdvanceEstimation(now);
    ProcessInputEdges(now);
    AdvanceTable(now);
}

}  // namespace tarsel::sim
