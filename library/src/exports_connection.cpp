// Exports: connection, log settings and identification.
#include <cstring>

#include "library/src/export_support.h"

using namespace tarsel;
using namespace tarsel::lib;

extern "C" {

ZEL_API ZEL_BOOL ZEL_CALL ZEL_Connect(int port, uint32_t baudRate) {
    try {
        return Registry().Connect(LowByte(port), baudRate) == CCommMaster::kConnected ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

ZEL_API void ZEL_CALL ZEL_Close(int port) {
    try {
        Registry().Close(LowByte(port));
    } catch (...) {
    }
}

ZEL_API void ZEL_CALL ZEL_EnableLog(ZEL_BOOL enable) {
    try {
        Registry().SetLogEnabled(enable != 0);
    } catch (...) {
    }
}

ZEL_API ZEL_BOOL ZEL_CALL ZEL_SetLogPath(const char* directory) {
    try {
        return Registry().SetLogDirectory(directory) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

ZEL_API ZEL_BOOL ZEL_CALL ZEL_IsSlaveExist(int port, int slave) {
    return ForSlave(port, slave, [](CCommPort&, uint8_t) { return 0; }) == kResultSuccess ? 1 : 0;
}

ZEL_API int ZEL_CALL ZEL_GetSlaveInfo(int port, int slave, ZEL_SlaveInfo* info) {
    static_assert(sizeof(ZEL_SlaveInfo) == kSlaveInfoSize);
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        uint8_t record[kSlaveInfoSize];
        const uint8_t result = p.DoCmdGetSlaveInfoRecord(s, record);
        if (result == kResultSuccess && info != nullptr) std::memcpy(info, record, sizeof(record));
        return result;
    });
}

}  // extern "C"
