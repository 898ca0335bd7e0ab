// The alert tick on a loaded window: it reads the state the last good message left,
// shows the condition and annunciates the alerts the user checked.

#include <gtest/gtest.h>

#include <algorithm>
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
        for (const AlertFor box : alertFor) form().chkAlertFor[box].SetValue(1);
        for (const AlertType box : types) form().chkAlertType[box].SetValue(1);
    }
    const TextBox& Field() { return form().txtAlertAlarmError; }
    std::vector<std::string> Ticks(int count) {
        std::vector<std::string> shown;
        for (int i = 0; i < count; ++i) {
            AlertTick();
            shown.push_back(Field().Text());
        }
        return shown;
    }
};

std::vector<std::string> Steady(const std::string& text) { return {text, text, text, text}; }
std::vector<std::string> Blinking(const std::string& text) { return {text, "", text, ""}; }

// A condition rewritten on every tick stands; an alert text blinks in its own colour.
TEST(AlertTick, ShowsTheConditionInPrecedenceOrder) {
    struct Case {
        const char* name;
        Sky sky;
        int32_t ticks;
        std::vector<AlertFor> alertFor;
        std::vector<AlertType> types;
        std::vector<std::string> shown;
        OleColor colour;
    };
    const std::vector<Case> cases = {
        {"clear", kClearSky, 0, {}, {kVisual}, Steady("Clear"), kGreen},
        {"cloudy", kCloudySky, 0, {}, {kVisual}, Steady("Cloudy"), kGreen},
        {"very cloudy", kVeryCloudySky, 0, {}, {kVisual}, Steady("Very Cloudy"), kGreen},
        {"rain at 0.0", kRain, 0, {}, {kVisual}, Steady("Rain"), kGreen},
        {"snow at -0.1", kSnow, 0, {}, {kVisual}, Steady("Snow"), kGreen},
        {"no alert for clear", kClearSky, 0, {kCloudy}, {kVisual}, Steady("Clear"), kGreen},
        {"clear alert", kClearSky, 0, {kClear}, {kVisual}, Blinking("Clear"), kBrightGreen},
        {"cloudy alert", kCloudySky, 0, {kCloudy}, {kVisual}, Blinking("Cloudy"), kLightRed},
        {"very cloudy alert", kVeryCloudySky, 0, {kCloudy}, {kVisual}, Blinking("Very Cloudy"), kLightRed},
        {"rain alert", kRain, 0, {kCloudy}, {kVisual}, Blinking("RAIN"), kRed},
        {"snow alert", kSnow, 0, {kCloudy}, {kVisual}, Blinking("SNOW"), kRed},
        {"no messages alert", kRain, 33, {kCloudy}, {kVisual}, Blinking("No Msg's"), kLightRed},
        {"snow alert, not visual", kSnow, 0, {kWet}, {}, Steady("Snow"), kGreen},
        {"no messages, not visual", kRain, 33, {kCloudy}, {}, Steady("No Msg's"), kGreen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlertWindow p(c.sky, c.alertFor, c.types, c.ticks);
        EXPECT_EQ(p.Ticks(4), c.shown);
        EXPECT_EQ(p.Field().ForeColor(), c.colour);
        EXPECT_EQ(p.Field().FontSize(), 24);
    }
}

// Every box but Clear means "this condition or worse".
TEST(AlertTick, AlertsForTheBoxesOfTheCondition) {
    struct Case {
        const char* name;
        Sky sky;
        std::vector<AlertFor> alerting;
    };
    const std::vector<Case> cases = {
        {"clear", kClearSky, {kClear}},
        {"cloudy", kCloudySky, {kCloudy}},
        {"very cloudy", kVeryCloudySky, {kCloudy, kVCloudy}},
        {"wet", kRain, {kCloudy, kVCloudy, kWet}},
    };
    for (const Case& c : cases) {
        for (const AlertFor box : {kClear, kCloudy, kVCloudy, kWet}) {
            SCOPED_TRACE(std::string(c.name) + ", box " + std::to_string(box));
            AlertWindow p(c.sky, {box}, {kVisual, kBeeper});
            p.AlertTick();
            const bool alerting = std::find(c.alerting.begin(), c.alerting.end(), box) != c.alerting.end();
            EXPECT_EQ(!p.sound.calls.empty(), alerting);
            EXPECT_EQ(p.Field().ForeColor() != kGreen, alerting);
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

// Sound is the fallback of the beeper, never played along with it.
TEST(AlertTick, AnnouncesByBeeperElseBySound) {
    struct Case {
        const char* name;
        Sky sky;
        int32_t ticks;
        AlertType type;
        std::string call;
    };
    const std::vector<Case> cases = {
        {"sky alert tone", kVeryCloudySky, 0, kBeeper, "beep 2000 600"},
        {"no messages tone", kVeryCloudySky, 33, kBeeper, "beep 1000 300"},
        {"sky alert sound", kCloudySky, 0, kSound, "play notify.WAV"},
        {"wet sound", kSnow, 0, kSound, "play wet.WAV"},
        {"no messages sound", kSnow, 33, kSound, "play notify.WAV"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlertWindow p(c.sky, {kCloudy}, {c.type}, c.ticks);
        p.Ticks(2);
        EXPECT_EQ(p.sound.calls, std::vector<std::string>(2, c.call));
    }

    AlertWindow both(kCloudySky, {kCloudy}, {kBeeper});
    // Checked from inside a handler, so the window does not uncheck Beeper.
    both.form().busyf = 1;
    both.form().chkAlertType[kSound].SetValue(1);
    both.form().busyf = 0;
    both.AlertTick();
    EXPECT_EQ(both.sound.calls, std::vector<std::string>{"beep 2000 600"});
}

// With an alert box checked messages count as stopped after 8 s, otherwise after 10 s.
TEST(AlertTick, ReportsStoppedMessages) {
    struct Case {
        std::vector<AlertFor> alertFor;
        int32_t ticks;
        const char* text;
        int32_t condition;
        std::vector<std::string> sound;
    };
    const std::vector<Case> cases = {
        {{kWet}, 32, "Cloudy", 2, {}},
        {{kWet}, 33, "No Msg's", 0, {"beep 1000 300"}},
        {{}, 40, "Cloudy", 2, {}},
        {{}, 41, "No Msg's", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        AlertWindow p(kCloudySky, c.alertFor, {kBeeper}, c.ticks);
        p.AlertTick();
        EXPECT_EQ(p.Field().Text(), c.text);
        EXPECT_EQ(p.main.SkyCondition, c.condition);
        EXPECT_EQ(p.sound.calls, c.sound);
    }
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
        EXPECT_EQ(p->sound.calls, std::vector<std::string>{});
        EXPECT_EQ(p->main.SkyCondition, 2);
    }
}

// An error holds the field against the next eight attempts; the ninth empties it.
TEST(AlertTick, ConditionWaitsForAnErrorText) {
    AlertWindow p(kClearSky, {}, {});
    p.form().rx.CurrentMessage = "I123";
    p.form().ProcessMessage();
    const std::string error = "Message length is 4, which is illegal";
    ASSERT_EQ(p.Field().Text(), error);

    std::vector<std::string> expected(8, error);
    expected.insert(expected.end(), {"", "Clear"});
    EXPECT_EQ(p.Ticks(10), expected);
    EXPECT_EQ(p.Field().ForeColor(), kGreen);
}

}  // namespace
}  // namespace orvanta::test
