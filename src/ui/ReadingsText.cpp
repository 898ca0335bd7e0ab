#include "ui/ReadingsText.h"

#include <algorithm>

#include "ui/FormatField.h"

namespace orvanta {

namespace {
constexpr double kMarkerHigh = 999.9;
constexpr double kSkyLowest = -999.9;
constexpr double kTemperatureHighest = 99.9;
constexpr double kTemperatureLowest = -99.9;
constexpr double kHighestHeaterPercent = 999;
constexpr double kFullHeaterDrive = 150;
}  // namespace

DisplayUnit DisplayUnitFor(int16_t tempUnit) {
    if (tempUnit == 1) return {9.0 / 5.0, 32};
    return {};
}

// A difference scales without the offset.
std::string SkyText(double relSkyT, const DisplayUnit& unit) {
    double shown = relSkyT * unit.scale;
    if (relSkyT > kMarkerHigh) shown = kMarkerHigh;
    if (relSkyT < kSkyLowest || shown < kSkyLowest) shown = kSkyLowest;
    return FormatField(shown, "##0.0;-##0.0", 6);
}

// Above range shows the marker 999.9, not the limit.
std::string AbsoluteTemperatureText(double celsius, const DisplayUnit& unit) {
    double shown = celsius * unit.scale + unit.offset;
    if (celsius > kTemperatureHighest) shown = kMarkerHigh;
    if (celsius < kTemperatureLowest || shown < kTemperatureLowest) shown = kTemperatureLowest;
    return FormatField(shown, "##0.0;-#0.0", 5);
}

// Only the Celsius value is clamped here, so a very cold block in Fahrenheit is too
// wide for its field and shows blank.
std::string BlockText(double blockT, const DisplayUnit& unit) {
    double shown = blockT * unit.scale + unit.offset;
    if (blockT > kTemperatureHighest) shown = kMarkerHigh;
    if (blockT < kTemperatureLowest) shown = kTemperatureLowest;
    return FormatField(shown, "##0.0;-#0.0", 5);
}

double HeaterPercentOf(int16_t heaterRaw) {
    return std::min(heaterRaw * 100.0 / kFullHeaterDrive, kHighestHeaterPercent);
}

std::string HeaterText(double percent) { return FormatField(percent, "##0", 3); }

std::string ThresholdText(double threshold, int16_t tempUnit) {
    const double shown = tempUnit == 1 ? threshold * 9 / 5 : threshold;
    return FormatField(shown, "##0.0;-#0.0", 5);
}

}  // namespace orvanta
