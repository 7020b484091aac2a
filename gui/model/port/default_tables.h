// The registry's parameter tables: one per board type, the BLDC one with its categories.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

namespace tarsel {

class CDefaultParam;

std::unique_ptr<CDefaultParam> MakeDefaultTable(uint8_t typeCode);
// Loads a table from `directory` (empty: the program's directory).
bool LoadDefaultTable(CDefaultParam& table, const std::filesystem::path& directory, const char* file,
                      const char* section);

}  // namespace tarsel
