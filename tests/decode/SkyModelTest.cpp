// The sky model with its default parameters, and the diagnostics it leaves when a power
// or the model itself has no solution.

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "decode/Conversions.h"
#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

TEST(SkyModel, MatchesReferenceSkies) {
    const double caseT = SensorCaseTemp(524);
    const std::vector<std::tuple<int16_t, double, double>> cases = {
        {0, 20.0, 20.0}, {100, caseT, 12.33}, {300, caseT, -17.74}, {500, caseT, -62.31}};
    StartedProcess p;
    for (const auto& [raw, headT, sky] : cases) EXPECT_NEAR(p.form().SkyTemperature(raw, headT), sky, 0.005) << raw;
}

// The diagnostic file goes to the current folder, so each run gets a folder of its own.
struct InTempFolder : TempFolder {
    std::filesystem::path previous = std::filesystem::current_path();
    InTempFolder() { std::filesystem::current_path(Path()); }
    ~InTempFolder() { std::filesystem::current_path(previous); }
};

// Raw 700 makes the model's base negative: the sky counts as 0.0, and only with a log path
// a line goes to the diagnostic file with K, case temperature, offset, d and the base in
// single precision. A power of a negative base counts as 1.0 and only logs an error line.
TEST(SkyModel, NoSolutionGoesOnAndLeavesDiagnosticsOnlyWithALogPath) {
    for (const bool withLog : {false, true}) {
        SCOPED_TRACE(withLog);
        InTempFolder folder;
        StartedProcess p;
        if (withLog) p.main.LogFilePath = folder.Path() + "/sensor.log";
        p.form().optLog.Select(1);
        p.form().rx.CurrentMessage = "048300500512999";
        const std::string shown = p.form().txtAlertAlarmError.Text();
        EXPECT_EQ(p.form().SkyTemperature(700, SensorCaseTemp(524)), 0.0);
        EXPECT_EQ(p.form().PowerOf(-1, 2, "powr5"), 1.0);
        EXPECT_EQ(ReadFile("Orvantalog.txt"),
                  withLog ? "2026-12-06 21:00:00 X 700-5.47E-07  24.63998  0  .32 -9008309 \r\n" : "");
        if (withLog) {
            EXPECT_EQ(ReadFile(p.main.LogFilePath),
                      "2026-12-06 21:00:00 E" + std::string(40, ' ') + "~048300500512999~ powr5  v -1  x 2\r\n");
        }
        EXPECT_EQ(p.form().txtAlertAlarmError.Text(), shown);
    }
}

}  // namespace
}  // namespace orvanta::test
