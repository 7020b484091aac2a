#include "sim/metadata.h"

#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdlib>

#include "sim/family.h"
#include "sim/ini_file.h"
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

ParamSpec ParseParamLine(const std::string& line) {
    // name|field|minimum|maximum|default
    std::vector<std::string> tokens = SplitTokens(line, "|");
    ParamSpec spec{0, 0, 0};
    auto number = [&](std::size_t i) -> int32_t {
        if (i >= tokens.size()) return 0;
        return static_cast<int32_t>(std::strtol(Trim(tokens[i]).c_str(), nullptr, 10));
    };
    spec.minimum = number(2);
    spec.maximum = number(3);
    spec.defaultValue = number(4);
    return spec;
}

bool ParseBldcLine(const std::string& line, BldcParamSpec& spec) {
    // name|field|access|operator|factor|minimum|maximum[|rounding digits]
    std::vector<std::string> tokens = SplitTokens(line, "|");
    if (tokens.size() < 7) return false;
    spec.readOnly = Trim(tokens[2]) == "RO";
    std::string op = Trim(tokens[3]);
    spec.op = op.empty() ? 0 : op[0];
    spec.factor = static_cast<int32_t>(std::strtol(Trim(tokens[4]).c_str(), nullptr, 10));
    if (spec.factor == 0) spec.factor = 1;
    spec.minimum = std::strtod(Trim(tokens[5]).c_str(), nullptr);
    spec.maximum = std::strtod(Trim(tokens[6]).c_str(), nullptr);
    return true;
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
    IniFile ini;
    std::string path = FileInDirectories(MetadataFileName(modelCode), directory);
    std::string section = MetadataSection(modelCode);
    // The count is kept as one byte, as the configuration program keeps it.
    uint8_t count =
        path.empty() || !ini.Load(path) ? 0 : static_cast<uint8_t>(ini.GetInt(section, "ParamCount", 0));
    if (count == 0) {
        meta.params = BuiltInParams(modelCode);
        if (bldc) meta.bldc = BuiltInBldc();
        return meta;
    }
    meta.fromFile = true;
    for (int i = 0; i < count; ++i)
        meta.params.push_back(ParseParamLine(ini.Get(section, std::to_string(i))));
    if (bldc) {
        for (int k = 1;; ++k) {
            std::string cat = "Category" + std::to_string(k);
            if (!ini.HasSection(cat)) break;
            long long params = ini.GetInt(cat, "ParamCount", 0);
            for (long long j = 1; j <= params; ++j) {
                std::string line = ini.Get(cat, std::to_string(j));
                BldcParamSpec spec;
                spec.category = static_cast<uint8_t>(k);
                spec.number = static_cast<uint32_t>(j);
                if (!line.empty() && ParseBldcLine(line, spec)) meta.bldc.push_back(spec);
            }
        }
        if (meta.bldc.empty()) meta.bldc = BuiltInBldc();
    }
    return meta;
}

}  // namespace tarsel::sim
