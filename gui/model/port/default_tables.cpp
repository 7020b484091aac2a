#include "gui/model/port/default_tables.h"

#include "gui/model/board/board_type_info.h"
#include "formats/metadata/CDefaultParamBLDC.h"

namespace tarsel {

std::unique_ptr<CDefaultParam> MakeDefaultTable(uint8_t typeCode) {
    if (typeCode == board_type::kBldc) return std::make_unique<CDefaultParamBLDC>();
    return std::make_unique<CDefaultParam>();
}

bool LoadDefaultTable(CDefaultParam& table, const std::filesystem::path& directory, const char* file,
                      const char* section) {
    if (!directory.empty()) table.set_directory(directory);
    return table.Load(file, section);
}

}  // namespace tarsel
