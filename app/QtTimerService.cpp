#include "QtTimerService.h"

namespace orvanta {

int32_t QtTimerService::SetTimer(int periodMs, std::function<void()> callback) {
    auto* timer = new QTimer(&owner_);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(periodMs);
    QObject::connect(timer, &QTimer::timeout, timer, std::move(callback));
    timer->start();
    if (!timer->isActive()) {
        delete timer;
        return 0;
    }
    timers_[++lastId_] = timer;
    return lastId_;
}

// The unload step may kill a timer from inside that timer's own tick, so the QTimer is
// only deleted once control is back in the event loop.
void QtTimerService::KillTimer(int32_t id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;
    found->second->stop();
    found->second->deleteLater();
    timers_.erase(found);
}

}  // namespace orvanta
