// Carrying messages to a window through Qt's event queue.  Posting is safe from any thread (the
// polling thread, workers); the receiver handles the message on its own (GUI) thread.  The
// synchronous send of the drive-going-away message waits until the receiver has handled it, but
// gives up when the sender's stop token fires, so the polling thread can always be ended while
// the GUI thread waits for it.
#pragma once

#include <QEvent>
#include <memory>
#include <stop_token>

#include "gui/app/messages.h"

class QObject;

namespace tarsel::app {

class MessageEvent : public QEvent {
public:
    struct Completion;

    explicit MessageEvent(Message message, std::shared_ptr<Completion> completion = {});
    // Releases a waiting sender, whether the message was handled or dropped with its receiver.
    ~MessageEvent() override;

    static QEvent::Type EventType();
    const Message& message() const { return message_; }
    // False when the sender gave up waiting before the message came to be handled.
    bool Wanted() const;

private:
    Message message_;
    std::shared_ptr<Completion> completion_;
};

// Queues the message for `target` (thread-safe).  Nothing happens when target is null.
void PostAppMessage(QObject* target, Message message);

// Hands the message to `target` and returns once it was handled.  On the target's own thread the
// event is delivered at once.  From another thread the call waits until the receiver has handled
// it or `cancel` is stopped (then false; the receiver will skip the message).
bool SendAppMessage(QObject* target, Message message, std::stop_token cancel = {});

}  // namespace tarsel::app
