// BLDC parameter files (.fbt).
#include "formats/files/bldc_file.h"
#include "tests/fuzz/drive_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = tarsel::fuzz::DriveFile(data, size);
    if (tarsel::files::HasBldcSections(file))
        for (uint32_t category = 1; category <= 8; ++category)
            (void)tarsel::files::ReadBldcCategory(file, category, 64);
    return 0;
}
