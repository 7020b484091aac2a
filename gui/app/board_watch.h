// A window's share of a drive's watch count: the polling step reads a drive's live status only
// while some window watches it.  Watch(port, slave) counts the drive up (once, however often it
// is called for the same drive; a different drive releases the old one first), Release() and
// the destructor count it down again.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "gui/app/board_access.h"

namespace tarsel::app {

class BoardWatch {
public:
    BoardWatch(const CCommMaster& master, CBoardInterface::Watch kind) : master_(master), kind_(kind) {}
    ~BoardWatch() { Release(); }
    BoardWatch(const BoardWatch&) = delete;
    BoardWatch& operator=(const BoardWatch&) = delete;

    // Watches the drive at (port, slave); without a drive there it watches nothing.
    void Watch(uint8_t port, uint8_t slave);
    void Release();

    // (port, slave) of the drive counted up, if any.
    std::optional<std::pair<uint8_t, uint8_t>> Watched() const { return key_; }

private:
    const CCommMaster& master_;
    CBoardInterface::Watch kind_;
    std::optional<std::pair<uint8_t, uint8_t>> key_;
    // The board that was counted up.  A drive found again after a rescan is a new board with its
    // own counts, which other windows hold: the release must count down the board it counted up,
    // never the one now at the same place.  Not owning, so the window still keeps no board.
    std::weak_ptr<CBoardInterface> board_;
};

}  // namespace tarsel::app
