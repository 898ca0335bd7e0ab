#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {

enum AlertFor { kAlertClear = 0, kAlertCloudy = 1 };
enum AlertType { kAlertBeeper = 1, kAlertSound = 2 };

}  // namespace

// Keeps the value changes a handler makes from running further handlers.
void frmOrvanta::WithBusyGuard(const std::function<void()>& work) {
    if (busyf != 0) return;
    busyf = 1;
    work();
    busyf = 0;
}

void frmOrvanta::SetOnTop(int16_t flag) {
    window.SetOnTop(flag == 1);
    chkOnTop.SetValue(flag);
}

void frmOrvanta::FocusThresholdBox() {
    if (window.Visible()) window.SetFocus(&txtCloudyTemp);
}

void frmOrvanta::chkAlertFor_Click(int Index) {
    WithBusyGuard([&] {
        if (Index == kAlertClear && chkAlertFor[kAlertClear].Value() == 1) chkAlertFor[kAlertCloudy].SetValue(0);
        if (Index == kAlertCloudy && chkAlertFor[kAlertCloudy].Value() == 1) chkAlertFor[kAlertClear].SetValue(0);
        FocusThresholdBox();
        SaveSettings();
    });
}

void frmOrvanta::chkAlertType_Click(int Index) {
    WithBusyGuard([&] {
        if (Index == kAlertBeeper && chkAlertType[kAlertBeeper].Value() == 1) chkAlertType[kAlertSound].SetValue(0);
        if (Index == kAlertSound && chkAlertType[kAlertSound].Value() == 1) chkAlertType[kAlertBeeper].SetValue(0);
        FocusThresholdBox();
        SaveSettings();
    });
}

void frmOrvanta::chkOnTop_Click() {
    WithBusyGuard([&] {
        SetOnTop(chkOnTop.Value());
        SaveSettings();
    });
}

void frmOrvanta::optLog_Click(int Index) {
    WithBusyGuard([&] {
        main_.LogInterval = static_cast<int16_t>(Index);
        SaveSettings();
        FocusThresholdBox();
    });
}

// While loading, the unit stored in the settings is already in force.
void frmOrvanta::optUnits_Click(int Index) {
    WithBusyGuard([&] {
        if (!window.Visible()) return;
        main_.TempUnit = static_cast<int16_t>(Index);
        ShowCloudyThreshold();
        ShowVCloudyThreshold();
        ShowReadings();
        SaveSettings();
        FocusThresholdBox();
    });
}

}  // namespace orvanta
