#pragma once
// Where the simulated sensor's bytes go: a pseudo-terminal linked where a COM port is
// looked up, a real serial device, or standard output.

#include <chrono>
#include <iosfwd>
#include <memory>
#include <string_view>

#include "sensor-sim/Options.h"

namespace orvanta::sim {

// SIGINT, SIGTERM and SIGHUP arrive as data to wait on instead of interrupting, so a
// stop is noticed in any wait and never lands in the middle of a write. Blocked for
// the rest of the process's life; SIGPIPE is ignored so a closed pipe fails a write.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    int Fd() const { return fd_; }
    // False when a stop signal came first; a time already past just checks for one.
    bool SleepUntil(std::chrono::steady_clock::time_point when) const;

private:
    int fd_ = -1;
};

enum class SendResult { Sent, Stopped, Failed };

class Output {
public:
    virtual ~Output() = default;
    // Holds the first reading back until somebody listens; false when stopped meanwhile.
    virtual bool AwaitListener(const StopSignals&) { return true; }
    virtual SendResult Send(std::string_view bytes, const StopSignals& signals) = 0;
    // Gives a listener the chance to take the last line before the output goes away.
    virtual void Finish(const StopSignals&) {}
};

// Reports what it set up on the log; throws std::system_error when it cannot.
std::unique_ptr<Output> OpenOutput(const Options& options, std::ostream& log);

// Each character in its own time when the pacing asks for it.
SendResult SendPaced(Output& output, std::string_view bytes, const Pacing& pacing, const StopSignals& signals);

}  // namespace orvanta::sim
