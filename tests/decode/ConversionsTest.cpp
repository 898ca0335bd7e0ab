// The pure formulas: thermistor codes to temperatures, and numbers as the records print them.

#include "decode/Conversions.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "decode/NumberText.h"

namespace orvanta {
namespace {

TEST(Conversions, MatchReferenceReadings) {
    const std::vector<std::tuple<double (*)(int16_t), int16_t, double>> cases = {
        {SensorCaseTemp, 116, 80.42},  {SensorCaseTemp, 524, 24.64}, {SensorCaseTemp, 1019, -43.34},
        {SensorCaseTemp, 1023, -45.79}, {AmbientTemp, 56, 70.93},     {AmbientTemp, 512, 2.02},
        {AmbientTemp, 998, -57.38},     {AmbientTemp, 999, -57.92},
    };
    for (const auto& [convert, code, celsius] : cases) {
        EXPECT_NEAR(convert(code), celsius, 0.005) << code;  // half a unit of the last digit
    }
}

// Single precision keeps 7 significant digits, double precision 15; both switch to the
// exponent form below 1E-04 and beyond the digits they keep. Just below the power of ten
// (0.0001f is one), rounding to seven digits carries into a new leading digit, and the
// form follows the rounded exponent.
TEST(NumberText, PrintsTheGeneralForm) {
    const std::vector<std::pair<std::string, const char*>> cases = {
        {SingleText(-0.0f), "0"},         {SingleText(1.0f / 3.0f), ".3333333"},
        {SingleText(12345678.0f), "1.234568E+07"}, {SingleText(0.0001f), ".0001"},
        {SingleText(0.00001f), "1E-05"},  {DoubleText(1.0 / 3.0), ".333333333333333"},
        {DoubleText(999999999999999.9), "1E+15"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace orvanta
