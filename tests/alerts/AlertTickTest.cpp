// The alert tick on a loaded window: it reads the state the last good message left,
// shows the condition and annunciates the alerts the user checked.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runtime/CMain.h"
#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

enum AlertFor { kClear = 0, kCloudy = 1, kVCloudy = 2, kWet = 3 };
enum AlertType { kVisual = 0, kBeeper = 1, kSound = 2 };

// The flags as the message processor leaves them.
struct Sky {
    int16_t wet = 0;
    double ambient = 5.0;
    int16_t veryCloudy = 0;
    int16_t cloudy = 0;
};
const Sky kClearSky{};
const Sky kCloudySky{.cloudy = -1};
const Sky kVeryCloudySky{.veryCloudy = -1, .cloudy = -1};
const Sky kRain{.wet = 1, .ambient = 0.0, .veryCloudy = -1, .cloudy = -1};
const Sky kSnow{.wet = 1, .ambient = -0.1};

struct AlertWindow : FakeProcess {
    AlertWindow(const Sky& sky, const std::vector<AlertFor>& alertFor, const std::vector<AlertType>& types,
                int32_t ticksSinceGoodData = 0) {
        main.Main();
        form().msg.StartupGrace = 0;
        main.WetF = sky.wet;
        main.AmbientT = sky.ambient;
        main.VCloudyF = sky.veryCloudy;
        main.CloudyF = sky.cloudy;
        main.SkyCondition = 2;
        main.TicksSinceGoodData = ticksSinceGoodData;
        // Set past the handlers, so that Beeper and Sound can be checked together.
        form().busyf = 1;
        for (const AlertFor box : alertFor) form().chkAlertFor[box].SetValue(1);
        for (const AlertType box : types) form().chkAlertType[box].SetValue(1);
        form().busyf = 0;
    }
    const TextBox& Field() { return form().txtAlertAlarmError; }
};

// Precedence: no messages, wet, very cloudy, cloudy, clear. A condition rewritten on every
// tick stands in green; an alert text blinks in its own colour.
TEST(AlertTick, ShowsTheConditionAndAnnouncesItsAlert) {
    struct Case {
        const char* name;
        Sky sky;
        int32_t ticks;
        std::vector<AlertFor> alertFor;
        std::vector<AlertType> types;
        std::string text;
        OleColor colour;  // kGreen for a steady condition, else the alert's blinking colour
        std::string sound;
    };
    const std::vector<Case> cases = {
        {"clear, no box of its own", kClearSky, 0, {kCloudy}, {kVisual, kBeeper}, "Clear", kGreen, ""},
        {"clear alert", kClearSky, 0, {kClear}, {kVisual, kBeeper}, "Clear", kBrightGreen, "beep 2000 600"},
        {"cloudy alert", kCloudySky, 0, {kCloudy}, {kVisual, kSound}, "Cloudy", kLightRed, "play notify.WAV"},
        {"beeper, never sound", kCloudySky, 0, {kCloudy}, {kBeeper, kSound}, "Cloudy", kGreen, "beep 2000 600"},
        {"very cloudy, Wet only", kVeryCloudySky, 0, {kWet}, {kVisual, kBeeper}, "Very Cloudy", kGreen, ""},
        {"very cloudy alert", kVeryCloudySky, 0, {kVCloudy}, {kVisual}, "Very Cloudy", kLightRed, ""},
        {"rain at 0.0", kRain, 0, {kCloudy}, {kVisual}, "RAIN", kRed, ""},
        {"rain, not visual", kRain, 0, {kWet}, {}, "Rain", kGreen, ""},
        {"snow at -0.1", kSnow, 0, {kWet}, {kVisual}, "SNOW", kRed, ""},
        {"snow, not visual", kSnow, 0, {kWet}, {kSound}, "Snow", kGreen, "play wet.WAV"},
        {"stopped, visual", kRain, 33, {kCloudy}, {kVisual, kBeeper}, "No Msg's", kLightRed, "beep 1000 300"},
        {"stopped, any box", kRain, 33, {kClear}, {kSound}, "No Msg's", kGreen, "play notify.WAV"},
        {"32 ticks with a box", kCloudySky, 32, {kWet}, {kVisual, kBeeper}, "Cloudy", kGreen, ""},
        {"40 ticks, no box", kCloudySky, 40, {}, {kVisual, kBeeper}, "Cloudy", kGreen, ""},
        {"41 ticks, no box", kCloudySky, 41, {}, {kVisual, kBeeper}, "No Msg's", kGreen, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlertWindow p(c.sky, c.alertFor, c.types, c.ticks);
        std::vector<std::string> shown;
        for (int tick = 0; tick < 2; ++tick) {
            p.AlertTick();
            shown.push_back(p.Field().Text());
        }
        EXPECT_EQ(shown, (std::vector<std::string>{c.text, c.colour == kGreen ? c.text : ""}));
        EXPECT_EQ(p.Field().ForeColor(), c.colour);
        EXPECT_EQ(p.sound.calls, c.sound.empty() ? std::vector<std::string>{} : std::vector<std::string>(2, c.sound));
        EXPECT_EQ(p.main.SkyCondition, c.text == "No Msg's" ? 0 : 2);
    }
}

// Every box but Clear means "this condition or worse".
TEST(AlertTick, AlertsForTheBoxesOfTheCondition) {
    // The sky, then whether Clear, Cloudy, V.Cloudy and Wet each alert for it.
    const std::vector<std::pair<Sky, std::string>> cases = {
        {kClearSky, "1000"}, {kCloudySky, "0100"}, {kVeryCloudySky, "0110"}, {kRain, "0111"}};
    for (std::size_t row = 0; row < cases.size(); ++row) {
        for (int box = 0; box < 4; ++box) {
            AlertWindow p(cases[row].first, {static_cast<AlertFor>(box)}, {kBeeper});
            p.AlertTick();
            EXPECT_EQ(!p.sound.calls.empty(), cases[row].second[box] == '1') << "sky " << row << ", box " << box;
        }
    }
}

// Poll ticks must keep running during the second of wet tones.
TEST(AlertTick, WetAlertBeepsThreeTonesPumpingBetweenThem) {
    AlertWindow p(kRain, {kWet}, {kBeeper});
    std::vector<std::size_t> tonesAtPump;
    p.system.onPump = [&] { tonesAtPump.push_back(p.sound.calls.size()); };
    p.AlertTick();
    EXPECT_EQ(p.sound.calls, std::vector<std::string>(3, "beep 500 250"));
    EXPECT_EQ(p.system.calls,
              (std::vector<std::string>{"pump", "sleep 150", "pump", "pump", "sleep 150", "pump", "pump"}));
    EXPECT_EQ(tonesAtPump, (std::vector<std::size_t>{1, 1, 2, 2, 3}));
}

TEST(AlertTick, StaysQuietDuringTheGraceAndWhileTheSensorCalibrates) {
    AlertWindow grace(kRain, {kCloudy}, {kVisual, kBeeper}, 400);
    grace.form().msg.StartupGrace = 1;
    AlertWindow calibrating(kRain, {kCloudy}, {kVisual, kBeeper}, 400);
    calibrating.main.CalibrateFlag = 1;
    for (AlertWindow* p : {&grace, &calibrating}) {
        const std::string shown = p->Field().Text();
        p->AlertTick();
        EXPECT_EQ(p->Field().Text(), shown);
        EXPECT_TRUE(p->sound.calls.empty());
        EXPECT_EQ(p->main.SkyCondition, 2);
    }
}

}  // namespace
}  // namespace orvanta::test
