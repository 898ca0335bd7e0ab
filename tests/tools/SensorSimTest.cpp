// The simulator read back by the product's own conversions, checksum, framer and decoder:
// its codes and lines, its night and noise scenarios, and the built sensor-sim serving a
// linked pseudo-terminal that the product's ComPort reads.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "decode/Conversions.h"
#include "decode/WireFormat.h"
#include "runtime/ComPort.h"
#include "runtime/Framing.h"
#include "sensor-sim/LineBuilder.h"
#include "sensor-sim/Simulation.h"
#include "support/FakePlatform.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

extern char** environ;

namespace orvanta::sim {
namespace {

// A first start on an empty settings store (thresholds -25 and -10, no log, no port)
// with the start-up grace over, so every fault is reported.
struct DecodingProcess : test::FakeProcess {
    std::vector<std::string> reports;

    DecodingProcess() {
        main.Main();
        form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); };
        form().msg.StartupGrace = 0;
    }
    // True when the line was taken as a good reading.
    bool Process(const std::string& line) {
        main.TicksSinceGoodData = 1;
        form().rx.CurrentMessage = line;
        form().ProcessMessage();
        return main.TicksSinceGoodData == 0;
    }
};

// The lines the product's framer cuts from these bytes, on a fresh receive buffer.
std::vector<std::string> FramedLines(const std::string& bytes) {
    std::string buffer;
    AppendReceived(buffer, bytes);
    std::vector<std::string> lines;
    while (buffer.find('\n') != std::string::npos)
        if (auto line = TakeLine(buffer)) lines.push_back(*line);
    return lines;
}

constexpr LineLayout kLayouts[] = {LineLayout::A57, LineLayout::A60, LineLayout::B, LineLayout::C, LineLayout::D};

// Within quantisation: no neighbouring code decodes closer to the wanted temperature.
TEST(SimCodes, InvertTheThermistorsToTheClosestCode) {
    struct Thermistor {
        const char* name; int (*codeFor)(double); double (*decode)(int16_t); std::vector<double> celsius;
    };
    for (const Thermistor& t : {Thermistor{"ambient", AmbientCodeFor, AmbientTemp, {-30.0, -0.2, 2.016, 24.9, 55.0}},
                                Thermistor{"case", CaseCodeFor, SensorCaseTemp, {-30.0, 0.4, 24.64, 79.0}}}) {
        for (const double celsius : t.celsius) {
            const int code = t.codeFor(celsius);
            const auto miss = [&](int c) { return std::abs(t.decode(static_cast<int16_t>(c)) - celsius); };
            EXPECT_LE(miss(code), 0.5) << t.name << " " << celsius << " C: code " << code;
            EXPECT_LE(miss(code), std::min(miss(code - 1), miss(code + 1))) << t.name << " " << celsius;
        }
    }
}

TEST(SimCodes, InvertTheSkyModelWithinADegree) {
    DecodingProcess decoder;
    for (const auto& [sensorT, skyT] : {std::pair{15.0, -18.0}, {8.0, -1.0}, {0.0, -33.0}, {24.64, -62.31}}) {
        const int raw = SkyRawFor(skyT, sensorT);
        EXPECT_NEAR(decoder.form().SkyTemperature(static_cast<int16_t>(raw), sensorT), skyT, 1.0) << "raw " << raw;
    }
}

TEST(SimLines, EveryLayoutIsAGoodMessageCarryingWetAndHeater) {
    for (const auto& [layout, length] : {std::pair{LineLayout::A57, 57u}, {LineLayout::A60, 60u},
                                         {LineLayout::B, 81u}, {LineLayout::C, 87u}, {LineLayout::D, 81u}}) {
        DecodingProcess decoder;
        for (const auto& [wet, heaterRaw] : {std::pair{false, 0}, {true, 120}, {false, 30}}) {
            SCOPED_TRACE(testing::Message() << LayoutName(layout) << " wet " << wet << " heater " << heaterRaw);
            const std::string line = ReadingLine(layout, {{300, 524, 512, 420}, wet, heaterRaw, 17});
            const FieldScan scan = ScanFields(line);
            EXPECT_EQ(line.size(), length);
            EXPECT_TRUE(!scan.badField && Checksum(scan.sumWithoutLast) == scan.last) << line;
            EXPECT_TRUE(decoder.Process(line)) << line;
            EXPECT_EQ(decoder.main.WetF, wet ? 1 : 0);
            EXPECT_EQ(decoder.main.HeatingF != 0, heaterRaw > 0);
        }
        EXPECT_EQ(decoder.reports, std::vector<std::string>{});
    }
}

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
        DecodingProcess decoder;
        Simulation simulation(ScenarioKind::Night, layout, 1);
        std::map<std::string, int> seen;
        for (int minute = 0; minute < 13 * 60 && !HasFailure(); ++minute) {
            SCOPED_TRACE(testing::Message() << "minute " << minute);
            const Transmission transmission = simulation.Next(minute / 60.0);
            const SkyState& state = transmission.state;
            const std::vector<std::string> lines = FramedLines(transmission.bytes);
            ASSERT_EQ(lines.size(), 1u);
            ASSERT_TRUE(decoder.Process(lines[0])) << lines[0];
            EXPECT_NEAR(decoder.main.AmbientT, state.ambientT, 0.5);
            EXPECT_NEAR(decoder.main.SensorT, state.sensorT, 0.5);
            EXPECT_NEAR(decoder.main.RelSkyT, state.relSkyT, 1.0);
            EXPECT_EQ(decoder.main.WetF != 0, state.wet);
            EXPECT_EQ(decoder.main.HeatingF != 0, state.heaterRaw > 0);
            ++seen[SkyKind(decoder.main)];
        }
        for (const char* kind : {"clear", "cloudy", "wet above zero", "wet below zero"}) EXPECT_GT(seen[kind], 0) << kind;
    }
}

// What the framer and decoder make of each kind of fault; a null report means none at
// all, an empty one any single report.
struct FaultOutcome { Fault fault; int goodMessages; const char* report; };

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

void ExpectOutcome(DecodingProcess& decoder, const Transmission& transmission) {
    const FaultOutcome& expected = kFaultOutcomes[static_cast<std::size_t>(transmission.fault)];
    ASSERT_EQ(expected.fault, transmission.fault);
    decoder.reports.clear();
    int good = 0;
    for (const std::string& line : FramedLines(transmission.bytes)) good += decoder.Process(line) ? 1 : 0;
    EXPECT_EQ(good, expected.goodMessages);
    ASSERT_EQ(decoder.reports.size(), expected.report ? 1u : 0u) << testing::PrintToString(decoder.reports);
    EXPECT_TRUE(!expected.report || decoder.reports[0].starts_with(expected.report)) << decoder.reports[0];
}

// A reading every five seconds from dusk.
TEST(SimNoise, ProducesEveryKindOfFaultWithItsOutcome) {
    for (const LineLayout layout : kLayouts) {
        SCOPED_TRACE(LayoutName(layout));
        DecodingProcess decoder;
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

// A generous bound, only ever waited out when something is broken.
bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// What ComPort reads from COM 7 once the simulator has linked it, up to three line ends.
std::string ReadThreeLines(const std::string& link) {
    std::string text;
    if (!WaitFor([&] { return std::filesystem::exists(link); })) return text;
    ComPort port;
    if (port.OpenPort(7, 300)) WaitFor([&] { return std::ranges::count(text += port.ReadPort(), '\n') >= 3; });
    return text;
}

TEST(SensorSimRun, ServesALinkedPortThatComPortReads) {
    test::TempConfigHome home;
    const std::string link = home.Path() + "/KerrwickSystems/dosdevices/com7";
    const char* argv[] = {SENSOR_SIM_BINARY, "--link",  link.c_str(), "--layout", "D",
                          "--fast",          "--count", "3",          nullptr};
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ), 0);
    const std::vector<std::string> lines = FramedLines(ReadThreeLines(link));
    int status = -1;
    if (!WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; })) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_EQ(lines.size(), 3u);
    DecodingProcess decoder;
    for (const std::string& line : lines) {
        EXPECT_EQ(line.size(), 81u) << line;
        EXPECT_TRUE(decoder.Process(line)) << line;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_FALSE(std::filesystem::is_symlink(link));
}

}  // namespace
}  // namespace orvanta::sim
