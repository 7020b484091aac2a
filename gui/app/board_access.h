// How windows reach a drive: looked up by (port, slave) each time, held only for one call.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/model/board/CBoardInterface.h"
#include "gui/model/port/CCommMaster.h"

namespace tarsel::app {

// The board of a drive, or none.  Keep it only for the duration of one call: a board removed
// meanwhile stays valid but detached (its commands fail quietly).
using BoardRef = std::shared_ptr<CBoardInterface>;

inline BoardRef LookupBoard(const CCommMaster& master, uint8_t port, uint8_t slave) {
    return master.GetBoard(port, slave);
}

}  // namespace tarsel::app
