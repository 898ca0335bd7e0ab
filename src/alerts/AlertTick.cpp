#include <algorithm>
#include <vector>

#include "runtime/CMain.h"
#include "ui/frmOrvanta.h"

namespace orvanta {

namespace {

enum AlertFor { kClear = 0, kCloudy = 1, kVCloudy = 2, kWet = 3 };
enum AlertType { kVisual = 0, kBeeper = 1, kSound = 2 };

constexpr int32_t kNoMessagesWithAlertsTicks = 32;
constexpr int32_t kNoMessagesTicks = 40;
constexpr const char* kNoMessages = "No Msg's";
constexpr const char* kNotifySound = "notify.WAV";
constexpr const char* kWetSound = "wet.WAV";

using ShowOperation = void (frmOrvanta::*)(const std::string&);

// One row per condition, in order of precedence.
struct SkyAlert {
    std::string visualText;
    std::string plainText;
    std::vector<AlertFor> boxes;  // any of these checked makes it an alert
    ShowOperation alertShow;
    int tones;
    const char* soundFile;
};

SkyAlert SkyAlertFor(const CMain& state) {
    if (state.WetF != 0) {
        const bool freezing = state.AmbientT < 0;
        return {freezing ? "SNOW" : "RAIN", freezing ? "Snow" : "Rain", {kWet, kVCloudy, kCloudy},
                &frmOrvanta::ShowWetAlert, 3, kWetSound};
    }
    if (state.VCloudyF != 0)
        return {"Very Cloudy", "Very Cloudy", {kVCloudy, kCloudy}, &frmOrvanta::ShowSkyAlert, 1, kNotifySound};
    if (state.CloudyF != 0) return {"Cloudy", "Cloudy", {kCloudy}, &frmOrvanta::ShowSkyAlert, 1, kNotifySound};
    return {"Clear", "Clear", {kClear}, &frmOrvanta::ShowClearAlert, 1, kNotifySound};
}

}  // namespace

void frmOrvanta::AlertTick() {
    if (msg.StartupGrace != 0 || main_.CalibrateFlag != 0) return;
    const auto checked = [](const CheckBox& box) { return box.Value() == 1; };
    const bool anyAlert = std::any_of(chkAlertFor.begin(), chkAlertFor.end(), checked);
    const bool visual = checked(chkAlertType[kVisual]);
    const bool beeper = checked(chkAlertType[kBeeper]);
    const bool sound = checked(chkAlertType[kSound]);
    auto& platform = main_.platform;

    if (anyAlert && main_.TicksSinceGoodData > kNoMessagesWithAlertsTicks) {
        visual ? ShowSkyAlert(kNoMessages) : ShowCondition(kNoMessages);
        main_.SkyCondition = 0;
        if (beeper)
            platform.sound.Beep(1000, 300);
        else if (sound)
            PlaySound(kNotifySound);
        return;
    }
    if (!anyAlert && main_.TicksSinceGoodData > kNoMessagesTicks) {
        ShowCondition(kNoMessages);
        main_.SkyCondition = 0;
        return;
    }

    const SkyAlert alert = SkyAlertFor(main_);
    const bool alerting =
        std::any_of(alert.boxes.begin(), alert.boxes.end(), [&](AlertFor box) { return checked(chkAlertFor[box]); });
    if (!alerting) {
        ShowCondition(alert.plainText);
        return;
    }
    visual ? (this->*alert.alertShow)(alert.visualText) : ShowCondition(alert.plainText);
    if (beeper)
        SoundTones(alert.tones);
    else if (sound)
        PlaySound(alert.soundFile);
}

// The wet alert's three tones let poll ticks run between them.
void frmOrvanta::SoundTones(int tones) {
    auto& platform = main_.platform;
    if (tones == 1) {
        platform.sound.Beep(2000, 600);
        return;
    }
    for (int tone = 0; tone < tones; ++tone) {
        if (tone > 0) {
            platform.system.Sleep(150);
            platform.system.PumpMessages();
        }
        platform.sound.Beep(500, 250);
        platform.system.PumpMessages();
    }
}

void frmOrvanta::PlaySound(const std::string& fileName) {
    mciSound.FileName = fileName;
    main_.platform.sound.PlaySoundFile(mciSound.FileName);
}

}  // namespace orvanta
