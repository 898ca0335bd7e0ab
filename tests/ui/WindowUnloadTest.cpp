// Closing the window: settings saved, port and timers released, the shut-down line logged.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/ComPort.h"
#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

class WindowUnload : public test::WindowTest {};

TEST_F(WindowUnload, SavesReleasesAndLogsTheShutDown) {
    test::Pty pty;
    pty.LinkAsCom(5, home.Path());
    const std::string log = FileIn("log.txt");
    Start({{"comport", "5"}, {"logfile", log}});
    form().window.Move(600, 700);
    p.clock.AdvanceMs(61000);

    form().Close();

    EXPECT_EQ(Stored("Top"), "600");
    EXPECT_EQ(Stored("Left"), "700");
    ComPort second;
    EXPECT_TRUE(second.OpenPort(5, 300)) << "COM5 was given back";
    EXPECT_FALSE(p.timers.Alive(kPollPeriodMs));
    EXPECT_FALSE(p.timers.Alive(kAlertPeriodMs));
    EXPECT_EQ(test::ReadLines(log).back(), "2026-12-06 21:01:01   Orvanta Shut Down");
    EXPECT_EQ(p.host.endProcessCalls, 1);
    EXPECT_TRUE(p.dialogs.boxes.empty());
}

// The path stays, so the user sees at the next start whether the file is usable again.
TEST_F(WindowUnload, AnUnwritableLogGivesTheBoxAndTheUnloadStillCompletes) {
    const std::string folder = FileIn("logs");
    std::filesystem::create_directory(folder);
    const std::string log = folder + "/log.txt";
    Start({{"logfile", log}, {"loginterval", "2"}});
    std::filesystem::remove_all(folder);

    form().Close();

    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"For log file " + log + " error020: " + test::MissingFolderError()});
    EXPECT_EQ(p.dialogs.boxes[0].title, "Orvanta");
    EXPECT_EQ(p.main.LogFilePath, log);
    EXPECT_FALSE(form().optLog[2].Enabled());
    EXPECT_FALSE(p.timers.Alive(kPollPeriodMs));
    EXPECT_EQ(p.host.endProcessCalls, 1);
}

}  // namespace
}  // namespace orvanta
