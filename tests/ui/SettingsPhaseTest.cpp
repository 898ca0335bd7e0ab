// The settings phase of the load step, seen through the window: what a stored set turns
// into, which note the status box shows, and what the store holds once loading is done.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

std::string Note(const std::string& key, const std::string& raw, const std::string& min, const std::string& max) {
    return "  Regname " + key + ", bad value, " + raw + ", min " + min + ", max " + max + " - using defaults";
}

class SettingsPhase : public test::WindowTest {};

// The window and the load step accept the same ranges, so whatever the window stores
// comes back at the next start.
TEST_F(SettingsPhase, ChecksEachValueAgainstItsRange) {
    // afterLoad is what the load step writes back; min and max are set only for a bad value.
    struct Case { const char *key, *stored, *afterLoad, *min = nullptr, *max = nullptr; };
    const std::vector<Case> cases = {
        {"Top", "3450", "3450"}, {"Top", "3451", "0", "0", "9000 - 5550"}, {"Left", "9061", "0", "0", "12000 - 2940"},
        {"comport", "0", "0"}, {"comport", "99", "99"},
        {"comport", "-1", "0", "0", "99"}, {"comport", "100", "0", "0", "99"},
        {"cloudytemp", "-60", "-60"}, {"cloudytemp", "0", "0"}, {"cloudytemp", "-12,5", "-12.5"},
        {"cloudytemp", "-60.5", "-25", "-60", "0"}, {"cloudytemp", "0.5", "-25", "-60", "0"},
        {"vcloudytemp", "-60", "-60"}, {"vcloudytemp", "0", "0"},
        {"vcloudytemp", "-60.5", "-10", "-60", "0"}, {"vcloudytemp", "0.5", "-10", "-60", "0"},
        {"loginterval", "2.5", "2"}, {"loginterval", "3.5", "0", "0", "3"}, {"tempunit", "2", "0", "0", "1"},
    };
    test::Pty com99;
    com99.LinkAsCom(99, home.Path());
    for (const auto& c : cases) {
        test::FakeProcess run;
        run.host.screenWidth = 12000;
        run.host.screenHeight = 9000;
        run.settings.StoreComplete({{c.key, c.stored}});
        run.main.Main();
        const std::string context = std::string(c.key) + " stored as " + c.stored;
        EXPECT_EQ(run.form().txtAlertAlarmError.Text(), c.min ? Note(c.key, c.stored, c.min, c.max) : "") << context;
        EXPECT_EQ(run.settings.values.at(ValueName(c.key)), c.afterLoad) << context;
    }
}

TEST_F(SettingsPhase, FirstRunShowsTheNoteAndStoresEveryDefault) {
    p.main.Main();
    EXPECT_EQ(form().txtAlertAlarmError.Text(),
              "Could not find any previous settings in registry - using defaults.  This is normal if Orvanta has "
              "never been run before");
    EXPECT_EQ(form().txtAlertAlarmError.ForeColor(), kRed);
    const std::map<std::string, std::string> defaults = {
        {"frmOrvanta.Top", "0"}, {"frmOrvanta.Left", "0"}, {"frmOrvanta.comport", "0"}, {"frmOrvanta.tempunit", "0"},
        {"frmOrvanta.cloudytemp", "-25"}, {"frmOrvanta.vcloudytemp", "-10"}, {"frmOrvanta.loginterval", "0"},
        {"frmOrvanta.ontopf", "0"}, {"frmOrvanta.cafc", "0"}, {"frmOrvanta.cafk", "0"}, {"frmOrvanta.cafv", "0"},
        {"frmOrvanta.cafw", "0"}, {"frmOrvanta.catv", "0"}, {"frmOrvanta.catb", "0"}, {"frmOrvanta.cats", "0"},
        {"frmOrvanta.logfile", ""}, {"frmOrvanta.datafile", ""},
    };
    EXPECT_EQ(p.settings.values, defaults);
}

// The note goes out before the log path is read, so it is shown but never logged.
TEST_F(SettingsPhase, OnlyTheOffendingValuesFallBackAndTheFirstIsNamed) {
    const std::string log = FileIn("log.txt");
    p.settings.StoreComplete(
        {{"vcloudytemp", "-5"}, {"tempunit", "1"}, {"cafc", "1"}, {"catb", "7"}, {"logfile", log}});
    p.settings.values.erase(ValueName("cloudytemp"));
    p.main.Main();

    EXPECT_EQ(form().txtAlertAlarmError.Text(), Note("cloudytemp", "not in registry", "-60", "0"));
    const std::map<std::string, std::string> after = {{"cloudytemp", "-25"}, {"catb", "0"}, {"vcloudytemp", "-5"},
                                                      {"tempunit", "1"},     {"cafc", "1"}, {"logfile", log}};
    for (const auto& [key, value] : after) EXPECT_EQ(Stored(key), value) << key;
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-45.0") << "the default shown in the stored unit";
    EXPECT_EQ(test::ReadFile(log).find("Regname"), std::string::npos);
}

// A window pushed partly off the top or left keeps its last stored place; either edge
// being negative holds back both.
TEST_F(SettingsPhase, ANegativeWindowPositionIsNeverStored) {
    Start({{"Top", "100"}, {"Left", "200"}});
    struct Move { int top; int left; const char* topStored; const char* leftStored; };
    for (const Move& m : {Move{-15, 300, "100", "200"}, Move{300, -15, "100", "200"}, Move{300, 400, "300", "400"}}) {
        form().window.Move(m.top, m.left);
        form().chkAlertFor[2].UserClick();  // any click saves the settings
        EXPECT_EQ(Stored("Top"), m.topStored) << m.top << ", " << m.left;
        EXPECT_EQ(Stored("Left"), m.leftStored) << m.top << ", " << m.left;
    }
}

}  // namespace
}  // namespace orvanta
