#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr int kDataFileAttemptsAtStart = 6;
constexpr int kRetryPauseMs = 100;
}  // namespace

StoredSettings frmOrvanta::RunSettingsPhase() {
    auto& platform = main_.platform;
    const ScreenGeometry geometry{platform.host.ScreenWidthTwips(), platform.host.ScreenHeightTwips(),
                                  window.WidthTwips(), window.HeightTwips()};
    const SettingsReading reading = ReadSettings(platform.settings, geometry);
    if (reading.note) ShowError(*reading.note);
    const StoredSettings& values = reading.values;
    main_.CloudyThreshT = values.cloudytemp;
    main_.VCloudyThreshT = values.vcloudytemp;
    main_.LogInterval = values.loginterval;
    main_.TempUnit = values.tempunit;
    main_.LogFilePath = values.logfile;
    main_.DataFilePath = values.datafile;
    CheckLogFileAtStart();
    CheckDataFileAtStart();
    return values;
}

void frmOrvanta::CheckLogFileAtStart() {
    if (main_.LogFilePath.empty()) return;
    msg.MessageTime = DateTimeStr();
    if (const auto error = AppendLines(main_.LogFilePath, {"", "", msg.MessageTime + "   Orvanta Start Up"}))
        ReportLogFailure("For log file " + main_.LogFilePath + " error005: " + *error + ", path\\name cleared");
}

void frmOrvanta::CheckDataFileAtStart() {
    if (main_.DataFilePath.empty()) return;
    std::string error;
    if (RewriteWithRetries(main_.DataFilePath, {""}, kDataFileAttemptsAtStart, error)) return;
    main_.platform.dialogs.MessageBox("For data file " + main_.DataFilePath + " error010: could not open, " + error +
                                          ", path\\name cleared to avoid further errors",
                                      kProgramName);
    main_.DataFilePath.clear();
}

// Another program may hold the file for a moment; it gets a few chances, 100 ms apart.
bool frmOrvanta::RewriteWithRetries(const std::string& path, const std::vector<std::string>& lines, int attempts,
                                    std::string& errorDescription) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const auto error = RewriteFile(path, lines);
        if (!error) return true;
        errorDescription = *error;
        main_.platform.system.Sleep(kRetryPauseMs);
    }
    return false;
}

void frmOrvanta::SaveSettings() {
    StoredSettings values;
    values.Top = window.Top();
    values.Left = window.Left();
    values.cloudytemp = main_.CloudyThreshT;
    values.vcloudytemp = main_.VCloudyThreshT;
    values.comport = txtComPort.Text();
    values.loginterval = main_.LogInterval;
    values.tempunit = main_.TempUnit;
    values.ontopf = chkOnTop.Value();
    for (std::size_t i = 0; i < chkAlertFor.size(); ++i) values.alertFor[i] = chkAlertFor[i].Value();
    for (std::size_t i = 0; i < chkAlertType.size(); ++i) values.alertType[i] = chkAlertType[i].Value();
    values.logfile = main_.LogFilePath;
    values.datafile = main_.DataFilePath;
    WriteSettings(main_.platform.settings, values);
}

}  // namespace orvanta
