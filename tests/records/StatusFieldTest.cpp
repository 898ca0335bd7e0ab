#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/CMain.h"
#include "support/FakePlatform.h"
#include "support/SensorLines.h"
#include "ui/frmOrvanta.h"

namespace orvanta {
namespace {

class StatusField : public testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("orvanta-status-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        logPath = (dir / "log.txt").string();
        p.main.Main();
        p.main.LogFilePath = logPath;
        form().optLog.Select(1);
        form().rx.CurrentMessage = "048512";
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    frmOrvanta& form() { return p.form(); }
    const TextBox& field() { return form().txtAlertAlarmError; }
    std::vector<std::string> Log() { return test::ReadLines(logPath); }

    test::FakeProcess p;
    std::filesystem::path dir;
    std::string logPath;
};

TEST_F(StatusField, AnErrorHoldsTheFieldForEightAttemptsAndTheNinthEmptiesIt) {
    form().ShowMsgError("bad line");
    EXPECT_EQ(field().Text(), "bad line");
    EXPECT_EQ(field().ForeColor(), kRed);
    EXPECT_EQ(field().FontSize(), 8);
    for (int attempt = 1; attempt <= 8; attempt += 2) {
        form().ShowWetAlert("RAIN");
        form().ShowMsgError("second error");
        ASSERT_EQ(field().Text(), "bad line") << "attempts " << attempt << " and " << attempt + 1;
    }
    form().ShowCondition("Clear");
    EXPECT_EQ(field().Text(), "") << "the ninth attempt empties a red text";
    form().ShowCondition("Clear");
    EXPECT_EQ(field().Text(), "Clear");
    EXPECT_EQ(field().ForeColor(), kGreen);
    EXPECT_EQ(field().FontSize(), 24);
    const auto log = Log();
    ASSERT_EQ(log.size(), 1u) << "a held-back error is not logged";
    EXPECT_EQ(log[0].substr(19), " E" + std::string(40, ' ') + "~048512~ bad line");
}

TEST_F(StatusField, RepeatedAlertsBlinkAndRepeatedConditionsStandSteady) {
    std::vector<std::string> shown;
    for (int tick = 0; tick < 4; ++tick) {
        form().ShowSkyAlert("Cloudy");
        shown.push_back(field().Text());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"Cloudy", "", "Cloudy", ""}));
    EXPECT_EQ(field().ForeColor(), kLightRed);

    shown.clear();
    for (int tick = 0; tick < 4; ++tick) {
        form().ShowCondition("Cloudy");
        shown.push_back(field().Text());
    }
    EXPECT_EQ(shown, (std::vector<std::string>(4, "Cloudy")));
}

TEST_F(StatusField, HigherPriorityWinsAndAlertsRestoreAMinimisedWindow) {
    form().window.SetMinimised(true);
    form().ShowCondition("Clear");
    EXPECT_TRUE(form().window.Minimised());
    form().ShowClearAlert("Clear");
    EXPECT_FALSE(form().window.Minimised());
    EXPECT_EQ(field().ForeColor(), kBrightGreen);
    form().ShowWetAlert("RAIN");
    EXPECT_EQ(field().Text(), "RAIN");
    form().ShowStatus("Calibrating");
    EXPECT_EQ(field().Text(), "") << "held: a lower priority only counts the hold down";
}

TEST_F(StatusField, ErrorLinesLineUpWithTheLogColumns) {
    p.clock.now = {2026, 12, 6, 21, 30, 5, 0};
    form().ShowError("settings note");
    form().ShowMsgError("held, not logged");
    form().LogMsgError("diagnostic while held");
    const auto log = Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "2026-12-06 21:30:05 E" + std::string(33, ' ') + "settings note");
    EXPECT_EQ(log[0].find("settings note"), 54u) << "plain error text starts in column 55";
    EXPECT_EQ(log[1], "2026-12-06 21:30:05 E" + std::string(40, ' ') + "~048512~ diagnostic while held");
    EXPECT_EQ(log[1].find('~'), 61u) << "the message starts in column 63";
}

TEST_F(StatusField, LoggingNeverStillShowsButWritesNothing) {
    form().optLog.Select(0);
    form().ShowMsgError("shown only");
    form().LogMsgError("not written");
    EXPECT_EQ(field().Text(), "shown only");
    EXPECT_FALSE(std::filesystem::exists(logPath));
}

struct FailedAppendCase {
    const char* name;
    void (frmOrvanta::*report)(const std::string&);
    const char* errorNumber;
};

class FailedAppend : public StatusField, public testing::WithParamInterface<FailedAppendCase> {};

// The box names the report, the path is cleared, and the next report is not logged.
TEST_P(FailedAppend, ClearsTheLogPathAfterOneBox) {
    std::filesystem::create_directory(logPath);
    (form().*GetParam().report)("first");
    ASSERT_EQ(p.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p.dialogs.boxes[0].text, "For log file " + logPath + " error" + GetParam().errorNumber +
                                           ": Is a directory  Msg first, path\\name cleared");
    EXPECT_EQ(p.dialogs.boxes[0].title, "Orvanta");
    EXPECT_TRUE(p.main.LogFilePath.empty());
    form().status = {};
    (form().*GetParam().report)("second");
    EXPECT_EQ(p.dialogs.boxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(StatusField, FailedAppend,
                         testing::Values(FailedAppendCase{"ShowMsgError", &frmOrvanta::ShowMsgError, "090"},
                                         FailedAppendCase{"LogMsgError", &frmOrvanta::LogMsgError, "100"},
                                         FailedAppendCase{"ShowError", &frmOrvanta::ShowError, "110"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanta
