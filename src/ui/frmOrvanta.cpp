#include "ui/frmOrvanta.h"

#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "runtime/DateTimeText.h"
#include "decode/SkyModel.h"
#include "ui/Settings.h"

namespace orvanta {

frmOrvanta::frmOrvanta(CMain& main) : main_(main) {
    window.SetVisible(false);
    for (TextBox* reading : {&txtSkyTemp, &txtAmbientTemp, &txtSensorTemp, &txtBlockTemp, &txtHeater}) {
        reading->SetReadOnly(true);
        reading->SetFixedPitch(true);
    }
    for (TextBox* entry : {&txtCloudyTemp, &txtVCloudyTemp, &txtComPort}) entry->SetFixedPitch(true);
    txtHeater.SetText("100");
    // Nothing is known of the heater or the sensor's own flags before the first reading.
    for (Control* unknown : {static_cast<Control*>(&txtHeater), &lblHeat, &lblVC, &lblKC}) unknown->SetVisible(false);
    txtAlertAlarmError.SetReadOnly(true);
    txtAlertAlarmError.SetFontSize(24);
    WireEvents();
}

frmOrvanta::~frmOrvanta() = default;

void frmOrvanta::WireEvents() {
    for (int i = 0; i < static_cast<int>(chkAlertFor.size()); ++i) chkAlertFor[i].Click = [this, i] { chkAlertFor_Click(i); };
    for (int i = 0; i < static_cast<int>(chkAlertType.size()); ++i)
        chkAlertType[i].Click = [this, i] { chkAlertType_Click(i); };
    chkOnTop.Click = [this] { chkOnTop_Click(); };
    optLog.Click = [this](int i) { optLog_Click(i); };
    optUnits.Click = [this](int i) { optUnits_Click(i); };
    txtCloudyTemp.Change = [this] { txtCloudyTemp_Change(); };
    txtVCloudyTemp.Change = [this] { txtVCloudyTemp_Change(); };
    txtComPort.Change = [this] { txtComPort_Change(); };
    txtCloudyTemp.KeyPress = [this](int16_t& key) { txtCloudyTemp_KeyPress(key); };
    txtVCloudyTemp.KeyPress = [this](int16_t& key) { txtVCloudyTemp_KeyPress(key); };
    txtComPort.KeyPress = [this](int16_t& key) { txtComPort_KeyPress(key); };
    txtCloudyTemp.LostFocus = [this] { txtCloudyTemp_LostFocus(); };
    txtVCloudyTemp.LostFocus = [this] { txtVCloudyTemp_LostFocus(); };
    txtComPort.LostFocus = [this] { txtComPort_LostFocus(); };
    cmdLogfile.Click = [this] { cmdLogfile_Click(); };
    cmdDataFile.Click = [this] { cmdDataFile_Click(); };
}

void frmOrvanta::Show() {
    if (!loaded_) Form_Load();
}

void frmOrvanta::Form_Load() {
    loaded_ = true;
    busyf = 0;
    msg.FirstMessagePending = -1;
    msg.StartupGrace = kStartupGraceTicks;
    ApplySettingsToControls(RunSettingsPhase());
    ShowCloudyThreshold();
    ShowVCloudyThreshold();
    optLog.SetEnabled(!main_.LogFilePath.empty());
    rx.SensorPort = std::make_unique<ComPort>();
    OpenSensorPort();
    ResetRunState();
    txtAlertAlarmError.SetBackColor(kWindowBackground);
    window.SetCaption(std::string(kProgramName) + "  V" + kProgramVersion);
    window.SetVisible(true);
    FocusThresholdBox();
    SaveSettings();
    main_.PollBusy = 0;
    main_.AlertBusy = 0;
}

// Setting the controls runs their click handlers; that is how the exclusive pairs of
// alert boxes get enforced for stored values too.
void frmOrvanta::ApplySettingsToControls(const StoredSettings& settings) {
    window.Move(settings.Top, settings.Left);
    SetOnTop(settings.ontopf);
    optUnits.Select(main_.TempUnit);
    for (std::size_t i = 0; i < chkAlertFor.size(); ++i) chkAlertFor[i].SetValue(settings.alertFor[i]);
    for (std::size_t i = 0; i < chkAlertType.size(); ++i) chkAlertType[i].SetValue(settings.alertType[i]);
    txtComPort.SetText(settings.comport);
    optLog.Select(main_.LogInterval);
}

// Texts set while loading armed the edit delays; they must not commit by themselves.
void frmOrvanta::ResetRunState() {
    status = StatusHold{};
    edits = EditDelays{};
    main_.TicksSinceGoodData = kStartTicksSinceGoodData;
    calibration = CalibrationRun{};
    main_.CalDataF = 0;
    main_.SkyModelK = kDefaultSkyModelK;
    main_.SkyModelD = kDefaultSkyModelD;
    main_.SkyModelEps = kDefaultSkyModelEps;
    main_.SkyModelOffs = kDefaultSkyModelOffs;
}

void frmOrvanta::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    SaveSettings();
    CloseSensorPort();
    rx.SensorPort.reset();
    main_.platform.timers.KillTimer(main_.PollTimerId);
    main_.platform.timers.KillTimer(main_.AlertTimerId);
    main_.PollTimerId = main_.AlertTimerId = 0;
    LogShutDown();
    window.SetVisible(false);
}

void frmOrvanta::LogShutDown() {
    if (main_.LogFilePath.empty()) return;
    msg.MessageTime = DateTimeStr();
    if (const auto error = AppendLines(main_.LogFilePath, {msg.MessageTime + "   Orvanta Shut Down"})) {
        main_.platform.dialogs.MessageBox("For log file " + main_.LogFilePath + " error020: " + *error, kProgramName);
        optLog.SetEnabled(false);
    }
}

void frmOrvanta::Close() {
    Form_Unload();
    main_.platform.host.EndProcess();
}

void frmOrvanta::tmrPollMsgTic() {
    if (main_.PollBusy != 0) return;
    main_.PollBusy = -1;
    PollMessages();
    main_.PollBusy = 0;
}

void frmOrvanta::tmrSoundTic() {
    if (main_.AlertBusy != 0) return;
    main_.AlertBusy = -1;
    AlertTick();
    main_.AlertBusy = 0;
}

std::string frmOrvanta::DateTimeStr() { return FormatDateTime(main_.platform.clock.Now()); }

}  // namespace orvanta
