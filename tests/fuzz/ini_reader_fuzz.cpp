// INI bytes in any encoding through the reader, every lookup, and a write back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/ini/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using tarsel::ini::IniFile;
    IniFile file = IniFile::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& section : file.SectionNames()) {
        (void)file.SectionEntries(section);
        for (const std::string& key : file.KeyNames(section)) {
            (void)file.GetString(section, key, "x", 16);
            (void)file.GetInt(section, key, -1);
        }
    }
    file.SetString("Info", "Model", "fuzz");
    IniFile again = IniFile::FromBytes(file.ToBytes());
    (void)again.Find("Info", "Model");
    return 0;
}
