// Position table files (.txt): whole files and single item lines.
#include <string_view>

#include "formats/files/pos_table_file.h"
#include "tests/fuzz/drive_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = tarsel::fuzz::DriveFile(data, size);
    for (uint32_t item : {0u, 1u, 255u}) (void)tarsel::files::ReadPosTableItem(file, item);
    tarsel::files::PosTableRecord record{};
    if (tarsel::files::ParsePosTableLine(std::string_view(reinterpret_cast<const char*>(data), size), record))
        (void)tarsel::files::FormatPosTableLine(record);
    return 0;
}
