#include "decode/Conversions.h"

#include <cmath>

namespace orvanta {

// Both formulas keep the firmware's order of operations so results match its own
// figures to the last printed digit.

double SensorCaseTemp(int16_t code) {
    const double x = code / 1024.0 / 52.02;
    const double r = (x * 1.54636e9) / ((1000 - x * 49900) - x * 1000);
    const double l = std::log(r + 0.01);
    return 1 / (0.00091571545 + 0.00022434464 * l + 1.1452e-7 * (l * l * l)) - 273.16;
}

double AmbientTemp(int16_t code) {
    const double v = code / 1024.0 * 5;
    const double r = -(v * 29400) / (v - 5);
    const double l = std::log(r + 0.01);
    return 1 / (0.0011306345 + 0.00023361908 * l + 9.159e-8 * (l * l * l)) - 273.16;
}

}  // namespace orvanta
