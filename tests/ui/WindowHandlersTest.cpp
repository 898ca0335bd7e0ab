// The window's click handlers after start-up: the exclusive alert pairs, the display
// unit, the on-top option, and what each stores.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

const std::array<const char*, 4> kAlertForKeys = {"cafc", "cafk", "cafv", "cafw"};
const std::array<const char*, 3> kAlertTypeKeys = {"catv", "catb", "cats"};

struct ClickCase {
    const char* name;
    std::vector<int16_t> before;
    int clicked;
    std::vector<int16_t> after;
};

template <std::size_t N>
std::vector<int16_t> ValuesOf(const std::array<CheckBox, N>& boxes) {
    std::vector<int16_t> values;
    for (const auto& box : boxes) values.push_back(box.Value());
    return values;
}

template <std::size_t N>
std::map<std::string, std::string> StoredSet(const std::array<const char*, N>& keys, const std::vector<int16_t>& values) {
    std::map<std::string, std::string> set;
    for (std::size_t i = 0; i < N; ++i) set[keys[i]] = std::to_string(values[i]);
    return set;
}

// Loads each case's stored boxes into a fresh process, clicks one box, and checks the
// boxes and the store.
template <std::size_t N>
void CheckClicks(std::array<CheckBox, N> frmOrvanta::*group, const std::array<const char*, N>& keys,
                 const std::vector<ClickCase>& cases) {
    for (const auto& c : cases) {
        test::FakeProcess p;
        p.settings.StoreComplete(StoredSet(keys, c.before));
        p.main.Main();
        auto& boxes = p.form().*group;
        ASSERT_EQ(ValuesOf(boxes), c.before) << c.name;
        boxes[c.clicked].UserClick();
        EXPECT_EQ(ValuesOf(boxes), c.after) << c.name;
        for (const auto& [key, value] : StoredSet(keys, c.after))
            EXPECT_EQ(p.settings.values.at(ValueName(key)), value) << c.name << ": " << key;
    }
}

TEST(WindowHandlersClick, ClearAndCloudyExcludeEachOther) {
    CheckClicks(&frmOrvanta::chkAlertFor, kAlertForKeys,
                {
                    {"check Clear while Cloudy", {0, 1, 0, 0}, 0, {1, 0, 0, 0}},
                    {"check Cloudy while Clear", {1, 0, 0, 0}, 1, {0, 1, 0, 0}},
                    {"uncheck Clear", {1, 0, 1, 1}, 0, {0, 0, 1, 1}},
                    {"uncheck Cloudy", {0, 1, 1, 0}, 1, {0, 0, 1, 0}},
                    {"check V.Cloudy", {1, 0, 0, 1}, 2, {1, 0, 1, 1}},
                    {"check Wet", {0, 1, 1, 0}, 3, {0, 1, 1, 1}},
                    {"uncheck V.Cloudy", {0, 1, 1, 1}, 2, {0, 1, 0, 1}},
                });
}

TEST(WindowHandlersClick, BeeperAndSoundExcludeEachOtherAndVisualCombinesWithEither) {
    CheckClicks(&frmOrvanta::chkAlertType, kAlertTypeKeys,
                {
                    {"check Sound while Beeper", {1, 1, 0}, 2, {1, 0, 1}},
                    {"check Beeper while Sound", {1, 0, 1}, 1, {1, 1, 0}},
                    {"uncheck Sound", {0, 0, 1}, 2, {0, 0, 0}},
                    {"uncheck Beeper", {1, 1, 0}, 1, {1, 0, 0}},
                    {"check Visual", {0, 0, 1}, 0, {1, 0, 1}},
                    {"uncheck Visual", {1, 1, 0}, 0, {0, 1, 0}},
                });
}

class WindowHandlers : public test::WindowTest {};

// Before the load step has shown the window, the stored unit is already in force.
TEST_F(WindowHandlers, ChoosingAUnitBeforeTheWindowIsVisibleChangesNothing) {
    form().txtCloudyTemp.SetText("-25.0");
    form().optUnits.UserClick(1);
    EXPECT_EQ(p.main.TempUnit, 0);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-25.0");
    EXPECT_TRUE(p.settings.values.empty());
}

TEST_F(WindowHandlers, ChoosingFahrenheitConvertsEveryShownTemperatureAndStoresTheUnit) {
    Start();
    p.main.SensorT = 20;
    p.main.AmbientT = -10;
    p.main.RelSkyT = -30;
    form().optUnits.UserClick(1);
    EXPECT_EQ(p.main.TempUnit, 1);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-45.0");
    EXPECT_EQ(form().txtVCloudyTemp.Text(), "-18.0");
    EXPECT_EQ(form().txtSensorTemp.Text(), " 68.0");
    EXPECT_EQ(form().txtAmbientTemp.Text(), " 14.0");
    EXPECT_EQ(form().txtSkyTemp.Text(), " -54.0");
    EXPECT_EQ(Stored("tempunit"), "1");
    EXPECT_EQ(p.main.CloudyThreshT, -25) << "thresholds stay in Celsius";

    form().optUnits.UserClick(0);
    EXPECT_EQ(form().txtSensorTemp.Text(), " 20.0");
    EXPECT_EQ(Stored("tempunit"), "0");
}

TEST_F(WindowHandlers, OnTopFollowsTheBoxAtOnceAndIsStored) {
    Start();
    form().chkOnTop.UserClick();
    EXPECT_TRUE(form().window.OnTop());
    EXPECT_EQ(Stored("ontopf"), "1");
    form().chkOnTop.UserClick();
    EXPECT_FALSE(form().window.OnTop());
    EXPECT_EQ(Stored("ontopf"), "0");
}

TEST_F(WindowHandlers, AlertBoxesMoveTheFocusToTheThresholdBoxButOnTopLeavesIt) {
    Start();
    form().window.SetFocus(&form().txtComPort);
    form().chkOnTop.UserClick();
    EXPECT_EQ(form().window.Focus(), &form().txtComPort);
    form().chkAlertType[0].UserClick();
    EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp);
    form().window.SetFocus(&form().txtComPort);
    form().chkAlertFor[3].UserClick();
    EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp);
}

TEST_F(WindowHandlers, ALoggingOptionBecomesTheIntervalAndIsStored) {
    Start({{"logfile", FileIn("log.txt")}});
    form().optLog.UserClick(3);
    EXPECT_EQ(p.main.LogInterval, 3);
    EXPECT_EQ(Stored("loginterval"), "3");
}

}  // namespace
}  // namespace orvanta
