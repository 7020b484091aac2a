#include "gui/app/board_watch.h"

namespace tarsel::app {

void BoardWatch::Watch(uint8_t port, uint8_t slave) {
    const BoardRef board = LookupBoard(master_, port, slave);
    if (board != nullptr && key_ == std::make_pair(port, slave) && board_.lock() == board) return;
    Release();
    if (board == nullptr) return;
    board->AddWatch(kind_);
    key_.emplace(port, slave);
    board_ = board;
}

void BoardWatch::Release() {
    if (const BoardRef board = board_.lock()) board->RemoveWatch(kind_);
    board_.reset();
    key_.reset();
}

}  // namespace tarsel::app
