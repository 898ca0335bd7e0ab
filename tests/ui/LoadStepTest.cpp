// The window's load and unload steps: what the stored settings become in the controls,
// the checks of the log and data files, the port, and the lines logged at start and end.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

class LoadStep : public test::WindowTest {};

// The handlers run while the controls are set, the later index winning each pair; the
// texts put into the entry boxes must not commit by themselves later.
TEST_F(LoadStep, AppliesTheStoredControlsAndLeavesNoEditDelayArmed) {
    Start({{"cafc", "1"}, {"cafk", "1"}, {"catb", "1"}, {"cats", "1"}, {"ontopf", "1"}});
    // The store is written from the controls as the load step leaves them.
    EXPECT_EQ(Stored("cafc") + Stored("cafk") + Stored("catb") + Stored("cats"), "0101") << "Cloudy and Sound win";
    EXPECT_TRUE(form().window.OnTop());
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-25.0") << "the boxes were filled while loading";
    EXPECT_EQ(form().edits.CloudyEditDelay, 0);
    EXPECT_EQ(form().edits.VCloudyEditDelay, 0);
    EXPECT_EQ(form().edits.ComPortEditDelay, 0);
}

TEST_F(LoadStep, OpensTheFilesAndThePortUntilTheWindowCloses) {
    test::Pty com5;
    com5.LinkAsCom(5, home.Path());
    const std::string log = FileIn("log.txt");
    const std::string data = FileIn("data.txt");
    test::WriteText(log, "earlier\r\n");
    test::WriteText(data, "2026-12-05 10:00:00 an old reading that is much longer than an empty line\r\n");
    Start({{"comport", "5"}, {"logfile", log}, {"datafile", data}});
    EXPECT_EQ(test::ReadFile(data), "\r\n");
    EXPECT_TRUE(test::PortHeld(5));
    EXPECT_TRUE(form().optLog[3].Enabled());

    p.clock.AdvanceMs(61000);
    form().Close();
    EXPECT_FALSE(test::PortHeld(5));
    EXPECT_EQ(test::ReadFile(log),
              "earlier\r\n\r\n\r\n2026-12-06 21:00:00   Orvanta Start Up\r\n"
              "2026-12-06 21:01:01   Orvanta Shut Down\r\n");
    EXPECT_TRUE(p.dialogs.boxes.empty());
    EXPECT_EQ(p.host.endProcessCalls, 1);
}

TEST_F(LoadStep, UnopenableFilesAreReportedAndSwitchedOff) {
    const std::string log = Unopenable("log.txt");
    const std::string data = Unopenable("data.txt");
    Start({{"logfile", log}, {"datafile", data}, {"loginterval", "1"}});
    const std::string error = test::MissingFolderError();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                              "For log file " + log + " error005: " + error + ", path\\name cleared",
                              "For data file " + data + " error010: could not open, " + error +
                                  ", path\\name cleared to avoid further errors"}));
    EXPECT_EQ(SleepCalls(), 6);
    EXPECT_EQ(Stored("logfile"), "");
    EXPECT_EQ(Stored("datafile"), "");
    EXPECT_FALSE(form().optLog[1].Enabled());
}

// The path stays, so the user sees at the next start whether the file is usable again.
TEST_F(LoadStep, ALogThatBecameUnwritableIsReportedAtCloseAndTheCloseCompletes) {
    const std::string folder = FileIn("logs");
    std::filesystem::create_directory(folder);
    const std::string log = folder + "/log.txt";
    Start({{"logfile", log}, {"loginterval", "2"}});
    std::filesystem::remove_all(folder);

    form().Close();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For log file " + log + " error020: " + test::MissingFolderError()});
    EXPECT_EQ(p.main.LogFilePath, log);
    EXPECT_FALSE(form().optLog[2].Enabled());
    EXPECT_EQ(p.host.endProcessCalls, 1);
}

}  // namespace
}  // namespace orvanta
