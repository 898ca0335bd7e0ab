// What a good message leaves in the state: temperatures, sky condition, flags, and the
// lamps of the window.

#include <gtest/gtest.h>

#include <tuple>

#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

constexpr double kAtTheReading = 1;  // a threshold equal to the reading itself

// Case at code 524 and ambient at code 512; raw 700 has no solution and the sky counts as
// 0.0, raw 0 and 999 are the sensor's markers. A reading equal to a threshold counts as
// below it, very cloudy wins whatever the order of the thresholds, and wet wins over both.
TEST(ProcessMessageState, ClassifiesTheSkyFromTheRawReading) {
    struct Case { int sky, flags; double cloudy, vCloudy, relSkyT; int16_t cloudyF, vCloudyF; int32_t condition; };
    const std::vector<Case> cases = {
        {100, 0, -25, -10, 10.32, -1, -1, 3},     {300, 0, -25, -10, -19.76, -1, 0, 2},
        {500, 0, -25, -10, -64.33, 0, 0, 1},      {700, 0, -25, -10, -2.02, -1, -1, 3},
        {0, 0, -25, -10, 999.9, -1, -1, 3},       {999, 0, -25, -10, -999.9, 0, 0, 1},
        {999, 1, -25, -10, -999.9, 0, 0, 4},      {300, 0, kAtTheReading, -10, -19.76, 0, 0, 1},
        {300, 0, -25, kAtTheReading, -19.76, -1, 0, 2}, {300, 0, -10, -25, -19.76, 0, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sky << " flags " << c.flags << " under " << c.cloudy << ", " << c.vCloudy);
        StartedProcess p;
        p.Process(LayoutALine({.sky = c.sky}, c.flags));
        p.main.CloudyThreshT = c.cloudy == kAtTheReading ? p.main.RelSkyT : c.cloudy;
        p.main.VCloudyThreshT = c.vCloudy == kAtTheReading ? p.main.RelSkyT : c.vCloudy;
        p.Process(LayoutALine({.sky = c.sky}, c.flags));
        EXPECT_NEAR(p.main.RelSkyT, c.relSkyT, 0.005);
        EXPECT_EQ(std::make_tuple(p.main.CloudyF, p.main.VCloudyF, p.main.SkyCondition),
                  std::make_tuple(c.cloudyF, c.vCloudyF, c.condition));
        EXPECT_EQ(p.main.BlockT, 999.9);
        EXPECT_EQ(p.form().txtBlockTemp.Text(), "");
    }
}

TEST(ProcessMessageState, WritesTheFlagsForTheRecords) {
    const std::vector<std::tuple<int, const char*, const char*>> cases = {
        {0, "00", "0000 0000"}, {15, "0F", "0000 1111"}, {255, "FF", "1111 1111"}, {300, "12C", "0010 1100"}};
    for (const auto& [flags, hex, text] : cases) {
        StartedProcess p;
        p.form().calibration.Calibrating = -1;  // a run already going: the calibrate bit starts nothing
        p.Process(LayoutALine({}, flags));
        EXPECT_EQ(std::make_tuple(p.form().msg.FlagHex, p.form().msg.FlagText), std::make_tuple(hex, text)) << flags;
    }
}

// The lamps show the last message, while wet and close latch until the next log line.
// The V bit is the sensor's very-cloudy flag only from firmware 49 on; in layout A it
// says the heater is on.
TEST(ProcessMessageState, LampsFollowTheLastMessageAndWetAndCloseLatch) {
    StartedProcess p;
    p.form().calibration.Calibrating = -1;
    p.Process(Line(81, {.fvr = 49}, {{9, 128 + 4 + 2 + 1}}));
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
    for (const int c3b : {0, 1}) {
        p.Process(Line(57, {}, {{8, 512}, {17, c3b}}));  // 512: ambient code of the first set
        EXPECT_EQ(p.main.CalDataF, -c3b);
        EXPECT_NEAR(p.main.CalAmbientT[0], c3b == 0 ? 0.0 : 2.016, 0.0005);
    }
}

}  // namespace
}  // namespace orvanta::test
