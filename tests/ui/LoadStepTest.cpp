// The window's load step: what the stored settings become in the controls, the start-up
// checks of the log and data files, the port, and the state the ticks find afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ComPort.h"
#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

using test::WindowTest;

constexpr const char* kStartTime = "2026-12-06 21:00:00";  // the fake clock's first reading

class LoadStep : public WindowTest {};

// The handlers run while the controls are set, the later index winning each pair.
TEST_F(LoadStep, StoredExclusivePairsEndWithTheLaterOneOnly) {
    Start({{"cafc", "1"}, {"cafk", "1"}, {"cafw", "1"}, {"catv", "1"}, {"catb", "1"}, {"cats", "1"}});
    const std::vector<int16_t> alertFor = {form().chkAlertFor[0].Value(), form().chkAlertFor[1].Value(),
                                           form().chkAlertFor[2].Value(), form().chkAlertFor[3].Value()};
    const std::vector<int16_t> alertType = {form().chkAlertType[0].Value(), form().chkAlertType[1].Value(),
                                            form().chkAlertType[2].Value()};
    EXPECT_EQ(alertFor, (std::vector<int16_t>{0, 1, 0, 1}));
    EXPECT_EQ(alertType, (std::vector<int16_t>{1, 0, 1}));
    EXPECT_EQ(Stored("cafc"), "0");
    EXPECT_EQ(Stored("catb"), "0");
}

TEST_F(LoadStep, AppliesTheStoredOnTopFlagToWindowAndBox) {
    Start({{"ontopf", "1"}});
    EXPECT_TRUE(form().window.OnTop());
    EXPECT_EQ(form().chkOnTop.Value(), 1);
}

// Texts the load step puts into the entry boxes must not commit by themselves later.
TEST_F(LoadStep, LeavesNoEditDelayArmed) {
    Start();
    ASSERT_EQ(form().txtComPort.Text(), "0") << "all three boxes were filled while loading";
    EXPECT_EQ(form().edits.CloudyEditDelay, 0);
    EXPECT_EQ(form().edits.VCloudyEditDelay, 0);
    EXPECT_EQ(form().edits.ComPortEditDelay, 0);
}

TEST_F(LoadStep, EndsVisibleWithItsCaptionAndTheTicksReleased) {
    Start();
    EXPECT_TRUE(form().window.Visible());
    EXPECT_EQ(form().window.Caption(), "Orvanta  V1.59");
    EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp);
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-25.0");
    EXPECT_EQ(form().txtVCloudyTemp.Text(), "-10.0");
    EXPECT_EQ(p.main.PollBusy, 0);
    EXPECT_EQ(p.main.AlertBusy, 0);
}

TEST_F(LoadStep, LoggingOptionsAreEnabledExactlyWhenALogFileIsSet) {
    Start();
    EXPECT_FALSE(form().optLog[0].Enabled());
    EXPECT_FALSE(form().optLog[3].Enabled());

    test::FakeProcess withLog;
    withLog.settings.StoreComplete({{"logfile", FileIn("log.txt")}});
    withLog.main.Main();
    EXPECT_TRUE(withLog.form().optLog[0].Enabled());
    EXPECT_TRUE(withLog.form().optLog[3].Enabled());
}

TEST_F(LoadStep, AppendsTheStartUpLineToTheLogFile) {
    const std::string log = FileIn("log.txt");
    test::WriteText(log, "earlier\r\n");
    Start({{"logfile", log}});
    EXPECT_EQ(test::ReadFile(log), "earlier\r\n\r\n\r\n" + std::string(kStartTime) + "   Orvanta Start Up\r\n");
    EXPECT_TRUE(p.dialogs.boxes.empty());
}

TEST_F(LoadStep, AnUnopenableLogFileIsReportedAndSwitchedOff) {
    const std::string log = Unopenable("log.txt");
    Start({{"logfile", log}, {"loginterval", "1"}});
    ASSERT_EQ(p.dialogs.boxes.size(), 1u);
    EXPECT_EQ(p.dialogs.boxes[0].text,
              "For log file " + log + " error005: " + test::MissingFolderError() + ", path\\name cleared");
    EXPECT_EQ(p.dialogs.boxes[0].title, "Orvanta");
    EXPECT_EQ(p.main.LogFilePath, "");
    EXPECT_EQ(Stored("logfile"), "");
    EXPECT_FALSE(form().optLog[1].Enabled());
}

TEST_F(LoadStep, EmptiesTheDataFileToOneEmptyLine) {
    const std::string data = FileIn("data.txt");
    test::WriteText(data, "2026-12-05 10:00:00 an old reading that is much longer than an empty line\r\n");
    Start({{"datafile", data}});
    EXPECT_EQ(test::ReadFile(data), "\r\n");
    EXPECT_EQ(p.main.DataFilePath, data);
    EXPECT_EQ(SleepCalls(), 0);
}

TEST_F(LoadStep, ADataFileThatCannotBeOpenedSixTimesIsReportedAndSwitchedOff) {
    const std::string data = Unopenable("data.txt");
    Start({{"datafile", data}});
    EXPECT_EQ(SleepCalls(), 6);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For data file " + data + " error010: could not open, " +
                                                   test::MissingFolderError() +
                                                   ", path\\name cleared to avoid further errors"});
    EXPECT_EQ(p.main.DataFilePath, "");
    EXPECT_EQ(Stored("datafile"), "");
}

TEST_F(LoadStep, OpensTheStoredPort) {
    test::Pty pty;
    pty.LinkAsCom(5, home.Path());
    Start({{"comport", "5"}});
    ASSERT_NE(form().rx.SensorPort, nullptr);
    EXPECT_TRUE(form().rx.SensorPort->IsPortOpen());
    ComPort second;
    EXPECT_FALSE(second.OpenPort(5, 300)) << "the window holds COM5";
    EXPECT_EQ(form().txtComPort.Text(), "5");
}

}  // namespace
}  // namespace orvanta
