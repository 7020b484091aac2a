// Image file text through the record reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/firmloader/core/hex_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto records =
        tarsel::firmware::ParseHexRecords(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& record : records)
        if (record.data.size() != record.byteCount) std::abort();
    return 0;
}
