#include "records/TextFile.h"
#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

struct ShowStyle {
    int16_t priority;
    OleColor colour;
    double fontSize;
    int16_t holdCount;
    bool restoresWindow;
};

namespace {

constexpr ShowStyle kCondition{0, kGreen, 24, 1, false};
constexpr ShowStyle kStatus{0, kGreen, 8, 3, false};
constexpr ShowStyle kSkyAlert{1, kLightRed, 24, 1, true};
constexpr ShowStyle kClearAlert{2, kBrightGreen, 24, 1, true};
constexpr ShowStyle kWetAlert{3, kRed, 24, 1, true};
constexpr ShowStyle kError{4, kRed, 8, 9, false};

}  // namespace

// One rule for every text of the status field: a held text of the same or higher
// priority wins, and a held text that is not condition green is emptied on its last
// attempt, which is what makes repeated alerts blink while conditions stand steady.
bool frmOrvanta::ShowInStatusField(const std::string& text, const ShowStyle& style) {
    if (status.showcount != 0 && status.showpriority >= style.priority) {
        if (status.showcount == 1 && txtAlertAlarmError.ForeColor() != kGreen) txtAlertAlarmError.SetText("");
        --status.showcount;
        return false;
    }
    txtAlertAlarmError.SetForeColor(style.colour);
    txtAlertAlarmError.SetFontSize(style.fontSize);
    txtAlertAlarmError.SetText(text);
    if (style.restoresWindow) window.SetMinimised(false);
    status.showcount = style.holdCount;
    status.showpriority = style.priority;
    return true;
}

void frmOrvanta::ShowCondition(const std::string& text) { ShowInStatusField(text, kCondition); }
void frmOrvanta::ShowStatus(const std::string& text) { ShowInStatusField(text, kStatus); }
void frmOrvanta::ShowSkyAlert(const std::string& text) { ShowInStatusField(text, kSkyAlert); }
void frmOrvanta::ShowClearAlert(const std::string& text) { ShowInStatusField(text, kClearAlert); }
void frmOrvanta::ShowWetAlert(const std::string& text) { ShowInStatusField(text, kWetAlert); }

void frmOrvanta::ShowMsgError(const std::string& text) {
    if (msgErrorObserver) msgErrorObserver(text);
    if (ShowInStatusField(text, kError)) LogErrorLine(ErrorLineKind::Message, "090", text);
}

void frmOrvanta::ShowError(const std::string& text) {
    if (ShowInStatusField(text, kError)) LogErrorLine(ErrorLineKind::Plain, "110", text);
}

void frmOrvanta::LogMsgError(const std::string& text) { LogErrorLine(ErrorLineKind::Message, "100", text); }

bool frmOrvanta::LoggingNever() const { return optLog[0].Value(); }

void frmOrvanta::LogErrorLine(ErrorLineKind kind, const std::string& errorNumber, const std::string& text) {
    msg.MessageTime = DateTimeStr();
    if (LoggingNever() || main_.LogFilePath.empty()) return;
    const std::string line = kind == ErrorLineKind::Message
                                 ? msg.MessageTime + " E" + std::string(40, ' ') + "~" + rx.CurrentMessage + "~ " + text
                                 : msg.MessageTime + " E" + std::string(33, ' ') + text;
    if (const auto error = AppendLines(main_.LogFilePath, {line}))
        ReportLogFailure("For log file " + main_.LogFilePath + " error" + errorNumber + ": " + *error + "  Msg " + text +
                         ", path\\name cleared");
}

// Clearing the path switches logging off, so a failing write is not retried.
void frmOrvanta::ReportLogFailure(const std::string& boxText) {
    main_.platform.dialogs.MessageBox(boxText, kProgramName);
    main_.LogFilePath.clear();
}

}  // namespace orvanta
