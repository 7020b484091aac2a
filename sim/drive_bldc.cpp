// BLDC drive extras: the categorised BLDC parameters with their ROM copy, data monitoring and
// the inertia and R&L estimations.
#include <algorithm>
#include <cmath>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

constexpr uint8_t kInertiaCategory = 4, kInertiaResult = 5, kInertiaTrigger = 6;
constexpr uint8_t kRlCategory = 2, kRlResultR = 10, kRlResultL = 11, kRlTrigger = 18;
constexpr uint32_t kInertiaMoves = 2;  // moves the drive watches before it has a result
constexpr double kPulsesPerRev = 10000;

bool KnownChannel(uint8_t code) {
    return code == 0 || code == 1 || code == 2 || code == 11 || code == 12 || code == 21;
}

int16_t Clamp16(double v) {
    return static_cast<int16_t>(std::clamp(std::floor(v + 0.5), -32768.0, 32767.0));
}

}  // namespace

const BldcParamSpec* Drive::BldcSpec(uint8_t category, uint32_t number) const {
    for (const auto& spec : meta_.bldc)
        if (spec.category == category && spec.number == number) return &spec;
    return nullptr;
}

std::optional<int32_t> Drive::BldcParameter(uint8_t category, uint32_t number) const {
    auto it = bldc_.find({category, number});
    if (it == bldc_.end()) return std::nullopt;
    return it->second;
}

bool Drive::ForceBldcParameter(uint8_t category, uint32_t number, int32_t value) {
    auto it = bldc_.find({category, number});
    if (it == bldc_.end()) return false;
    it->second = value;
    return true;
}

void Drive::OnMoveStarted(Clock::time_point now) {
    if (monitor_.state == 1) {
        monitor_.state = 2;
        monitor_.firstSample = now;
        monitor_.samples.clear();
    }
}

void Drive::AdvanceMonitoring(Clock::time_point now) {
    if (monitor_.state != 2) return;
    const auto step = std::chrono::milliseconds(std::max<uint16_t>(monitor_.samplingMs, 1));
    while (monitor_.samples.size() < monitor_.bufferSize) {
        const Clock::time_point t = monitor_.firstSample + step * monitor_.samples.size();
        if (t > now) return;
        const MotionSample s = Sample(t);
        const double lag = s.velocity * 0.001;
        std::array<int16_t, 4> values{};
        for (std::size_t k = 0; k < monitor_.channelCount && k < 4; ++k) {
            switch (monitor_.channels[k]) {
                case 1:
                    values[k] = static_cast<int16_t>(static_cast<int32_t>(std::floor(s.position + 0.5)));
                    break;
                case 2:
                    values[k] = Clamp16(s.velocity * 60 / kPulsesPerRev);
                    break;
                case 11:
                    values[k] =
                        static_cast<int16_t>(static_cast<int32_t>(std::floor(s.position - lag + 0.5)));
                    break;
                case 12:
                    values[k] = Clamp16(s.velocity * 60 / kPulsesPerRev);
                    break;
                case 21:
                    values[k] = Clamp16(s.accel / 50000.0 + (s.velocity != 0 ? 5 : 0));
                    break;
                default:
                    break;
            }
        }
        monitor_.samples.push_back(values);
    }
    monitor_.state = 3;
}

void Drive::AdvanceEstimation(Clock::time_point now) {
    if (inertiaRunning_ && !Moving() && finishedMoves_ - inertiaMovesAtStart_ >= kInertiaMoves) {
        inertiaRunning_ = false;
        if (const BldcParamSpec* spec = BldcSpec(kInertiaCategory, kInertiaResult))
            bldc_[{kInertiaCategory, kInertiaResult}] = spec->ToRaw(config_.inertiaRatio);
        bldc_[{kInertiaCategory, kInertiaTrigger}] = 0;
    }
    if (rlRunning_ && now >= rlDone_) {
        rlRunning_ = false;
        if (const BldcParamSpec* spec = BldcSpec(kRlCategory, kRlResultR))
            bldc_[{kRlCategory, kRlResultR}] = spec->ToRaw(config_.windingR);
        if (const BldcParamSpec* spec = BldcSpec(kRlCategory, kRlResultL))
            bldc_[{kRlCategory, kRlResultL}] = spec->ToRaw(config_.windingL);
        bldc_[{kRlCategory, kRlTrigger}] = 0;
    }
}

DriveResponse Drive::HandleBldc(uint8_t type, const uint8_t* data, std::size_t length,
                                Clock::time_point now) {
    switch (type) {
        case 0x84:
        case 0x85: {
            if (length < (type == 0x84 ? 5u : 9u)) return Status(kStatusPacketError);
            const uint8_t category = data[0];
            const uint32_t number = GetU32(data + 1);
            const BldcParamSpec* spec = BldcSpec(category, number);
            if (!spec) return Status(kStatusDataError);
            if (type == 0x84) return WithS32(bldc_[{category, number}]);
            const int32_t value = GetS32(data + 5);
            if (spec->readOnly || !spec->InRange(value)) return Status(kStatusDataError);
            bldc_[{category, number}] = value;
            if (category == kInertiaCategory && number == kInertiaTrigger && value != 0) {
                inertiaRunning_ = true;
                inertiaMovesAtStart_ = finishedMoves_;
            }
            if (category == kRlCategory && number == kRlTrigger && value != 0) {
                if (servoOn_) {  // the windings are measured with the servo off
                    bldc_[{category, number}] = 0;
                    return Status(0x85);
                }
                rlRunning_ = true;
                rlDone_ = now + std::chrono::milliseconds(config_.rlEstimationMs);
            }
            return {};
        }
        case 0x86:
            if (config_.bldcRomReadFails) return Status(kStatusDataError);
            bldc_ = bldcRom_;
            return {};
        case 0x87:
            bldcRom_ = bldc_;
            return {};
        case 0x8A:
            return WithU8(monitor_.state);
        case 0x8B:
            monitor_.state = 0;
            monitor_.samples.clear();
            return {};
        case 0x8C: {
            if (length < 4) return Status(kStatusPacketError);
            const uint32_t index = GetU32(data);
            if (index >= monitor_.samples.size()) return Status(kStatusDataError);
            DriveResponse r;
            r.data.resize(8);
            for (int k = 0; k < 4; ++k)
                PutU16(r.data.data() + 2 * k, static_cast<uint16_t>(monitor_.samples[index][k]));
            return r;
        }
        case 0x8D: {
            if (length < 9) return Status(kStatusPacketError);
            const uint8_t count = data[4];
            if (count > 4) return Status(kStatusDataError);
            for (int k = 0; k < 4; ++k)
                if (!KnownChannel(data[5 + k])) return Status(kStatusDataError);
            monitor_.samplingMs = GetU16(data);
            monitor_.bufferSize = GetU16(data + 2);
            monitor_.channelCount = count;
            for (int k = 0; k < 4; ++k) monitor_.channels[k] = data[5 + k];
            return {};
        }
        case 0x8E: {
            DriveResponse r;
            r.data.resize(9);
            PutU16(r.data.data(), monitor_.samplingMs);
            PutU16(r.data.data() + 2, monitor_.bufferSize);
            r.data[4] = monitor_.channelCount;
            for (int k = 0; k < 4; ++k) r.data[5 + k] = monitor_.channels[k];
            return r;
        }
        case 0x8F:
            monitor_.samples.clear();
            monitor_.state = 1;
            if (Moving()) OnMoveStarted(now);
            return {};
    }
    return Status(kStatusFrameTypeError);
}

}  // namespace tarsel::sim
