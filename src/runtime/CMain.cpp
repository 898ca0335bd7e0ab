#include "runtime/CMain.h"

#include "ui/frmOrvanta.h"

namespace orvanta {

CMain::CMain(Platform& platform) : platform(platform) {}

CMain::~CMain() = default;

frmOrvanta& CMain::Form() {
    if (!form_) form_ = std::make_unique<frmOrvanta>(*this);
    return *form_;
}

void CMain::Main() {
    ResetState();
    PollBusy = -1;
    AlertBusy = -1;
    if (!CreateTimers()) {
        platform.dialogs.MessageBox("Timers not created. Ending Program", "");
        EndProgram();
        return;
    }
    Form().Show();
}

void CMain::ResetState() {
    RelSkyT = SensorT = AmbientT = BlockT = 0;
    CalSkyT = CalSensorT = CalAmbientT = CalBlockT = {};
    WetF = WetSinceLog = CloseSinceLog = HeatingF = CalibrateFlag = CloudyF = VCloudyF = 0;
    TicksSinceGoodData = kStartTicksSinceGoodData;
    SkyCondition = 0;
}

// Both timers are asked for before either result is looked at.
bool CMain::CreateTimers() {
    PollTimerId = platform.timers.SetTimer(kPollPeriodMs, [this] {
        if (!ending_) Form().tmrPollMsgTic();
    });
    AlertTimerId = platform.timers.SetTimer(kAlertPeriodMs, [this] {
        if (!ending_) Form().tmrSoundTic();
    });
    return PollTimerId != 0 && AlertTimerId != 0;
}

void CMain::EndProgram() {
    if (ending_) return;
    ending_ = true;
    if (form_ && form_->Loaded()) form_->Form_Unload();
    platform.host.EndProcess();
}

}  // namespace orvanta
