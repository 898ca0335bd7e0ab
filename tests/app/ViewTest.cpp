#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "Twips.h"
#include "ViewFixture.h"
#include "runtime/CMain.h"

namespace orvanta::test {
namespace {

struct BoundControl {
    const Control* control;
    QString objectName;
};

QString Name(const Control& control) { return QString::fromStdString(control.Name()); }
QString Name(const Control& control, int index) { return Name(control) + QStringLiteral("(%1)").arg(index); }

std::vector<BoundControl> EveryControl(frmOrvanta& f) {
    std::vector<BoundControl> all;
    for (const Control* c : std::initializer_list<const Control*>{
             &f.Label12, &f.Label14, &f.Label13, &f.lblSkyTempU, &f.lblAmbientTempU, &f.lblSensorTempU,
             &f.txtSkyTemp, &f.txtAmbientTemp, &f.txtSensorTemp, &f.Label3, &f.shaWet, &f.Label2, &f.shaHeating,
             &f.lblHeatflag, &f.lblHeat, &f.txtHeater, &f.txtBlockTemp, &f.Label4, &f.lblAlertTemp,
             &f.lblCloudyTempU, &f.txtCloudyTemp, &f.Label8, &f.txtVCloudyTemp, &f.Label6, &f.Label10,
             &f.txtComPort, &f.shaMsg, &f.Label1, &f.Label9, &f.Frame3, &f.cmdLogfile, &f.cmdDataFile, &f.Label5,
             &f.chkOnTop, &f.lblVC, &f.lblKC, &f.Frame1, &f.txtAlertAlarmError})
        all.push_back({c, Name(*c)});
    for (int i = 0; i < static_cast<int>(f.chkAlertFor.size()); ++i)
        all.push_back({&f.chkAlertFor[i], Name(f.chkAlertFor[i], i)});
    for (int i = 0; i < static_cast<int>(f.chkAlertType.size()); ++i)
        all.push_back({&f.chkAlertType[i], Name(f.chkAlertType[i], i)});
    for (int i = 0; i < f.optUnits.Count(); ++i) all.push_back({&f.optUnits[i], Name(f.optUnits[i], i)});
    for (int i = 0; i < f.optLog.Count(); ++i) all.push_back({&f.optLog[i], Name(f.optLog[i], i)});
    return all;
}

QString ShownCaption(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) return frame->title();
    return {};
}

// Check boxes and option buttons take clicks only on their box and caption, which sit
// at the left of a widget the layout may have made wider.
void ClickButton(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

QColor CentrePixel(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

using ViewTest = ViewFixture;

TEST_F(ViewTest, EveryControlHasAWidgetWithItsCaptionAndToolTip) {
    for (const auto& [control, objectName] : EveryControl(form())) {
        SCOPED_TRACE(objectName.toStdString());
        const auto* widget = view.findChild<QWidget*>(objectName);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->toolTip().toStdString(), control->ToolTip());
        EXPECT_EQ(ShownCaption(*widget).toStdString(), control->Caption());
    }
    EXPECT_EQ(Find<QAbstractButton>("optUnits(1)")->text(), QStringLiteral(u"\u00B0F"));
}

TEST_F(ViewTest, ShowsTheLoadedWindow) {
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Orvanta  V1.59"));
    EXPECT_EQ(Box(form().txtCloudyTemp)->text().toStdString(), form().txtCloudyTemp.Text());
    EXPECT_EQ(Box(form().txtComPort)->text(), QStringLiteral("0"));
    for (int i = 0; i < form().optLog.Count(); ++i)
        EXPECT_FALSE(Find<QWidget>(Name(form().optLog[i], i))->isEnabled()) << "no log file, no logging options";
}

// The first run's note arrives through the status field, in its error colour and size.
TEST_F(ViewTest, StatusBoxShowsTheFirstRunNoteAsAnError) {
    QLineEdit* status = Box(form().txtAlertAlarmError);
    EXPECT_TRUE(status->text().startsWith("Could not find any previous settings in registry"));
    EXPECT_EQ(status->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(status->font().pointSizeF(), 8.0);
    EXPECT_EQ(status->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Window));
}

TEST_F(ViewTest, NumberBoxesUseAFixedPitchFont) {
    for (const TextBox* box : {&form().txtSkyTemp, &form().txtCloudyTemp, &form().txtComPort, &form().txtHeater}) {
        SCOPED_TRACE(box->Name());
        EXPECT_TRUE(QFontInfo(Box(*box)->font()).fixedPitch());
        EXPECT_DOUBLE_EQ(Box(*box)->font().pointSizeF(), 8.25);
    }
    EXPECT_FALSE(QFontInfo(Box(form().txtAlertAlarmError)->font()).fixedPitch());
}

struct ModelChange {
    const char* what;
    std::function<void(frmOrvanta&)> change;
    std::function<void(ViewTest&)> check;
};

TEST_F(ViewTest, ModelChangesShowInTheWidgets) {
    const std::vector<ModelChange> cases{
        {"reading text", [](frmOrvanta& f) { f.txtSkyTemp.SetText(" 12.3"); },
         [](ViewTest& t) { EXPECT_EQ(t.Box(t.form().txtSkyTemp)->text(), QStringLiteral(" 12.3")); }},
        {"wet lamp on", [](frmOrvanta& f) { f.shaWet.SetFillColor(kBlue); },
         [](ViewTest& t) { EXPECT_EQ(CentrePixel(*t.Find<QWidget>("shaWet")), QColor(0, 0, 255)); }},
        {"wet lamp off", [](frmOrvanta& f) { f.shaWet.SetFillColor(kWindowBackground); },
         [](ViewTest& t) {
             EXPECT_EQ(CentrePixel(*t.Find<QWidget>("shaWet")), QApplication::palette().color(QPalette::Window));
         }},
        {"message lamp red", [](frmOrvanta& f) { f.shaMsg.SetFillColor(kRed); },
         [](ViewTest& t) { EXPECT_EQ(CentrePixel(*t.Find<QWidget>("shaMsg")), QColor(255, 0, 0)); }},
        {"status colour and size",
         [](frmOrvanta& f) {
             f.txtAlertAlarmError.SetForeColor(kLightRed);
             f.txtAlertAlarmError.SetFontSize(24);
             f.txtAlertAlarmError.SetText("Cloudy");
         },
         [](ViewTest& t) {
             QLineEdit* status = t.Box(t.form().txtAlertAlarmError);
             EXPECT_EQ(status->text(), QStringLiteral("Cloudy"));
             EXPECT_EQ(status->palette().color(QPalette::Text), QColor(255, 128, 128));
             EXPECT_DOUBLE_EQ(status->font().pointSizeF(), 24.0);
         }},
        {"logging options enabled", [](frmOrvanta& f) { f.optLog.SetEnabled(true); },
         [](ViewTest& t) {
             for (int i = 0; i < t.form().optLog.Count(); ++i)
                 EXPECT_TRUE(t.Find<QWidget>(Name(t.form().optLog[i], i))->isEnabled());
         }},
        {"logging option selected", [](frmOrvanta& f) { f.optLog.Select(2); },
         [](ViewTest& t) {
             for (int i = 0; i < t.form().optLog.Count(); ++i)
                 EXPECT_EQ(t.Find<QAbstractButton>(Name(t.form().optLog[i], i))->isChecked(), i == 2);
         }},
        {"check box set", [](frmOrvanta& f) { f.chkAlertFor[3].SetValue(1); },
         [](ViewTest& t) { EXPECT_TRUE(t.Find<QAbstractButton>("chkAlertFor(3)")->isChecked()); }},
        {"flag label hidden", [](frmOrvanta& f) { f.lblVC.SetVisible(false); },
         [](ViewTest& t) { EXPECT_TRUE(t.Find<QWidget>("lblVC")->isHidden()); }},
        {"heater duty shown again", [](frmOrvanta& f) { f.txtHeater.SetVisible(true); },
         [](ViewTest& t) { EXPECT_TRUE(t.Find<QWidget>("txtHeater")->isVisible()); }},
        {"window caption", [](frmOrvanta& f) { f.window.SetCaption("Orvanta test"); },
         [](ViewTest& t) { EXPECT_EQ(t.view.windowTitle(), QStringLiteral("Orvanta test")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change(form());
        c.check(*this);
    }
}

TEST_F(ViewTest, TypingAThresholdAndPressingEnterCommitsIt) {
    QLineEdit* box = Box(form().txtCloudyTemp);
    box->selectAll();
    QTest::keyClicks(box, "-20");
    EXPECT_EQ(form().txtCloudyTemp.Text(), "-20");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(process.main.CloudyThreshT, -20.0);
    EXPECT_EQ(process.settings.values["frmOrvanta.cloudytemp"], "-20");
    EXPECT_EQ(box->text(), QStringLiteral("-20.0")) << "the committed value is shown again";
}

TEST_F(ViewTest, ClickingCloudyWhileClearIsCheckedLeavesOnlyCloudy) {
    form().chkAlertFor[0].SetValue(1);
    ClickButton(Find<QWidget>("chkAlertFor(1)"));
    EXPECT_EQ(form().chkAlertFor[0].Value(), 0);
    EXPECT_EQ(form().chkAlertFor[1].Value(), 1);
    EXPECT_FALSE(Find<QAbstractButton>("chkAlertFor(0)")->isChecked());
    EXPECT_TRUE(Find<QAbstractButton>("chkAlertFor(1)")->isChecked());
}

TEST_F(ViewTest, ChoosingFahrenheitRewritesTheThresholdBoxes) {
    ClickButton(Find<QWidget>("optUnits(1)"));
    EXPECT_EQ(process.main.TempUnit, 1);
    EXPECT_EQ(Box(form().txtCloudyTemp)->text(), QStringLiteral("-45.0"));
    EXPECT_EQ(Box(form().txtVCloudyTemp)->text(), QStringLiteral("-18.0"));
    EXPECT_FALSE(Find<QAbstractButton>("optUnits(0)")->isChecked());
}

// Each user action reaches the model once: a doubled event would run a handler twice.
TEST_F(ViewTest, EachUserActionReachesTheModelOnce) {
    int changes = 0, enterKeys = 0, checkClicks = 0, optionClicks = 0, buttonClicks = 0;
    form().txtVCloudyTemp.Change = [&] { ++changes; };
    form().txtVCloudyTemp.KeyPress = [&](int16_t& key) { enterKeys += key == 13; };
    form().chkAlertFor[3].Click = [&] { ++checkClicks; };
    form().optLog.SetEnabled(true);
    form().optLog.Click = [&](int) { ++optionClicks; };
    form().cmdDataFile.Click = [&] { ++buttonClicks; };

    QTest::keyClicks(Box(form().txtVCloudyTemp), "-5");
    QTest::keyClick(Box(form().txtVCloudyTemp), Qt::Key_Return);
    ClickButton(Find<QWidget>("chkAlertFor(3)"));
    ClickButton(Find<QWidget>("optLog(3)"));
    QTest::mouseClick(Find<QWidget>("cmdDataFile"), Qt::LeftButton);

    EXPECT_EQ(changes, 2);
    EXPECT_EQ(enterKeys, 1);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_EQ(optionClicks, 1);
    EXPECT_EQ(buttonClicks, 1);
    EXPECT_EQ(form().optLog.Selected(), 3);
}

TEST_F(ViewTest, ChoosingALogFileEnablesTheLoggingOptions) {
    QTemporaryDir folder;
    const std::string logFile = folder.filePath("orvanta.log").toStdString();
    process.dialogs.fileAnswers.push_back({0, "", logFile});
    QTest::mouseClick(Find<QWidget>("cmdLogfile"), Qt::LeftButton);
    EXPECT_EQ(process.main.LogFilePath, logFile);
    for (int i = 0; i < form().optLog.Count(); ++i) EXPECT_TRUE(Find<QWidget>(Name(form().optLog[i], i))->isEnabled());
}

class FocusedViewTest : public ViewFixture {
protected:
    void SetUp() override {
        ViewFixture::SetUp();
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }
};

TEST_F(FocusedViewTest, TheModelsFocusIsTheWidgetsFocus) {
    EXPECT_EQ(QApplication::focusWidget(), Box(form().txtCloudyTemp));
    form().window.SetFocus(&form().txtComPort);
    EXPECT_EQ(QApplication::focusWidget(), Box(form().txtComPort));
}

// Leaving a box commits what was typed into it, as the model's LostFocus says.
TEST_F(FocusedViewTest, MovingTheFocusOnCommitsTheThreshold) {
    QLineEdit* threshold = Box(form().txtCloudyTemp);
    threshold->selectAll();
    QTest::keyClicks(threshold, "-30");
    QTest::mouseClick(Box(form().txtComPort), Qt::LeftButton);
    EXPECT_EQ(form().window.Focus(), &form().txtComPort);
    EXPECT_DOUBLE_EQ(process.main.CloudyThreshT, -30.0);
}

// Another window taking the focus is not a move inside this one: nothing commits.
TEST_F(FocusedViewTest, AnotherWindowTakingTheFocusLeavesTheModelsFocus) {
    QTest::keyClicks(Box(form().txtCloudyTemp), "5");
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    elsewhere.setFocus();
    EXPECT_EQ(QApplication::focusWidget(), &elsewhere);
    EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp);
    EXPECT_DOUBLE_EQ(process.main.CloudyThreshT, -25.0);
}

TEST_F(FocusedViewTest, ClickingACheckBoxReturnsTheFocusToTheThresholdBox) {
    QTest::mouseClick(Box(form().txtComPort), Qt::LeftButton);
    ClickButton(Find<QWidget>("chkAlertFor(2)"));
    EXPECT_EQ(form().window.Focus(), &form().txtCloudyTemp);
    EXPECT_EQ(QApplication::focusWidget(), Box(form().txtCloudyTemp));
}

TEST_F(ViewTest, WindowPositionFollowsTheModelAndTheUser) {
    const double dpi = view.screen()->logicalDotsPerInch();
    form().window.Move(1500, 3000);
    EXPECT_EQ(view.pos(), QPoint(TwipsToPixels(3000, dpi), TwipsToPixels(1500, dpi)));
    view.move(40, 60);
    EXPECT_EQ(form().window.Top(), PixelsToTwips(60, dpi));
    EXPECT_EQ(form().window.Left(), PixelsToTwips(40, dpi));
}

TEST_F(ViewTest, OnTopBoxKeepsTheWindowOnTop) {
    ClickButton(Find<QWidget>("chkOnTop"));
    EXPECT_TRUE(form().window.OnTop());
    EXPECT_TRUE(view.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(view.isVisible()) << "changing the flag must not leave the window hidden";
    EXPECT_EQ(process.settings.values["frmOrvanta.ontopf"], "1");
}

TEST_F(ViewTest, MinimisedStateGoesBothWays) {
    view.showMinimized();
    EXPECT_TRUE(form().window.Minimised());
    form().window.SetMinimised(false);
    EXPECT_FALSE(view.isMinimized());
}

TEST_F(ViewTest, ClosingTheWindowUnloadsTheFormAndEndsTheProcess) {
    view.close();
    EXPECT_FALSE(form().Loaded());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(process.host.endProcessCalls, 1);
    EXPECT_FALSE(process.timers.Alive(kPollPeriodMs));
    EXPECT_FALSE(process.timers.Alive(kAlertPeriodMs));
}

TEST(ViewBeforeLoad, StaysHiddenUntilTheLoadStepShowsTheWindow) {
    FakeProcess process;
    OrvantaView view{process.form()};
    QApplication::processEvents();
    EXPECT_FALSE(view.isVisible());
    process.main.Main();
    EXPECT_TRUE(view.isVisible());
}

}  // namespace
}  // namespace orvanta::test
