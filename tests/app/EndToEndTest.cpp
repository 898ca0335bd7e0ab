// The real binary, offscreen, with its own config home: started, signalled, and judged
// by what it leaves in the settings store, the log file and the serial port.

#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "runtime/ComPort.h"
#include "support/Pty.h"
#include "support/TempConfigHome.h"

namespace orvanta::test {
namespace {

// Generous limits, only ever waited out when something is broken.
constexpr int kStartMs = 10000;
constexpr int kEndMs = 10000;
constexpr int kPort = 7;

const std::map<QString, QString> kDefaultSettings{
    {"frmOrvanta.Top", "0"},         {"frmOrvanta.Left", "0"},        {"frmOrvanta.comport", "0"},
    {"frmOrvanta.cloudytemp", "-25"}, {"frmOrvanta.vcloudytemp", "-10"}, {"frmOrvanta.loginterval", "0"},
    {"frmOrvanta.tempunit", "0"},     {"frmOrvanta.ontopf", "0"},        {"frmOrvanta.cafc", "0"},
    {"frmOrvanta.cafk", "0"},         {"frmOrvanta.cafv", "0"},          {"frmOrvanta.cafw", "0"},
    {"frmOrvanta.catv", "0"},         {"frmOrvanta.catb", "0"},          {"frmOrvanta.cats", "0"},
    {"frmOrvanta.logfile", ""},       {"frmOrvanta.datafile", ""}};

QString SettingsFile(const std::string& configHome) {
    return QString::fromStdString(configHome) + "/KerrwickSystems.conf";
}

void StoreSettings(const std::string& configHome, const std::map<QString, QString>& changes) {
    QSettings store(SettingsFile(configHome), QSettings::IniFormat);
    store.beginGroup("Orvanta");
    for (const auto& [name, value] : kDefaultSettings)
        store.setValue(name, changes.count(name) != 0 ? changes.at(name) : value);
    store.sync();
}

QString StoredValue(const std::string& configHome, const QString& name) {
    return QSettings(SettingsFile(configHome), QSettings::IniFormat).value("Orvanta/" + name).toString();
}

std::string FileText(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Exclusive(const Pty& pty) {
    int exclusive = 0;
    return ::ioctl(pty.SlaveFd(), TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

bool PortOpensHere() { return ComPort().OpenPort(kPort, 300); }

QProcessEnvironment OffscreenEnvironment(const std::string& configHome) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

class OrvantaRun {
public:
    explicit OrvantaRun(const QProcessEnvironment& environment, const QStringList& arguments = {}) {
        process_.setProcessEnvironment(environment);
        process_.start(ORVANTA_BINARY, arguments);
        EXPECT_TRUE(process_.waitForStarted(kStartMs)) << process_.errorString().toStdString();
    }
    ~OrvantaRun() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(kEndMs);
    }
    OrvantaRun(const OrvantaRun&) = delete;
    OrvantaRun& operator=(const OrvantaRun&) = delete;

    bool StillRunningAfter(int milliseconds) { return !process_.waitForFinished(milliseconds); }

    // The exit code once the process has ended by itself; nothing if it crashed or hangs.
    std::optional<int> ExitCode() {
        if (!process_.waitForFinished(kEndMs) || process_.exitStatus() != QProcess::NormalExit) return std::nullopt;
        return process_.exitCode();
    }

    std::optional<int> EndWith(int signal) {
        ::kill(static_cast<pid_t>(process_.processId()), signal);
        return ExitCode();
    }

    std::string ErrorOutput() { return process_.readAllStandardError().toStdString(); }

private:
    QProcess process_;
};

TEST(EndToEnd, FirstRunWithoutDisplayRunsOffscreenAndStoresEverySetting) {
    TempConfigHome home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(home.Path()));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);

    OrvantaRun orvanta(environment);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(SettingsFile(home.Path())); }, kStartMs));
    EXPECT_TRUE(orvanta.StillRunningAfter(2000));
    EXPECT_EQ(orvanta.EndWith(SIGTERM), 0);

    const std::string errors = orvanta.ErrorOutput();
    EXPECT_NE(errors.find("No display found: running Orvanta offscreen"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("Orvanta message:"), std::string::npos) << "a clean first run shows no message box";
    QSettings stored(SettingsFile(home.Path()), QSettings::IniFormat);
    EXPECT_EQ(stored.childGroups(), QStringList{"Orvanta"});
    stored.beginGroup("Orvanta");
    QStringList expected;
    for (const auto& [name, value] : kDefaultSettings) expected << name;
    QStringList names = stored.childKeys();
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
    EXPECT_EQ(stored.value("frmOrvanta.comport").toString(), QStringLiteral("0"));
}

TEST(EndToEnd, RejectsArgumentsItDoesNotKnow) {
    TempConfigHome home;
    for (const QStringList& arguments : {QStringList{"--bogus"}, QStringList{"--automation", "-x"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        OrvantaRun orvanta(OffscreenEnvironment(home.Path()), arguments);
        EXPECT_EQ(orvanta.ExitCode(), 2);
        EXPECT_NE(orvanta.ErrorOutput().find("Usage: orvanta [--automation]"), std::string::npos);
    }
    EXPECT_FALSE(QFile::exists(SettingsFile(home.Path()))) << "a refused start must not touch the settings";
}

TEST(EndToEnd, AcceptsTheAutomationMarker) {
    TempConfigHome home;
    OrvantaRun orvanta(OffscreenEnvironment(home.Path()), {"--automation"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(SettingsFile(home.Path())); }, kStartMs));
    EXPECT_EQ(orvanta.EndWith(SIGTERM), 0);
}

// Each signal closes the window as the user would: port released, shut-down line logged.
class SignalEndsOrvanta : public ::testing::TestWithParam<int> {};

TEST_P(SignalEndsOrvanta, WithAStoredPortAndLogFile) {
    TempConfigHome home;
    QTemporaryDir logFolder;
    const QString log = logFolder.filePath("log.txt");
    Pty sensor;
    sensor.LinkAsCom(kPort, home.Path());
    StoreSettings(home.Path(), {{"frmOrvanta.comport", QString::number(kPort)}, {"frmOrvanta.logfile", log}});

    OrvantaRun orvanta(OffscreenEnvironment(home.Path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Exclusive(sensor); }, kStartMs)) << "the port was never opened";
    EXPECT_FALSE(PortOpensHere()) << "a second open of a port in use must fail";
    EXPECT_NE(FileText(log).find("   Orvanta Start Up\r\n"), std::string::npos);

    EXPECT_EQ(orvanta.EndWith(GetParam()), 0);
    EXPECT_TRUE(FileText(log).ends_with("   Orvanta Shut Down\r\n")) << FileText(log);
    EXPECT_FALSE(Exclusive(sensor));
    EXPECT_TRUE(PortOpensHere());
    EXPECT_EQ(StoredValue(home.Path(), "frmOrvanta.comport"), QString::number(kPort));
}

INSTANTIATE_TEST_SUITE_P(TermIntHup, SignalEndsOrvanta, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

// The second one reports the busy port in its status box, which only shows offscreen
// as the port setting it stores: 0.
TEST(EndToEnd, SecondOrvantaOnTheSamePortGivesItUp) {
    Pty sensor;
    TempConfigHome firstHome;
    TempConfigHome secondHome;
    for (const TempConfigHome* home : {&firstHome, &secondHome}) {
        sensor.LinkAsCom(kPort, home->Path());
        StoreSettings(home->Path(), {{"frmOrvanta.comport", QString::number(kPort)}});
    }
    OrvantaRun first(OffscreenEnvironment(firstHome.Path()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Exclusive(sensor); }, kStartMs));

    OrvantaRun second(OffscreenEnvironment(secondHome.Path()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return StoredValue(secondHome.Path(), "frmOrvanta.comport") == "0"; },
                                kStartMs));
    EXPECT_EQ(second.EndWith(SIGTERM), 0);
    EXPECT_EQ(StoredValue(secondHome.Path(), "frmOrvanta.comport"), QStringLiteral("0"));

    EXPECT_TRUE(Exclusive(sensor)) << "the first one keeps its port";
    EXPECT_EQ(first.EndWith(SIGTERM), 0);
    EXPECT_EQ(StoredValue(firstHome.Path(), "frmOrvanta.comport"), QString::number(kPort));
}

}  // namespace
}  // namespace orvanta::test
