#pragma once
// The two ticks as precise QTimers on the GUI thread; coarse timers may fire up to 5 %
// early, which would bend the 250 ms and 1400 ms periods the counters rely on.

#include <QObject>
#include <QTimer>
#include <map>

#include "runtime/Platform.h"

namespace orvanta {

class QtTimerService : public TimerService {
public:
    int32_t SetTimer(int periodMs, std::function<void()> callback) override;
    void KillTimer(int32_t id) override;

private:
    QObject owner_;  // parent of every live timer, so none outlives the service
    std::map<int32_t, QTimer*> timers_;
    int32_t lastId_ = 0;
};

}  // namespace orvanta
