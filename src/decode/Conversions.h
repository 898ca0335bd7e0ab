#pragma once
// Thermistor formulas of the sensor: codes in, degrees Celsius out.

#include <cstdint>

namespace orvanta {

double SensorCaseTemp(int16_t code);
double AmbientTemp(int16_t code);

}  // namespace orvanta
