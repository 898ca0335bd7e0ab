#include "LineDecoder.h"

#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace orvanta::decode {

namespace {

constexpr int16_t kLogAll = 1;

StoredSettings SettingsFor(const DecodeOptions& options) {
    StoredSettings values;
    values.cloudytemp = options.cloudy;
    values.vcloudytemp = options.vcloudy;
    values.tempunit = options.fahrenheit ? 1 : 0;
    values.logfile = options.logFile;
    values.loginterval = options.logFile.empty() ? 0 : kLogAll;
    return values;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const auto& text : texts) joined += (joined.empty() ? "" : "\n") + text;
    return joined;
}

}  // namespace

std::string BytesAsText(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

// The store is filled before the window loads, so the load step reads these values
// as it would read the user's settings, and shows no first-run note.
LineDecoder::LineDecoder(const DecodeOptions& options, std::ostream& report)
    : clock_(options.start), headless_(clock_, {&report, true}), main_(headless_.platform),
      ticksBetweenLines_(options.ticks) {
    WriteSettings(headless_.settings, SettingsFor(options));
    main_.Main();
    frmOrvanta& form = main_.Form();
    form.msgErrorObserver = [this](const std::string& text) { errors_.push_back(text); };
    if (!options.grace) form.msg.StartupGrace = 0;
}

nlohmann::ordered_json LineDecoder::Decode(const std::string& line) {
    if (!firstLine_) RunTicks();
    firstLine_ = false;
    errors_.clear();
    frmOrvanta& form = main_.Form();
    form.rx.CurrentMessage = line;
    form.ProcessMessage();
    nlohmann::ordered_json described;
    described["message"] = BytesAsText(line);
    described["outcome"] = Outcome();
    described["error"] = errors_.empty() ? nlohmann::ordered_json(nullptr)
                                         : nlohmann::ordered_json(BytesAsText(Joined(errors_)));
    described["state"] = State();
    described["display"] = Display();
    return described;
}

void LineDecoder::RunTicks() {
    for (int tick = 0; tick < ticksBetweenLines_; ++tick) {
        clock_.AdvanceTick();
        main_.Form().tmrPollMsgTic();
    }
}

// At least one tick runs between two lines, so only a good line leaves the count at 0.
std::string LineDecoder::Outcome() const {
    if (main_.TicksSinceGoodData == 0) return "good";
    return errors_.empty() ? "ignored" : "rejected";
}

nlohmann::ordered_json LineDecoder::State() {
    const frmOrvanta& form = main_.Form();
    return {
        {"SkyCondition", main_.SkyCondition},   {"RelSkyT", main_.RelSkyT},
        {"AmbientT", main_.AmbientT},           {"SensorT", main_.SensorT},
        {"BlockT", main_.BlockT},               {"HeaterPercent", main_.HeaterPercent},
        {"HeaterRaw", form.msg.HeaterRaw},      {"FirmwareVersion", form.msg.FirmwareVersion},
        {"WetF", main_.WetF},                   {"HeatingF", main_.HeatingF},
        {"VCloudyFlag", main_.VCloudyFlag},     {"CloseFlag", main_.CloseFlag},
        {"CalibrateFlag", main_.CalibrateFlag}, {"CloudyF", main_.CloudyF},
        {"VCloudyF", main_.VCloudyF},           {"CalDataF", main_.CalDataF},
        {"TicksSinceGoodData", main_.TicksSinceGoodData},
    };
}

nlohmann::ordered_json LineDecoder::Display() {
    const frmOrvanta& form = main_.Form();
    return {
        {"txtSkyTemp", BytesAsText(form.txtSkyTemp.Text())},
        {"txtAmbientTemp", BytesAsText(form.txtAmbientTemp.Text())},
        {"txtSensorTemp", BytesAsText(form.txtSensorTemp.Text())},
        {"txtBlockTemp", BytesAsText(form.txtBlockTemp.Text())},
        {"BlockTextField", BytesAsText(form.msg.BlockTextField)},
        {"txtHeater", BytesAsText(form.txtHeater.Text())},
        {"FlagHex", BytesAsText(form.msg.FlagHex)},
        {"FlagText", BytesAsText(form.msg.FlagText)},
    };
}

}  // namespace orvanta::decode
