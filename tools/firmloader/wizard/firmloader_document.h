// The wizard's document: the slave number, the four image paths in slot order and the port.
#pragma once

#include <QString>
#include <cstdint>

#include "comm/CRs232CB.h"
#include "tools/firmloader/core/image_set.h"

namespace tarsel::firmware {

struct FirmloaderDocument {
    uint8_t slave = 0;
    ImagePaths imagePaths;
    CRs232CB port{TransportConfig::FirmwareWriter()};
    QString title;  // "Port %d  SlaveNo %d" once connected
};

}  // namespace tarsel::firmware
