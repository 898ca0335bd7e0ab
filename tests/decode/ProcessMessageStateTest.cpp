// What a good message leaves in the state: temperatures, sky condition, flags, and the
// lamps of the window.

#include <gtest/gtest.h>

#include <array>

#include "decode/Conversions.h"
#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

TEST(ProcessMessageState, ConvertsTheCodesOrKeepsTheBlockMarker) {
    struct Case {
        int blk;
        double blockT;
        const char* blockBox;
    };
    const std::vector<Case> cases = {{999, 999.9, ""}, {998, -57.38, "-57.4"}, {600, -4.75, " -4.7"}};
    for (const auto& [blk, blockT, blockBox] : cases) {
        SCOPED_TRACE(blk);
        StartedProcess p;
        p.Process(LayoutALine({.blk = blk}));
        EXPECT_NEAR(p.main.SensorT, 24.640, 0.0005);
        EXPECT_NEAR(p.main.AmbientT, 2.016, 0.0005);
        EXPECT_NEAR(p.main.BlockT, blockT, 0.005);
        EXPECT_EQ(p.form().txtBlockTemp.Text(), blockBox);
    }
}

// Case at code 524 and ambient at code 512, thresholds -25 (cloudy) and -10 (very cloudy).
TEST(ProcessMessageState, ClassifiesTheSkyFromTheRawReading) {
    struct Case {
        int sky;
        int flags;
        double relSkyT;
        int32_t condition;
    };
    const std::vector<Case> cases = {
        {100, 0, 10.32, 3},  {300, 0, -19.76, 2}, {500, 0, -64.33, 1}, {700, 0, -2.02, 3},
        {0, 0, 999.9, 3},    {999, 0, -999.9, 1}, {999, 1, -999.9, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sky);
        StartedProcess p;
        p.Process(LayoutALine({.sky = c.sky}, c.flags));
        EXPECT_NEAR(p.main.RelSkyT, c.relSkyT, 0.005);
        EXPECT_EQ(p.main.SkyCondition, c.condition);
    }
}

// A reading equal to a threshold counts as below it.
TEST(ProcessMessageState, ThresholdsAreStrict) {
    StartedProcess p;
    const std::string line = LayoutALine({.sky = 300});
    p.Process(line);
    const double relSkyT = p.main.RelSkyT;

    p.main.CloudyThreshT = relSkyT;
    p.Process(line);
    EXPECT_EQ(p.main.CloudyF, 0);
    EXPECT_EQ(p.main.SkyCondition, 1);

    p.main.CloudyThreshT = -25;
    p.main.VCloudyThreshT = relSkyT;
    p.Process(line);
    EXPECT_EQ(p.main.CloudyF, -1);
    EXPECT_EQ(p.main.VCloudyF, 0);
    EXPECT_EQ(p.main.SkyCondition, 2);
}

TEST(ProcessMessageState, VeryCloudyWinsWhateverTheOrderOfTheThresholds) {
    StartedProcess p;
    p.main.CloudyThreshT = -10;
    p.main.VCloudyThreshT = -25;
    p.Process(LayoutALine({.sky = 300}));  // -19.76
    EXPECT_EQ(p.main.CloudyF, 0);
    EXPECT_EQ(p.main.VCloudyF, -1);
    EXPECT_EQ(p.main.SkyCondition, 3);
}

TEST(ProcessMessageState, WetLatchesUntilTheNextLogLine) {
    StartedProcess p;
    p.Process(LayoutALine({}, 1));
    p.Process(LayoutALine({}, 0));
    EXPECT_EQ(p.main.WetF, 0);
    EXPECT_EQ(p.main.WetSinceLog, 1);
    EXPECT_EQ(p.form().msg.FlagText, "0000 0001");
}

TEST(ProcessMessageState, WritesTheFlagsForTheRecords) {
    struct Case {
        int flags;
        const char* hex;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0, "00", "0000 0000"},   {15, "0F", "0000 1111"},  {26, "1A", "0001 1010"},
        {255, "FF", "1111 1111"}, {300, "12C", "0010 1100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        StartedProcess p;
        // A run already going, so that the calibrate bit starts nothing here.
        p.form().calibration.Calibrating = -1;
        p.Process(LayoutALine({}, c.flags));
        EXPECT_EQ(p.form().msg.FlagHex, c.hex);
        EXPECT_EQ(p.form().msg.FlagText, c.text);
    }
}

// The V bit is the sensor's very-cloudy flag only from firmware 49 on; in layout A it
// says the heater is on.
TEST(ProcessMessageState, ShowsTheFlagsOfTheLastMessage) {
    StartedProcess p;
    p.form().calibration.Calibrating = -1;
    auto layoutB = Fields(81, {.fvr = 49});
    layoutB[9] = 128 + 4 + 2 + 1;
    p.Process(Line(layoutB));
    EXPECT_EQ(p.main.CalibrateFlag, 1);
    EXPECT_TRUE(p.form().lblKC.Visible());
    EXPECT_TRUE(p.form().lblVC.Visible());
    EXPECT_EQ(p.form().shaWet.FillColor(), kBlue);
    EXPECT_EQ(p.form().shaHeating.FillColor(), kWindowBackground);

    p.Process(LayoutALine({}, 2));
    EXPECT_EQ(p.main.CalibrateFlag, 0);
    EXPECT_EQ(p.main.CloseFlag, 0);
    EXPECT_EQ(p.main.CloseSinceLog, 1);
    EXPECT_FALSE(p.form().lblKC.Visible());
    EXPECT_FALSE(p.form().lblVC.Visible());
    EXPECT_EQ(p.form().shaWet.FillColor(), kWindowBackground);
    EXPECT_EQ(p.form().shaHeating.FillColor(), kRed);
}

// C3b (field 17 of layout A) says whether the message carries calibration sets at all.
TEST(ProcessMessageState, ConvertsCalibrationSetsOnlyWhenC3bIsSet) {
    struct Set {
        int t, a, b;
    };
    const std::array<Set, 3> sets = {{{500, 512, 600}, {400, 700, 650}, {300, 800, 900}}};
    auto fields = Fields(57);
    for (std::size_t n = 0; n < sets.size(); ++n) {
        fields[7 + 4 * n] = sets[n].t;
        fields[8 + 4 * n] = sets[n].a;
        fields[9 + 4 * n] = sets[n].b;
    }
    auto withoutC3b = fields;
    withoutC3b[17] = 0;
    StartedProcess p;
    p.Process(Line(withoutC3b));
    EXPECT_EQ(p.main.CalDataF, 0);
    EXPECT_EQ(p.main.CalAmbientT, (std::array<double, 4>{}));

    p.form().calibration.CalibrationFitDone = -1;  // keeps the fit out of this test
    p.Process(Line(fields));
    EXPECT_EQ(p.main.CalDataF, -1);
    for (std::size_t n = 0; n < sets.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(p.main.CalSensorT[n], SensorCaseTemp(static_cast<int16_t>(sets[n].t + 24)));
        EXPECT_EQ(p.main.CalAmbientT[n], AmbientTemp(static_cast<int16_t>(sets[n].a)));
        EXPECT_EQ(p.main.CalBlockT[n], AmbientTemp(static_cast<int16_t>(sets[n].b)));
    }

    const auto converted = p.main.CalAmbientT;
    withoutC3b[8] = 998;
    p.Process(Line(withoutC3b));
    EXPECT_EQ(p.main.CalAmbientT, converted);
}

}  // namespace
}  // namespace orvanta::test
