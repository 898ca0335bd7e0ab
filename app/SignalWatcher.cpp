#include "SignalWatcher.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <system_error>

namespace orvanta {

namespace {

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, signal);
    return set;
}

}  // namespace

void SignalWatcher::BlockWatchedSignals() {
    const sigset_t set = WatchedSignals();
    if (const int error = pthread_sigmask(SIG_BLOCK, &set, nullptr); error != 0)
        throw std::system_error(error, std::generic_category(), "pthread_sigmask");
}

SignalWatcher::SignalWatcher(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    const sigset_t set = WatchedSignals();
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "signalfd");
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] { Drain(); });
}

SignalWatcher::~SignalWatcher() {
    notifier_.reset();
    ::close(fd_);
}

// One close per burst of signals is enough; closing twice does no harm either.
void SignalWatcher::Drain() {
    signalfd_siginfo info{};
    bool received = false;
    while (::read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) received = true;
    if (received) onSignal_();
}

}  // namespace orvanta
