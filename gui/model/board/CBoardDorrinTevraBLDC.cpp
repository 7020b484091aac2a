#include "gui/model/board/CBoardDorrinTevraBLDC.h"

#include <cmath>

namespace tarsel {
namespace {

// Snaps a value down to its step; the small allowance keeps 1.23 / 0.01 from landing on 122.99...
double FloorToStep(double value, int digits) {
    const double step = std::pow(10.0, digits);
    return std::floor(value / step + 1e-9) * step;
}

}  // namespace

CBoardDorrinTevraBLDC::CBoardDorrinTevraBLDC(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                                             const CDefaultParamBLDC* defaults, BoardContext context)
    : CBoardInterface(slave, port, info, BldcBase(defaults), tarsel::TypeInfo(board_type::kBldc), context),
      bldcDefaults_(defaults) {
    for (uint32_t c = 0; c < kCategoryCount; ++c) {
        bldc_[c].resize(meta::BldcParamCount(defaults, c + 1));
        for (uint32_t i = 0; i < bldc_[c].size(); ++i) {
            bldc_[c][i].category = static_cast<uint8_t>(c + 1);
            if (auto record = meta::BldcParamAt(defaults, c + 1, i)) bldc_[c][i].number = record->number;
        }
    }
}

void CBoardDorrinTevraBLDC::ResetStatus() {
    CBoardInterface::ResetStatus();
    bldcReloadRequest = false;
    bldcLoaded = false;
    bldcReadCount = 0;
}

BldcEntry* CBoardDorrinTevraBLDC::Entry(uint32_t category, uint32_t number) {
    if (category < 1 || category > kCategoryCount) return nullptr;
    for (auto& entry : bldc_[category - 1]) {
        if (entry.number == number) return &entry;
    }
    return nullptr;
}

const BldcEntry* CBoardDorrinTevraBLDC::Entry(uint32_t category, uint32_t number) const {
    return const_cast<CBoardDorrinTevraBLDC*>(this)->Entry(category, number);
}

void CBoardDorrinTevraBLDC::ReloadBldc() {
    if (bldcReloadRequest.load()) EndLoad(load_bit::kBldc, bldcReloadRequest, ReadAllBLDCParameters());
}

void CBoardDorrinTevraBLDC::EndAllLoads() {
    CBoardInterface::EndAllLoads();
    if (bldcReloadRequest.load()) EndLoad(load_bit::kBldc, bldcReloadRequest, false);
}

LoadOutcome CBoardDorrinTevraBLDC::GetLoadOutcome() const {
    LoadOutcome outcome = CBoardInterface::GetLoadOutcome();
    if (bldcReloadRequest.load()) outcome.requested |= load_bit::kBldc;
    if (bldcLoaded.load()) outcome.loaded |= load_bit::kBldc;
    return outcome;
}

bool CBoardDorrinTevraBLDC::ReadAllBLDCParameters() {
    // The request flag is left to the polling step, which ends it with the outcome.
    if (bldcLoaded.load()) return true;
    bldcReadCount = 0;
    for (uint32_t c = 1; c <= kCategoryCount; ++c) {
        for (uint32_t i = 0; i < bldc_[c - 1].size(); ++i) {
            const auto record = meta::BldcParamAt(bldcDefaults_, c, i);
            if (!record) break;
            int32_t value = 0;
            if (PollingAbort() || !Run("ZEL_BLDCReadParameter", [&] {
                    return Port()->BLDCReadParameter(slave_, static_cast<uint8_t>(c), record->number, &value);
                })) {
                bldcLoaded = false;
                return false;
            }
            {
                std::lock_guard<std::mutex> lock(cacheMutex_);
                bldc_[c - 1][i] = {static_cast<uint8_t>(c), record->number, value, value, 0};
            }
            ++bldcReadCount;
        }
    }
    bldcLoaded = true;
    return true;
}

bool CBoardDorrinTevraBLDC::ReadBLDCParameter(uint8_t category, uint32_t number) {
    int32_t value = 0;
    const bool ok = Run("ZEL_BLDCReadParameter",
                        [&] { return Port()->BLDCReadParameter(slave_, category, number, &value); });
    if (ok) {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        if (BldcEntry* entry = Entry(category, number)) {
            entry->value = value;
            entry->lastRead = value;
            entry->modified = 0;
        }
    }
    Post(kMsgBldcParamChanged, slave_, BldcParam(category, number));
    return ok;
}

bool CBoardDorrinTevraBLDC::BLDCWriteROMParameters() {
    return Run(
        "ZEL_BLDCWriteROMParameters", [&] { return Port()->BLDCWriteROMParameters(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_BLDCWriteROMParameters(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

bool CBoardDorrinTevraBLDC::BLDCReadROMParameters() {
    const bool ok = Run(
        "ZEL_BLDCReadROMParameters", [&] { return Port()->BLDCReadROMParameters(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_BLDCReadROMParameters(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
    if (ok) bldcLoaded = false;
    return ok;
}

bool CBoardDorrinTevraBLDC::WriteBLDCParameter(uint8_t category, uint32_t number, int32_t value) {
    if (!bldcLoaded.load() || !meta::BldcParam(bldcDefaults_, category, number)) return false;
    BldcEntry before;
    {
        std::lock_guard<std::mutex> lock(cacheMutex_);
        BldcEntry* entry = Entry(category, number);
        if (!entry) return false;
        if (entry->value == value) return true;
        before = *entry;
        entry->value = value;
        entry->modified = 1;
    }
    const bool ok = Run(
        "ZEL_BLDCWriteParameter", [&] { return Port()->BLDCWriteParameter(slave_, category, number, value); },
        [&](uint8_t code) {
            LogCommand("ZEL_BLDCWriteParameter(%d, %d, %d, %d, %d); Return : 0x%02X", PortNumber(), slave_,
                       category, static_cast<int>(number), value, code);
        });
    if (!ok) {
        // The drive kept its value: so does the cache (unless a read replaced it meanwhile), or the
        // same value written again would count as written without being sent.
        std::lock_guard<std::mutex> lock(cacheMutex_);
        BldcEntry* entry = Entry(category, number);
        if (entry && entry->value == value && entry->modified) {
            entry->value = before.value;
            entry->modified = before.modified;
        }
        return false;
    }
    Post(kMsgBldcParamChanged, slave_, BldcParam(category, number));
    return true;
}

int32_t CBoardDorrinTevraBLDC::GetBLDCParameterValue(uint8_t category, uint32_t number) const {
    if (!bldcLoaded.load()) return 0;
    std::lock_guard<std::mutex> lock(cacheMutex_);
    const BldcEntry* entry = Entry(category, number);
    return entry ? entry->value : 0;
}

uint32_t CBoardDorrinTevraBLDC::GetBLDCParamCount(uint32_t category) const {
    return meta::BldcParamCount(bldcDefaults_, category);
}

uint32_t CBoardDorrinTevraBLDC::GetBLDCTotalParamCount() const {
    uint32_t total = 0;
    for (uint32_t c = 1; c <= kCategoryCount; ++c) total += GetBLDCParamCount(c);
    return total;
}

std::string CBoardDorrinTevraBLDC::GetBLDCCategoryName(uint32_t category) const {
    return meta::BldcCategoryName(bldcDefaults_, category);
}

std::optional<BldcMeta> CBoardDorrinTevraBLDC::GetBLDCParamInfo(uint32_t category, uint32_t number) const {
    return meta::BldcParam(bldcDefaults_, category, number);
}

std::optional<BldcMeta> CBoardDorrinTevraBLDC::GetBLDCParamInfoAt(uint32_t category, uint32_t index) const {
    return meta::BldcParamAt(bldcDefaults_, category, index);
}

bool CBoardDorrinTevraBLDC::IsBLDCValueInRange(uint32_t category, uint32_t number, double display) const {
    const auto record = GetBLDCParamInfo(category, number);
    return record && record->minimum <= display && display <= record->maximum;
}

int64_t CBoardDorrinTevraBLDC::BLDCDisplayToRaw(uint32_t category, uint32_t number, double display) const {
    const auto record = GetBLDCParamInfo(category, number);
    if (!record) return 0;
    double v = display;
    if (record->hasRounding) v = FloorToStep(v, record->roundingDigits);
    if (record->op == '*') {
        v /= record->factor;
    } else if (record->op == '/') {
        v *= record->factor;
    }
    // Rounded half up on both sides of zero (a plain truncation would pull negatives towards 0).
    return static_cast<int64_t>(std::floor(v + 0.5));
}

double CBoardDorrinTevraBLDC::BLDCRawToDisplay(uint32_t category, uint32_t number, int64_t raw) const {
    const auto record = GetBLDCParamInfo(category, number);
    if (!record) return 0.0;
    double v = static_cast<double>(raw);
    if (record->op == '*') {
        v *= record->factor;
    } else if (record->op == '/') {
        v /= record->factor;
    }
    if (record->hasRounding) {
        const double step = std::pow(10.0, record->roundingDigits);
        v = std::floor(v / step + 0.5) * step;
    }
    return v;
}

bool CBoardDorrinTevraBLDC::MonitoringGetStatus(uint8_t& state) {
    uint8_t read = 0;
    if (Port()->MonitoringStatus(slave_, &read) != 0) return false;
    state = read;
    return true;
}

bool CBoardDorrinTevraBLDC::MonitoringCancel() {
    return Run(
        "ZEL_MonitoringCancel", [&] { return Port()->MonitoringCancel(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_MonitoringCancel(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

bool CBoardDorrinTevraBLDC::MonitoringGetData(uint32_t index, std::array<int16_t, 4>& values) {
    std::array<int16_t, 4> read{};
    if (Port()->MonitoringGetData(slave_, index, &read) != 0) return false;
    values = read;
    return true;
}

bool CBoardDorrinTevraBLDC::MonitoringSetConfig(const MonitoringConfig& c) {
    return Run(
        "ZEL_MonitoringSetConfig", [&] { return Port()->MonitoringSetConfig(slave_, c); },
        [&](uint8_t code) {
            LogCommand("ZEL_MonitoringSetConfig(%d, %d, %d, %d, %d, %d, %d, %d, %d); Return : 0x%02X",
                       PortNumber(), slave_, c.samplingTime, c.bufferSize, c.channelCount, c.channels[0],
                       c.channels[1], c.channels[2], c.channels[3], code);
        });
}

bool CBoardDorrinTevraBLDC::MonitoringGetConfig(MonitoringConfig& config) {
    MonitoringConfig c;
    const bool ok = Run(
        "ZEL_MonitoringGetConfig", [&] { return Port()->MonitoringGetConfig(slave_, &c); },
        [&](uint8_t code) {
            LogCommand(
                "ZEL_MonitoringGetConfig(%d, %d, [%d], [%d], [%d], [%d], [%d], [%d], [%d]); Return : 0x%02X",
                PortNumber(), slave_, c.samplingTime, c.bufferSize, c.channelCount, c.channels[0],
                c.channels[1], c.channels[2], c.channels[3], code);
        });
    if (ok) config = c;
    return ok;
}

bool CBoardDorrinTevraBLDC::MonitoringStart() {
    return Run(
        "ZEL_MonitoringStart", [&] { return Port()->MonitoringStart(slave_); },
        [&](uint8_t code) {
            LogCommand("ZEL_MonitoringStart(%d, %d); Return : 0x%02X", PortNumber(), slave_, code);
        });
}

}  // namespace tarsel
