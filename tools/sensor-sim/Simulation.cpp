#include "sensor-sim/Simulation.h"

namespace orvanta::sim {
namespace {

constexpr uint32_t kFaultSeedSalt = 0x9E3779B9u;

}  // namespace

std::optional<ScenarioKind> ScenarioNamed(std::string_view name) {
    if (name == "night") return ScenarioKind::Night;
    if (name == "noise") return ScenarioKind::Noise;
    return std::nullopt;
}

Simulation::Simulation(ScenarioKind kind, LineLayout layout, uint32_t seed)
    : kind_(kind), layout_(layout), night_(seed), faults_(seed ^ kFaultSeedSalt) {}

Transmission Simulation::Next(double hoursSinceDusk) {
    Transmission transmission;
    transmission.state = night_.At(hoursSinceDusk);
    ReadingValues values;
    values.codes = CodesFor(transmission.state);
    values.wet = transmission.state.wet;
    values.heaterRaw = transmission.state.heaterRaw;
    values.sequence = sequence_;
    sequence_ = (sequence_ + 1) % kSequenceModulus;
    if (kind_ == ScenarioKind::Noise) transmission.fault = PickFault(faults_);
    transmission.bytes = WireBytes(ReadingFields(layout_, values), transmission.fault, faults_);
    return transmission;
}

}  // namespace orvanta::sim
