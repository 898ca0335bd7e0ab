// The simulator's inversion of the thermistor formulas and the sky model, checked by
// decoding its codes with the product's own conversions.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "SensorSimHelpers.h"
#include "decode/Conversions.h"
#include "sensor-sim/SensorCodes.h"

namespace orvanta::sim {
namespace {

using Thermistor = double (*)(int16_t);

double At(Thermistor curve, int code) { return curve(static_cast<int16_t>(code)); }

// No neighbouring code may decode closer to the wanted temperature.
void ExpectClosest(Thermistor curve, int code, int lowest, int highest, double celsius) {
    const double miss = std::abs(At(curve, code) - celsius);
    if (code > lowest) {
        EXPECT_LE(miss, std::abs(At(curve, code - 1) - celsius)) << "code " << code;
    }
    if (code < highest) {
        EXPECT_LE(miss, std::abs(At(curve, code + 1) - celsius)) << "code " << code;
    }
}

class SimAmbientCodes : public testing::TestWithParam<double> {};

TEST_P(SimAmbientCodes, DecodeToTheClosestTemperatureWithinHalfADegree) {
    const double celsius = GetParam();
    const int code = AmbientCodeFor(celsius);
    ExpectClosest(AmbientTemp, code, kLowestAmbientCode, kHighestAmbientCode, celsius);
    EXPECT_NEAR(At(AmbientTemp, code), celsius, 0.5);
}

INSTANTIATE_TEST_SUITE_P(NormalRange, SimAmbientCodes,
                         testing::Values(-30.0, -12.5, -3.0, -0.2, 0.0, 0.3, 2.016, 12.0, 24.9, 40.0, 55.0));

class SimCaseCodes : public testing::TestWithParam<double> {};

TEST_P(SimCaseCodes, DecodeToTheClosestTemperatureWithinHalfADegree) {
    const double celsius = GetParam();
    const int code = CaseCodeFor(celsius);
    ExpectClosest(SensorCaseTemp, code, kLowestCaseCode, kHighestCaseCode, celsius);
    EXPECT_NEAR(At(SensorCaseTemp, code), celsius, 0.5);
}

INSTANTIATE_TEST_SUITE_P(NormalRange, SimCaseCodes,
                         testing::Values(-30.0, -3.0, 0.0, 0.4, 15.0, 24.64, 40.0, 60.0, 79.0));

struct LimitCase {
    const char* name;
    int (*codeFor)(double);
    double celsius;
    int expectedCode;
};

class SimCodeLimits : public testing::TestWithParam<LimitCase> {};

// Beyond the measuring range the code stops at the decoder's plausibility limits.
TEST_P(SimCodeLimits, StayInsideWhatTheDecoderAccepts) {
    EXPECT_EQ(GetParam().codeFor(GetParam().celsius), GetParam().expectedCode);
}

INSTANTIATE_TEST_SUITE_P(Table, SimCodeLimits,
                         testing::Values(LimitCase{"AmbientTooHot", AmbientCodeFor, 90.0, 56},
                                         LimitCase{"AmbientTooCold", AmbientCodeFor, -80.0, 998},
                                         LimitCase{"CaseTooHot", CaseCodeFor, 100.0, 116},
                                         LimitCase{"CaseTooCold", CaseCodeFor, -60.0, 1018},
                                         LimitCase{"AmbientReference", AmbientCodeFor, 2.016, 512},
                                         LimitCase{"CaseReference", CaseCodeFor, 24.640, 524}),
                         [](const auto& info) { return std::string(info.param.name); });

// The sky model's own reference points: a head at code 524 and raw 100, 300, 500.
TEST(SimSkyRaw, InvertsTheReferencePointsOfTheSkyModel) {
    const double head = SensorCaseTemp(524);
    EXPECT_EQ(SkyRawFor(12.33, head), 100);
    EXPECT_EQ(SkyRawFor(-17.74, head), 300);
    EXPECT_EQ(SkyRawFor(-62.31, head), 500);
}

TEST(SimSkyRaw, NeverSendsTheMarkerValues) {
    EXPECT_EQ(SkyRawFor(30.0, 10.0), kLowestSkyRaw) << "sky warmer than the head";
    EXPECT_EQ(SkyRawFor(10.0, 10.0), kLowestSkyRaw) << "sky as warm as the head";
    EXPECT_EQ(SkyRawFor(-150.0, 60.0), kHighestSkyRaw) << "sky colder than the range";
}

struct SkyCase {
    double sensorT;
    double skyT;
};

class SimSkyRoundTrip : public testing::TestWithParam<SkyCase> {};

TEST_P(SimSkyRoundTrip, DecodesBackWithinADegree) {
    test::DecodingProcess decoder;
    const auto [sensorT, skyT] = GetParam();
    const int raw = SkyRawFor(skyT, sensorT);
    EXPECT_NEAR(decoder.form().SkyTemperature(static_cast<int16_t>(raw), sensorT), skyT, 1.0) << "raw " << raw;
}

INSTANTIATE_TEST_SUITE_P(Table, SimSkyRoundTrip,
                         testing::Values(SkyCase{15.0, -18.0}, SkyCase{15.0, 2.0}, SkyCase{8.0, -1.0},
                                         SkyCase{0.0, -33.0}, SkyCase{-2.0, -5.0}, SkyCase{30.0, -40.0},
                                         SkyCase{24.64, -62.31}));

TEST(SimSensorCodes, AimTheSkyAtWhatTheDecoderWillSee) {
    test::DecodingProcess decoder;
    SkyState state;
    state.ambientT = 7.3;
    state.sensorT = 10.8;
    state.blockT = 33.0;
    state.relSkyT = -17.0;
    const SensorCodes codes = CodesFor(state);
    const double decodedAmbientT = AmbientTemp(static_cast<int16_t>(codes.ambient));
    const double decodedSkyT = decoder.form().SkyTemperature(static_cast<int16_t>(codes.sky),
                                                             SensorCaseTemp(static_cast<int16_t>(codes.caseCode)));
    EXPECT_NEAR(decodedSkyT - decodedAmbientT, state.relSkyT, 0.25);
    EXPECT_NEAR(AmbientTemp(static_cast<int16_t>(codes.block)), state.blockT, 0.5);
}

}  // namespace
}  // namespace orvanta::sim
