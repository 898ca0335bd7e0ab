#pragma once
// What the simulated sensor should report over a night: ambient cooling from dusk to
// dawn, a clear sky with clouds passing, a rain spell and, late on, snow.

#include <cstdint>

#include "sensor-sim/Random.h"

namespace orvanta::sim {

inline constexpr int kFullHeaterDrive = 150;

struct SkyState {
    double ambientT = 0;
    double relSkyT = 0;  // sky minus ambient
    double sensorT = 0;  // the sensor head, a little above ambient
    double blockT = 0;   // the heater block
    bool wet = false;
    int heaterRaw = 0;  // 0 to kFullHeaterDrive for 0 to 100 %
};

// The weather repeats every 24 hours; hour 0 is 18:00.
class NightScenario {
public:
    explicit NightScenario(uint32_t seed) : random_(seed) {}
    SkyState At(double hoursSinceDusk);

private:
    Random random_;
};

}  // namespace orvanta::sim
