// Parameter files (.fpt).
#include "formats/files/parameter_file.h"
#include "tests/fuzz/drive_files_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto file = tarsel::fuzz::DriveFile(data, size);
    for (uint32_t count : {0u, 1u, 40u, 256u}) (void)tarsel::files::ReadParameterSection(file, count);
    return 0;
}
