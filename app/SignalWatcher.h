#pragma once
// SIGTERM, SIGINT and SIGHUP, delivered as ordinary events on the GUI thread through a
// signalfd, so the window can be closed as the user would close it.

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace orvanta {

class SignalWatcher {
public:
    // Must run before any thread starts, so that every thread inherits the blocked set.
    static void BlockWatchedSignals();

    explicit SignalWatcher(std::function<void()> onSignal);
    ~SignalWatcher();
    SignalWatcher(const SignalWatcher&) = delete;
    SignalWatcher& operator=(const SignalWatcher&) = delete;

private:
    void Drain();

    int fd_ = -1;
    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace orvanta
