// The window's click handlers after start-up: the exclusive alert pairs, the display
// unit, and what each stores.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

// The seven alert boxes in one row: the four "Alert For:" boxes, then the three types.
const std::array<const char*, 7> kAlertKeys = {"cafc", "cafk", "cafv", "cafw", "catv", "catb", "cats"};

CheckBox& AlertBox(frmOrvanta& form, int index) {
    return index < 4 ? form.chkAlertFor[index] : form.chkAlertType[index - 4];
}

class WindowHandlers : public test::WindowTest {};

TEST_F(WindowHandlers, ClearAndCloudyAndBeeperAndSoundExcludeEachOther) {
    Start();
    // The box clicked, then all seven boxes after the click: Clear and Cloudy clear each
    // other, as do Beeper and Sound, and unchecking a box touches no other.
    const std::vector<std::pair<int, std::string>> clicks = {
        {1, "0100000"}, {0, "1000000"}, {1, "0100000"}, {3, "0101000"}, {2, "0111000"}, {1, "0011000"},
        {6, "0011001"}, {5, "0011010"}, {6, "0011001"}, {4, "0011101"}, {6, "0011100"},
    };
    for (const auto& [clicked, after] : clicks) {
        AlertBox(form(), clicked).UserClick();
        for (int i = 0; i < 7; ++i) {
            const std::string context = std::string("after clicking ") + kAlertKeys[clicked] + ": " + kAlertKeys[i];
            EXPECT_EQ(AlertBox(form(), i).Value(), after[i] - '0') << context;
            EXPECT_EQ(Stored(kAlertKeys[i]), std::string(1, after[i])) << context;
        }
    }
}

// Before the load step has shown the window, the stored unit is already in force.
TEST_F(WindowHandlers, ChoosingAUnitBeforeTheWindowIsVisibleChangesNothing) {
    form().txtCloudyTemp.SetText("-25.0");
    form().optUnits.UserClick(1);
    EXPECT_EQ(p.main.TempUnit, 0);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-25.0");
    EXPECT_TRUE(p.settings.values.empty());
}

// Each box gets its own reading, converted.
TEST_F(WindowHandlers, ChoosingFahrenheitConvertsEveryShownTemperatureAndStoresTheUnit) {
    Start();
    p.main.SensorT = 20;
    p.main.AmbientT = -10;
    p.main.BlockT = 5;
    p.main.RelSkyT = -30;
    form().optUnits.UserClick(1);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-45.0");
    EXPECT_EQ(form().txtVCloudyTemp.Text(), "-18.0");
    EXPECT_EQ(form().txtSensorTemp.Text(), " 68.0");
    EXPECT_EQ(form().txtAmbientTemp.Text(), " 14.0");
    EXPECT_EQ(form().txtBlockTemp.Text(), " 41.0");
    EXPECT_EQ(form().txtSkyTemp.Text(), " -54.0");
    EXPECT_EQ(Stored("tempunit"), "1");
}

}  // namespace
}  // namespace orvanta
