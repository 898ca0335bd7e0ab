// The Qt realisations of the core's ports.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "QtDialogs.h"
#include "QtSettingsStore.h"
#include "QtTimerService.h"
#include "QtWindowHost.h"

namespace orvanta {
namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    // The store finds its file through the per-user path, which tests point elsewhere.
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    }
    QString FileText() const {
        QFile file(folder.filePath("KerrwickSystems.conf"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QTemporaryDir folder;
};

TEST_F(QtSettingsStoreTest, WritesTheOrvantaSectionOfTheMakersFile) {
    QtSettingsStore store;
    EXPECT_TRUE(store.Names().empty());
    store.Write("frmOrvanta.Top", "0");
    store.Write("frmOrvanta.logfile", "");
    EXPECT_TRUE(FileText().startsWith("[Orvanta]\nfrmOrvanta.Top=0\n")) << FileText().toStdString();
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"frmOrvanta.Top", "frmOrvanta.logfile"}));
}

TEST_F(QtSettingsStoreTest, ReadsBackEveryTextAsWritten) {
    const std::vector<std::pair<std::string, std::string>> values{
        {"frmOrvanta.cloudytemp", "-25.5"},
        {"frmOrvanta.comport", "x7"},
        {"frmOrvanta.logfile", "/home/astro/logs, old/orvanta log.txt"},
        {"frmOrvanta.datafile", ""},
    };
    {
        QtSettingsStore store;
        for (const auto& [name, text] : values) store.Write(name, text);
    }
    QtSettingsStore reopened;
    for (const auto& [name, text] : values) EXPECT_EQ(reopened.Read(name), text) << name;
    EXPECT_EQ(reopened.Read("frmOrvanta.Left"), std::nullopt);
    EXPECT_EQ(reopened.Read("frmorvanta.cloudytemp"), std::nullopt) << "value names are case-sensitive";
}

TEST_F(QtSettingsStoreTest, ReadsAHandEditedCommaListAsItsText) {
    QFile file(folder.filePath("KerrwickSystems.conf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Orvanta]\nfrmOrvanta.logfile=/tmp/a, b.txt\n");
    file.close();
    EXPECT_EQ(QtSettingsStore().Read("frmOrvanta.logfile"), "/tmp/a, b.txt");
}

TEST(QtTimerService, TicksUntilKilledEvenFromItsOwnTick) {
    QtTimerService timers;
    int pollTicks = 0;
    int alertTicks = 0;
    int32_t pollId = 0;
    pollId = timers.SetTimer(20, [&] {
        if (++pollTicks == 3) timers.KillTimer(pollId);
    });
    const int32_t alertId = timers.SetTimer(30, [&] { ++alertTicks; });
    ASSERT_NE(pollId, 0);
    ASSERT_NE(alertId, 0);
    EXPECT_NE(pollId, alertId);

    EXPECT_TRUE(QTest::qWaitFor([&] { return pollTicks == 3 && alertTicks >= 3; }, 5000));
    timers.KillTimer(alertId);
    const int alertTicksAtKill = alertTicks;
    QTest::qWait(150);
    EXPECT_EQ(pollTicks, 3);
    EXPECT_EQ(alertTicks, alertTicksAtKill);
}

// Offscreen nobody can answer a dialog, so each one says what it would ask and returns.
TEST(QtDialogs, OffscreenDialogsReportAndReturnAtOnce) {
    QtDialogs dialogs;
    ::testing::internal::CaptureStderr();
    dialogs.MessageBox("Timers not created. Ending Program", "");
    const std::string answer = dialogs.InputBox("Enter serial number", "Orvanta");
    const FileDialogResult choice = dialogs.ChooseFile("Log File", 4);
    const std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_NE(errors.find("Orvanta message: Timers not created. Ending Program\n"), std::string::npos) << errors;
    EXPECT_EQ(answer, "");
    EXPECT_EQ(choice.error, kFileDialogCancelled);
    EXPECT_EQ(choice.fileName, "");
}

// An end asked for before the event loop runs (timers failing in Main) must still end it.
TEST(QtWindowHost, EndProcessBeforeTheLoopRunsStillEndsIt) {
    QtWindowHost host;
    host.EndProcess();
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    rescue.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

}  // namespace
}  // namespace orvanta
