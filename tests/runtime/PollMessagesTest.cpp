// The poll tick against a real pseudo-terminal standing in for the sensor's port.

#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/CMain.h"
#include "support/FakePlatform.h"
#include "support/Pty.h"
#include "support/SensorLines.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

namespace orvanta {
namespace {

using namespace std::string_literals;

constexpr int kPort = 3;

class PollMessages : public testing::Test {
protected:
    void SetUp() override {
        pty.LinkAsCom(kPort, home.Path());
        logPath = home.Path() + "/log.txt";
        p.settings.StoreComplete({{"comport", std::to_string(kPort)}, {"logfile", logPath}, {"loginterval", "1"}});
        p.main.Main();
        form().msgErrorObserver = [this](const std::string& text) { errors.push_back(text); };
        ASSERT_TRUE(form().rx.SensorPort->IsPortOpen());
    }

    frmOrvanta& form() { return p.form(); }

    // Sends bytes as the sensor would and waits until the port has them.
    void Send(const std::string& bytes) {
        pty.Write(bytes);
        ASSERT_TRUE(pty.WaitForInput(2000));
    }

    void EndGrace() { form().msg.StartupGrace = 0; }

    test::TempConfigHome home;
    test::Pty pty;
    std::string logPath;
    test::FakeProcess p;
    std::vector<std::string> errors;
};

// Each step sends bytes (maybe none) and runs one tick; the message handed over then.
struct FramingStep {
    std::string sent;
    std::string handedOver;
};

TEST_F(PollMessages, FramesOneLineAtMostPerTick) {
    const std::vector<std::pair<const char*, std::vector<FramingStep>>> cases{
        {"garbage up to a NUL dropped", {{"T1\0AB\r\n"s, "AB"}}},
        {"line split over two ticks", {{"AB", ""}, {"\r\n", "AB"}}},
        {"two waiting lines take two ticks", {{"AB\r\nCDE\r\n", "AB"}, {"", "CDE"}}},
        {"line feed alone drops the character before it", {{"AB\n", "A"}}},
    };
    EndGrace();
    for (const auto& [name, steps] : cases) {
        form().rx.CurrentMessage.clear();
        for (const auto& step : steps) {
            if (!step.sent.empty()) Send(step.sent);
            p.PollTick();
            EXPECT_EQ(form().rx.CurrentMessage, step.handedOver) << name;
        }
    }
    EXPECT_EQ(errors.front(), "Message length is 2, which is illegal");
}

TEST_F(PollMessages, PortBoxZeroStopsReadingEvenWithThePortOpen) {
    form().txtComPort.SetText("0");
    Send("AB\r\n");
    p.PollTick();
    EXPECT_EQ(form().rx.CurrentMessage, "");
    EXPECT_EQ(form().rx.SensorPort->ReadPort(), "AB\r\n") << "the bytes stay in the driver";
}

TEST_F(PollMessages, LampBlinksGreenOnGoodDataAndTurnsRedAfterFifteenQuietSeconds) {
    for (int tick = 0; tick < 100; ++tick) p.PollTick();
    EXPECT_EQ(form().shaMsg.FillColor(), kWindowBackground) << "never red before the first good message";

    Send(test::LayoutDLine() + "\r\n");
    p.PollTick();
    EXPECT_EQ(p.main.TicksSinceGoodData, 0);
    EXPECT_EQ(form().shaMsg.FillColor(), kGreen);
    form().calibration.Calibrating = -1;
    form().calibration.CalibrationStep = -1;
    for (int tick = 1; tick <= 60; ++tick) {
        p.PollTick();
        ASSERT_EQ(form().shaMsg.FillColor(), kWindowBackground) << "tick " << tick;
    }
    EXPECT_EQ(form().calibration.Calibrating, -1);
    p.PollTick();
    EXPECT_EQ(form().shaMsg.FillColor(), kRed);
    EXPECT_EQ(form().calibration.Calibrating, 0);
    EXPECT_EQ(form().calibration.CalibrationStep, 0);
}

TEST_F(PollMessages, StartModeIsSettledOnTheFirstWorkingTick) {
    p.main.CloudSensorCreated = 1;
    p.PollTick();
    EXPECT_EQ(p.main.StartMode, 2);
    p.main.CloudSensorCreated = 0;
    p.PollTick();
    EXPECT_EQ(p.main.StartMode, 2);
}

TEST_F(PollMessages, APollTickDuringABoxOfThePollTickDoesNothing) {
    EndGrace();
    std::filesystem::remove(logPath);
    std::filesystem::create_directory(logPath);  // appending to it now fails
    int32_t ticksInsideBox = -1;
    p.dialogs.whileBoxOpen = [&] {
        const int32_t before = p.main.TicksSinceGoodData;
        p.PollTick();
        ticksInsideBox = p.main.TicksSinceGoodData - before;
    };
    Send("AB\r\n");
    p.PollTick();
    ASSERT_EQ(p.dialogs.boxes.size(), 1u);
    EXPECT_EQ(ticksInsideBox, 0);
    EXPECT_TRUE(p.main.LogFilePath.empty());
}

TEST(PollMessagesPort, AHeldPortIsReportedAndThePortBoxCleared) {
    test::TempConfigHome home;
    test::Pty pty;
    pty.LinkAsCom(7, home.Path());
    ComPort holder;
    ASSERT_TRUE(holder.OpenPort(7, 300));
    const std::string logPath = home.Path() + "/log.txt";
    test::FakeProcess p;
    p.settings.StoreComplete({{"comport", "7"}, {"logfile", logPath}, {"loginterval", "1"}});
    p.main.Main();

    EXPECT_FALSE(p.form().rx.SensorPort->IsPortOpen());
    EXPECT_EQ(p.form().txtComPort.Text(), "0");
    EXPECT_EQ(p.form().txtAlertAlarmError.Text(),
              "Could not open COM Port 7, Orvanta or something else already running on this port?");
    EXPECT_EQ(p.form().txtAlertAlarmError.ForeColor(), kRed);
    const auto log = test::ReadLines(logPath);
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[3].substr(19), " E" + std::string(40, ' ') + "~~ 0a showcount 0 showpriority 0");
    EXPECT_EQ(log[4].substr(19), " E" + std::string(40, ' ') +
                                     "~~ Could not open COM Port 7, Orvanta or something else already running on "
                                     "this port?");
    EXPECT_EQ(p.settings.values["frmOrvanta.comport"], "0");
}

}  // namespace
}  // namespace orvanta
