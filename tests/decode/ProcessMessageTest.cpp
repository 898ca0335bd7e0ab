// Validation of sensor lines: which lines are rejected with which text, what the
// start-up grace lets through, and which lines only go to the log.

#include <gtest/gtest.h>

#include <tuple>

#include "decode/ProcessMessageHelpers.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

std::string WithText(std::string line, std::size_t at, const std::string& text) {
    return line.replace(at, text.size(), text);
}

std::string Vcl(int vcl) {
    auto fields = Fields(60);
    fields[18] = vcl;
    return Line(fields);
}

auto Readings(StartedProcess& p) {
    const CMain& m = p.main;
    return std::make_tuple(m.RelSkyT, m.SensorT, m.AmbientT, m.BlockT, m.WetF, m.SkyCondition, m.TicksSinceGoodData,
                           p.form().txtSkyTemp.Text());
}

struct LineCase {
    const char* name;
    std::string line;
    std::string report;  // empty: nothing is reported
};

// Outside the grace every rejection is reported with its own text; the limits are
// tested on the codes, one either side of each.
TEST(ProcessMessage, ReportsEachRejectionOutsideTheGrace) {
    const std::string good = LayoutALine({});
    const std::vector<LineCase> cases = {
        {"58 characters starting with F", "F" + good, "Message length is 58, which is illegal"},
        {"72 characters", Line(Fields(72)), "Message length is 72, which is illegal"},
        {"I is no status letter", "I123", "Message length is 4, which is illegal"},
        {"a lower-case a is no status letter", "a123", "Message length is 4, which is illegal"},
        {"letters in field 1", WithText(good, 3, "1A2"), "Message field ~1A2~ at columns 4 to 6 is illegal"},
        {"negative field 3", WithText(good, 9, "-12"), "Message field ~-12~ at columns 10 to 12 is illegal"},
        {"checksum off by one", WithText(Line(Fields(57, {48, 512, 500, 512, 999})), 54, "022"),
         "Message checksum failure 2571 21<>22"},
        {"case code 1019", LayoutALine({.tem = 995}), "Sensor case is too cold, below -43.9C"},
        {"case code 1018", LayoutALine({.tem = 994}), ""},
        {"case code 116", LayoutALine({.tem = 92}), ""},
        {"case code 115", LayoutALine({.tem = 91}), "Sensor case is too hot, above 80.4C"},
        {"ambient 999", LayoutALine({.amb = 999}), "Ambient is too cold, below -58.5C"},
        {"ambient 998", LayoutALine({.amb = 998}), ""},
        {"ambient 56", LayoutALine({.amb = 56}), ""},
        {"ambient 55", LayoutALine({.amb = 55}), "Ambient is too hot, above 70.9C"},
        {"Vcl 255", Vcl(255), ""},
        {"Vcl 256", Vcl(256), "Message field Vcl is illegal"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartedProcess p;
        p.Process(LayoutALine({.sky = 100, .blk = 600}));
        p.main.TicksSinceGoodData = 7;
        const auto before = Readings(p);
        p.Process(c.line);
        if (c.report.empty()) {
            EXPECT_EQ(p.reports, std::vector<std::string>{});
            EXPECT_EQ(p.main.TicksSinceGoodData, 0);
            continue;
        }
        EXPECT_EQ(p.reports, std::vector<std::string>{c.report});
        EXPECT_EQ(p.form().txtAlertAlarmError.Text(), c.report);
        EXPECT_EQ(Readings(p), before);
    }
}

// Until the first good message garbled lines are dropped quietly; readings the sensor
// really sent are reported as they are later.
TEST(ProcessMessage, DuringTheGraceReportsOnlyImplausibleReadings) {
    const std::string good = LayoutALine({});
    const std::vector<LineCase> cases = {
        {"4 characters", "I123", ""},
        {"letters in a field", WithText(good, 3, "1A2"), ""},
        {"checksum off by one", WithText(good, 56, good[56] == '9' ? "8" : "9"), ""},
        {"case too cold", LayoutALine({.tem = 995}), "Sensor case is too cold, below -43.9C"},
        {"ambient too hot", LayoutALine({.amb = 55}), "Ambient is too hot, above 70.9C"},
        {"Vcl 256", Vcl(256), "Message field Vcl is illegal"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        StartedProcess p;
        const auto before = Readings(p);
        const std::string shownBefore = p.form().txtAlertAlarmError.Text();
        p.Process(c.line);
        EXPECT_EQ(p.reports, c.report.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.report});
        EXPECT_EQ(p.form().txtAlertAlarmError.Text(), c.report.empty() ? shownBefore : c.report);
        EXPECT_EQ(Readings(p), before);
        EXPECT_EQ(p.form().msg.StartupGrace, kStartupGraceTicks);
    }
}

TEST(ProcessMessage, DuringTheGraceDecodesAnyLengthWithAGoodChecksum) {
    auto fields = Fields(72, {.fvr = 53});
    fields[5] = 150;  // heater
    fields[6] = 1;    // wet, where layout D keeps its flags
    // 70 characters make 23 fields: the last character belongs to none and is never read.
    for (const std::string& line : {Line(fields), Line(Fields(69)) + "X"}) {
        SCOPED_TRACE(line.size());
        StartedProcess p;
        p.Process(line);
        EXPECT_EQ(p.reports, std::vector<std::string>{});
        EXPECT_EQ(p.main.TicksSinceGoodData, 0);
        EXPECT_EQ(p.form().msg.StartupGrace, 0);
        EXPECT_EQ(p.form().msg.FirstMessagePending, 0);
    }
    StartedProcess p;
    p.Process(Line(fields));
    EXPECT_EQ(p.main.WetF, 1);
    EXPECT_EQ(p.form().msg.HeaterRaw, 150);
}

// An 81-character line is told apart by its firmware version alone.
TEST(ProcessMessage, PicksTheFieldLayoutByFirmwareVersion) {
    struct Case {
        int fvr;
        int16_t wet;
        int16_t sensorVeryCloudy;
    };
    // Flags 1 (wet) in field 6, flags 2 (V bit) in field 9.
    const std::vector<Case> cases = {{50, 0, 1}, {52, 1, 0}, {53, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fvr);
        StartedProcess p;
        auto fields = Fields(81, {.fvr = c.fvr});
        fields[5] = 75;
        fields[6] = 1;
        fields[9] = 2;
        p.Process(Line(fields));
        EXPECT_EQ(p.main.WetF, c.wet);
        EXPECT_EQ(p.main.VCloudyFlag, c.sensorVeryCloudy);
        EXPECT_EQ(p.form().msg.HeaterRaw, 75);
        EXPECT_EQ(p.main.HeatingF, -1);
        EXPECT_EQ(p.form().msg.FirmwareVersion, c.fvr);
    }
}

// A Vcl rejection comes after the layout decode, so the heater and the sensor's own
// very-cloudy flag already follow the rejected line.
TEST(ProcessMessage, VclRejectionKeepsTheLayoutFieldsOfTheRejectedLine) {
    StartedProcess p;
    auto layoutB = Fields(81, {.fvr = 50});
    layoutB[5] = 75;
    layoutB[9] = 2;
    p.Process(Line(layoutB));
    ASSERT_EQ(p.main.VCloudyFlag, 1);

    auto vclLine = Fields(60);
    vclLine[5] = 2;
    vclLine[18] = 256;
    p.Process(Line(vclLine));

    EXPECT_EQ(p.reports, std::vector<std::string>{"Message field Vcl is illegal"});
    EXPECT_EQ(p.form().msg.HeaterRaw, 0);
    EXPECT_EQ(p.main.HeatingF, 1);
    EXPECT_EQ(p.main.VCloudyFlag, 0);
}

TEST(ProcessMessage, FirmwareVersionFollowsEveryChecksumGoodLine) {
    StartedProcess p;
    p.Process(LayoutALine({}));
    const std::string tooCold = Line(Fields(81, {.fvr = 53, .tem = 995}));
    p.Process(WithText(tooCold, 0, "052"));  // checksum now wrong
    EXPECT_EQ(p.form().msg.FirmwareVersion, 48);
    p.Process(tooCold);
    EXPECT_EQ(p.reports.back(), "Sensor case is too cold, below -43.9C");
    EXPECT_EQ(p.form().msg.FirmwareVersion, 53);
}

// Status lines go to the log whatever the logging option, also during the grace.
TEST(ProcessMessage, LogsStatusLinesWithoutDecodingThem) {
    TempDir dir;
    StartedProcess p;
    p.main.LogFilePath = dir.File("sensor.log");
    p.Process("A123");
    p.Process("H999");

    EXPECT_EQ(ReadFile(p.main.LogFilePath), "2026-12-06 21:00:00 A123\r\n2026-12-06 21:00:00 H999\r\n");
    EXPECT_EQ(p.reports, std::vector<std::string>{});
    EXPECT_EQ(p.main.TicksSinceGoodData, kStartTicksSinceGoodData);
}

TEST(ProcessMessage, LogsTheSensorStartUpLineWithoutDecodingIt) {
    TempDir dir;
    StartedProcess p;
    p.EndGrace();
    p.main.LogFilePath = dir.File("sensor.log");
    p.Process("F" + LayoutALine({}).substr(1));

    EXPECT_EQ(ReadFile(p.main.LogFilePath), "\r\n\r\n2026-12-06 21:00:00   Cloud Sensor Start Up\r\n");
    EXPECT_EQ(p.reports, std::vector<std::string>{});
    EXPECT_EQ(p.main.TicksSinceGoodData, kStartTicksSinceGoodData);
}

}  // namespace
}  // namespace orvanta::test
