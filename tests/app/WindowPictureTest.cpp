// Grabs the window as it looks with a few readings in, for the documentation.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <vector>

#include "ViewFixture.h"
#include "decode/WireFormat.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

// A layout-D line: firmware 53, sky 300, case 500, ambient 512, block 520, heater 75,
// no flags, and zeros for the calibration sets and the carried fields.
std::string GoodSensorLine() {
    std::vector<int> fields(26, 0);
    const std::vector<int> readings{53, 300, 500, 512, 520, 75, 0};
    std::copy(readings.begin(), readings.end(), fields.begin());
    return EncodeSensorLine(fields);
}

class WindowPictureTest : public ViewFixture {
protected:
    void SetUp() override {
        process.settings.values = {
            {"frmOrvanta.Top", "0"},        {"frmOrvanta.Left", "0"},         {"frmOrvanta.comport", "0"},
            {"frmOrvanta.cloudytemp", "-25"}, {"frmOrvanta.vcloudytemp", "-10"}, {"frmOrvanta.loginterval", "2"},
            {"frmOrvanta.tempunit", "0"},     {"frmOrvanta.ontopf", "0"},        {"frmOrvanta.cafc", "0"},
            {"frmOrvanta.cafk", "1"},         {"frmOrvanta.cafv", "0"},          {"frmOrvanta.cafw", "1"},
            {"frmOrvanta.catv", "1"},         {"frmOrvanta.catb", "0"},          {"frmOrvanta.cats", "0"},
            {"frmOrvanta.logfile", logFolder.filePath("orvanta.log").toStdString()},
            {"frmOrvanta.datafile", ""}};
        ViewFixture::SetUp();
        form().rx.CurrentMessage = GoodSensorLine();
        form().ProcessMessage();
        process.AlertTick();
        QApplication::processEvents();  // lets the layout give the hidden heater lamp's room away
    }

    QTemporaryDir logFolder;
};

TEST_F(WindowPictureTest, ShowsTheReadingsOfAGoodMessage) {
    ASSERT_EQ(process.main.TicksSinceGoodData, 0) << "the line must have been accepted";
    for (const TextBox* reading : {&form().txtSkyTemp, &form().txtAmbientTemp, &form().txtSensorTemp,
                                   &form().txtBlockTemp, &form().txtHeater}) {
        EXPECT_FALSE(reading->Text().empty()) << reading->Name();
        EXPECT_EQ(Box(*reading)->text().toStdString(), reading->Text()) << reading->Name();
    }
    EXPECT_TRUE(Find<QWidget>("lblHeat")->isVisible());
    EXPECT_TRUE(Find<QWidget>("txtHeater")->isVisible());
    EXPECT_FALSE(Find<QWidget>("lblHeatflag")->isVisible());
    EXPECT_FALSE(Find<QWidget>("shaHeating")->isVisible());
    EXPECT_EQ(Box(form().txtAlertAlarmError)->text().toStdString(), form().txtAlertAlarmError.Text());

    const QString path = QStringLiteral(ORVANTA_SOURCE_DIR "/docs/orvanta-window.png");
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(ORVANTA_SOURCE_DIR "/docs")));
    const QImage picture = view.grab().toImage();
    EXPECT_EQ(picture.size(), view.size());
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
}

}  // namespace
}  // namespace orvanta::test
