#pragma once
// The scenario's own clock: it starts at an evening time and moves on by the reading
// interval per reading, however fast the readings are really sent.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta::sim {

// A local wall-clock time held as if it were UTC, so no time zone or clock change
// ever bends the scenario's night.
using CivilTime = std::chrono::sys_seconds;

inline constexpr std::chrono::hours kDusk{18};

// "YYYY-MM-DD hh:mm", or "hh:mm" on the given day.
std::optional<CivilTime> ParseStartTime(std::string_view text, std::chrono::sys_days today);

class ScenarioClock {
public:
    ScenarioClock(CivilTime start, double stepSeconds) : start_(start), stepSeconds_(stepSeconds) {}

    double HoursSinceDusk(long reading) const;
    std::string Text(long reading) const;  // "YYYY-MM-DD hh:mm:ss"

private:
    std::chrono::duration<double> Elapsed(long reading) const;

    CivilTime start_;
    double stepSeconds_;
};

}  // namespace orvanta::sim
