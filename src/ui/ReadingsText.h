#pragma once
// The texts of the reading and threshold boxes. The records copy these texts, so the
// files show exactly what the window shows.

#include <cstdint>
#include <string>

namespace orvanta {

struct DisplayUnit {
    double scale = 1;
    double offset = 0;
};

DisplayUnit DisplayUnitFor(int16_t tempUnit);  // 1 is Fahrenheit, anything else Celsius

std::string SkyText(double relSkyT, const DisplayUnit& unit);
std::string AbsoluteTemperatureText(double celsius, const DisplayUnit& unit);  // sensor and ambient
std::string BlockText(double blockT, const DisplayUnit& unit);
double HeaterPercentOf(int16_t heaterRaw);
std::string HeaterText(double percent);
std::string ThresholdText(double threshold, int16_t tempUnit);

}  // namespace orvanta
