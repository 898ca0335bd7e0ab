#pragma once
// The main window: its controls, the state it hosts for each subsystem, and nearly all
// operations of the program. Member functions live in the folder of their subsystem.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "decode/WireFormat.h"
#include "runtime/ComPort.h"
#include "ui/Controls.h"

namespace orvanta {

class CMain;
struct ShowStyle;
struct StoredSettings;
struct DecodedMessage;

enum class ErrorLineKind { Message, Plain };

inline constexpr const char* kProgramName = "Orvanta";
inline constexpr const char* kProgramVersion = "1.59";
inline constexpr int16_t kStartupGraceTicks = 40;
inline constexpr int16_t kEditDelayTicks = 24;

class frmOrvanta {
public:
    explicit frmOrvanta(CMain& main);
    ~frmOrvanta();
    frmOrvanta(const frmOrvanta&) = delete;
    frmOrvanta& operator=(const frmOrvanta&) = delete;

    // ---- Window ----
    WindowModel window{"frmOrvanta"};

    Label Label12{"Label12", "Sky-Amb."};
    Label Label14{"Label14", "Ambient"};
    Label Label13{"Label13", "Sensor"};
    Label lblSkyTempU{"lblSkyTempU", "Temp."};
    Label lblAmbientTempU{"lblAmbientTempU", "Temp."};
    Label lblSensorTempU{"lblSensorTempU", "Temp."};
    TextBox txtSkyTemp{"txtSkyTemp", "", "sky - ambient temperature"};
    TextBox txtAmbientTemp{"txtAmbientTemp", "", "ambient temperature"};
    TextBox txtSensorTemp{"txtSensorTemp", "", "cloud sensor head temperature"};
    Label Label3{"Label3", "Sensor Is:"};
    Shape shaWet{"shaWet"};
    Label Label2{"Label2", "wet"};
    Shape shaHeating{"shaHeating"};
    Label lblHeatflag{"lblHeatflag", "heating"};
    Label lblHeat{"lblHeat", "% heat"};
    TextBox txtHeater{"txtHeater", "", "percentage of the time that the heater is on"};
    TextBox txtBlockTemp{"txtBlockTemp"};
    Label Label4{"Label4", "Alert For:"};
    std::array<CheckBox, 4> chkAlertFor{{
        {"chkAlertFor", "Clear", "alert if sky is cooler than clear/cloudy threshold"},
        {"chkAlertFor", "Cloudy", "alert if sky is warmer than clear/cloudy threshold"},
        {"chkAlertFor", "V.Cloudy", "alert if sky is warmer than cloudy/V.C. threshold"},
        {"chkAlertFor", "Wet", "alert ifsensor head is wet"},
    }};
    Label lblAlertTemp{"lblAlertTemp", "Thresholds:"};
    Label lblCloudyTempU{"lblCloudyTempU", "Clear/Cloudy"};
    TextBox txtCloudyTemp{"txtCloudyTemp", "", "threshold between clear and cloudy for alerts"};
    Label Label8{"Label8", "Cloudy/V.C."};
    TextBox txtVCloudyTemp{"txtVCloudyTemp", "", "threshold between cloudy and very cloudy for alerts"};
    OptionGroup optUnits{"optUnits",
                         {{"°C", "show all temperatures in Celsius"},
                          {"°F", "show all temperatures in Fahrenheit"}}};
    Label Label6{"Label6", "COM"};
    Label Label10{"Label10", "Port"};
    TextBox txtComPort{"txtComPort", "", "PC COM port number that the cloud sensor is connected to"};
    Shape shaMsg{"shaMsg"};
    Label Label1{"Label1", "Alert Types:"};
    std::array<CheckBox, 3> chkAlertType{{
        {"chkAlertType", "Visual", "when alerting flash and color bottom field in window"},
        {"chkAlertType", "Beeper", "use PC's internal speaker for alerts"},
        {"chkAlertType", "Sound", "use computer's sound card for alerts"},
    }};
    Label Label9{"Label9", "Logging:"};
    Frame Frame3{"Frame3"};
    OptionGroup optLog{"optLog",
                       {{"never", "do no logging"},
                        {"all", "write to the log file every message and readings from the cloud sensor"},
                        {"10 min.", "write to the log file the readings every 10 minutes"},
                        {"30 min.", "write to the log file the readings every 30 minutes"}}};
    CommandButton cmdLogfile{"cmdLogfile", "Log File", "set the file path and file name for the log file"};
    CommandButton cmdDataFile{"cmdDataFile", "Data File", "set the file path and file name for the data file"};
    FileDialogControl cdlLogfile{"cdlLogfile", "Log File"};
    FileDialogControl cdlDatafile{"cdlDatafile", "Data File"};
    Label Label5{"Label5", " On Top"};
    CheckBox chkOnTop{"chkOnTop", "  On Top", "check this to keep the window on top"};
    Label lblVC{"lblVC", "vcldy"};
    Label lblKC{"lblKC", "close"};
    Frame Frame1{"Frame1"};
    TextBox txtAlertAlarmError{"txtAlertAlarmError", "", "status, error, and alert messages"};
    MultimediaControl mciSound{"mciSound"};

    // ---- Start-up, ticks and shutdown ----
    void Show();  // runs the load step on first showing
    void Form_Load();
    void Form_Unload();
    // The user closes the window.
    void Close();
    bool Loaded() const { return loaded_; }
    void tmrPollMsgTic();
    void tmrSoundTic();
    std::string DateTimeStr();

    // ---- Settings and window handlers ----
    void SaveSettings();
    void SetOnTop(int16_t flag);
    void FocusThresholdBox();
    void chkAlertFor_Click(int Index);
    void chkAlertType_Click(int Index);
    void chkOnTop_Click();
    void optLog_Click(int Index);
    void optUnits_Click(int Index);

    // ---- Value entry and file choosers ----
    void txtCloudyTemp_Change();
    void txtVCloudyTemp_Change();
    void txtComPort_Change();
    void txtCloudyTemp_KeyPress(int16_t& KeyAscii);
    void txtVCloudyTemp_KeyPress(int16_t& KeyAscii);
    void txtComPort_KeyPress(int16_t& KeyAscii);
    void txtCloudyTemp_LostFocus();
    void txtVCloudyTemp_LostFocus();
    void txtComPort_LostFocus();
    void cmdLogfile_Click();
    void cmdDataFile_Click();

    // ---- Reception and decoding ----
    void OpenSensorPort();
    void CloseSensorPort();
    void PollMessages();
    void ProcessMessage();
    double PowerOf(double base, double exponent, const std::string& label);
    double SkyTemperature(int16_t raw, double sensorT);

    // ---- Readings display ----
    void ShowReadings();
    void ShowCloudyThreshold();
    void ShowVCloudyThreshold();

    // ---- Alerts ----
    void AlertTick();

    // ---- Status field and error reports ----
    void ShowCondition(const std::string& text);
    void ShowStatus(const std::string& text);
    void ShowSkyAlert(const std::string& text);
    void ShowClearAlert(const std::string& text);
    void ShowWetAlert(const std::string& text);
    void ShowMsgError(const std::string& text);
    void ShowError(const std::string& text);
    void LogMsgError(const std::string& text);
    // Sees every text handed to ShowMsgError, shown or held back (for the decoder tool).
    std::function<void(const std::string&)> msgErrorObserver;

    // ---- Per-window state, grouped by the subsystem that owns it ----
    struct Reception {
        std::unique_ptr<ComPort> SensorPort;
        std::string LastChunk;
        std::string RxBuffer;
        std::string CurrentMessage;
    } rx;

    struct StatusHold {
        int16_t showcount = 0;
        int16_t showpriority = 0;
    } status;

    struct EditDelays {
        int16_t CloudyEditDelay = 0;
        int16_t VCloudyEditDelay = 0;
        int16_t ComPortEditDelay = 0;
    } edits;

    struct MessageState {
        std::string MessageTime;
        int16_t StartupGrace = 0;
        int16_t FirstMessagePending = 0;
        int16_t FirmwareVersion = 0;
        int16_t HeaterRaw = 0;
        std::string FlagHex;
        std::string FlagText;
        std::string BlockTextField;  // the block column of the records, always 5 wide
    } msg;

    struct CalibrationRun {
        int16_t Calibrating = 0;
        int16_t CalibrationStep = 0;
        int16_t CalibrationFitDone = 0;
    } calibration;

    int16_t busyf = 0;

private:
    void WireEvents();
    void ResetRunState();
    StoredSettings RunSettingsPhase();
    void CheckLogFileAtStart();
    void CheckDataFileAtStart();
    void ApplySettingsToControls(const StoredSettings& settings);
    bool RewriteWithRetries(const std::string& path, const std::vector<std::string>& lines, int attempts,
                            std::string& errorDescription);
    void CommitThreshold(const TextBox& box, double& threshold, const std::string& name);
    void WithBusyGuard(const std::function<void()>& work);
    void RunFileChooser(FileDialogControl& dialog, const std::string& badFileText, std::string& path,
                        const std::function<void(const std::string&)>& take);
    void ChooseLogFile(const std::string& fileName);
    void ChooseDataFile(const std::string& fileName);
    void LogShutDown();
    void UpdateMessageLamp();
    void ReceiveOneMessage();
    void RunDelayedCommits();
    std::string StatusHoldText() const;
    bool ShowInStatusField(const std::string& text, const ShowStyle& style);
    void LogErrorLine(ErrorLineKind kind, const std::string& errorNumber, const std::string& text);
    void ReportLogFailure(const std::string& boxText);
    bool LoggingNever() const;
    void LogSensorLine(const std::vector<std::string>& lines, const std::string& boxPrefix,
                       const std::string& errorNumber);
    std::optional<DecodedMessage> ValidateReading(const std::string& line, bool grace);
    std::optional<DecodedMessage> CheckReading(const FieldScan& scan, std::size_t lineLength);
    std::optional<DecodedMessage> Reject(const std::string& text);
    void ApplyGoodMessage(const DecodedMessage& decoded);
    void ConvertReadings(const DecodedMessage& decoded);
    void ApplyFlags(int16_t flags);
    double RelativeSkyTemperature(int16_t sky);
    void ClassifySky();
    void LogNoSkySolution(int16_t raw, double sensorT, double base);
    void ShowHeaterAndFlags();
    void SoundTones(int tones);
    void PlaySound(const std::string& fileName);

    CMain& main_;
    bool loaded_ = false;
};

}  // namespace orvanta
