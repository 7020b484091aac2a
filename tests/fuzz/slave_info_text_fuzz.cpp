// The identification text of legacy firmware, converted into the information record.
#include <cstddef>
#include <cstdint>

#include "comm/slave_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tarsel::SlaveInfo info;
    if (tarsel::ConvertLegacySlaveInfo(data, size, info)) {
        (void)info.Name();
        (void)info.MotorName();
        uint8_t record[tarsel::kSlaveInfoSize];
        info.Encode(record);
    }
    return 0;
}
