// The Qt realisations of the core's ports: the settings file and the timers.

#include <gtest/gtest.h>

#include <QSettings>
#include <QTest>
#include <map>

#include "QtSettingsStore.h"
#include "QtTimerService.h"
#include "support/SensorLines.h"
#include "support/TempConfigHome.h"

namespace orvanta::test {
namespace {

// What the store writes comes back as written, commas and all.
TEST(QtSettingsStore, KeepsTheOrvantaSectionOfTheMakersFile) {
    TempConfigHome home;
    // QSettings looks XDG_CONFIG_HOME up once per process, so the home is handed over.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(home.Path()));
    const std::map<std::string, std::string> values{
        {"frmOrvanta.Top", "0"}, {"frmOrvanta.cloudytemp", "-25.5"}, {"frmOrvanta.logfile", "/a, b/orvanta log.txt"}};
    for (const auto& [name, text] : values) QtSettingsStore().Write(name, text);
    EXPECT_TRUE(ReadFile(home.Path() + "/KerrwickSystems.conf").starts_with("[Orvanta]\nfrmOrvanta.Top=0\n"));
    QtSettingsStore reopened;
    for (const auto& [name, text] : values) EXPECT_EQ(reopened.Read(name), text) << name;
    EXPECT_EQ(reopened.Read("frmOrvanta.Left"), std::nullopt);
}

TEST(QtTimerService, TicksUntilKilledEvenFromItsOwnTick) {
    QtTimerService timers;
    int ticks = 0;
    int32_t id = 0;
    id = timers.SetTimer(20, [&] { if (++ticks == 3) timers.KillTimer(id); });
    ASSERT_NE(id, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 3; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(ticks, 3);
}

}  // namespace
}  // namespace orvanta::test
