// Typed values in the threshold and port boxes: when they commit, how they are checked,
// and what a port commit does to the real serial port; then the log and data file
// choosers, with a scripted file dialog and real files.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

// No report when none is expected; one ending in " error: " goes on with the system's description.
bool Reported(const std::vector<std::string>& reports, const std::string& expected) {
    if (expected.empty()) return reports.empty();
    if (reports.size() != 1) return false;
    if (!expected.ends_with(" error: ")) return reports[0] == expected;
    return reports[0].starts_with(expected) && reports[0].size() > expected.size();
}

class ValueEntry : public test::WindowTest {
protected:
    ValueEntry() { form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); }; }
    // Types the text and presses Enter, which the box must swallow.
    void Enter(TextBox& box, const std::string& text) {
        reports.clear();
        box.SetText(text);
        EXPECT_EQ(box.UserKeyPress(13), 0) << "Enter swallowed";
    }
    std::vector<std::string> reports;
};

// Both boxes accept -60 to 0, in Celsius after converting a Fahrenheit entry;
// a rejected text gives way to the value in force.
TEST_F(ValueEntry, ChecksTheTypedThresholdAndShowsTheValueInForce) {
    Start({{"cloudytemp", "-30"}});
    struct Case { bool fahrenheit, veryCloudyBox; const char *typed, *shownAfter, *storedAfter, *report; };
    const std::vector<Case> cases = {
        {true, false, "-45", "-45.0", "-25", ""},
        {true, false, "-109", "-45.0", "-25", "Illegal Clear/Cloudy Temp. value -109"},
        {false, false, "0.5", "-25.0", "-25", "Illegal Clear/Cloudy Temp. value 0.5"},
        {false, true, "0.5", "-10.0", "-10", "Illegal Cloudy/V.C. Temp. value 0.5"},
        {false, false, "abc", "-25.0", "-25", "Clear/Cloudy Temp. abc error: "},
        {false, true, "-", "-10.0", "-10", "Cloudy/V.C. Temp. - error: "},
    };
    for (const auto& c : cases) {
        form().optUnits.UserClick(c.fahrenheit ? 1 : 0);
        TextBox& box = c.veryCloudyBox ? form().txtVCloudyTemp : form().txtCloudyTemp;
        Enter(box, c.typed);
        const std::string context = std::string(c.typed) + (c.fahrenheit ? " F" : " C");
        EXPECT_EQ(box.Text(), c.shownAfter) << context;
        EXPECT_EQ(Stored(c.veryCloudyBox ? "vcloudytemp" : "cloudytemp"), c.storedAfter) << context;
        EXPECT_TRUE(Reported(reports, c.report)) << context << ": " << testing::PrintToString(reports);
    }
}

// Enter does not disarm the delay, so the same commit runs once more 6 s later.
TEST_F(ValueEntry, EnterCommitsAtOnceAndAgain24TicksLater) {
    Start();
    Enter(form().txtCloudyTemp, "-30");
    EXPECT_EQ(p.main.CloudyThreshT, -30);
    p.settings.values[ValueName("cloudytemp")] = "written before the second commit";
    for (int i = 0; i < 23; ++i) p.PollTick();
    EXPECT_EQ(Stored("cloudytemp"), "written before the second commit");
    p.PollTick();
    EXPECT_EQ(Stored("cloudytemp"), "-30");
}

// Every commit closes the port first; only 1 to 99 opens it again.
TEST_F(ValueEntry, APortCommitClosesThePortAndOpensALegalOne) {
    test::Pty com3, com5;
    com3.LinkAsCom(3, home.Path());
    com5.LinkAsCom(5, home.Path());
    Start({{"comport", "3"}});
    // held is the port open afterwards, 0 for none.
    struct Case { const char* typed; int held; const char* report; };
    const std::vector<Case> cases = {
        {"5", 5, ""}, {"100", 0, "Illegal COM Port value 100 - please set correct COM Port"},
        {"3", 3, ""}, {"0", 0, "Illegal COM Port value 0 - please set correct COM Port"},
        {"5", 5, ""}, {"x", 0, "COM Port x error: "},
    };
    for (const auto& c : cases) {
        Enter(form().txtComPort, c.typed);
        const std::string shown = c.held ? c.typed : "0";
        EXPECT_EQ(test::PortHeld(3), c.held == 3) << c.typed;
        EXPECT_EQ(test::PortHeld(5), c.held == 5) << c.typed;
        EXPECT_EQ(form().txtComPort.Text(), shown) << c.typed;
        EXPECT_EQ(Stored("comport"), shown) << c.typed;
        EXPECT_TRUE(Reported(reports, c.report)) << c.typed << ": " << testing::PrintToString(reports);
    }
}

class FileChoosers : public test::WindowTest {
protected:
    // Answers the next dialog with this file, which holds a line when it can be written.
    std::string Choose(const std::string& file, CommandButton& chooser) {
        test::WriteText(file, "kept\r\n");
        p.dialogs.fileAnswers.push_back({0, "", file});
        chooser.UserClick();
        return file;
    }
};

// Cancelling switches the file off; the logging options keep their state.
TEST_F(FileChoosers, CancellingClearsBothPathsAndStoresThem) {
    Start({{"logfile", FileIn("log.txt")}, {"datafile", FileIn("data.txt")}});
    form().cmdLogfile.UserClick();
    form().cmdDataFile.UserClick();
    EXPECT_EQ(p.dialogs.fileDialogs, (std::vector<std::string>{"Log File flags 4", "Data File flags 4"}));
    EXPECT_EQ(Stored("logfile"), "");
    EXPECT_EQ(Stored("datafile"), "");
    EXPECT_TRUE(form().optLog[0].Enabled());
}

// The store keeps the previous path: it is rewritten only on the next change.
TEST_F(FileChoosers, AnUnopenableLogFileIsReportedAndSwitchesLoggingOff) {
    const std::string old = FileIn("log.txt");
    Start({{"logfile", old}});
    const std::string chosen = Choose(Unopenable("log.txt"), form().cmdLogfile);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For file " + chosen + " error140: " + test::MissingFolderError()});
    EXPECT_EQ(p.main.LogFilePath, "");
    EXPECT_FALSE(form().optLog[3].Enabled());
    EXPECT_EQ(Stored("logfile"), old);
}

// Other programs read the data file, so a replacement is emptied by its test open; a
// first choice is taken as it is.
TEST_F(FileChoosers, ADataFileIsTestedOnlyWhenItReplacesAnother) {
    Start({{"datafile", FileIn("data.txt")}});
    const std::string replacement = Choose(FileIn("other.txt"), form().cmdDataFile);
    EXPECT_EQ(test::ReadFile(replacement), "");
    EXPECT_EQ(Stored("datafile"), replacement);

    const std::string unopenable = Choose(Unopenable("data.txt"), form().cmdDataFile);
    EXPECT_EQ(SleepCalls(), 6);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For file " + unopenable + " error130: could not open, " +
                                                   test::MissingFolderError() +
                                                   ", path\\name cleared to avoid further errors"});
    EXPECT_EQ(Stored("datafile"), "");

    const std::string untested = Choose(FileIn("next.txt"), form().cmdDataFile);
    EXPECT_EQ(test::ReadFile(untested), "kept\r\n");
    EXPECT_EQ(Stored("datafile"), untested);
}

}  // namespace
}  // namespace orvanta
