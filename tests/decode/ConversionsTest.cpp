#include "decode/Conversions.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvanta {
namespace {

struct Reference {
    int16_t code;
    double celsius;
    double tolerance;  // half a unit of the last digit given
};

TEST(SensorCaseTemp, MatchesReferenceReadings) {
    const std::vector<Reference> cases = {
        {116, 80.42, 0.005},   {115, 80.72, 0.005},   {524, 24.640, 0.0005},
        {1019, -43.34, 0.005}, {1020, -43.92, 0.005}, {1023, -45.79, 0.005},
    };
    for (const Reference& c : cases) {
        EXPECT_NEAR(SensorCaseTemp(c.code), c.celsius, c.tolerance) << c.code;
    }
}

TEST(AmbientTemp, MatchesReferenceReadings) {
    const std::vector<Reference> cases = {
        {56, 70.93, 0.005},   {55, 71.49, 0.005},   {512, 2.016, 0.0005},
        {998, -57.38, 0.005}, {999, -57.92, 0.005}, {0, 21544.8, 0.05},
    };
    for (const Reference& c : cases) {
        EXPECT_NEAR(AmbientTemp(c.code), c.celsius, c.tolerance) << c.code;
    }
}

// Both thermistors read colder as the code rises; a sign slip in a term shows up here.
TEST(Conversions, FallStrictlyAcrossTheCodeRange) {
    for (int16_t code = 2; code <= 1022; ++code) {
        EXPECT_LT(SensorCaseTemp(code), SensorCaseTemp(static_cast<int16_t>(code - 1))) << code;
    }
    for (int16_t code = 2; code <= 1022; ++code) {
        EXPECT_LT(AmbientTemp(code), AmbientTemp(static_cast<int16_t>(code - 1))) << code;
    }
}

}  // namespace
}  // namespace orvanta
