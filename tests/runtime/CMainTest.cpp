#include "runtime/CMain.h"

#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta {
namespace {

using test::FakeProcess;

struct TimerFailureCase {
    const char* name;
    std::vector<bool> failCreation;
};

class TimerFailure : public testing::TestWithParam<TimerFailureCase> {};

// The second timer is asked for even when the first failed, and is not destroyed first.
TEST_P(TimerFailure, EndsWithOneBoxAndNeverShowsTheWindow) {
    FakeProcess p;
    p.timers.failCreation = GetParam().failCreation;
    p.main.Main();
    ASSERT_EQ(p.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p.dialogs.boxes[0].text, "Timers not created. Ending Program");
    EXPECT_EQ(p.dialogs.boxes[0].title, "");
    EXPECT_EQ(p.timers.timers.size(), 2u);
    EXPECT_EQ(p.host.endProcessCalls, 1);
    EXPECT_TRUE(p.main.Ending());
    EXPECT_FALSE(p.main.FormExists() && p.form().window.Visible());
    EXPECT_TRUE(p.settings.values.empty()) << "the load step never ran";
}

INSTANTIATE_TEST_SUITE_P(CMain, TimerFailure,
                         testing::Values(TimerFailureCase{"Both", {true, true}},
                                         TimerFailureCase{"PollOnly", {true, false}},
                                         TimerFailureCase{"AlertOnly", {false, true}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CMain, StartsWithTheStateOfAQuietSensorAndReleasesTheGuardsLast) {
    FakeProcess p;
    p.main.Main();
    EXPECT_EQ(p.main.TicksSinceGoodData, 400);
    EXPECT_EQ(p.main.SkyCondition, 0);
    EXPECT_EQ(p.main.PollBusy, 0);
    EXPECT_EQ(p.main.AlertBusy, 0);
    EXPECT_TRUE(p.form().window.Visible());
    EXPECT_TRUE(p.timers.Alive(kPollPeriodMs));
    EXPECT_TRUE(p.timers.Alive(kAlertPeriodMs));
    p.PollTick();
    p.PollTick();
    EXPECT_EQ(p.main.TicksSinceGoodData, 402);
}

TEST(CMain, TicksDuringALoadStepBoxDoNothing) {
    FakeProcess p;
    int32_t ticksSeenDuringBox = -1;
    p.settings.StoreComplete({{"logfile", "/nonexistent-dir/log.txt"}});
    p.dialogs.whileBoxOpen = [&] {
        p.PollTick();
        p.AlertTick();
        ticksSeenDuringBox = p.main.TicksSinceGoodData;
    };
    p.main.Main();
    ASSERT_EQ(p.dialogs.boxes.size(), 1u) << "the error005 box of the load step";
    EXPECT_EQ(ticksSeenDuringBox, 400);
    EXPECT_EQ(p.form().txtAlertAlarmError.Text(), "") << "no alert tick ran";
}

TEST(CMain, EndProgramUnloadsTheWindowOnceAndStopsTheTicks) {
    FakeProcess p;
    p.main.Main();
    p.main.EndProgram();
    p.main.EndProgram();
    EXPECT_EQ(p.host.endProcessCalls, 1);
    EXPECT_FALSE(p.timers.Alive(kPollPeriodMs));
    EXPECT_FALSE(p.timers.Alive(kAlertPeriodMs));
    EXPECT_FALSE(p.form().window.Visible());
}

}  // namespace
}  // namespace orvanta
