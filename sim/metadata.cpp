#include "sim/metadata.h"

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "formats/metadata/CDefaultParam.h"
#include "formats/metadata/CDefaultParamBLDC.h"
#include "sim/family.h"
#include "sim/simulator.h"

#ifndef TARSEL_SOURCE_DATA_DIR
#define TARSEL_SOURCE_DATA_DIR ""
#endif

namespace tarsel::sim {
namespace {

constexpr int kBuiltInParamCount = 40;
constexpr uint8_t kBldcCategories = 7;
constexpr uint32_t kBuiltInBldcPerCategory = 20;

std::string ProgramDirectory() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0) return {};
    std::string text(path, static_cast<std::size_t>(n));
    std::size_t slash = text.rfind('/');
    return slash == std::string::npos ? std::string() : text.substr(0, slash);
}

void SetSpec(std::vector<ParamSpec>& params, int number, int32_t minimum, int32_t maximum, int32_t value) {
    if (number < 0 || number >= static_cast<int>(params.size())) return;
    params[static_cast<std::size_t>(number)] = {minimum, maximum, value};
}

// Stand-in table when the family's file is missing: wide ranges, sensible motion defaults.
std::vector<ParamSpec> BuiltInParams(uint16_t modelCode) {
    const FamilyTraits& t = Traits(modelCode);
    std::vector<ParamSpec> params(kBuiltInParamCount);
    SetSpec(params, t.speedParam, 1, 5'000'000, 500'000);
    SetSpec(params, t.startSpeedParam, 1, 5'000'000, 100);
    SetSpec(params, t.accelParam, 0, 10'000, 100);
    SetSpec(params, t.decelParam, 0, 10'000, 100);
    SetSpec(params, t.originStartParam, 1, 5'000'000, 1000);
    SetSpec(params, t.originRunParam, 1, 5'000'000, 20'000);
    SetSpec(params, t.originAccDecParam, 0, 10'000, 100);
    SetSpec(params, t.originMethodParam, 0, modelCode == model::kBldc ? 5 : 2, 0);
    for (int level : {t.limitLevelParam, t.originLevelParam, t.servoOnLevelParam, t.alarmResetLevelParam,
                      t.alarmOutputLevelParam, t.runStopOutputLevelParam})
        SetSpec(params, level, 0, 1, 0);
    return params;
}

std::vector<BldcParamSpec> BuiltInBldc() {
    std::vector<BldcParamSpec> list;
    for (uint8_t c = 1; c <= kBldcCategories; ++c)
        for (uint32_t n = 1; n <= kBuiltInBldcPerCategory; ++n)
            list.push_back({c, n, false, '/', 1, -1e9, 1e9});
    auto set = [&](uint8_t c, uint32_t n, int32_t factor, double lo, double hi) {
        for (auto& spec : list)
            if (spec.category == c && spec.number == n) spec = {c, n, false, '/', factor, lo, hi};
    };
    set(4, 5, 100, 0, 1000);    // inertia ratio
    set(4, 6, 1, 0, 1);         // inertia estimation trigger
    set(2, 10, 1000, 0, 1000);  // R
    set(2, 11, 1000, 0, 1000);  // L
    set(2, 18, 1, 0, 1);        // R and L estimation trigger
    return list;
}

std::string FileInDirectories(const std::string& file, const std::string& directory) {
    for (const std::string& dir : MetadataSearchPath(directory)) {
        std::string path = dir + "/" + file;
        if (access(path.c_str(), R_OK) == 0) return path;
    }
    return {};
}

}  // namespace

double BldcParamSpec::ToDisplay(int32_t raw) const {
    double v = raw;
    if (op == '*') return v * factor;
    if (op == '/') return v / factor;
    return v;
}

int32_t BldcParamSpec::ToRaw(double display) const {
    double v = display;
    if (op == '*') v /= factor;
    if (op == '/') v *= factor;
    double r = std::floor(v + 0.5);
    if (r > INT32_MAX) return INT32_MAX;
    if (r < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(r);
}

bool BldcParamSpec::InRange(int32_t raw) const {
    double v = ToDisplay(raw);
    // A step of the display value may not be representable exactly: allow a rounding margin.
    double margin = 1e-9 * std::max(1.0, std::fabs(v));
    return v >= minimum - margin && v <= maximum + margin;
}

std::string MetadataFileName(uint16_t modelCode) {
    switch (modelCode) {
        case model::kMotionController:
            return "Ravelo_ParamDefault.ini";
        case model::kStepper:
            return "Pellin_ParamDefault.ini";
        case model::kAbsServo:
            return "Dorrin_ABS_ParamDefault.ini";
        case model::kBldc:
            return "Dorrin_BLDC_ParamDefault.ini";
        case model::kMotionController2:
            return "Ravelo2_ParamDefault.ini";
        default:
            return "Dorrin_ParamDefault.ini";
    }
}

std::string MetadataSection(uint16_t modelCode) {
    switch (modelCode) {
        case model::kMotionController:
            return "RAVELO";
        case model::kStepper:
            return "PELLIN_TEVRA";
        case model::kAbsServo:
            return "DORRIN_TEVRA_ABS";
        case model::kBldc:
            return "DORRIN_TEVRA_BLDC";
        case model::kMotionController2:
            return "RAVELO2";
        default:
            return "DORRIN_TEVRA";
    }
}

std::vector<std::string> MetadataSearchPath(const std::string& directory) {
    std::vector<std::string> dirs;
    if (!directory.empty()) {
        dirs.push_back(directory);
        return dirs;
    }
    if (const char* env = std::getenv("TARSEL_DATA_DIR"); env && *env) dirs.emplace_back(env);
    std::string program = ProgramDirectory();
    if (!program.empty()) dirs.push_back(program);
    if (*TARSEL_SOURCE_DATA_DIR) dirs.emplace_back(TARSEL_SOURCE_DATA_DIR);
    return dirs;
}

FamilyMetadata LoadFamilyMetadata(uint16_t modelCode, const std::string& directory) {
    FamilyMetadata meta;
    const bool bldc = Traits(modelCode).bldc;
    const std::string file = MetadataFileName(modelCode);
    const std::string path = FileInDirectories(file, directory);
    std::filesystem::path folder =
        path.empty() ? std::filesystem::path() : std::filesystem::path(path).parent_path();
    // The same readers as the configuration program: a BLDC table carries its categories too.
    std::unique_ptr<CDefaultParam> table =
        bldc ? std::make_unique<CDefaultParamBLDC>(folder) : std::make_unique<CDefaultParam>(folder);
    if (path.empty() || !table->Load(file, MetadataSection(modelCode))) {
        meta.params = BuiltInParams(modelCode);
        if (bldc) meta.bldc = BuiltInBldc();
        return meta;
    }
    meta.fromFile = true;
    for (const CParamItemInfo& item : table->items())
        meta.params.push_back({item.minimum, item.maximum, item.default_value});
    if (bldc) {
        const auto& categories = static_cast<const CDefaultParamBLDC&>(*table).categories();
        for (std::size_t k = 0; k < categories.size(); ++k)
            for (const CBLDCParamInfo& info : categories[k].params)
                meta.bldc.push_back({static_cast<uint8_t>(k + 1), info.number, info.read_only, info.op,
                                     info.factor, info.minimum, info.maximum});
        if (meta.bldc.empty()) meta.bldc = BuiltInBldc();
    }
    return meta;
}

}  // namespace tarsel::sim
