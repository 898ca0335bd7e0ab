// The reading boxes and indicators of a loaded window, refreshed from the state.

#include <gtest/gtest.h>

#include "runtime/CMain.h"
#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

struct LoadedWindow : FakeProcess {
    LoadedWindow() {
        main.Main();
        main.RelSkyT = 10.32;
        main.SensorT = 24.64;
        main.AmbientT = 2.016;
        main.BlockT = -4.746;
    }
};

TEST(ShowReadings, FillsTheBoxesInTheChosenUnit) {
    LoadedWindow p;
    frmOrvanta& form = p.form();
    form.ShowReadings();
    EXPECT_EQ(form.txtSkyTemp.Text(), "  10.3");
    EXPECT_EQ(form.txtSensorTemp.Text(), " 24.6");
    EXPECT_EQ(form.txtAmbientTemp.Text(), "  2.0");
    EXPECT_EQ(form.txtBlockTemp.Text(), " -4.7");
    EXPECT_EQ(form.msg.BlockTextField, " -4.7");

    // Switching the unit rewrites every box at once, thresholds included.
    form.optUnits.UserClick(1);
    EXPECT_EQ(form.txtSkyTemp.Text(), "  18.6");
    EXPECT_EQ(form.txtSensorTemp.Text(), " 76.4");
    EXPECT_EQ(form.txtAmbientTemp.Text(), " 35.6");
    EXPECT_EQ(form.txtBlockTemp.Text(), " 23.5");
    EXPECT_EQ(form.txtCloudyTemp.Text(), "-45.0");
    EXPECT_EQ(form.txtVCloudyTemp.Text(), "-18.0");
}

// The records copy BlockTextField, so it keeps the 999.9 marker the box does not show.
TEST(ShowReadings, LeavesTheBlockBoxEmptyWithoutABlockReading) {
    struct Case {
        double blockT;
        const char* box;
    };
    const std::vector<Case> cases = {{998.9, "999.9"}, {999.0, ""}, {999.9, ""}, {21544.8, ""}};
    for (const Case& c : cases) {
        LoadedWindow p;
        p.main.BlockT = c.blockT;
        p.form().ShowReadings();
        EXPECT_EQ(p.form().txtBlockTemp.Text(), c.box) << c.blockT;
        EXPECT_EQ(p.form().msg.BlockTextField, "999.9") << c.blockT;
    }
}

TEST(ShowReadings, ShowsTheHeaterDutyFromFirmware49On) {
    LoadedWindow p;
    frmOrvanta& form = p.form();
    form.msg.FirmwareVersion = 49;
    form.msg.HeaterRaw = 1500;
    form.ShowReadings();
    EXPECT_EQ(p.main.HeaterPercent, 999.0);
    EXPECT_EQ(form.txtHeater.Text(), "999");
    EXPECT_TRUE(form.txtHeater.Visible());
    EXPECT_TRUE(form.lblHeat.Visible());
    EXPECT_FALSE(form.lblHeatflag.Visible());
    EXPECT_FALSE(form.shaHeating.Visible());

    form.msg.HeaterRaw = 150;
    form.ShowReadings();
    EXPECT_EQ(p.main.HeaterPercent, 100.0);
    EXPECT_EQ(form.txtHeater.Text(), "100");
}

// Earlier firmware only says whether the heater is on; the duty of the last later
// message stays where it was.
TEST(ShowReadings, ShowsOnlyTheHeatingLampBeforeFirmware49) {
    LoadedWindow p;
    frmOrvanta& form = p.form();
    form.msg.FirmwareVersion = 50;
    form.msg.HeaterRaw = 75;
    form.ShowReadings();

    form.msg.FirmwareVersion = 48;
    form.msg.HeaterRaw = 0;
    p.main.VCloudyFlag = 1;
    form.ShowReadings();
    EXPECT_EQ(p.main.HeaterPercent, 50.0);
    EXPECT_EQ(form.txtHeater.Text(), " 50");
    EXPECT_FALSE(form.txtHeater.Visible());
    EXPECT_FALSE(form.lblHeat.Visible());
    EXPECT_TRUE(form.lblHeatflag.Visible());
    EXPECT_TRUE(form.shaHeating.Visible());
    EXPECT_FALSE(form.lblVC.Visible());
}

}  // namespace
}  // namespace orvanta::test
