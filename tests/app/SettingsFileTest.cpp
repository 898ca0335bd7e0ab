// The settings phase of the load step on the real store: hand-written lines in the
// per-user file go in, and the file the load step leaves behind is read back as text.

#include <gtest/gtest.h>

#include <QSettings>

#include "QtSettingsStore.h"
#include "SettingsFileText.h"
#include "support/FakePlatform.h"
#include "support/Pty.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

// A fresh config home for the store. COM 99 leads to a pty, so a stored port 99 opens
// without a port error covering the note.
struct SettingsFileHome {
    SettingsFileHome() {
        // QSettings looks XDG_CONFIG_HOME up once per process, so each home is handed over.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(home.Path()));
        sensor.LinkAsCom(99, home.Path());
    }
    std::map<std::string, std::string> Stored() const { return StoredSettings(home.Path()); }

    TempConfigHome home;
    Pty sensor;
};

// The fakes of every other port (their FakeSettings unused) and the real store; built, it
// has run Main with its load step. The screen is 28800 x 16200 twips, the window 2940 x 5550.
struct ProcessOnSettingsFile : FakePlatform {
    ProcessOnSettingsFile() { main.Main(); }
    QtSettingsStore store;
    Platform withStore{clock, timers, dialogs, host, sound, system, store};
    CMain main{withStore};
    std::string Note() { return main.Form().txtAlertAlarmError.Text(); }
};

TEST(SettingsFile, FirstRunShowsTheNoteAndStoresEveryDefaultAtTheEndOfTheLoadStep) {
    SettingsFileHome file;
    ProcessOnSettingsFile p;
    EXPECT_EQ(p.Note(), "Could not find any previous settings in registry - using defaults.  This is normal if "
                        "Orvanta has never been run before");
    EXPECT_EQ(file.Stored(), kDefaultSettings);
}

// What the store writes comes back as written, commas and all, in the maker's shared file.
TEST(SettingsFile, TheStoreKeepsTheOrvantaSectionAsWritten) {
    SettingsFileHome file;
    const std::map<std::string, std::string> values{
        {"frmOrvanta.Top", "0"}, {"frmOrvanta.cloudytemp", "-25.5"}, {"frmOrvanta.logfile", "/a, b/orvanta log.txt"}};
    for (const auto& [name, text] : values) QtSettingsStore().Write(name, text);
    EXPECT_TRUE(ReadFile(SettingsFileOf(file.home.Path())).starts_with("[Orvanta]\nfrmOrvanta.Top=0\n"));
    QtSettingsStore reopened;
    for (const auto& [name, text] : values) EXPECT_EQ(reopened.Read(name), text) << name;
    EXPECT_EQ(reopened.Read("frmOrvanta.Left"), std::nullopt);
}

// Only the offending value falls back (catv=1 stays), and the note names it with its text.
TEST(SettingsFile, ChecksEachStoredTextAgainstItsRange) {
    // afterLoad is what the load step stores; min and max only for a bad value. No stored text: no line.
    struct Case { const char *key, *stored, *afterLoad, *min = nullptr, *max = nullptr; };
    for (const Case& c : std::initializer_list<Case>{
             {"Top", "10650", "10650"}, {"Top", "10651", "0", "0", "16200 - 5550"}, {"comport", "0", "0"},
             {"Left", "25861", "0", "0", "28800 - 2940"}, {"comport", "99", "99"}, {"comport", "-1", "0", "0", "99"},
             {"comport", "100", "0", "0", "99"}, {"cloudytemp", "-60", "-60"}, {"cloudytemp", "0", "0"},
             {"cloudytemp", "-60.5", "-25", "-60", "0"}, {"cloudytemp", "0.5", "-25", "-60", "0"},
             {"vcloudytemp", "-60", "-60"}, {"vcloudytemp", "0", "0"}, {"vcloudytemp", "-60.5", "-10", "-60", "0"},
             {"vcloudytemp", "0.5", "-10", "-60", "0"}, {"loginterval", "2.5", "2"}, {"tempunit", "2", "0", "0", "1"},
             {"loginterval", "3.5", "0", "0", "3"}, {"cloudytemp", nullptr, "-25", "-60", "0"},
             // An unquoted comma makes the INI reader split the text; the store joins it again.
             {"cloudytemp", "-12,5", "-12.5"}, {"vcloudytemp", "0,5", "-10", "-60", "0"}}) {
        const std::string key = c.key, raw = c.stored ? c.stored : "not in registry";
        SCOPED_TRACE(key + "=" + raw);
        SettingsFileHome file;
        WriteSettings(file.home.Path(), {{c.key, c.stored}, {"catv", "1"}});
        ProcessOnSettingsFile p;
        EXPECT_EQ(p.Note(), c.min ? "  Regname " + key + ", bad value, " + raw + ", min " + c.min + ", max " + c.max +
                                        " - using defaults" : "");
        EXPECT_EQ(file.Stored()[c.key], c.afterLoad);
        EXPECT_EQ(file.Stored()["catv"], "1");
    }
}

// A window pushed partly off the top or left keeps its last stored place; either edge
// being negative holds back both.
TEST(SettingsFile, ANegativeWindowPositionIsNeverStored) {
    SettingsFileHome file;
    WriteSettings(file.home.Path(), {{"Top", "100"}, {"Left", "200"}});
    ProcessOnSettingsFile p;
    // stored: "Top,Left" in the file after the move
    for (const auto& [top, left, stored] :
         {std::tuple{-15, 300, "100,200"}, {300, -15, "100,200"}, {300, 400, "300,400"}}) {
        p.main.Form().window.Move(top, left);
        p.main.Form().chkAlertFor[2].UserClick();  // any click saves the settings
        EXPECT_EQ(file.Stored()["Top"] + "," + file.Stored()["Left"], stored) << top << "," << left;
    }
}

}  // namespace
}  // namespace orvanta::test
