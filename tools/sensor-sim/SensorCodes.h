#pragma once
// The sensor's side of the conversions: temperatures in, the codes it would send out.
// Each code is the one whose decoded value lies closest to the wanted temperature.

#include "decode/WireFormat.h"
#include "sensor-sim/Scenario.h"

namespace orvanta::sim {

// The ranges that pass the decoder's plausibility limits; 999 in a field is a marker.
inline constexpr int kLowestAmbientCode = kAmbientTooHot;
inline constexpr int kHighestAmbientCode = kAmbientTooCold - 1;
inline constexpr int kLowestCaseCode = kCaseTooHot;
inline constexpr int kHighestCaseCode = kCaseTooCold - 1;
// 0 means no sky reading and 999 below range, so a measured sky stays inside these.
inline constexpr int kLowestSkyRaw = 1;
inline constexpr int kHighestSkyRaw = 998;

struct SensorCodes {
    int sky = 0;       // raw thermopile reading
    int caseCode = 0;  // sensor-case thermistor code; the Tem field is this less 24
    int ambient = 0;
    int block = 0;
};

int AmbientCodeFor(double celsius);  // also the block thermistor's
int CaseCodeFor(double celsius);
// The raw reading the default sky model turns back into skyT for a head at sensorT.
int SkyRawFor(double skyT, double sensorT);

// The sky reading is aimed at what the decoder will compute from the quantised ambient
// and head codes, so only the sky's own rounding remains.
SensorCodes CodesFor(const SkyState& state);

}  // namespace orvanta::sim
