#pragma once
// One simulated sensor: a scenario's weather turned into the bytes it sends per reading.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sensor-sim/LineBuilder.h"
#include "sensor-sim/Noise.h"
#include "sensor-sim/Random.h"
#include "sensor-sim/Scenario.h"

namespace orvanta::sim {

enum class ScenarioKind { Night, Noise };

std::optional<ScenarioKind> ScenarioNamed(std::string_view name);

struct Transmission {
    std::string bytes;  // as they go on the wire, line ends included
    SkyState state;     // the weather this reading stands for
    Fault fault = Fault::None;
};

class Simulation {
public:
    Simulation(ScenarioKind kind, LineLayout layout, uint32_t seed);
    Transmission Next(double hoursSinceDusk);

private:
    ScenarioKind kind_;
    LineLayout layout_;
    NightScenario night_;
    // Its own generator, so the noise scenario carries the very readings of the night.
    Random faults_;
    int sequence_ = 0;
};

}  // namespace orvanta::sim
