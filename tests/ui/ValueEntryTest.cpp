// Typed values in the threshold and port boxes: when they commit, how they are checked,
// and what a port commit does to the real serial port; then the log and data file
// choosers, with a scripted file dialog and real files.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/Pty.h"
#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

using Texts = std::vector<std::string>;

class ValueEntry : public test::WindowTest {
protected:
    // The wording after " error: " is the system's own, so the reports show it as "<description>".
    ValueEntry() {
        form().msgErrorObserver = [this](std::string text) {
            const auto at = text.find(" error: ");
            if (at != std::string::npos && text.size() > at + 8) text.replace(at + 8, text.npos, "<description>");
            reports.push_back(text);
        };
    }
    // Types the text and presses Enter, which the box must swallow.
    void Enter(TextBox& box, const std::string& text) {
        reports.clear();
        box.SetText(text);
        EXPECT_EQ(box.UserKeyPress(13), 0) << "Enter swallowed";
    }
    // Answers the next file dialog with this file, which holds a line when it can be written.
    std::string Choose(const std::string& file, CommandButton& chooser) {
        test::WriteText(file, "kept\r\n");
        p.dialogs.fileAnswers.push_back({0, "", file});
        chooser.UserClick();
        return file;
    }
    Texts reports;
};

// The threshold boxes accept -60 to 0, in Celsius after converting a Fahrenheit entry; a
// rejected text gives way to the value in force. Every port commit closes the port first
// and only 1 to 99 opens it again (held: the port open afterwards, 0 for none).
TEST_F(ValueEntry, ChecksEachTypedValueAndShowsTheValueInForce) {
    test::Pty com3, com5;
    com3.LinkAsCom(3, home.Path());
    com5.LinkAsCom(5, home.Path());
    Start({{"cloudytemp", "-30"}, {"comport", "3"}});
    TextBox *cloudy = &form().txtCloudyTemp, *vCloudy = &form().txtVCloudyTemp, *port = &form().txtComPort;
    const std::map<TextBox*, std::string> keys = {{cloudy, "cloudytemp"}, {vCloudy, "vcloudytemp"}, {port, "comport"}};
    struct Case { TextBox* box; bool fahrenheit; const char *typed, *shown, *stored; int held; Texts reports; };
    const std::vector<Case> cases = {
        {cloudy, true, "-45", "-45.0", "-25", 3, {}},
        {cloudy, true, "-109", "-45.0", "-25", 3, {"Illegal Clear/Cloudy Temp. value -109"}},
        {cloudy, false, "0.5", "-25.0", "-25", 3, {"Illegal Clear/Cloudy Temp. value 0.5"}},
        {vCloudy, false, "0.5", "-10.0", "-10", 3, {"Illegal Cloudy/V.C. Temp. value 0.5"}},
        {cloudy, false, "abc", "-25.0", "-25", 3, {"Clear/Cloudy Temp. abc error: <description>"}},
        {vCloudy, false, "-", "-10.0", "-10", 3, {"Cloudy/V.C. Temp. - error: <description>"}},
        {port, false, "5", "5", "5", 5, {}},
        {port, false, "100", "0", "0", 0, {"Illegal COM Port value 100 - please set correct COM Port"}},
        {port, false, "3", "3", "3", 3, {}},
        {port, false, "0", "0", "0", 0, {"Illegal COM Port value 0 - please set correct COM Port"}},
        {port, false, "5", "5", "5", 5, {}},
        {port, false, "x", "0", "0", 0, {"COM Port x error: <description>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(keys.at(c.box) + " " + c.typed + (c.fahrenheit ? " F" : ""));
        form().optUnits.UserClick(c.fahrenheit ? 1 : 0);
        Enter(*c.box, c.typed);
        EXPECT_EQ(c.box->Text(), c.shown);
        EXPECT_EQ(Stored(keys.at(c.box)), c.stored);
        EXPECT_EQ(std::make_pair(test::PortHeld(3), test::PortHeld(5)), std::make_pair(c.held == 3, c.held == 5));
        EXPECT_EQ(reports, c.reports);
    }
}

// Enter does not disarm the delay, so the same commit runs once more 6 s later, and only then.
TEST_F(ValueEntry, EnterCommitsAgain24TicksLater) {
    Start();
    Enter(form().txtCloudyTemp, "-30");
    for (int tick = 1; tick <= 24; ++tick) {
        p.settings.values[ValueName("cloudytemp")] = "written before this tick";
        p.PollTick();
        EXPECT_EQ(Stored("cloudytemp"), tick == 24 ? "-30" : "written before this tick") << tick;
    }
}

// Cancelling switches a file off and leaves the logging options as they are. An unopenable
// log file is reported and switches logging off; the store keeps the previous path until
// the next change. Other programs read the data file, so a replacement is emptied by its
// test open; a first choice is taken as it is.
TEST_F(ValueEntry, FileChoosersTestTheChosenFile) {
    Start({{"logfile", FileIn("log.txt")}, {"datafile", FileIn("data.txt")}});
    form().cmdLogfile.UserClick();
    form().cmdDataFile.UserClick();
    EXPECT_EQ(p.dialogs.fileDialogs, (Texts{"Log File flags 4", "Data File flags 4"}));
    EXPECT_EQ(Stored("logfile") + Stored("datafile"), "");
    EXPECT_TRUE(form().optLog[0].Enabled());

    const std::string log = Choose(FileIn("new.txt"), form().cmdLogfile);
    const std::string badLog = Choose(Unopenable("log.txt"), form().cmdLogfile);
    EXPECT_EQ(p.main.LogFilePath, "");
    EXPECT_FALSE(form().optLog[3].Enabled());
    EXPECT_EQ(Stored("logfile"), log);

    const std::string untested = Choose(FileIn("data.txt"), form().cmdDataFile);
    EXPECT_EQ(test::ReadFile(untested), "kept\r\n");
    EXPECT_EQ(Stored("datafile"), untested);
    const std::string replacement = Choose(FileIn("other.txt"), form().cmdDataFile);
    EXPECT_EQ(test::ReadFile(replacement), "");
    EXPECT_EQ(Stored("datafile"), replacement);
    const std::string badData = Choose(Unopenable("data.txt"), form().cmdDataFile);
    EXPECT_EQ(SleepCalls(), 6);
    EXPECT_EQ(Stored("datafile"), "");
    EXPECT_EQ(BoxTexts(), (Texts{"For file " + badLog + " error140: " + test::MissingFolderError(),
                                 "For file " + badData + " error130: could not open, " + test::MissingFolderError() +
                                     ", path\\name cleared to avoid further errors"}));
}

}  // namespace
}  // namespace orvanta
