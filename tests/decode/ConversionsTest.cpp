#include "decode/Conversions.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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

}  // namespace
}  // namespace orvanta
