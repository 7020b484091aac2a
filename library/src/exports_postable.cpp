// Exports: the position table.
#include "library/src/export_support.h"

using namespace tarsel;
using namespace tarsel::lib;

extern "C" {

ZEL_API int ZEL_CALL ZEL_PosTableReadItem(int port, int slave, uint16_t item, uint8_t* data) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdPosTableReadItem(s, item, data); });
}

ZEL_API int ZEL_CALL ZEL_PosTableWriteItem(int port, int slave, uint16_t item, const uint8_t* data) {
    return ForSlave(port, slave,
                    [&](CCommPort& p, uint8_t s) { return p.DoCmdPosTableWriteItem(s, item, data); });
}

ZEL_API int ZEL_CALL ZEL_PosTableWriteROM(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdPosTableWriteROM(s); });
}

ZEL_API int ZEL_CALL ZEL_PosTableReadROM(int port, int slave) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdPosTableReadROM(s); });
}

ZEL_API int ZEL_CALL ZEL_PosTableRunItem(int port, int slave, uint16_t item) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) { return p.DoCmdPosTableRunItem(s, item); });
}

ZEL_API int ZEL_CALL ZEL_PosTableReadOneItem(int port, int slave, uint16_t item, uint16_t offset,
                                             int32_t* value) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdPosTableReadOneItem(s, item, offset, value);
    });
}

ZEL_API int ZEL_CALL ZEL_PosTableWriteOneItem(int port, int slave, uint16_t item, uint16_t offset,
                                              int32_t value) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdPosTableWriteOneItem(s, item, offset, value);
    });
}

ZEL_API int ZEL_CALL ZEL_PosTableSingleRunItem(int port, int slave, ZEL_BOOL next, uint16_t item) {
    return ForSlave(port, slave, [&](CCommPort& p, uint8_t s) {
        return p.DoCmdPosTableSingleRunItem(s, next != 0, item);
    });
}

}  // extern "C"
