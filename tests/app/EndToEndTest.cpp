// The real binary, offscreen, with its own config home: started, fed a sensor line,
// signalled, and judged by what it prints and leaves in the settings, the log and the port.

#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <QProcess>
#include <QTest>
#include <csignal>
#include <optional>

#include "SettingsFileText.h"
#include "runtime/ComPort.h"
#include "support/FakePlatform.h"
#include "support/Pty.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

constexpr int kWaitMs = 10000;  // only ever waited out when something is broken

// Orvanta opens its port for itself alone.
bool Held(const Pty& pty) {
    int exclusive = 0;
    return ::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

struct OrvantaRun {
    explicit OrvantaRun(const std::string& configHome) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome));
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(ORVANTA_BINARY);
        EXPECT_TRUE(process.waitForStarted(kWaitMs)) << process.errorString().toStdString();
    }
    // Offscreen the window's lines go to standard output; true once one holds the text.
    bool Prints(const std::string& text) {
        return QTest::qWaitFor([&] {
            output += process.readAllStandardOutput().toStdString();
            return output.find(text) != std::string::npos;
        }, kWaitMs);
    }
    // The exit code once the signal has ended it; nothing if it crashed or hangs.
    std::optional<int> EndWith(int signal) {
        ::kill(static_cast<pid_t>(process.processId()), signal);
        if (!process.waitForFinished(kWaitMs) || process.exitStatus() != QProcess::NormalExit) return std::nullopt;
        return process.exitCode();
    }

    QProcess process;
    std::string output;
};

// Each signal closes the window as the user would: exit code 0, every setting stored.
TEST(EndToEnd, StartsWithoutASensorKeepsRunningAndEndsCleanlyOnEachSignal) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE("signal " + std::to_string(signal));
        TempConfigHome home;
        OrvantaRun orvanta(home.Path());
        EXPECT_TRUE(orvanta.Prints("Could not find any previous settings in registry"));
        EXPECT_FALSE(orvanta.process.waitForFinished(500)) << "still running";
        EXPECT_EQ(orvanta.EndWith(signal), 0);
        EXPECT_EQ(StoredSettings(home.Path()), kDefaultSettings);
    }
}

// The stored port held for Orvanta alone, a reading shown, the log kept from start to end;
// a second Orvanta on the same port gives it up and stores port 0.
TEST(EndToEnd, ReadsTheStoredPortLogsAndKeepsASecondOrvantaOff) {
    TempConfigHome home, secondHome;
    const std::string log = home.Path() + "/orvanta.log";
    Pty sensor;
    for (const TempConfigHome* each : {&home, &secondHome}) sensor.LinkAsCom(7, each->Path());
    WriteSettings(home.Path(), {{"comport", "7"}, {"logfile", log.c_str()}});
    WriteSettings(secondHome.Path(), {{"comport", "7"}});
    OrvantaRun orvanta(home.Path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Held(sensor); }, kWaitMs)) << "the port was never opened";
    FakeProcess model;  // the binary must print the sky text the window model shows for the line
    model.main.Main();
    model.form().rx.CurrentMessage = LayoutDLine();
    model.form().ProcessMessage();
    const std::string sky = model.form().txtSkyTemp.Text();
    ASSERT_FALSE(sky.empty()) << "before any reading the box is empty";
    sensor.Write(LayoutDLine() + "\r\n");
    EXPECT_TRUE(orvanta.Prints("Sky-Amb. " + sky + " | "));
    EXPECT_NE(ReadFile(log).find("   Orvanta Start Up\r\n"), std::string::npos);
    OrvantaRun second(secondHome.Path());
    EXPECT_TRUE(second.Prints("Could not open COM Port 7, Orvanta or something else already running on this port?"));
    EXPECT_EQ(second.EndWith(SIGTERM), 0);
    EXPECT_EQ(StoredSettings(secondHome.Path())["comport"], "0");
    EXPECT_TRUE(Held(sensor)) << "the first one keeps its port";
    EXPECT_EQ(orvanta.EndWith(SIGTERM), 0);
    EXPECT_TRUE(ReadFile(log).ends_with("   Orvanta Shut Down\r\n")) << ReadFile(log);
    EXPECT_EQ(StoredSettings(home.Path())["comport"], "7");
    EXPECT_TRUE(ComPort().OpenPort(7, 300)) << "released at the end";
}

}  // namespace
}  // namespace orvanta::test
