// Typed values in the threshold and port boxes: when they commit, how they are checked,
// and what a port commit does to the real serial port.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/ComPort.h"
#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

constexpr int16_t kEnter = 13;

class ValueEntry : public test::WindowTest {
protected:
    void StartWatching(const std::map<std::string, std::string>& changes = {}) {
        Start(changes);
        form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); };
    }

    // Types the text and presses Enter, which the box must swallow.
    void Enter(TextBox& box, const std::string& text) {
        box.SetText(text);
        EXPECT_EQ(box.UserKeyPress(kEnter), 0) << "Enter swallowed";
    }

    void Ticks(int count) {
        for (int i = 0; i < count; ++i) p.PollTick();
    }

    std::vector<std::string> reports;
};

struct ThresholdCase {
    const char* unit;  // stored tempunit
    bool veryCloudyBox;
    const char* typed;
    double thresholdAfter;
    const char* boxAfter;
    const char* storedAfter;
    std::string report;  // empty when accepted
};

// Both boxes accept -60 to 0 inclusive, in Celsius after converting a Fahrenheit entry.
TEST(ValueEntryThreshold, ChecksTheTypedValueAndShowsTheValueInForce) {
    const std::vector<ThresholdCase> cases = {
        {"1", false, "-45", -25, "-45.0", "-25", ""},
        {"1", false, "-109", -25, "-45.0", "-25", "Illegal Clear/Cloudy Temp. value -109"},
        {"1", true, "-9", -5, " -9.0", "-5", ""},
        {"0", false, "-60", -60, "-60.0", "-60", ""},
        {"0", false, "0", 0, "  0.0", "0", ""},
        {"0", false, "-12,5", -12.5, "-12.5", "-12.5", ""},
        {"0", false, "0.5", -25, "-25.0", "-25", "Illegal Clear/Cloudy Temp. value 0.5"},
        {"0", false, "-60.5", -25, "-25.0", "-25", "Illegal Clear/Cloudy Temp. value -60.5"},
        {"0", true, "0", 0, "  0.0", "0", ""},
        {"0", true, "0.5", -10, "-10.0", "-10", "Illegal Cloudy/V.C. Temp. value 0.5"},
        {"0", true, "-60.5", -10, "-10.0", "-10", "Illegal Cloudy/V.C. Temp. value -60.5"},
    };
    for (const auto& c : cases) {
        test::FakeProcess p;
        p.settings.StoreComplete({{"tempunit", c.unit}});
        p.main.Main();
        std::vector<std::string> reports;
        p.form().msgErrorObserver = [&reports](const std::string& text) { reports.push_back(text); };
        TextBox& box = c.veryCloudyBox ? p.form().txtVCloudyTemp : p.form().txtCloudyTemp;
        const double& threshold = c.veryCloudyBox ? p.main.VCloudyThreshT : p.main.CloudyThreshT;
        const std::string key = c.veryCloudyBox ? "vcloudytemp" : "cloudytemp";
        const std::string context = std::string(c.typed) + (c.unit[0] == '1' ? " F" : " C");

        box.SetText(c.typed);
        box.UserKeyPress(kEnter);

        EXPECT_DOUBLE_EQ(threshold, c.thresholdAfter) << context;
        EXPECT_EQ(box.Text(), c.boxAfter) << context;
        EXPECT_EQ(reports, c.report.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.report})
            << context;
        EXPECT_EQ(p.settings.values.at(ValueName(key)), c.storedAfter) << context;
    }
}

TEST_F(ValueEntry, AThresholdThatIsNotANumberIsReportedAndTheOldValueShownAgain) {
    StartWatching();
    Enter(form().txtCloudyTemp, "abc");
    Enter(form().txtVCloudyTemp, "-");
    ASSERT_EQ(reports.size(), 2u);
    const std::vector<std::string> starts = {"Clear/Cloudy Temp. abc error: ", "Cloudy/V.C. Temp. - error: "};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        EXPECT_TRUE(reports[i].starts_with(starts[i])) << reports[i];
        EXPECT_GT(reports[i].size(), starts[i].size()) << "with a description";
    }
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-25.0");
    EXPECT_EQ(form().txtVCloudyTemp.Text(), "-10.0");
    EXPECT_EQ(p.main.CloudyThreshT, -25);
    EXPECT_EQ(p.main.VCloudyThreshT, -10);
}

TEST_F(ValueEntry, TypingArmsTheEditDelayOfThatBoxOnly) {
    StartWatching();
    form().txtVCloudyTemp.SetText("-1");
    EXPECT_EQ(form().edits.CloudyEditDelay, 0);
    EXPECT_EQ(form().edits.VCloudyEditDelay, 24);
    EXPECT_EQ(form().edits.ComPortEditDelay, 0);
    form().txtComPort.SetText("3");
    EXPECT_EQ(form().edits.ComPortEditDelay, 24);
    form().txtCloudyTemp.SetText("-2");
    EXPECT_EQ(form().edits.CloudyEditDelay, 24);
}

TEST_F(ValueEntry, ATypedValueTakesEffect24TicksAfterTheLastKeystroke) {
    StartWatching();
    form().txtCloudyTemp.SetText("-3");
    Ticks(10);
    form().txtCloudyTemp.SetText("-30");
    Ticks(23);
    EXPECT_EQ(p.main.CloudyThreshT, -25);
    Ticks(1);
    EXPECT_EQ(p.main.CloudyThreshT, -30);
    EXPECT_EQ(Stored("cloudytemp"), "-30");
}

// Enter does not disarm the delay, so the same commit runs once more 6 s later.
TEST_F(ValueEntry, EnterCommitsAtOnceAndAgainWhenTheDelayRunsOut) {
    StartWatching();
    form().txtCloudyTemp.SetText("-30");
    EXPECT_EQ(form().txtCloudyTemp.UserKeyPress('5'), '5') << "other keys pass";
    EXPECT_EQ(p.main.CloudyThreshT, -25);
    Enter(form().txtCloudyTemp, "-30");
    EXPECT_EQ(p.main.CloudyThreshT, -30);
    EXPECT_EQ(Stored("cloudytemp"), "-30");

    p.settings.values[ValueName("cloudytemp")] = "written before the second commit";
    Ticks(23);
    EXPECT_EQ(Stored("cloudytemp"), "written before the second commit");
    Ticks(1);
    EXPECT_EQ(Stored("cloudytemp"), "-30");
}

class PortEntry : public ValueEntry {
protected:
    void SetUp() override {
        com3.LinkAsCom(3, home.Path());
        com5.LinkAsCom(5, home.Path());
    }

    static bool Held(int port) {
        ComPort probe;
        return !probe.OpenPort(static_cast<int16_t>(port), 300);
    }

    test::Pty com3;
    test::Pty com5;
};

TEST_F(PortEntry, ANewNumberClosesThePortAndOpensTheNewOne) {
    StartWatching({{"comport", "3"}});
    ASSERT_TRUE(Held(3));
    Enter(form().txtComPort, "5");
    EXPECT_FALSE(Held(3));
    EXPECT_TRUE(Held(5));
    EXPECT_TRUE(form().rx.SensorPort->IsPortOpen());
    EXPECT_EQ(Stored("comport"), "5");
    EXPECT_TRUE(reports.empty());
}

TEST_F(PortEntry, AnIllegalNumberLeavesThePortClosedAndTheBoxAtZero) {
    for (const std::string typed : {"0", "100", "-3"}) {
        test::FakeProcess run;
        run.settings.StoreComplete({{"comport", "3"}});
        run.main.Main();
        std::vector<std::string> seen;
        run.form().msgErrorObserver = [&seen](const std::string& text) { seen.push_back(text); };
        ASSERT_TRUE(Held(3));
        run.form().txtComPort.SetText(typed);
        run.form().txtComPort.UserKeyPress(kEnter);
        EXPECT_EQ(seen, std::vector<std::string>{"Illegal COM Port value " + typed + " - please set correct COM Port"});
        EXPECT_FALSE(run.form().rx.SensorPort->IsPortOpen()) << typed;
        EXPECT_FALSE(Held(3)) << typed;
        EXPECT_EQ(run.form().txtComPort.Text(), "0");
        EXPECT_EQ(run.settings.values.at(ValueName("comport")), "0");
    }
}

TEST_F(PortEntry, ANonNumberIsReportedAndTheBoxSetToZero) {
    StartWatching({{"comport", "3"}});
    Enter(form().txtComPort, "x");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].starts_with("COM Port x error: ")) << reports[0];
    EXPECT_GT(reports[0].size(), std::string("COM Port x error: ").size());
    EXPECT_FALSE(Held(3));
    EXPECT_EQ(form().txtComPort.Text(), "0");
    EXPECT_EQ(Stored("comport"), "0");
}

// The diagnostics carry the status-box hold as it was before the report they precede.
TEST_F(PortEntry, LogsItsDiagnosticsWithTheStatusHold) {
    const std::string log = FileIn("log.txt");
    StartWatching({{"comport", "3"}, {"logfile", log}, {"loginterval", "1"}});
    Enter(form().txtComPort, "x");
    Enter(form().txtComPort, "100");
    std::vector<std::string> diagnostics;
    for (const auto& line : test::ReadLines(log))
        if (line.find("~ 0b ") != std::string::npos || line.find("~ 0c ") != std::string::npos)
            diagnostics.push_back(line.substr(line.find("~ ") + 2));
    EXPECT_EQ(diagnostics, (std::vector<std::string>{"0b showcount 0 showpriority 0", "0c showcount 9 showpriority 4"}));
}

}  // namespace
}  // namespace orvanta
