#include "runtime/CMain.h"
#include "ui/ReadingsText.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {
constexpr int16_t kFirstFirmwareWithHeater = 49;
constexpr double kNoBlockReading = 999.0;
}  // namespace

void frmOrvanta::ShowReadings() {
    const DisplayUnit unit = DisplayUnitFor(main_.TempUnit);
    txtSkyTemp.SetText(SkyText(main_.RelSkyT, unit));
    txtSensorTemp.SetText(AbsoluteTemperatureText(main_.SensorT, unit));
    txtAmbientTemp.SetText(AbsoluteTemperatureText(main_.AmbientT, unit));
    msg.BlockTextField = BlockText(main_.BlockT, unit);
    txtBlockTemp.SetText(main_.BlockT < kNoBlockReading ? msg.BlockTextField : "");
    ShowHeaterAndFlags();
}

// Later firmware reports the heater duty as a number and has a very-cloudy flag of its
// own; earlier firmware only says whether the heater is on.
void frmOrvanta::ShowHeaterAndFlags() {
    const bool reportsDuty = msg.FirmwareVersion >= kFirstFirmwareWithHeater;
    if (reportsDuty) {
        main_.HeaterPercent = HeaterPercentOf(msg.HeaterRaw);
        txtHeater.SetText(HeaterText(main_.HeaterPercent));
    }
    txtHeater.SetVisible(reportsDuty);
    lblHeat.SetVisible(reportsDuty);
    lblHeatflag.SetVisible(!reportsDuty);
    shaHeating.SetVisible(!reportsDuty);
    lblVC.SetVisible(reportsDuty && main_.VCloudyFlag != 0);
    lblKC.SetVisible(main_.CloseFlag != 0);
}

void frmOrvanta::ShowCloudyThreshold() { txtCloudyTemp.SetText(ThresholdText(main_.CloudyThreshT, main_.TempUnit)); }

void frmOrvanta::ShowVCloudyThreshold() {
    txtVCloudyTemp.SetText(ThresholdText(main_.VCloudyThreshT, main_.TempUnit));
}

}  // namespace orvanta
