// Stepper drive extras: current, version text and the motor data block.
#include <cstdio>
#include <cstring>

#include "comm/frame.h"
#include "comm/result_codes.h"
#include "sim/drive.h"
#include "sim/drive_util.h"

namespace tarsel::sim {
namespace {

constexpr std::size_t kVersionTextLength = 247;
constexpr std::size_t kMotorDataLength = 64;
constexpr uint8_t kMotorDbEntries = 32;

}  // namespace

DriveResponse Drive::HandleStepper(uint8_t type, const uint8_t* data, std::size_t length) {
    switch (type) {
        case 0x0B: {
            if (length < 1) return Status(kStatusPacketError);
            // 0 run current, 1 stop current (half of it), 2 the rated maximum.
            switch (data[0]) {
                case 0:
                    return WithU16(stepCurrent_);
                case 1:
                    return WithU16(static_cast<uint16_t>(stepCurrent_ / 2));
                case 2:
                    return WithU16(3000);
                default:
                    return Status(kStatusDataError);
            }
        }
        case 0x0C: {
            if (length < 2) return Status(kStatusPacketError);
            const uint16_t value = GetU16(data);
            if (value == 0 || value > 3000) return Status(kStatusDataError);
            stepCurrent_ = value;
            return {};
        }
        case 0x0D: {
            // "Pellin Bipolar Version <major> <variant> Rev<minor>.<build>", zero padded: the fifth
            // word names the variant.
            char text[kVersionTextLength + 1] = {};
            std::snprintf(text, sizeof(text), "Pellin Bipolar Version %u %d Rev%u.%u", config_.version[0],
                          config_.stepperVariant ? 1 : 0, config_.version[1], config_.version[2]);
            DriveResponse r;
            r.data.assign(text, text + kVersionTextLength);
            return r;
        }
        case 0x0E: {
            DriveResponse r;
            r.data.assign(kMotorDataLength, 0);
            r.data[0] = motorDbIndex_;
            char name[24];
            std::snprintf(name, sizeof(name), "PM-%02u", motorDbIndex_);
            std::memcpy(r.data.data() + 1, name, std::strlen(name));
            PutU16(r.data.data() + 24, static_cast<uint16_t>(200 + 100 * (motorDbIndex_ % 4)));  // steps/rev
            PutU16(r.data.data() + 26, stepCurrent_);
            return r;
        }
        case 0x0F:
            if (length < 1) return Status(kStatusPacketError);
            if (data[0] >= kMotorDbEntries) return Status(kStatusDataError);
            motorDbIndex_ = data[0];
            return {};
    }
    return Status(kStatusFrameTypeError);
}

}  // namespace tarsel::sim
