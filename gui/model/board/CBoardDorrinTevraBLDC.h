// The BLDC servo: the servo commands, its own parameter set in seven categories with a cache
// served by the polling thread, value conversions, and the data monitoring commands.
#pragma once

#include <optional>
#include <vector>

#include "gui/model/board/CBoardInterface.h"
#include "gui/model/board/metadata_access.h"

namespace tarsel {

struct BldcEntry {
    uint8_t category = 0;
    uint32_t number = 0;
    int32_t value = 0;
    int32_t lastRead = 0;
    uint32_t modified = 0;
};

class CBoardDorrinTevraBLDC : public CBoardInterface {
public:
    static constexpr uint32_t kCategoryCount = 7;

    CBoardDorrinTevraBLDC(uint8_t slave, IBoardCommands& port, const SlaveInfo* info,
                          const CDefaultParamBLDC* defaults, BoardContext context);

    void ResetStatus() override;
    LoadOutcome GetLoadOutcome() const override;

    virtual bool ReadAllBLDCParameters();
    virtual bool ReadBLDCParameter(uint8_t category, uint32_t number);
    virtual bool BLDCWriteROMParameters();
    virtual bool BLDCReadROMParameters();
    virtual bool WriteBLDCParameter(uint8_t category, uint32_t number, int32_t value);
    virtual int32_t GetBLDCParameterValue(uint8_t category, uint32_t number) const;
    virtual uint32_t GetBLDCCategoryCount() const { return kCategoryCount; }
    virtual uint32_t GetBLDCParamCount(uint32_t category) const;
    virtual uint32_t GetBLDCTotalParamCount() const;
    virtual std::string GetBLDCCategoryName(uint32_t category) const;
    virtual bool IsBLDCValueInRange(uint32_t category, uint32_t number, double display) const;
    virtual int64_t BLDCDisplayToRaw(uint32_t category, uint32_t number, double display) const;
    virtual double BLDCRawToDisplay(uint32_t category, uint32_t number, int64_t raw) const;
    virtual bool BLDCReadROMParameters(IProgress*) { return BLDCReadROMParameters(); }
    virtual bool BLDCWriteROMParameters(IProgress*) { return BLDCWriteROMParameters(); }
    virtual bool LoadBLDCFile(const std::string& path, IProgress* progress);
    virtual bool SaveBLDCFile(const std::string& path, IProgress* progress);

    std::optional<BldcMeta> GetBLDCParamInfo(uint32_t category, uint32_t number) const;
    std::optional<BldcMeta> GetBLDCParamInfoAt(uint32_t category, uint32_t index) const;

    // Data monitoring.
    bool MonitoringGetStatus(uint8_t& state);
    bool MonitoringCancel();
    bool MonitoringGetData(uint32_t index, std::array<int16_t, 4>& values);
    bool MonitoringSetConfig(const MonitoringConfig& config);
    bool MonitoringGetConfig(MonitoringConfig& config);
    bool MonitoringStart();

    std::atomic<bool> bldcReloadRequest{false};
    std::atomic<bool> bldcLoaded{false};
    std::atomic<uint32_t> bldcReadCount{0};

protected:
    void ReloadBldc() override;
    void RequestBldcLoad() override { bldcReloadRequest = true; }
    void EndAllLoads() override;

private:
    BldcEntry* Entry(uint32_t category, uint32_t number);
    const BldcEntry* Entry(uint32_t category, uint32_t number) const;

    const CDefaultParamBLDC* bldcDefaults_;
    std::array<std::vector<BldcEntry>, kCategoryCount> bldc_;
};

}  // namespace tarsel
