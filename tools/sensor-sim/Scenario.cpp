#include "sensor-sim/Scenario.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace orvanta::sim {
namespace {

// Warmest at dusk, coldest twelve hours later.
constexpr double kMeanAmbientT = 4.5;
constexpr double kAmbientSwing = 7.5;

// Orvanta's default thresholds are -25 and -10: the clear sky and the clouds land
// well inside their own bands.
constexpr double kClearRelSkyT = -30.0;
constexpr double kRampHours = 0.75;

struct Episode {
    double fromHour;
    double toHour;
    double relSkyT;
    bool wet;
};

constexpr std::array<Episode, 5> kEpisodes{{
    {1.5, 3.0, -17.0, false},   // thin cloud drifting over
    {3.0, 4.0, -6.0, false},    // thick cloud ahead of the rain
    {4.0, 5.0, -3.0, true},     // rain, still well above freezing
    {7.0, 7.75, -17.0, false},  // a cloud bank after midnight
    {10.0, 11.0, -3.0, true},   // snow in the cold before dawn
}};

// The heater's own controller: hard on a wet head, a little to keep frost off.
constexpr int kWetHeaterDrive = 120;
constexpr int kFrostHeaterDrive = 30;
constexpr double kFrostGuardBelowT = 2.0;

constexpr double kHeadAboveAmbient = 3.0;
constexpr double kHeadWarmingAtFullDrive = 4.0;
constexpr double kBlockAboveAmbient = 2.0;
constexpr double kBlockWarmingAtFullDrive = 30.0;

double Smoothstep(double x) {
    const double t = std::clamp(x, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Edges are blurred over kRampHours so clouds drift in rather than switch on.
double Presence(const Episode& episode, double hour) {
    return Smoothstep((hour - episode.fromHour) / kRampHours + 0.5) *
           Smoothstep((episode.toHour - hour) / kRampHours + 0.5);
}

double AmbientAt(double hour) { return kMeanAmbientT + kAmbientSwing * std::cos(2 * std::numbers::pi * hour / 24); }

double RelativeSkyAt(double hour) {
    double relSkyT = kClearRelSkyT;
    for (const Episode& episode : kEpisodes) relSkyT += (episode.relSkyT - kClearRelSkyT) * Presence(episode, hour);
    return relSkyT;
}

bool WetAt(double hour) {
    return std::any_of(kEpisodes.begin(), kEpisodes.end(), [hour](const Episode& episode) {
        return episode.wet && hour >= episode.fromHour && hour < episode.toHour;
    });
}

int HeaterDriveFor(bool wet, double ambientT) {
    if (wet) return kWetHeaterDrive;
    return ambientT < kFrostGuardBelowT ? kFrostHeaterDrive : 0;
}

}  // namespace

SkyState NightScenario::At(double hoursSinceDusk) {
    const double hour = std::fmod(std::fmod(hoursSinceDusk, 24.0) + 24.0, 24.0);
    SkyState state;
    state.ambientT = AmbientAt(hour) + random_.Jitter(0.1);
    state.relSkyT = RelativeSkyAt(hour) + random_.Jitter(0.5);
    state.wet = WetAt(hour);
    state.heaterRaw = HeaterDriveFor(state.wet, state.ambientT);
    const double drive = static_cast<double>(state.heaterRaw) / kFullHeaterDrive;
    state.sensorT = state.ambientT + kHeadAboveAmbient + kHeadWarmingAtFullDrive * drive;
    state.blockT = state.ambientT + kBlockAboveAmbient + kBlockWarmingAtFullDrive * drive;
    return state;
}

}  // namespace orvanta::sim
