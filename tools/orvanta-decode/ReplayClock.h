#pragma once
// The decoder's clock: the machine's time, or a replayed time that starts at a given
// moment and moves only with the poll ticks, so a replay gives the same times each run.

#include <optional>
#include <string_view>

#include "runtime/Platform.h"
#include "runtime/SystemClock.h"

namespace orvanta::decode {

class ReplayClock : public Clock {
public:
    explicit ReplayClock(std::optional<LocalDateTime> start) : replayed_(start) {}
    LocalDateTime Now() override { return replayed_ ? *replayed_ : system_.Now(); }
    // One poll tick later; the machine's clock moves by itself.
    void AdvanceTick();

private:
    SystemClock system_;
    std::optional<LocalDateTime> replayed_;
};

// "YYYY-MM-DD hh:mm:ss", a real calendar date and time of day.
std::optional<LocalDateTime> ParseDateTime(std::string_view text);

}  // namespace orvanta::decode
