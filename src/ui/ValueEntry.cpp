#include "runtime/CMain.h"
#include "runtime/Numbers.h"
#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr int16_t kEnterKey = 13;
constexpr const char* kNotANumber = "not a number";
constexpr const char* kNotAWholeNumber = "not a whole number";

// Enter commits at once; the key itself is swallowed.
bool TakeEnter(int16_t& keyAscii) {
    if (keyAscii != kEnterKey) return false;
    keyAscii = 0;
    return true;
}
}  // namespace

void frmOrvanta::txtCloudyTemp_Change() { edits.CloudyEditDelay = kEditDelayTicks; }
void frmOrvanta::txtVCloudyTemp_Change() { edits.VCloudyEditDelay = kEditDelayTicks; }
void frmOrvanta::txtComPort_Change() { edits.ComPortEditDelay = kEditDelayTicks; }

void frmOrvanta::txtCloudyTemp_KeyPress(int16_t& KeyAscii) {
    if (TakeEnter(KeyAscii)) txtCloudyTemp_LostFocus();
}

void frmOrvanta::txtVCloudyTemp_KeyPress(int16_t& KeyAscii) {
    if (TakeEnter(KeyAscii)) txtVCloudyTemp_LostFocus();
}

void frmOrvanta::txtComPort_KeyPress(int16_t& KeyAscii) {
    if (TakeEnter(KeyAscii)) txtComPort_LostFocus();
}

void frmOrvanta::txtCloudyTemp_LostFocus() {
    CommitThreshold(txtCloudyTemp, main_.CloudyThreshT, "Clear/Cloudy Temp.");
    ShowCloudyThreshold();
}

void frmOrvanta::txtVCloudyTemp_LostFocus() {
    CommitThreshold(txtVCloudyTemp, main_.VCloudyThreshT, "Cloudy/V.C. Temp.");
    ShowVCloudyThreshold();
}

// The box shows the threshold in the display unit; a threshold is a difference, so
// Fahrenheit converts without the offset of 32.
void frmOrvanta::CommitThreshold(const TextBox& box, double& threshold, const std::string& name) {
    const std::string text = box.Text();
    auto value = ParseDecimal(text);
    if (!value) {
        ShowMsgError(name + " " + text + " error: " + kNotANumber);
        return;
    }
    if (main_.TempUnit == 1) *value = *value * 5 / 9;
    if (*value < kLowestThreshold || *value > kHighestThreshold) {
        ShowMsgError("Illegal " + name + " value " + text);
        return;
    }
    threshold = *value;
    SaveSettings();
}

void frmOrvanta::txtComPort_LostFocus() {
    CloseSensorPort();
    const std::string text = txtComPort.Text();
    const auto port = ParseWholeNumber(text);
    if (!port) {
        LogMsgError("0b" + StatusHoldText());
        ShowMsgError("COM Port " + text + " error: " + kNotAWholeNumber);
        txtComPort.SetText("0");
    } else if (*port >= 1 && *port <= kHighestPort) {
        OpenSensorPort();
    } else {
        LogMsgError("0c" + StatusHoldText());
        ShowMsgError("Illegal COM Port value " + text + " - please set correct COM Port");
        txtComPort.SetText("0");
    }
    SaveSettings();
}

}  // namespace orvanta
