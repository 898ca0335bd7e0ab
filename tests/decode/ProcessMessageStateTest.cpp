// What a good message leaves in the state: temperatures, sky condition, flags, and the
// lamps of the window.

#include <gtest/gtest.h>

#include <tuple>

#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

// Case at code 524 and ambient at code 512, thresholds -25 (cloudy) and -10 (very cloudy);
// raw 700 has no solution and the sky counts as 0.0.
TEST(ProcessMessageState, ClassifiesTheSkyFromTheRawReading) {
    const std::vector<std::tuple<int, int, double, int32_t>> cases = {
        {100, 0, 10.32, 3},  {300, 0, -19.76, 2}, {500, 0, -64.33, 1}, {700, 0, -2.02, 3},
        {0, 0, 999.9, 3},    {999, 0, -999.9, 1}, {999, 1, -999.9, 4},
    };
    for (const auto& [sky, flags, relSkyT, condition] : cases) {
        SCOPED_TRACE(sky);
        StartedProcess p;
        p.Process(LayoutALine({.sky = sky, .blk = 999}, flags));
        EXPECT_NEAR(p.main.RelSkyT, relSkyT, 0.005);
        EXPECT_EQ(p.main.SkyCondition, condition);
        EXPECT_EQ(p.main.BlockT, 999.9);
        EXPECT_EQ(p.form().txtBlockTemp.Text(), "");
    }
}

// A reading equal to a threshold counts as below it, and very cloudy wins whatever the
// order of the thresholds.
TEST(ProcessMessageState, ThresholdsAreStrictAndVeryCloudyComesFirst) {
    StartedProcess p;
    const std::string line = LayoutALine({.sky = 300});
    p.Process(line);
    const double relSkyT = p.main.RelSkyT;
    const std::vector<std::tuple<double, double, int16_t, int16_t, int32_t>> cases = {
        {relSkyT, -10, 0, 0, 1}, {-25, relSkyT, -1, 0, 2}, {-10, -25, 0, -1, 3}};
    for (const auto& [cloudyThresh, vCloudyThresh, cloudyF, vCloudyF, condition] : cases) {
        SCOPED_TRACE(condition);
        p.main.CloudyThreshT = cloudyThresh;
        p.main.VCloudyThreshT = vCloudyThresh;
        p.Process(line);
        EXPECT_EQ(p.main.CloudyF, cloudyF);
        EXPECT_EQ(p.main.VCloudyF, vCloudyF);
        EXPECT_EQ(p.main.SkyCondition, condition);
    }
}

TEST(ProcessMessageState, WritesTheFlagsForTheRecords) {
    const std::vector<std::tuple<int, const char*, const char*>> cases = {
        {0, "00", "0000 0000"}, {15, "0F", "0000 1111"}, {255, "FF", "1111 1111"}, {300, "12C", "0010 1100"},
    };
    for (const auto& [flags, hex, text] : cases) {
        SCOPED_TRACE(flags);
        StartedProcess p;
        p.form().calibration.Calibrating = -1;  // a run already going: the calibrate bit starts nothing
        p.Process(LayoutALine({}, flags));
        EXPECT_EQ(p.form().msg.FlagHex, hex);
        EXPECT_EQ(p.form().msg.FlagText, text);
    }
}

// The lamps show the last message, while wet and close latch until the next log line.
// The V bit is the sensor's very-cloudy flag only from firmware 49 on; in layout A it
// says the heater is on.
TEST(ProcessMessageState, LampsFollowTheLastMessageAndWetAndCloseLatch) {
    StartedProcess p;
    p.form().calibration.Calibrating = -1;
    auto layoutB = Fields(81, {.fvr = 49});
    layoutB[9] = 128 + 4 + 2 + 1;
    p.Process(Line(layoutB));
    EXPECT_TRUE(p.form().lblKC.Visible());
    EXPECT_TRUE(p.form().lblVC.Visible());
    EXPECT_EQ(p.form().shaWet.FillColor(), kBlue);
    EXPECT_EQ(p.form().shaHeating.FillColor(), kWindowBackground);

    p.Process(LayoutALine({}, 2));
    EXPECT_EQ(p.form().msg.FlagText, "1000 0011");
    EXPECT_FALSE(p.form().lblKC.Visible());
    EXPECT_FALSE(p.form().lblVC.Visible());
    EXPECT_EQ(p.form().shaWet.FillColor(), kWindowBackground);
    EXPECT_EQ(p.form().shaHeating.FillColor(), kRed);
}

// C3b (field 17 of layout A) says whether the message carries calibration sets at all.
TEST(ProcessMessageState, ConvertsCalibrationSetsOnlyWhenC3bIsSet) {
    StartedProcess p;
    p.form().calibration.CalibrationFitDone = -1;  // keeps the fit out of this test
    auto fields = Fields(57);
    fields[8] = 512;  // ambient code of the first set
    for (const int c3b : {0, 1}) {
        fields[17] = c3b;
        p.Process(Line(fields));
        EXPECT_EQ(p.main.CalDataF, -c3b);
        EXPECT_NEAR(p.main.CalAmbientT[0], c3b == 0 ? 0.0 : 2.016, 0.0005);
    }
}

}  // namespace
}  // namespace orvanta::test
