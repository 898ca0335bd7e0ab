// The night and noise scenarios, played through the product's framer and decoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SensorSimHelpers.h"
#include "sensor-sim/Simulation.h"

namespace orvanta::sim {
namespace {

constexpr double kSecondsPerHour = 3600;
constexpr int kMinutesOfNight = 13 * 60;  // 18:00 to 07:00

std::string SkyKind(const CMain& main) {
    switch (main.SkyCondition) {
        case 1: return "clear";
        case 2: return "cloudy";
        case 3: return "very cloudy";
        case 4: return main.AmbientT > 0 ? "wet above zero" : "wet below zero";
        default: return "unknown";
    }
}

class SimNightThroughTheDecoder : public testing::TestWithParam<LineLayout> {};

TEST_P(SimNightThroughTheDecoder, DecodesToTheScenarioAndShowsEveryKindOfSky) {
    test::DecodingProcess decoder;
    Simulation simulation(ScenarioKind::Night, GetParam(), 1);
    std::map<std::string, int> seen;
    for (int minute = 0; minute < kMinutesOfNight && !HasFailure(); ++minute) {
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
    for (const char* kind : {"clear", "cloudy", "very cloudy", "wet above zero", "wet below zero"})
        EXPECT_GT(seen[kind], 0) << kind;
    EXPECT_EQ(decoder.reports, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimNightThroughTheDecoder,
                         testing::Values(LineLayout::A57, LineLayout::A60, LineLayout::B, LineLayout::C, LineLayout::D),
                         [](const auto& info) { return std::string(LayoutName(info.param)); });

TEST(SimNightScenario, CoolsSmoothlyFromDuskToDawn) {
    NightScenario night(1);
    SkyState previous = night.At(0);
    EXPECT_NEAR(previous.ambientT, 12.0, 0.5);
    for (int minute = 1; minute <= 12 * 60; ++minute) {
        const SkyState state = night.At(minute / 60.0);
        EXPECT_LT(std::abs(state.ambientT - previous.ambientT), 0.3) << "minute " << minute;
        EXPECT_LT(std::abs(state.relSkyT - previous.relSkyT), 2.5) << "minute " << minute;
        previous = state;
    }
    EXPECT_NEAR(previous.ambientT, -3.0, 0.5);
}

TEST(SimNightScenario, HeatsHarderWhenWetAndWarmsHeadAndBlock) {
    NightScenario night(1);
    int lowestWetDrive = kFullHeaterDrive;
    int highestDryDrive = 0;
    for (int minute = 0; minute < kMinutesOfNight; ++minute) {
        const SkyState state = night.At(minute / 60.0);
        if (state.wet)
            lowestWetDrive = std::min(lowestWetDrive, state.heaterRaw);
        else
            highestDryDrive = std::max(highestDryDrive, state.heaterRaw);
        EXPECT_GT(state.sensorT - state.ambientT, 2.0) << "minute " << minute;
        EXPECT_LT(state.sensorT - state.ambientT, 8.0) << "minute " << minute;
        if (state.heaterRaw > 0) {
            EXPECT_GT(state.blockT - state.sensorT, 3.0) << "minute " << minute;
        }
    }
    EXPECT_GT(lowestWetDrive, highestDryDrive);
}

// What the framer and decoder make of each kind of fault on its own.
struct FaultOutcome {
    Fault fault;
    int goodMessages;
    const char* report;  // nullptr: no report at all; "": some report
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

const FaultOutcome& OutcomeOf(Fault fault) { return kFaultOutcomes[static_cast<std::size_t>(fault)]; }

void ExpectOutcome(test::DecodingProcess& decoder, const Transmission& transmission) {
    const FaultOutcome& expected = OutcomeOf(transmission.fault);
    ASSERT_EQ(expected.fault, transmission.fault);
    decoder.reports.clear();
    int good = 0;
    for (const std::string& line : test::FramedLines(transmission.bytes)) good += decoder.Process(line) ? 1 : 0;
    EXPECT_EQ(good, expected.goodMessages);
    if (expected.report == nullptr) {
        EXPECT_EQ(decoder.reports, std::vector<std::string>{});
    } else {
        ASSERT_EQ(decoder.reports.size(), 1u);
        EXPECT_EQ(decoder.reports[0].rfind(expected.report, 0), 0u) << decoder.reports[0];
    }
}

class SimNoiseThroughTheDecoder : public testing::TestWithParam<LineLayout> {};

TEST_P(SimNoiseThroughTheDecoder, ProducesEveryFaultOnAboutOneLineInThree) {
    test::DecodingProcess decoder;
    Simulation simulation(ScenarioKind::Noise, GetParam(), 7);
    std::set<Fault> seen;
    constexpr int kReadings = 1500;
    int faulty = 0;
    for (int reading = 0; reading < kReadings && !HasFailure(); ++reading) {
        const Transmission transmission = simulation.Next(reading * 5 / kSecondsPerHour);
        SCOPED_TRACE(std::string("fault: ") + FaultName(transmission.fault));
        ExpectOutcome(decoder, transmission);
        seen.insert(transmission.fault);
        faulty += transmission.fault != Fault::None ? 1 : 0;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kFaultKinds + 1));
    EXPECT_GT(faulty, kReadings / 4);
    EXPECT_LT(faulty, kReadings * 42 / 100);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimNoiseThroughTheDecoder,
                         testing::Values(LineLayout::A57, LineLayout::A60, LineLayout::B, LineLayout::C, LineLayout::D),
                         [](const auto& info) { return std::string(LayoutName(info.param)); });

TEST(SimNoiseScenario, ACutOffLineSpoilsTheLineThatFollowsIt) {
    Simulation simulation(ScenarioKind::Noise, LineLayout::D, 7);
    Transmission previous = simulation.Next(0);
    for (int reading = 1; reading < 1000; ++reading) {
        const Transmission transmission = simulation.Next(reading * 5 / kSecondsPerHour);
        if (previous.fault == Fault::CutOff && transmission.fault == Fault::None) {
            test::DecodingProcess decoder;
            const auto lines = test::FramedLines(previous.bytes + transmission.bytes);
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_FALSE(decoder.Process(lines[0]));
            EXPECT_EQ(decoder.reports,
                      std::vector<std::string>{"Message length is " + std::to_string(previous.bytes.size() + 81) +
                                               ", which is illegal"});
            return;
        }
        previous = transmission;
    }
    FAIL() << "no cut-off line followed by a clean one";
}

std::vector<Transmission> Play(ScenarioKind kind, uint32_t seed, int readings) {
    Simulation simulation(kind, LineLayout::C, seed);
    std::vector<Transmission> played;
    for (int reading = 0; reading < readings; ++reading) played.push_back(simulation.Next(reading / 60.0));
    return played;
}

TEST(SimScenarios, ReplayTheSameNightForTheSameSeed) {
    const auto first = Play(ScenarioKind::Noise, 42, 300);
    const auto again = Play(ScenarioKind::Noise, 42, 300);
    const auto other = Play(ScenarioKind::Noise, 43, 300);
    int differing = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].bytes, again[i].bytes) << "reading " << i;
        differing += first[i].bytes != other[i].bytes ? 1 : 0;
    }
    EXPECT_GT(differing, 100);
}

TEST(SimScenarios, NoiseCarriesTheNightsOwnReadingsBetweenItsFaults) {
    const auto night = Play(ScenarioKind::Night, 5, 300);
    const auto noise = Play(ScenarioKind::Noise, 5, 300);
    int clean = 0;
    for (std::size_t i = 0; i < night.size(); ++i) {
        if (noise[i].fault != Fault::None) continue;
        EXPECT_EQ(noise[i].bytes, night[i].bytes) << "reading " << i;
        ++clean;
    }
    EXPECT_GT(clean, 150);
}

}  // namespace
}  // namespace orvanta::sim
