#include "sim/line_file.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "base/ini/ini_file.h"
#include "sim/text_fields.h"

namespace tarsel::sim {
namespace {

bool ParseNumber(const std::string& text, long long minimum, long long maximum, long long& value) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    char* end = nullptr;
    int base = (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) ? 16 : 10;
    value = std::strtoll(t.c_str(), &end, base);
    return *end == '\0' && value >= minimum && value <= maximum;
}

bool ParseVersion(const std::string& text, std::array<uint16_t, 4>& version) {
    std::vector<std::string> parts = SplitTokens(text, ".");
    if (parts.empty() || parts.size() > 4) return false;
    std::array<uint16_t, 4> parsed{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        long long v;
        if (!ParseNumber(parts[i], 0, 65535, v)) return false;
        parsed[i] = static_cast<uint16_t>(v);
    }
    version = parsed;
    return true;
}

// A value of a [Slave<N>] section as the INI module reads it (trimmed; a value in a pair of double or
// single quotes is taken without them), and in addition without a trailing comment: a ';' after a
// blank starts one ("Model=1   ; servo"), except inside a quoted value.
std::string LineFileValue(std::string_view raw) {
    auto quoted = [](std::string_view v) {
        return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    };
    std::string value(raw);
    if (!quoted(value)) {
        for (std::size_t i = 1; i < value.size(); ++i) {
            if (value[i] == ';' && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
                value = Trim(value.substr(0, i));
                break;
            }
        }
    }
    return quoted(value) ? value.substr(1, value.size() - 2) : value;
}

// One drive property by its key (the record field names and the line-file keys, without regard to case).
bool ApplyDriveKey(DriveConfig& c, const std::string& rawKey, const std::string& value, std::string& error) {
    const std::string key = ToLower(rawKey);
    long long n = 0;
    auto number = [&](long long lo, long long hi) {
        if (ParseNumber(value, lo, hi, n)) return true;
        error = "bad value for " + rawKey + ": " + value;
        return false;
    };
    if (key == "model") {
        if (!number(0, 65535)) return false;
        c.modelCode = static_cast<uint16_t>(n);
    } else if (key == "version") {
        if (!ParseVersion(value, c.version)) return error = "bad version: " + value, false;
    } else if (key == "fwtype" || key == "firmwaretype") {
        if (!number(0, 65535)) return false;
        c.firmwareType = static_cast<uint16_t>(n);
    } else if (key == "form") {
        std::string v = ToLower(Trim(value));
        if (v == "legacy")
            c.form = FrameForm::Legacy;
        else if (v == "sequenced")
            c.form = FrameForm::Sequenced;
        else
            return error = "form must be sequenced or legacy: " + value, false;
    } else if (key == "name") {
        c.name = value.substr(0, 29);
    } else if (key == "motor" || key == "motornumber") {
        if (!number(0, 65535)) return false;
        c.motorNumber = static_cast<uint16_t>(n);
    } else if (key == "motorname") {
        c.motorName = value.substr(0, 19);
    } else if (key == "inputs") {
        if (!number(1, 12)) return false;
        c.inputCount = static_cast<uint16_t>(n);
    } else if (key == "outputs") {
        if (!number(1, 10)) return false;
        c.outputCount = static_cast<uint16_t>(n);
    } else if (key == "table" || key == "tablesize") {
        if (!number(1, 4096)) return false;
        c.tableSize = static_cast<uint16_t>(n);
    } else if (key == "variant" || key == "steppervariant") {
        if (!number(0, 1)) return false;
        c.stepperVariant = static_cast<int>(n);
    } else if (key == "boot" || key == "bootrom") {
        c.startInBootRom = value.empty() || (number(0, 1) && n == 1);
    } else {
        error = "unknown drive key: " + rawKey;
        return false;
    }
    return true;
}

}  // namespace

std::optional<DriveConfig> ParseDriveSpec(const std::string& text, std::string& error) {
    std::vector<std::string> fields = SplitTokens(text, ",");
    if (fields.empty()) return error = "empty drive spec", std::nullopt;
    std::size_t colon = fields[0].find(':');
    if (colon == std::string::npos) return error = "drive spec needs SLAVE:MODEL: " + text, std::nullopt;
    DriveConfig config;
    long long slave = 0;
    if (!ParseNumber(fields[0].substr(0, colon), 0, 15, slave))
        return error = "slave number must be 0..15: " + text, std::nullopt;
    config.slave = static_cast<uint8_t>(slave);
    if (!ApplyDriveKey(config, "model", fields[0].substr(colon + 1), error)) return std::nullopt;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        std::size_t eq = fields[i].find('=');
        std::string key = fields[i].substr(0, eq);
        std::string value = eq == std::string::npos ? std::string() : fields[i].substr(eq + 1);
        if (!ApplyDriveKey(config, key, value, error)) return std::nullopt;
    }
    return config;
}

std::optional<FaultRequest> ParseFaultSpec(const std::string& text, std::string& error) {
    std::vector<std::string> fields = SplitTokens(text, ",");
    if (fields.empty()) return error = "empty fault spec", std::nullopt;
    FaultRequest request;
    std::string kind = fields[0];
    if (std::size_t colon = kind.find(':'); colon != std::string::npos) {
        long long slave;
        if (!ParseNumber(kind.substr(colon + 1), 0, 15, slave))
            return error = "fault slave must be 0..15: " + text, std::nullopt;
        request.slave = static_cast<uint8_t>(slave);
        kind = kind.substr(0, colon);
    }
    kind = ToLower(kind);
    if (kind == "drop")
        request.spec.kind = FaultKind::DropRequest;
    else if (kind == "delay")
        request.spec.kind = FaultKind::DelayAnswer;
    else if (kind == "crc")
        request.spec.kind = FaultKind::CorruptCrc;
    else if (kind == "flip")
        request.spec.kind = FaultKind::FlipBit;
    else if (kind == "stray")
        request.spec.kind = FaultKind::StrayBytes;
    else if (kind == "stale")
        request.spec.kind = FaultKind::StaleSync;
    else if (kind == "silent")
        request.spec.kind = FaultKind::Silent;
    else if (kind == "echo")
        request.spec.kind = FaultKind::Echo;
    else if (kind == "truncate")
        request.spec.kind = FaultKind::Truncate;
    else if (kind == "duplicate")
        request.spec.kind = FaultKind::Duplicate;
    else if (kind == "split")
        request.spec.kind = FaultKind::Split;
    else if (kind == "hangup")
        request.hangUp = true;
    else
        return error = "unknown fault kind: " + kind, std::nullopt;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        std::size_t eq = fields[i].find('=');
        std::string key = ToLower(fields[i].substr(0, eq));
        std::string value = eq == std::string::npos ? std::string() : fields[i].substr(eq + 1);
        long long n = 0;
        if (key == "bytes") {
            request.spec.bytes.clear();
            for (const std::string& byte : SplitTokens(value, " :")) {
                if (!ParseNumber("0x" + byte, 0, 255, n)) return error = "bad byte: " + byte, std::nullopt;
                request.spec.bytes.push_back(static_cast<uint8_t>(n));
            }
            continue;
        }
        if (key == "rate") {
            char* end = nullptr;
            const double rate = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(rate >= 0.0 && rate <= 1.0))
                return error = "fault rate must be 0..1: " + fields[i], std::nullopt;
            request.spec.rate = rate;
            continue;
        }
        if (!ParseNumber(value, 0, 0xFFFFFFFFll, n))
            return error = "bad fault value: " + fields[i], std::nullopt;
        if (key == "count")
            request.spec.count = static_cast<uint32_t>(n);
        else if (key == "delay")
            request.spec.delayMs = static_cast<uint32_t>(n);
        else if (key == "bit")
            request.spec.bitIndex = static_cast<uint32_t>(n);
        else if (key == "pause")
            request.spec.pauseMs = static_cast<uint32_t>(n);
        else if (key == "after")
            request.hangUpAfterMs = static_cast<uint32_t>(n);
        else
            return error = "unknown fault key: " + key, std::nullopt;
    }
    return request;
}

bool LoadLineFile(const std::string& path, LineDescription& line, std::string& error) {
    const std::optional<ini::IniFile> ini = ini::IniFile::Load(path);
    if (!ini) return error = "cannot read line file " + path, false;
    auto setting = [&](const char* key, uint32_t current) {
        const std::optional<std::string> value = ini->Find("Line", key);
        const std::optional<int32_t> number = value ? LeadingNumber(*value) : std::nullopt;
        return number ? static_cast<uint32_t>(*number) : current;
    };
    line.options.baudRate = setting("Baud", line.options.baudRate);
    line.options.pace = setting("Pace", line.options.pace ? 1 : 0) != 0;
    line.options.turnaroundMs = setting("Turnaround", line.options.turnaroundMs);
    for (const std::string& section : ini->SectionNames()) {
        if (!ini::NamesEqual(section.substr(0, 5), "slave")) continue;
        long long slave;
        if (!ParseNumber(section.substr(5), 0, 15, slave))
            return error = "bad section [" + section + "]", false;
        DriveConfig config;
        config.slave = static_cast<uint8_t>(slave);
        std::vector<std::string> seen;  // the first line of a key counts
        for (const std::string& entry : ini->SectionEntries(section)) {
            const std::size_t eq = entry.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = entry.substr(0, eq);
            if (IsCommentedOut(key)) continue;
            if (std::any_of(seen.begin(), seen.end(),
                            [&](const std::string& k) { return ini::NamesEqual(k, key); }))
                continue;
            seen.push_back(key);
            if (!ApplyDriveKey(config, key, LineFileValue(entry.substr(eq + 1)), error))
                return error = section + ": " + error, false;
        }
        line.drives.push_back(config);
    }
    return true;
}

}  // namespace tarsel::sim
