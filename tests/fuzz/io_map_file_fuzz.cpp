// I/O map files (.fit).
#include "formats/files/io_map_file.h"
#include "tests/fuzz/drive_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = tarsel::fuzz::DriveFile(data, size);
    (void)tarsel::files::ReadIoMapSections(file, 12, 3, 10, 2);
    (void)tarsel::files::ReadIoMapSections(file, 1, 0, 1, 0);
    return 0;
}
