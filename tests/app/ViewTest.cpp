// The real Qt view on a form driven by fakes: what it shows of the model, and what the
// user's keys and clicks do to it. It also grabs the window for the documentation.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>

#include "OrvantaView.h"
#include "support/FakePlatform.h"
#include "support/SensorLines.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {
namespace {

// Widgets are named after their controls, members of a control array with the index.
QString Name(const Control& control, int index) {
    return QString::fromStdString(control.Name() + (index < 0 ? "" : "(" + std::to_string(index) + ")"));
}

// A text box shows its text, not a caption; labels and buttons show theirs as "text".
QString ShownCaption(const QWidget& widget) {
    if (qobject_cast<const QLineEdit*>(&widget)) return {};
    return widget.property(qobject_cast<const QGroupBox*>(&widget) ? "title" : "text").toString();
}

QColor CentreColour(QWidget* widget) { return widget->grab().toImage().pixelColor(widget->rect().center()); }

struct ViewTest : ::testing::Test {
    void SetUp() override { process.main.Main(); }
    frmOrvanta& form() { return process.form(); }

    template <typename WidgetType = QWidget>
    WidgetType* Find(const Control& control, int index = -1) {
        auto* widget = view.findChild<WidgetType*>(Name(control, index));
        EXPECT_NE(widget, nullptr) << Name(control, index).toStdString();
        return widget;
    }
    QLineEdit* Box(const TextBox& box) { return Find<QLineEdit>(box); }
    // Check boxes and option buttons take clicks only on their box and caption, which sit
    // at the left of a widget the layout may have made wider.
    void Click(const Control& button, int index) {
        QWidget* widget = Find(button, index);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }

    FakeProcess process;
    OrvantaView view{process.form()};
};

TEST_F(ViewTest, EveryControlShowsItsCaptionAndToolTip) {
    frmOrvanta& f = form();
    std::vector<std::pair<const Control*, int>> all;
    for (const Control* c : std::initializer_list<const Control*>{
             &f.Label12, &f.Label14, &f.Label13, &f.lblSkyTempU, &f.lblAmbientTempU, &f.lblSensorTempU, &f.txtSkyTemp,
             &f.txtAmbientTemp, &f.txtSensorTemp, &f.Label3, &f.shaWet, &f.Label2, &f.shaHeating, &f.lblHeatflag,
             &f.lblHeat, &f.txtHeater, &f.txtBlockTemp, &f.Label4, &f.lblAlertTemp, &f.lblCloudyTempU, &f.txtCloudyTemp,
             &f.Label8, &f.txtVCloudyTemp, &f.Label6, &f.Label10, &f.txtComPort, &f.shaMsg, &f.Label1, &f.Label9,
             &f.Frame3, &f.cmdLogfile, &f.cmdDataFile, &f.Label5, &f.chkOnTop, &f.lblVC, &f.lblKC, &f.Frame1,
             &f.txtAlertAlarmError})
        all.emplace_back(c, -1);
    for (int i = 0; i < 4; ++i) all.insert(all.end(), {{&f.chkAlertFor[i], i}, {&f.optLog[i], i}});
    for (int i = 0; i < 3; ++i) all.emplace_back(&f.chkAlertType[i], i);
    for (int i = 0; i < 2; ++i) all.emplace_back(&f.optUnits[i], i);
    for (const auto& [control, index] : all) {
        SCOPED_TRACE(Name(*control, index).toStdString());
        const QWidget* widget = Find(*control, index);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip().toStdString(), control->ToolTip());
        EXPECT_EQ(ShownCaption(*widget).toStdString(), control->Caption());
    }
}

TEST_F(ViewTest, ModelChangesShowInTheWidgets) {
    frmOrvanta& f = form();
    // read gives the widget's state back; as text, colours are "#rrggbb" and flags "true".
    struct Change { const char* what; std::function<void()> act; std::function<QVariant()> read; const char* shown; };
    for (const Change& c : std::initializer_list<Change>{
             {"reading", [&] { f.txtSkyTemp.SetText(" 12.3"); }, [&] { return Box(f.txtSkyTemp)->text(); }, " 12.3"},
             {"lamp", [&] { f.shaWet.SetFillColor(kBlue); }, [&] { return CentreColour(Find(f.shaWet)); }, "#0000ff"},
             {"status colour", [&] { f.txtAlertAlarmError.SetForeColor(kLightRed); },
              [&] { return Box(f.txtAlertAlarmError)->palette().color(QPalette::Text); }, "#ff8080"},
             {"check box", [&] { f.chkAlertFor[3].SetValue(1); },
              [&] { return Find(f.chkAlertFor[3], 3)->property("checked"); }, "true"},
             {"flag label", [&] { f.lblVC.SetVisible(false); }, [&] { return Find(f.lblVC)->isHidden(); }, "true"},
             // Changing window flags hides a Qt window; the view must show it again.
             {"on top", [&] { f.window.SetOnTop(true); },
              [&] { return view.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && view.isVisible(); }, "true"}}) {
        c.act();
        EXPECT_EQ(c.read().toString().toStdString(), c.shown) << c.what;
    }
}

TEST_F(ViewTest, TypingAThresholdAndPressingEnterCommitsIt) {
    QLineEdit* box = Box(form().txtCloudyTemp);
    box->selectAll();
    QTest::keyClicks(box, "-20");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(process.main.CloudyThreshT, -20.0);
    EXPECT_EQ(process.settings.values["frmOrvanta.cloudytemp"], "-20");
    EXPECT_EQ(box->text(), QStringLiteral("-20.0")) << "the committed value is shown again";
}

TEST_F(ViewTest, ClickingCloudyWhileClearIsCheckedLeavesOnlyCloudy) {
    form().chkAlertFor[0].SetValue(1);
    Click(form().chkAlertFor[1], 1);
    EXPECT_EQ(form().chkAlertFor[0].Value(), 0);
    EXPECT_EQ(form().chkAlertFor[1].Value(), 1);
    EXPECT_FALSE(Find<QAbstractButton>(form().chkAlertFor[0], 0)->isChecked());
    EXPECT_TRUE(Find<QAbstractButton>(form().chkAlertFor[1], 1)->isChecked());
}

// A doubled event would run a handler twice.
TEST_F(ViewTest, EachUserActionReachesTheModelOnce) {
    std::map<std::string, int> calls;
    form().txtVCloudyTemp.Change = [&] { ++calls["change"]; };
    form().txtVCloudyTemp.KeyPress = [&](int16_t& key) { calls["Enter"] += key == 13; };
    form().chkAlertFor[3].Click = [&] { ++calls["check"]; };
    form().optUnits.Click = [&](int) { ++calls["option"]; };
    form().cmdDataFile.Click = [&] { ++calls["button"]; };
    QTest::keyClicks(Box(form().txtVCloudyTemp), "-5");
    QTest::keyClick(Box(form().txtVCloudyTemp), Qt::Key_Return);
    Click(form().chkAlertFor[3], 3);
    Click(form().optUnits[1], 1);
    QTest::mouseClick(Find(form().cmdDataFile), Qt::LeftButton);
    const std::map<std::string, int> once{{"Enter", 1}, {"button", 1}, {"change", 2}, {"check", 1}, {"option", 1}};
    EXPECT_EQ(calls, once) << "\"-5\" is two changes";
}

TEST_F(ViewTest, ClosingTheWindowRunsTheUnloadStep) {
    view.close();
    EXPECT_FALSE(form().Loaded());
    EXPECT_EQ(process.host.endProcessCalls, 1);
    EXPECT_FALSE(process.timers.Alive(kPollPeriodMs));
}

// The picture in the documentation: a good line in, a few alerts and logging chosen.
TEST(WindowPicture, ShowsTheReadingsOfAGoodLine) {
    QTemporaryDir logFolder;
    FakeProcess process;
    process.settings.StoreComplete({{"loginterval", "2"}, {"cafk", "1"}, {"cafw", "1"}, {"catv", "1"},
                                    {"logfile", logFolder.filePath("orvanta.log").toStdString()}});
    OrvantaView view{process.form()};
    process.main.Main();
    process.form().rx.CurrentMessage = LayoutDLine();
    process.form().ProcessMessage();
    process.AlertTick();
    QApplication::processEvents();  // lets the layout give the hidden heating lamp's room away
    ASSERT_EQ(process.main.TicksSinceGoodData, 0) << "the line must have been accepted";
    EXPECT_TRUE(view.grab().save(ORVANTA_SOURCE_DIR "/docs/orvanta-window.png"));
}

}  // namespace
}  // namespace orvanta::test
