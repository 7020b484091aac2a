#include "gui/app/message_event.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <mutex>

namespace tarsel::app {

struct MessageEvent::Completion {
    std::mutex mutex;
    std::condition_variable_any done_cv;
    bool done = false;
    bool abandoned = false;
};

MessageEvent::MessageEvent(Message message, std::shared_ptr<Completion> completion)
    : QEvent(EventType()), message_(std::move(message)), completion_(std::move(completion)) {}

MessageEvent::~MessageEvent() {
    if (!completion_) return;
    {
        std::lock_guard<std::mutex> lock(completion_->mutex);
        completion_->done = true;
    }
    completion_->done_cv.notify_all();
}

QEvent::Type MessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool MessageEvent::Wanted() const {
    if (!completion_) return true;
    std::lock_guard<std::mutex> lock(completion_->mutex);
    return !completion_->abandoned;
}

void PostAppMessage(QObject* target, Message message) {
    if (target == nullptr) return;
    QCoreApplication::postEvent(target, new MessageEvent(std::move(message)));
}

bool SendAppMessage(QObject* target, Message message, std::stop_token cancel) {
    if (target == nullptr) return false;
    if (QThread::currentThread() == target->thread()) {
        MessageEvent event(std::move(message));
        QCoreApplication::sendEvent(target, &event);
        return true;
    }
    auto completion = std::make_shared<MessageEvent::Completion>();
    QCoreApplication::postEvent(target, new MessageEvent(std::move(message), completion));
    std::unique_lock<std::mutex> lock(completion->mutex);
    if (completion->done_cv.wait(lock, cancel, [&] { return completion->done; })) return true;
    completion->abandoned = true;
    return false;
}

}  // namespace tarsel::app
