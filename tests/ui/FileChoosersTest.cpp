// The log and data file choosers with a scripted file dialog and real files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/SensorLines.h"
#include "ui/WindowFixture.h"

namespace orvanta {
namespace {

constexpr int kSomeDialogError = 20477;

class FileChoosers : public test::WindowTest {
protected:
    void Answer(const std::string& fileName) { p.dialogs.fileAnswers.push_back({0, "", fileName}); }
};

struct ChooserCase {
    const char* name;
    void (frmOrvanta::*click)();
    std::string CMain::*path;
    const char* key;
    const char* badFileText;
};

const std::vector<ChooserCase> kChoosers = {
    {"log", &frmOrvanta::cmdLogfile_Click, &CMain::LogFilePath, "logfile", "Bad log file "},
    {"data", &frmOrvanta::cmdDataFile_Click, &CMain::DataFilePath, "datafile", "Bad data file "},
};

// Cancelling switches the file off; the logging options keep their state.
TEST_F(FileChoosers, CancellingClearsThePathAndStoresIt) {
    Start({{"logfile", FileIn("log.txt")}, {"datafile", FileIn("data.txt")}});
    for (const auto& chooser : kChoosers) {
        (form().*chooser.click)();
        EXPECT_EQ(p.main.*chooser.path, "") << chooser.name;
        EXPECT_EQ(Stored(chooser.key), "") << chooser.name;
    }
    EXPECT_TRUE(form().optLog[0].Enabled());
    EXPECT_TRUE(p.dialogs.boxes.empty());
    EXPECT_EQ(p.dialogs.fileDialogs, (std::vector<std::string>{"Log File flags 4", "Data File flags 4"}));
}

TEST_F(FileChoosers, AnotherDialogErrorIsShownAndChangesNothing) {
    const std::string log = FileIn("log.txt");
    const std::string data = FileIn("data.txt");
    Start({{"logfile", log}, {"datafile", data}});
    for (const auto& chooser : kChoosers) {
        const std::string before = p.main.*chooser.path;
        form().window.SetFocus(&form().txtVCloudyTemp);
        p.dialogs.fileAnswers.push_back({kSomeDialogError, "Invalid file name", ""});
        (form().*chooser.click)();
        ASSERT_FALSE(p.dialogs.boxes.empty());
        EXPECT_EQ(p.dialogs.boxes.back().text, chooser.badFileText + std::to_string(kSomeDialogError) +
                                                   " Invalid file name");
        EXPECT_EQ(p.dialogs.boxes.back().title, "Orvanta");
        EXPECT_EQ(p.main.*chooser.path, before) << chooser.name;
        EXPECT_EQ(Stored(chooser.key), before) << chooser.name;
        EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp) << chooser.name;
    }
}

TEST_F(FileChoosers, AGoodLogFileIsCreatedStoredAndEnablesLogging) {
    Start();
    ASSERT_FALSE(form().optLog[1].Enabled());
    const std::string log = FileIn("new-log.txt");
    Answer(log);
    form().cmdLogfile.UserClick();
    EXPECT_TRUE(std::filesystem::exists(log));
    EXPECT_EQ(p.main.LogFilePath, log);
    EXPECT_EQ(Stored("logfile"), log);
    EXPECT_TRUE(form().optLog[1].Enabled());
}

// The store keeps the previous path: it is rewritten only on the next change.
TEST_F(FileChoosers, AnUnopenableLogFileIsReportedAndSwitchesLoggingOff) {
    const std::string old = FileIn("log.txt");
    Start({{"logfile", old}});
    const std::string chosen = Unopenable("log.txt");
    Answer(chosen);
    form().cmdLogfile.UserClick();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For file " + chosen + " error140: " + test::MissingFolderError()});
    EXPECT_EQ(p.main.LogFilePath, "");
    EXPECT_FALSE(form().optLog[0].Enabled());
    EXPECT_FALSE(form().optLog[3].Enabled());
    EXPECT_EQ(Stored("logfile"), old);
}

// Other programs read the data file, so a replacement starts out empty.
TEST_F(FileChoosers, ADataFileReplacingAnotherIsEmptied) {
    Start({{"datafile", FileIn("data.txt")}});
    const std::string chosen = FileIn("other.txt");
    test::WriteText(chosen, "a line left behind by someone\r\n");
    Answer(chosen);
    form().cmdDataFile.UserClick();
    EXPECT_EQ(test::ReadFile(chosen), "");
    EXPECT_EQ(p.main.DataFilePath, chosen);
    EXPECT_EQ(Stored("datafile"), chosen);
}

TEST_F(FileChoosers, ADataFileChosenWhileNoneWasSetIsTakenUntested) {
    Start();
    const std::string chosen = FileIn("data.txt");
    test::WriteText(chosen, "keep me\r\n");
    Answer(chosen);
    form().cmdDataFile.UserClick();
    EXPECT_EQ(test::ReadFile(chosen), "keep me\r\n");
    EXPECT_EQ(p.main.DataFilePath, chosen);
    EXPECT_EQ(Stored("datafile"), chosen);
    EXPECT_EQ(SleepCalls(), 0);
}

TEST_F(FileChoosers, ADataFileThatCannotBeOpenedSixTimesIsReportedAndSwitchedOff) {
    Start({{"datafile", FileIn("data.txt")}});
    const std::string chosen = Unopenable("data.txt");
    Answer(chosen);
    form().cmdDataFile.UserClick();
    EXPECT_EQ(SleepCalls(), 6);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"For file " + chosen + " error130: could not open, " +
                                                   test::MissingFolderError() +
                                                   ", path\\name cleared to avoid further errors"});
    EXPECT_EQ(p.main.DataFilePath, "");
    EXPECT_EQ(Stored("datafile"), "");
}

TEST_F(FileChoosers, DoNothingWhileAnotherHandlerRuns) {
    const std::string log = FileIn("log.txt");
    Start({{"logfile", log}});
    form().busyf = 1;
    for (const auto& chooser : kChoosers) {
        Answer(FileIn("other.txt"));
        const std::string before = p.main.*chooser.path;
        (form().*chooser.click)();
        EXPECT_EQ(p.dialogs.fileAnswers.size(), 1u) << chooser.name << ": no dialog shown";
        EXPECT_EQ(p.main.*chooser.path, before) << chooser.name;
        p.dialogs.fileAnswers.clear();
    }
    EXPECT_EQ(form().busyf, 1);
}

}  // namespace
}  // namespace orvanta
