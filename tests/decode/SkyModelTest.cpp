// The sky model with its default parameters, and the diagnostics it leaves when a power
// or the model itself has no solution.

#include <gtest/gtest.h>

#include <unistd.h>

#include "decode/Conversions.h"
#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

// The diagnostic file goes to the current folder, so each test runs in a folder of its own.
class InTempDir {
public:
    InTempDir() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.File("")); }
    ~InTempDir() { std::filesystem::current_path(previous_); }
    InTempDir(const InTempDir&) = delete;
    InTempDir& operator=(const InTempDir&) = delete;
    std::string File(const std::string& name) const { return dir_.File(name); }

private:
    TempDir dir_;
    std::filesystem::path previous_;
};

TEST(SkyTemperature, RawZeroGivesTheSensorHeadTemperature) {
    StartedProcess p;
    EXPECT_NEAR(p.form().SkyTemperature(0, 20.0), 20.0, 1e-9);
}

TEST(SkyTemperature, MatchesReferenceSkiesForACaseAt24_64) {
    StartedProcess p;
    const double caseT = SensorCaseTemp(524);
    const std::vector<std::pair<int16_t, double>> cases = {{100, 12.33}, {300, -17.74}, {500, -62.31}};
    for (const auto& [raw, sky] : cases) {
        EXPECT_NEAR(p.form().SkyTemperature(raw, caseT), sky, 0.005) << raw;
    }
    EXPECT_EQ(p.form().SkyTemperature(700, caseT), 0.0);
}

TEST(SkyTemperature, NoSolutionLeavesOneLineInTheDiagnosticFile) {
    InTempDir dir;
    StartedProcess p;
    p.main.LogFilePath = dir.File("sensor.log");
    p.Process(LayoutALine({.sky = 700}));

    EXPECT_NEAR(p.main.RelSkyT, -2.02, 0.005);
    EXPECT_EQ(p.main.TicksSinceGoodData, 0);
    // K, case temperature, offset, d and the base raw / K + P, in single precision.
    EXPECT_EQ(ReadFile("Orvantalog.txt"), "2026-12-06 21:00:00 X 700-5.47E-07  24.63998  0  .32 -9008309 \r\n");
}

TEST(SkyTemperature, NoSolutionWritesNothingWithoutALogFile) {
    InTempDir dir;
    StartedProcess p;
    p.Process(LayoutALine({.sky = 700}));
    EXPECT_NEAR(p.main.RelSkyT, -2.02, 0.005);
    EXPECT_FALSE(std::filesystem::exists("Orvantalog.txt"));
}

TEST(PowerOf, NegativeBaseGivesOneAndAnErrorLineOnly) {
    TempDir dir;
    StartedProcess p;
    p.main.LogFilePath = dir.File("sensor.log");
    p.form().optLog.Select(1);
    p.form().rx.CurrentMessage = "048300500512999";
    const std::string shown = p.form().txtAlertAlarmError.Text();

    EXPECT_EQ(p.form().PowerOf(-1, 2, "powr5"), 1.0);
    EXPECT_EQ(ReadFile(p.main.LogFilePath),
              "2026-12-06 21:00:00 E" + std::string(40, ' ') + "~048300500512999~ powr5  v -1  x 2\r\n");
    EXPECT_EQ(p.form().txtAlertAlarmError.Text(), shown);
}

TEST(PowerOf, RaisesAPositiveBase) {
    StartedProcess p;
    EXPECT_NEAR(p.form().PowerOf(8, 1.0 / 3, "powr1"), 2.0, 1e-12);
}

}  // namespace
}  // namespace orvanta::test
