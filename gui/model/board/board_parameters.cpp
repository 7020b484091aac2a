// Parameter cache, reads and writes, and the level couplings of a parameter write.
#include <algorithm>

#include "gui/model/board/CBoardInterface.h"
#include "gui/model/board/metadata_access.h"

namespace tarsel {

bool CBoardInterface::ReadAllParameters() {
    if (paramLoaded.load()) return true;
    paramReadCount = 0;
    for (uint8_t number = 0; number < paramCount_; ++number) {
        if (PollingAbort()) return false;
        int32_t value = 0;
        if (!Run("ZEL_GetParameter", [&] { return Port()->GetParameter(slave_, number, &value); })) {
            paramLoaded = false;
            return false;
        }
        {
            std::lock_guard<std::mutex> lock(cacheMutex_);
            params_[number] = {number, value, value, 0};
        }
        ++paramReadCount;
    }
    paramLoaded = true;
    return true;
}

bool CBoardInterface::ReadParameter(uint8_t number) {
    if (number >= paramCount_) return false;
    int32_t value = 0;
    const bool ok = Run("ZEL_GetParameter", [&] { return Port()->GetParameter(slave_, number, &value); });
    if (ok) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        params_[number].value = value;
        params_[number].lastRead = value;
        params_[number].modified = 0;
    }
    Post(kMsgParameterChanged, slave_, number);
    return ok;
}

bool CBoardInterface::SetParameter(uint8_t number, int32_t value) {
    if (params_.empty() || number >= paramCount_) return false;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        if (params_[number].value == value) return true;
    }
    const bool ok = Run(
        "ZEL_SetParameter", [&] { return Port()->SetParameter(slave_, number, value); },
        [&](uint8_t code) {
            LogCommand("ZEL_SetParameter(%d, %d, %d, %d); Return : 0x%02X", PortNumber(), slave_, number,
                       value, code);
        });
    if (!ok) return false;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        params_[number].value = value;
        params_[number].modified = 1;
    }
    Post(kMsgParameterChanged, slave_, number);
    AfterParameterWrite(number);
    return true;
}

bool CBoardInterface::SaveAllParameters() {
    return Run(
        "ZEL_SaveAllParameters", [&] { return Port()->SaveAllParameters(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_SaveAllParameters(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

int32_t CBoardInterface::GetParameterValue(uint8_t number) const {
    std::lock_guard<std::mutex> lock(cacheMutex_);
    return number < params_.size() ? params_[number].value : 0;
}

std::optional<ParameterRecord> CBoardInterface::GetParameterRecord(uint8_t number) const {
    std::lock_guard<std::mutex> lock(cacheMutex_);
    if (number >= params_.size()) return std::nullopt;
    return params_[number];
}

bool CBoardInterface::GetROMParameter(uint8_t number, int32_t& value) {
    if (number >= paramCount_) return false;
    int32_t read = 0;
    const bool ok = Run(
        "ZEL_GetROMParameter", [&] { return Port()->GetROMParameter(slave_, number, &read); },
        [&](uint8_t code) {
            LogCommand("ZEL_GetROMParameter(%d, %d, %d, [%d]); Return : 0x%02X", PortNumber(), slave_, number,
                       read, code);
        });
    if (ok) value = read;
    return ok;
}

bool CBoardInterface::IsParamValueInRange(uint32_t number, int32_t value) const {
    return meta::InRange(defaults_, number, value);
}

std::optional<std::string> CBoardInterface::GetParamValueText(uint8_t number, int32_t value) {
    for (const auto& entry : type_.enumerated) {
        if (entry.parameter != number) continue;
        if (entry.texts == ValueTexts::ServoResolution && value == 0) {
            // The drive's own resolution, or the smallest one when it does not tell.  Asked once
            // and quietly: the parameter grid asks on every refresh, and a drive that does not
            // answer must not bring up a box each time.
            uint16_t word = 0;
            if (Port()->GetDriveWord(slave_, &word) == 0) return std::to_string(word);
            return std::string("500");
        }
        std::string text = EnumeratedText(entry.texts, value);
        if (text.empty()) return std::nullopt;
        return text;
    }
    return std::nullopt;
}

bool CBoardInterface::RestoreParametersFromROM(IProgress* progress) {
    if (progress) {
        progress->SetRange(0, paramCount_);
        progress->SetStep(1);
        progress->SetPos(0);
    }
    for (uint8_t number = 0; number < paramCount_; ++number) {
        int32_t value = 0;
        if (!GetROMParameter(number, value)) return false;
        if (!SetParameter(number, value)) return false;
        if (progress) progress->StepIt();
    }
    return true;
}

void CBoardInterface::AfterParameterWrite(uint8_t number) {
    for (const auto& tie : type_.ties) {
        if (tie.parameter != number || !tie.onParameterWrite) continue;
        RefreshPinOfSignal(tie.output, tie.signal);
    }
}

}  // namespace tarsel
