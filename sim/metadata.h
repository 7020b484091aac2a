// Parameter defaults and ranges of the simulated drives, taken from the same metadata files the
// configuration program reads (one file per family; the BLDC file also lists the BLDC parameter
// categories).  A family whose file is missing gets a built-in table so that the drive still
// moves sensibly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarsel::sim {

struct ParamSpec {
    int32_t minimum = INT32_MIN;
    int32_t maximum = INT32_MAX;
    int32_t defaultValue = 0;
    bool InRange(int32_t value) const { return minimum <= value && value <= maximum; }
};

// One BLDC parameter, addressed by its category position (1-based) and key number.
struct BldcParamSpec {
    uint8_t category = 1;
    uint32_t number = 1;
    bool readOnly = false;
    char op = 0;  // '*' or '/': display = raw * factor or raw / factor
    int32_t factor = 1;
    double minimum = 0;  // display values
    double maximum = 0;
    double ToDisplay(int32_t raw) const;
    int32_t ToRaw(double display) const;
    bool InRange(int32_t raw) const;
};

struct FamilyMetadata {
    bool fromFile = false;  // false: the built-in stand-in table
    std::vector<ParamSpec> params;
    std::vector<BldcParamSpec> bldc;
};

// Metadata file and section of a family ("Dorrin_ParamDefault.ini", "DORRIN_TEVRA", ...).
std::string MetadataFileName(uint16_t modelCode);
std::string MetadataSection(uint16_t modelCode);

// Reads the family's file from `directory` (see LineOptions::dataDirectory for the search when
// empty).  Never fails: a missing or unreadable file yields the built-in table.
FamilyMetadata LoadFamilyMetadata(uint16_t modelCode, const std::string& directory);

// The directories searched for metadata files, in order.
std::vector<std::string> MetadataSearchPath(const std::string& directory);

}  // namespace tarsel::sim
