#pragma once
// Noise that plays back the same for the same seed with any standard library: the
// engine's output is fixed by the standard, its distributions are not, so we draw
// from the engine ourselves.

#include <cstdint>
#include <random>

namespace orvanta::sim {

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}

    double Uniform() { return static_cast<double>(engine_()) / 4294967296.0; }  // [0, 1)
    double Jitter(double amplitude) { return amplitude * (2 * Uniform() - 1); }
    int Below(int count) { return static_cast<int>(Uniform() * count); }
    bool Chance(double probability) { return Uniform() < probability; }

private:
    std::mt19937 engine_;
};

}  // namespace orvanta::sim
