#include "sensor-sim/SensorCodes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "decode/Conversions.h"
#include "decode/SkyModel.h"

namespace orvanta::sim {
namespace {

using Thermistor = double (*)(int16_t);

// Both thermistor curves fall as the code rises, so a bisection finds the first code at
// or below the temperature; its upper neighbour may still be the closer one.
int ClosestCode(Thermistor temperatureOf, int lowest, int highest, double celsius) {
    int low = lowest;
    int high = highest;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (temperatureOf(static_cast<int16_t>(middle)) <= celsius)
            high = middle;
        else
            low = middle + 1;
    }
    if (low > lowest) {
        const double above = temperatureOf(static_cast<int16_t>(low - 1)) - celsius;
        const double below = celsius - temperatureOf(static_cast<int16_t>(low));
        if (above < below) return low - 1;
    }
    return low;
}

}  // namespace

int AmbientCodeFor(double celsius) {
    return ClosestCode(AmbientTemp, kLowestAmbientCode, kHighestAmbientCode, celsius);
}

int CaseCodeFor(double celsius) { return ClosestCode(SensorCaseTemp, kLowestCaseCode, kHighestCaseCode, celsius); }

int SkyRawFor(double skyT, double sensorT) {
    const double exponent = 4 - kDefaultSkyModelD;
    const double skyRadiation = std::pow(skyT + kKelvinOffset, exponent);
    const double headRadiation = std::pow(sensorT + kKelvinOffset + kDefaultSkyModelOffs, exponent);
    const double raw = kDefaultSkyModelK * (skyRadiation - headRadiation);
    return static_cast<int>(std::clamp(std::lround(raw), long{kLowestSkyRaw}, long{kHighestSkyRaw}));
}

SensorCodes CodesFor(const SkyState& state) {
    SensorCodes codes;
    codes.ambient = AmbientCodeFor(state.ambientT);
    codes.caseCode = CaseCodeFor(state.sensorT);
    codes.block = AmbientCodeFor(state.blockT);
    const double decodedAmbientT = AmbientTemp(static_cast<int16_t>(codes.ambient));
    const double decodedSensorT = SensorCaseTemp(static_cast<int16_t>(codes.caseCode));
    codes.sky = SkyRawFor(decodedAmbientT + state.relSkyT, decodedSensorT);
    return codes;
}

}  // namespace orvanta::sim
