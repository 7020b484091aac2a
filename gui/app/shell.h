// What the windows of the configuration program get from the shell: the drive registry, the
// dialog service, the registry of views, the main frame's message queue and the loading sequence.
#pragma once

#include <cstdint>
#include <functional>

#include "gui/app/dialog_service.h"
#include "gui/app/messages.h"

namespace tarsel {
class CCommMaster;
}

namespace tarsel::app {

class ViewRegistry;

// The outcome of a loading sequence: every requested part loaded, or not (a reload that ended
// without data, a drive that went away, a cancelled wait).
using LoadDone = std::function<void(bool loaded)>;

class IShell {
public:
    virtual ~IShell() = default;
    virtual CCommMaster& Master() = 0;
    virtual IDialogService& Dialogs() = 0;
    virtual const ViewRegistry& Views() const = 0;
    // Queues a message for the main frame, which routes it (any thread).
    virtual void Post(Message message) = 0;
    // Hands a message to the main frame at once (GUI thread only).
    virtual void Send(const Message& message) = 0;
    // The loading sequence for a drive: shows the progress dialog while the polling thread reads
    // the parts named by `bits` (kLoad*), whose reload requests the caller has already set.  Returns
    // at once; the event loop keeps running.  At the end the main frame routes DataReloaded (and
    // IoAssignChanged for all pins when the I/O map was asked for) and `done` is called.
    // Sequences asked for while one runs wait their turn.
    virtual void LoadData(uint8_t port, uint8_t slave, uint32_t bits, LoadDone done = {}) = 0;
};

}  // namespace tarsel::app
