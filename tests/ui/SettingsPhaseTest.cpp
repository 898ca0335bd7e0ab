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

using test::WindowTest;

constexpr int kScreenWidth = 12000;
constexpr int kScreenHeight = 9000;

std::string Note(const std::string& key, const std::string& raw, const std::string& min, const std::string& max) {
    return "  Regname " + key + ", bad value, " + raw + ", min " + min + ", max " + max + " - using defaults";
}

struct StoredValueCase {
    const char* key;
    const char* stored;
    const char* afterLoad;  // what the load step writes back
    std::string note;       // empty when the value is accepted
};

// The window and the load step accept the same ranges, so whatever the window stores
// comes back at the next start.
TEST(SettingsPhase, ChecksEachValueAgainstItsRange) {
    const std::string top = "9000 - 5550";
    const std::string left = "12000 - 2940";
    const std::vector<StoredValueCase> cases = {
        {"Top", "3450", "3450", ""},
        {"Top", "3451", "0", Note("Top", "3451", "0", top)},
        {"Top", "-1", "0", Note("Top", "-1", "0", top)},
        {"Left", "9060", "9060", ""},
        {"Left", "9061", "0", Note("Left", "9061", "0", left)},
        {"comport", "0", "0", ""},
        {"comport", "99", "99", ""},
        {"comport", "-1", "0", Note("comport", "-1", "0", "99")},
        {"comport", "100", "0", Note("comport", "100", "0", "99")},
        {"cloudytemp", "-60", "-60", ""},
        {"cloudytemp", "0", "0", ""},
        {"cloudytemp", "-60.5", "-25", Note("cloudytemp", "-60.5", "-60", "0")},
        {"cloudytemp", "0.5", "-25", Note("cloudytemp", "0.5", "-60", "0")},
        {"cloudytemp", "-12,5", "-12.5", ""},
        {"cloudytemp", "abc", "-25", Note("cloudytemp", "abc", "-60", "0")},
        {"vcloudytemp", "-60", "-60", ""},
        {"vcloudytemp", "0", "0", ""},
        {"vcloudytemp", "-60.5", "-10", Note("vcloudytemp", "-60.5", "-60", "0")},
        {"vcloudytemp", "0.5", "-10", Note("vcloudytemp", "0.5", "-60", "0")},
        {"loginterval", "2.5", "2", ""},
        {"loginterval", "3.5", "0", Note("loginterval", "3.5", "0", "3")},
        {"tempunit", "1", "1", ""},
        {"tempunit", "2", "0", Note("tempunit", "2", "0", "1")},
        {"ontopf", "1", "1", ""},
        {"ontopf", "2", "0", Note("ontopf", "2", "0", "1")},
        {"cafw", "1", "1", ""},
        {"catv", "-1", "0", Note("catv", "-1", "0", "1")},
    };
    test::TempConfigHome home;
    test::Pty pty;
    pty.LinkAsCom(99, home.Path());
    for (const auto& c : cases) {
        test::FakeProcess p;
        p.host.screenWidth = kScreenWidth;
        p.host.screenHeight = kScreenHeight;
        p.settings.StoreComplete({{c.key, c.stored}});
        p.main.Main();
        const std::string context = std::string(c.key) + " stored as " + c.stored;
        EXPECT_EQ(p.form().txtAlertAlarmError.Text(), c.note) << context;
        EXPECT_EQ(p.settings.values.at(ValueName(c.key)), c.afterLoad) << context;
    }
}

class SettingsPhaseTest : public WindowTest {};

TEST_F(SettingsPhaseTest, FirstRunShowsTheNoteInRedAndStoresEveryDefault) {
    p.main.Main();
    EXPECT_EQ(form().txtAlertAlarmError.Text(),
              "Could not find any previous settings in registry - using defaults.  This is normal if Orvanta has "
              "never been run before");
    EXPECT_EQ(form().txtAlertAlarmError.ForeColor(), kRed);
    const std::map<std::string, std::string> defaults = {
        {"frmOrvanta.Top", "0"},         {"frmOrvanta.Left", "0"},         {"frmOrvanta.comport", "0"},
        {"frmOrvanta.cloudytemp", "-25"}, {"frmOrvanta.vcloudytemp", "-10"}, {"frmOrvanta.loginterval", "0"},
        {"frmOrvanta.tempunit", "0"},    {"frmOrvanta.ontopf", "0"},       {"frmOrvanta.cafc", "0"},
        {"frmOrvanta.cafk", "0"},        {"frmOrvanta.cafv", "0"},         {"frmOrvanta.cafw", "0"},
        {"frmOrvanta.catv", "0"},        {"frmOrvanta.catb", "0"},         {"frmOrvanta.cats", "0"},
        {"frmOrvanta.logfile", ""},      {"frmOrvanta.datafile", ""},
    };
    EXPECT_EQ(p.settings.values, defaults);
}

// The note goes out before the log path is read, so it is shown but never logged.
TEST_F(SettingsPhaseTest, AMissingValueFallsBackAloneAndTheOthersKeepTheirStoredValues) {
    const std::string log = FileIn("log.txt");
    const std::string data = FileIn("data.txt");
    p.settings.StoreComplete({{"cloudytemp", "-30"},
                              {"vcloudytemp", "-5"},
                              {"loginterval", "1"},
                              {"tempunit", "1"},
                              {"ontopf", "1"},
                              {"cafc", "1"},
                              {"cafk", "1"},
                              {"catb", "1"},
                              {"logfile", log},
                              {"datafile", data}});
    p.settings.values.erase(ValueName("cafk"));
    p.main.Main();

    EXPECT_EQ(form().txtAlertAlarmError.Text(), Note("cafk", "not in registry", "0", "1"));
    EXPECT_EQ(Stored("cafk"), "0");
    EXPECT_EQ(form().chkAlertFor[0].Value(), 1) << "Clear kept: Cloudy fell back and no longer excludes it";
    const std::vector<std::pair<const char*, std::string>> kept = {
        {"cloudytemp", "-30"}, {"vcloudytemp", "-5"}, {"loginterval", "1"}, {"tempunit", "1"}, {"ontopf", "1"},
        {"cafc", "1"},         {"catb", "1"},        {"logfile", log},     {"datafile", data},
    };
    for (const auto& [key, value] : kept) EXPECT_EQ(Stored(key), value) << key;
    EXPECT_EQ(p.main.CloudyThreshT, -30);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-54.0") << "shown in the stored unit";
    EXPECT_EQ(test::ReadFile(log).find("Regname"), std::string::npos);
}

TEST_F(SettingsPhaseTest, TheNoteNamesTheFirstOffendingKeyAndEveryBadValueFallsBack) {
    Start({{"cloudytemp", "-30"}, {"vcloudytemp", "1"}, {"catb", "7"}, {"cats", "x"}});
    EXPECT_EQ(form().txtAlertAlarmError.Text(), Note("vcloudytemp", "1", "-60", "0"));
    EXPECT_EQ(Stored("vcloudytemp"), "-10");
    EXPECT_EQ(Stored("catb"), "0");
    EXPECT_EQ(Stored("cats"), "0");
    EXPECT_EQ(Stored("cloudytemp"), "-30");
}

// A window pushed partly off the top or left keeps its last stored place; either edge
// being negative holds back both.
TEST_F(SettingsPhaseTest, ANegativeWindowPositionIsNeverStored) {
    Start({{"Top", "100"}, {"Left", "200"}});
    for (const auto& [top, left] : std::vector<std::pair<int, int>>{{-15, 300}, {300, -15}}) {
        form().window.Move(top, left);
        form().chkAlertFor[2].UserClick();
        EXPECT_EQ(Stored("cafv"), std::to_string(form().chkAlertFor[2].Value())) << "the click saved the settings";
        EXPECT_EQ(Stored("Top"), "100");
        EXPECT_EQ(Stored("Left"), "200");
    }
    form().window.Move(300, 400);
    form().chkAlertFor[2].UserClick();
    EXPECT_EQ(Stored("Top"), "300");
    EXPECT_EQ(Stored("Left"), "400");
}

}  // namespace
}  // namespace orvanta
