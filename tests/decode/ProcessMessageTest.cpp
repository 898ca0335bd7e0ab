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

auto Readings(StartedProcess& p) {
    const CMain& m = p.main;
    return std::make_tuple(m.RelSkyT, m.SensorT, m.AmbientT, m.BlockT, m.WetF, m.SkyCondition,
                           p.form().txtSkyTemp.Text());
}

// report: outside the grace, empty for a good line; graceReport: the same line during the
// grace, rows without are not tried there.
struct LineCase { const char* name; std::string line, report; const char* graceReport = nullptr; };

// Outside the grace every rejection is reported with its own text and changes nothing;
// the limits are tested on the codes, one either side of each. Until the first good
// message garbled lines are dropped quietly, but readings the sensor really sent are
// reported as they are later.
TEST(ProcessMessage, ReportsEachRejectionWithItsOwnText) {
    const std::string good = LayoutALine({});
    const std::vector<LineCase> cases = {
        {"58 characters starting with F", "F" + good, "Message length is 58, which is illegal"},
        {"72 characters", Line(72), "Message length is 72, which is illegal"},
        {"I is no status letter", "I123", "Message length is 4, which is illegal", ""},
        {"a lower-case a is no status letter", "a123", "Message length is 4, which is illegal"},
        {"letters in field 1, the first of two bad fields", WithText(WithText(good, 3, "1A2"), 9, "-12"),
         "Message field ~1A2~ at columns 4 to 6 is illegal", ""},
        {"negative field 3", WithText(good, 9, "-12"), "Message field ~-12~ at columns 10 to 12 is illegal"},
        {"checksum off by one", WithText(LayoutALine({.sky = 512}), 54, "022"), "Message checksum failure 2571 21<>22",
         ""},
        {"case code 1019", LayoutALine({.tem = 995}), "Sensor case is too cold, below -43.9C",
         "Sensor case is too cold, below -43.9C"},
        {"case code 1018", LayoutALine({.tem = 994}), ""},
        {"case code 116", LayoutALine({.tem = 92}), ""},
        {"case code 115", LayoutALine({.tem = 91}), "Sensor case is too hot, above 80.4C"},
        {"ambient 999", LayoutALine({.amb = 999}), "Ambient is too cold, below -58.5C"},
        {"ambient 998", LayoutALine({.amb = 998}), ""},
        {"ambient 56", LayoutALine({.amb = 56}), ""},
        {"ambient 55", LayoutALine({.amb = 55}), "Ambient is too hot, above 70.9C", "Ambient is too hot, above 70.9C"},
        {"Vcl 255", Line(60, {}, {{18, 255}}), ""},
        {"Vcl 256", Line(60, {}, {{18, 256}}), "Message field Vcl is illegal", "Message field Vcl is illegal"},
    };
    for (const bool inGrace : {false, true}) {
        for (const LineCase& c : cases) {
            if (inGrace && c.graceReport == nullptr) continue;
            SCOPED_TRACE(testing::Message() << c.name << (inGrace ? ", in the grace" : ""));
            StartedProcess p;
            if (!inGrace) p.Process(LayoutALine({.sky = 100, .blk = 600}));
            p.main.TicksSinceGoodData = 7;
            const auto before = Readings(p);
            const std::string shown = p.form().txtAlertAlarmError.Text();
            p.Process(c.line);
            const std::string report = inGrace ? c.graceReport : c.report;
            const bool good = c.report.empty();
            EXPECT_EQ(p.reports, std::vector<std::string>(report.empty() ? 0 : 1, report));
            EXPECT_EQ(p.form().txtAlertAlarmError.Text(), report.empty() ? shown : report);
            EXPECT_EQ(p.main.TicksSinceGoodData, good ? 0 : 7);
            EXPECT_EQ(p.form().msg.StartupGrace, inGrace && !good ? kStartupGraceTicks : 0);
            if (!good) { EXPECT_EQ(Readings(p), before); }
        }
    }
}

// 70 characters make 23 fields: the last character belongs to none and is never read.
// 309 characters make 103 fields, more than the field table holds.
TEST(ProcessMessage, DuringTheGraceDecodesAnyLengthWithAGoodChecksum) {
    const std::string layoutD = Line(72, {.fvr = 53}, {{5, 150}, {6, 1}});  // heater 150, wet
    for (const std::string& line : {layoutD, Line(69) + "X", Line(309)}) {
        SCOPED_TRACE(line.size());
        StartedProcess p;
        p.Process(line);
        EXPECT_EQ(p.reports, std::vector<std::string>{});
        EXPECT_EQ(p.main.TicksSinceGoodData, 0);
        EXPECT_EQ(p.form().msg.StartupGrace, 0);
        EXPECT_EQ(p.main.WetF, line.size() == 72 ? 1 : 0);
        EXPECT_EQ(p.form().msg.HeaterRaw, line.size() == 72 ? 150 : 0);
    }
}

// Status lines go to the log whatever the logging option, also during the grace; the
// sensor's start-up line is logged instead of decoded.
TEST(ProcessMessage, LogsStatusAndStartUpLinesWithoutDecodingThem) {
    TempFolder folder;
    StartedProcess p;
    p.main.LogFilePath = folder.Path() + "/sensor.log";
    p.Process("A123");
    p.form().msg.StartupGrace = 0;
    p.Process("H999");
    p.Process("F" + LayoutALine({}).substr(1));

    EXPECT_EQ(ReadFile(p.main.LogFilePath), "2026-12-06 21:00:00 A123\r\n2026-12-06 21:00:00 H999\r\n"
                                            "\r\n\r\n2026-12-06 21:00:00   Cloud Sensor Start Up\r\n");
    EXPECT_EQ(p.reports, std::vector<std::string>{});
    EXPECT_EQ(p.main.TicksSinceGoodData, kStartTicksSinceGoodData);
}

}  // namespace
}  // namespace orvanta::test
