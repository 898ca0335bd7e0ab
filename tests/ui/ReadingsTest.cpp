// The texts of the reading and threshold boxes, and how a loaded window shows them.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/CMain.h"
#include "support/FakePlatform.h"
#include "ui/ReadingsText.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

using TextFn = std::string (*)(double, int16_t);

template <std::string (*Text)(double, const DisplayUnit&)>
std::string InUnit(double value, int16_t tempUnit) {
    return Text(value, DisplayUnitFor(tempUnit));
}

std::string Heater(double raw, int16_t) { return HeaterText(HeaterPercentOf(static_cast<int16_t>(raw))); }

// The sky value is a difference: no offset, and its marker 999.9 is scaled like any value.
// Sensor and ambient above range show the marker 999.9 in either unit and clamp below range
// in the shown unit; the block clamp looks at Celsius only, so a cold block in Fahrenheit
// overflows its field and blanks it, as a -60 threshold does.
TEST(ReadingsText, ClampsAndBlanksInBothUnits) {
    struct Case { TextFn text; double value; const char *inCelsius, *inFahrenheit; };
    const TextFn sky = InUnit<SkyText>, sensor = InUnit<AbsoluteTemperatureText>, block = InUnit<BlockText>;
    const std::vector<Case> cases = {
        {sky, 10.32, "  10.3", "  18.6"}, {sky, 999.9, " 999.9", "1799.8"}, {sky, 1000, " 999.9", " 999.9"},
        {sky, -999.9, "-999.9", "-999.9"}, {sky, -600, "-600.0", "-999.9"},
        {sensor, 2.016, "  2.0", " 35.6"}, {sensor, 100, "999.9", "999.9"}, {sensor, -80, "-80.0", "-99.9"},
        {block, -4.746, " -4.7", " 23.5"}, {block, 999.9, "999.9", "999.9"}, {block, -80, "-80.0", "     "},
        {ThresholdText, -25, "-25.0", "-45.0"}, {ThresholdText, -60, "-60.0", "     "},
        {Heater, 150, "100", "100"}, {Heater, 1500, "999", "999"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cases[i].text(cases[i].value, 0), cases[i].inCelsius) << "row " << i;
        EXPECT_EQ(cases[i].text(cases[i].value, 1), cases[i].inFahrenheit) << "row " << i;
    }
}

// The records copy BlockTextField, so it keeps the 999.9 marker the box does not show.
TEST(ShowReadings, LeavesTheBlockBoxEmptyWithoutABlockReading) {
    FakeProcess p;
    p.main.Main();
    for (const auto& [blockT, box] : std::vector<std::pair<double, const char*>>{{998.9, "999.9"}, {999.9, ""}}) {
        p.main.BlockT = blockT;
        p.form().ShowReadings();
        EXPECT_EQ(p.form().txtBlockTemp.Text(), box) << blockT;
        EXPECT_EQ(p.form().msg.BlockTextField, "999.9") << blockT;
    }
}

// Earlier firmware only says whether the heater is on; the duty of the last later
// message stays where it was.
TEST(ShowReadings, ShowsTheHeaterDutyFromFirmware49On) {
    FakeProcess p;
    p.main.Main();
    frmOrvanta& form = p.form();
    struct Case { int16_t firmware, raw; double percent; const char* text; bool dutyShown; };
    const std::vector<Case> cases = {
        {49, 1500, 999, "999", true}, {50, 150, 100, "100", true}, {48, 0, 100, "100", false}};
    for (const Case& c : cases) {
        form.msg.FirmwareVersion = c.firmware;
        form.msg.HeaterRaw = c.raw;
        form.ShowReadings();
        EXPECT_EQ(p.main.HeaterPercent, c.percent) << c.firmware;
        EXPECT_EQ(form.txtHeater.Text(), c.text) << c.firmware;
        EXPECT_EQ(form.txtHeater.Visible(), c.dutyShown) << c.firmware;
        EXPECT_EQ(form.lblHeatflag.Visible(), !c.dutyShown) << c.firmware;
    }
}

}  // namespace
}  // namespace orvanta::test
