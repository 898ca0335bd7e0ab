#pragma once
// The command line of sensor-sim.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "sensor-sim/LineBuilder.h"
#include "sensor-sim/ScenarioClock.h"
#include "sensor-sim/Simulation.h"

namespace orvanta::sim {

enum class Target { Link, Device, Stdout };

struct Options {
    std::optional<Target> target;
    std::string path;  // of the link or the device
    LineLayout layout = LineLayout::D;
    ScenarioKind scenario = ScenarioKind::Night;
    double intervalSeconds = 5;  // between readings, and the scenario clock's step
    bool fast = false;
    bool paced = false;         // standard output goes out as fast as it can unless this is set
    std::optional<long> count;  // none: until stopped
    CivilTime start;
    uint32_t seed = 1;
    bool verbose = false;
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is usable
};

// The arguments after the program name; the start defaults to 18:00 of today.
ParsedOptions ParseOptions(std::span<const std::string_view> args, std::chrono::sys_days today);
std::string UsageText();

struct Pacing {
    std::chrono::duration<double> readingGap;  // zero sends readings back to back
    bool characterPacing;                      // each character takes its time at 300 baud
};

Pacing PacingFor(const Options& options);

}  // namespace orvanta::sim
