// The night and noise scenarios, played through the product's framer and decoder.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "SensorSimHelpers.h"
#include "sensor-sim/Simulation.h"

namespace orvanta::sim {
namespace {

constexpr LineLayout kLayouts[] = {LineLayout::A57, LineLayout::A60, LineLayout::B, LineLayout::C, LineLayout::D};

std::string SkyKind(const CMain& main) {
    switch (main.SkyCondition) {
        case 1: return "clear";
        case 2: return "cloudy";
        case 4: return main.AmbientT > 0 ? "wet above zero" : "wet below zero";
        default: return "other";
    }
}

// 18:00 to 07:00, a reading a minute.
TEST(SimNight, DecodesToTheScenarioAndShowsEveryKindOfSky) {
    for (const LineLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        test::DecodingProcess decoder;
        Simulation simulation(ScenarioKind::Night, layout, 1);
        std::map<std::string, int> seen;
        for (int minute = 0; minute < 13 * 60 && !HasFailure(); ++minute) {
            const Transmission transmission = simulation.Next(minute / 60.0);
            const SkyState& state = transmission.state;
            const std::vector<std::string> lines = test::FramedLines(transmission.bytes);
            ASSERT_EQ(lines.size(), 1u);
            ASSERT_TRUE(decoder.Process(lines[0])) << "minute " << minute << ": " << lines[0];
            EXPECT_NEAR(decoder.main.AmbientT, state.ambientT, 0.5) << "minute " << minute;
            EXPECT_NEAR(decoder.main.SensorT, state.sensorT, 0.5) << "minute " << minute;
            EXPECT_NEAR(decoder.main.RelSkyT, state.relSkyT, 1.0) << "minute " << minute;
            EXPECT_EQ(decoder.main.WetF != 0, state.wet) << "minute " << minute;
            EXPECT_EQ(decoder.main.HeatingF != 0, state.heaterRaw > 0) << "minute " << minute;
            ++seen[SkyKind(decoder.main)];
        }
        for (const char* kind : {"clear", "cloudy", "wet above zero", "wet below zero"}) EXPECT_GT(seen[kind], 0) << kind;
    }
}

// What the framer and decoder make of each kind of fault; a null report means none at
// all, an empty one any single report.
struct FaultOutcome {
    Fault fault;
    int goodMessages;
    const char* report;
};

constexpr FaultOutcome kFaultOutcomes[] = {
    {Fault::None, 1, nullptr},
    {Fault::GarbageBefore, 0, ""},
    {Fault::GarbageThenNul, 1, nullptr},
    {Fault::BadChecksum, 0, "Message checksum failure "},
    {Fault::FieldDropped, 0, ""},
    {Fault::FieldDoubled, 0, ""},
    {Fault::StatusLine, 1, nullptr},
    {Fault::StartUpLine, 1, nullptr},
    {Fault::CutOff, 0, nullptr},
    {Fault::NonDigit, 0, "Message field ~"},
    {Fault::AmbientTooCold, 0, "Ambient is too cold, below -58.5C"},
    {Fault::CaseTooHot, 0, "Sensor case is too hot, above 80.4C"},
};

void ExpectOutcome(test::DecodingProcess& decoder, const Transmission& transmission) {
    const FaultOutcome& expected = kFaultOutcomes[static_cast<std::size_t>(transmission.fault)];
    ASSERT_EQ(expected.fault, transmission.fault);
    decoder.reports.clear();
    int good = 0;
    for (const std::string& line : test::FramedLines(transmission.bytes)) good += decoder.Process(line) ? 1 : 0;
    EXPECT_EQ(good, expected.goodMessages);
    if (expected.report == nullptr) {
        EXPECT_EQ(decoder.reports, std::vector<std::string>{});
    } else {
        ASSERT_EQ(decoder.reports.size(), 1u);
        EXPECT_TRUE(decoder.reports[0].starts_with(expected.report)) << decoder.reports[0];
    }
}

// A reading every five seconds from dusk.
TEST(SimNoise, ProducesEveryKindOfFaultWithItsOutcome) {
    for (const LineLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        test::DecodingProcess decoder;
        Simulation simulation(ScenarioKind::Noise, layout, 7);
        std::set<Fault> seen;
        for (int reading = 0; reading < 1500 && !HasFailure(); ++reading) {
            const Transmission transmission = simulation.Next(reading * 5 / 3600.0);
            SCOPED_TRACE(std::string("fault: ") + FaultName(transmission.fault));
            ExpectOutcome(decoder, transmission);
            seen.insert(transmission.fault);
        }
        EXPECT_EQ(seen.size(), std::size(kFaultOutcomes));
    }
}

}  // namespace
}  // namespace orvanta::sim
