// The simulator's command line and its scenario clock.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "sensor-sim/Options.h"
#include "sensor-sim/ScenarioClock.h"

namespace orvanta::sim {
namespace {

using namespace std::chrono;

constexpr sys_days kToday = 2026y / March / 1;

ParsedOptions Parse(std::vector<std::string_view> args) { return ParseOptions(args, kToday); }

CivilTime Civil(sys_days day, int hour, int minute) { return CivilTime{day} + hours{hour} + minutes{minute}; }

TEST(SimOptions, DefaultToANightInLayoutDEveryFiveSecondsFromSixToday) {
    const ParsedOptions parsed = Parse({"--link", "/tmp/x/com1"});
    ASSERT_EQ(parsed.error, "");
    const Options& options = parsed.options;
    EXPECT_EQ(options.target, Target::Link);
    EXPECT_EQ(options.path, "/tmp/x/com1");
    EXPECT_EQ(options.layout, LineLayout::D);
    EXPECT_EQ(options.scenario, ScenarioKind::Night);
    EXPECT_EQ(options.intervalSeconds, 5.0);
    EXPECT_EQ(options.count, std::nullopt);
    EXPECT_EQ(options.seed, 1u);
    EXPECT_EQ(options.start, Civil(kToday, 18, 0));
}

TEST(SimOptions, TakeEveryOptionTheyKnow) {
    const ParsedOptions parsed =
        Parse({"--stdout", "--layout", "A60", "--scenario", "noise", "--interval", "0.5", "--fast", "--paced",
               "--count", "12", "--start", "2025-12-31 23:30", "--seed", "4294967295", "--verbose"});
    ASSERT_EQ(parsed.error, "");
    const Options& options = parsed.options;
    EXPECT_EQ(options.target, Target::Stdout);
    EXPECT_EQ(options.layout, LineLayout::A60);
    EXPECT_EQ(options.scenario, ScenarioKind::Noise);
    EXPECT_EQ(options.intervalSeconds, 0.5);
    EXPECT_TRUE(options.fast);
    EXPECT_TRUE(options.paced);
    EXPECT_EQ(options.count, 12);
    EXPECT_EQ(options.start, Civil(2025y / December / 31, 23, 30));
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_TRUE(options.verbose);
}

TEST(SimOptions, ABareStartTimeIsToday) {
    EXPECT_EQ(Parse({"--device", "/dev/ttyUSB0", "--start", "21:15"}).options.start, Civil(kToday, 21, 15));
}

TEST(SimOptions, HelpNeedsNoTarget) {
    const ParsedOptions parsed = Parse({"--help"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_TRUE(parsed.options.help);
}

struct BadLine {
    const char* name;
    std::vector<std::string_view> args;
};

class SimBadCommandLines : public testing::TestWithParam<BadLine> {};

TEST_P(SimBadCommandLines, AreRefused) { EXPECT_NE(Parse(GetParam().args).error, ""); }

INSTANTIATE_TEST_SUITE_P(Table, SimBadCommandLines,
                         testing::Values(BadLine{"NoTarget", {"--count", "3"}},
                                         BadLine{"TwoTargets", {"--link", "a", "--stdout"}},
                                         BadLine{"MissingValue", {"--link"}},
                                         BadLine{"UnknownOption", {"--stdout", "--baud", "300"}},
                                         BadLine{"UnknownLayout", {"--stdout", "--layout", "E"}},
                                         BadLine{"UnknownScenario", {"--stdout", "--scenario", "storm"}},
                                         BadLine{"ZeroInterval", {"--stdout", "--interval", "0"}},
                                         BadLine{"NegativeInterval", {"--stdout", "--interval", "-5"}},
                                         BadLine{"TextInterval", {"--stdout", "--interval", "5s"}},
                                         BadLine{"InfiniteInterval", {"--stdout", "--interval", "inf"}},
                                         BadLine{"ZeroCount", {"--stdout", "--count", "0"}},
                                         BadLine{"FractionCount", {"--stdout", "--count", "2.5"}},
                                         BadLine{"NegativeSeed", {"--stdout", "--seed", "-1"}},
                                         BadLine{"HugeSeed", {"--stdout", "--seed", "4294967296"}},
                                         BadLine{"HourOutOfRange", {"--stdout", "--start", "24:00"}},
                                         BadLine{"NoSuchDay", {"--stdout", "--start", "2026-02-29 18:00"}},
                                         BadLine{"ShortDate", {"--stdout", "--start", "2026-3-01 18:00"}}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PacingCase {
    const char* name;
    std::vector<std::string_view> args;
    double gapSeconds;
    bool characterPacing;
};

class SimPacings : public testing::TestWithParam<PacingCase> {};

TEST_P(SimPacings, FollowTargetFastAndPaced) {
    const Pacing pacing = PacingFor(Parse(GetParam().args).options);
    EXPECT_DOUBLE_EQ(pacing.readingGap.count(), GetParam().gapSeconds);
    EXPECT_EQ(pacing.characterPacing, GetParam().characterPacing);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimPacings,
    testing::Values(PacingCase{"Link", {"--link", "l"}, 5.0, true},
                    PacingCase{"LinkFast", {"--link", "l", "--fast"}, 0.1, false},
                    PacingCase{"DeviceSlow", {"--device", "d", "--interval", "60"}, 60.0, true},
                    PacingCase{"DeviceFastFractional", {"--device", "d", "--fast", "--interval", "2.5"}, 0.05, false},
                    PacingCase{"Stdout", {"--stdout"}, 0.0, false},
                    PacingCase{"StdoutPaced", {"--stdout", "--paced"}, 5.0, true},
                    PacingCase{"StdoutPacedFast", {"--stdout", "--paced", "--fast"}, 0.1, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClockCase {
    const char* name;
    CivilTime start;
    double stepSeconds;
    long reading;
    double hoursSinceDusk;
    const char* text;
};

class SimScenarioClocks : public testing::TestWithParam<ClockCase> {};

TEST_P(SimScenarioClocks, MoveOnByTheStepPerReading) {
    const ClockCase& c = GetParam();
    const ScenarioClock clock(c.start, c.stepSeconds);
    EXPECT_NEAR(clock.HoursSinceDusk(c.reading), c.hoursSinceDusk, 1e-9);
    EXPECT_EQ(clock.Text(c.reading), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SimScenarioClocks,
    testing::Values(ClockCase{"AtDusk", Civil(kToday, 18, 0), 5, 0, 0.0, "2026-03-01 18:00:00"},
                    ClockCase{"AnHourIn", Civil(kToday, 18, 0), 5, 720, 1.0, "2026-03-01 19:00:00"},
                    ClockCase{"OverMidnight", Civil(kToday, 23, 59), 60, 1, 6.0, "2026-03-02 00:00:00"},
                    ClockCase{"AtDawn", Civil(kToday, 6, 0), 5, 0, 12.0, "2026-03-01 06:00:00"},
                    ClockCase{"JustBeforeDusk", Civil(kToday, 17, 0), 1800, 1, 23.5, "2026-03-01 17:30:00"},
                    ClockCase{"FractionalStep", Civil(kToday, 18, 0), 0.5, 3, 1.5 / 3600, "2026-03-01 18:00:01"},
                    ClockCase{"IntoLeapDay", Civil(2028y / February / 28, 20, 0), 3600, 4, 6.0, "2028-02-29 00:00:00"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanta::sim
