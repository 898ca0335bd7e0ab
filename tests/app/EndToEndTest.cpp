// The real binary, offscreen, with its own config home: started, fed a sensor line,
// signalled, and judged by what it prints and leaves in the settings, the log and the port.

#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <QProcess>
#include <QSettings>
#include <QTest>
#include <csignal>
#include <map>
#include <optional>

#include "runtime/ComPort.h"
#include "support/FakePlatform.h"
#include "support/Pty.h"
#include "support/SensorLines.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

constexpr int kWaitMs = 10000;  // only ever waited out when something is broken
constexpr int kPort = 7;

const std::map<std::string, std::string> kDefaults{
    {"Top", "0"}, {"Left", "0"}, {"comport", "0"}, {"tempunit", "0"}, {"cloudytemp", "-25"}, {"vcloudytemp", "-10"},
    {"loginterval", "0"}, {"ontopf", "0"}, {"cafc", "0"}, {"cafk", "0"}, {"cafv", "0"}, {"cafw", "0"}, {"catv", "0"},
    {"catb", "0"}, {"cats", "0"}, {"logfile", ""}, {"datafile", ""}};

// The defaults with these values changed.
void StoreSettings(const std::string& home, std::map<std::string, std::string> values) {
    values.insert(kDefaults.begin(), kDefaults.end());  // keeps the given ones
    QSettings store(QString::fromStdString(home) + "/KerrwickSystems.conf", QSettings::IniFormat);
    for (const auto& [key, text] : values) store.setValue("Orvanta/frmOrvanta." + key, QString::fromStdString(text));
}

// Key to value, for the "frmOrvanta.<key>" values of the section.
std::map<std::string, std::string> Stored(const std::string& home) {
    QSettings store(QString::fromStdString(home) + "/KerrwickSystems.conf", QSettings::IniFormat);
    store.beginGroup("Orvanta");
    std::map<std::string, std::string> values;
    for (const QString& name : store.childKeys())
        if (name.startsWith("frmOrvanta."))
            values[name.sliced(11).toStdString()] = store.value(name).toString().toStdString();
    return values;
}

// Orvanta opens its port for itself alone.
bool Held(const Pty& pty) {
    int exclusive = 0;
    return ::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

// The sky text the window model shows for a line; the binary must print the same.
std::string SkyTextOf(const std::string& line) {
    FakeProcess model;
    model.main.Main();
    model.form().rx.CurrentMessage = line;
    model.form().ProcessMessage();
    return model.form().txtSkyTemp.Text();
}

class OrvantaRun {
public:
    explicit OrvantaRun(const std::string& configHome) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(environment);
        process_.start(ORVANTA_BINARY);
        EXPECT_TRUE(process_.waitForStarted(kWaitMs)) << process_.errorString().toStdString();
    }
    // Offscreen the window's lines go to standard output; true once one holds the text.
    bool Prints(const std::string& text) {
        return QTest::qWaitFor([&] {
            output_ += process_.readAllStandardOutput().toStdString();
            return output_.find(text) != std::string::npos;
        }, kWaitMs);
    }
    bool StillRunningAfter(int milliseconds) { return !process_.waitForFinished(milliseconds); }
    // The exit code once the signal has ended it; nothing if it crashed or hangs.
    std::optional<int> EndWith(int signal) {
        ::kill(static_cast<pid_t>(process_.processId()), signal);
        if (!process_.waitForFinished(kWaitMs) || process_.exitStatus() != QProcess::NormalExit) return std::nullopt;
        return process_.exitCode();
    }

private:
    QProcess process_;
    std::string output_;
};

// Each signal closes the window as the user would: exit code 0, every setting stored.
TEST(EndToEnd, StartsWithoutASensorKeepsRunningAndEndsCleanlyOnEachSignal) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE("signal " + std::to_string(signal));
        TempConfigHome home;
        OrvantaRun orvanta(home.Path());
        EXPECT_TRUE(orvanta.Prints("Could not find any previous settings in registry"));
        EXPECT_TRUE(orvanta.StillRunningAfter(500));
        EXPECT_EQ(orvanta.EndWith(signal), 0);
        EXPECT_EQ(Stored(home.Path()), kDefaults);
    }
}

TEST(EndToEnd, ReadsTheStoredPortAndLogsFromStartToEnd) {
    TempConfigHome home;
    const std::string log = home.Path() + "/orvanta.log";
    Pty sensor;
    sensor.LinkAsCom(kPort, home.Path());
    StoreSettings(home.Path(), {{"comport", std::to_string(kPort)}, {"logfile", log}});
    OrvantaRun orvanta(home.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Held(sensor); }, kWaitMs)) << "the port was never opened";
    EXPECT_FALSE(ComPort().OpenPort(kPort, 300)) << "a second open of a port in use must fail";
    const std::string sky = SkyTextOf(LayoutDLine());
    ASSERT_FALSE(sky.empty()) << "before any reading the box is empty";
    sensor.Write(LayoutDLine() + "\r\n");
    EXPECT_TRUE(orvanta.Prints("Sky-Amb. " + sky + " | "));
    EXPECT_NE(ReadFile(log).find("   Orvanta Start Up\r\n"), std::string::npos);
    EXPECT_EQ(orvanta.EndWith(SIGTERM), 0);
    EXPECT_TRUE(ReadFile(log).ends_with("   Orvanta Shut Down\r\n")) << ReadFile(log);
    EXPECT_TRUE(ComPort().OpenPort(kPort, 300)) << "released at the end";
}

TEST(EndToEnd, ASecondOrvantaOnTheSamePortGivesItUpAndStoresPortZero) {
    Pty sensor;
    TempConfigHome firstHome, secondHome;
    for (const TempConfigHome* home : {&firstHome, &secondHome}) {
        sensor.LinkAsCom(kPort, home->Path());
        StoreSettings(home->Path(), {{"comport", std::to_string(kPort)}});
    }
    OrvantaRun first(firstHome.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Held(sensor); }, kWaitMs));
    OrvantaRun second(secondHome.Path());
    EXPECT_TRUE(second.Prints("Could not open COM Port 7, Orvanta or something else already running on this port?"));
    EXPECT_EQ(second.EndWith(SIGTERM), 0);
    EXPECT_EQ(Stored(secondHome.Path())["comport"], "0");
    EXPECT_TRUE(Held(sensor)) << "the first one keeps its port";
    EXPECT_EQ(first.EndWith(SIGTERM), 0);
    EXPECT_EQ(Stored(firstHome.Path())["comport"], std::to_string(kPort));
}

}  // namespace
}  // namespace orvanta::test
