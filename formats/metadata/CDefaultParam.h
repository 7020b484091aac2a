// One board type's parameter table, read from its metadata file beside the program.
//
// File layout: in the type's section, "ParamCount" (stored as one byte; 0 fails the load) and one
// key per parameter number "0", "1", ... holding "name|field|minimum|maximum|default".  A missing
// key gives an empty record (no name, range 0 to 0).  A missing file or section leaves the table
// unloaded: range checks then accept every value and the parameter count is 0.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/metadata/CParamItemInfo.h"

namespace tarsel::ini {
class IniFile;
}

namespace tarsel {

class CDefaultParam {
public:
    // The metadata directory defaults to the directory of the running program.
    CDefaultParam() = default;
    explicit CDefaultParam(std::filesystem::path directory) : directory_(std::move(directory)) {}
    virtual ~CDefaultParam() = default;
    CDefaultParam(const CDefaultParam&) = delete;
    CDefaultParam& operator=(const CDefaultParam&) = delete;

    // Loads the table from the file in the metadata directory.  Returns the loaded flag.
    virtual bool Load(const std::string& file_name, const std::string& section);

    bool IsLoaded() const { return loaded_; }
    uint8_t GetParamCount() const { return count_; }
    const std::vector<CParamItemInfo>& items() const { return items_; }

    // The record of a parameter: direct index first, then a search by number; none when
    // number >= count.
    const CParamItemInfo* GetParamInfo(uint32_t number) const;
    // True when the table is not loaded; false when the number has no record; else the range check.
    bool IsValueInRange(uint32_t number, int32_t value) const;

    const std::filesystem::path& directory() const { return directory_; }
    void set_directory(std::filesystem::path directory) { directory_ = std::move(directory); }
    // The full path of a metadata file: the metadata directory joined with the name.
    std::filesystem::path ResolvePath(const std::string& file_name) const;

protected:
    // Loads the plain parameter table from a parsed file.
    bool LoadTable(const ini::IniFile& file, const std::string& section);
    void Unload();

private:
    std::filesystem::path directory_;
    bool loaded_ = false;
    std::vector<CParamItemInfo> items_;
    uint8_t count_ = 0;
};

}  // namespace tarsel
