#include "ui/Settings.h"

#include <functional>
#include <vector>

#include "runtime/Numbers.h"

namespace orvanta {

namespace {

constexpr const char* kMissing = "not in registry";
const std::array<const char*, 4> kAlertForKeys{"cafc", "cafk", "cafv", "cafw"};
const std::array<const char*, 3> kAlertTypeKeys{"catv", "catb", "cats"};

struct CheckedValue {
    std::string key;
    bool decimal;  // whole numbers otherwise
    double min;
    double max;
    std::string minText;
    std::string maxText;
    std::function<void(StoredSettings&, double)> apply;
};

CheckedValue WholeNumber(std::string key, int16_t min, int16_t max,
                         std::function<void(StoredSettings&, int16_t)> apply) {
    return {std::move(key), false, double(min), double(max), std::to_string(min), std::to_string(max),
            [apply](StoredSettings& s, double v) { apply(s, static_cast<int16_t>(v)); }};
}

CheckedValue Flag(std::string key, std::function<void(StoredSettings&, int16_t)> apply) {
    return WholeNumber(std::move(key), 0, 1, std::move(apply));
}

CheckedValue Threshold(std::string key, std::function<void(StoredSettings&, double)> apply) {
    return {std::move(key), true, kLowestThreshold, kHighestThreshold, "-60", "0", std::move(apply)};
}

CheckedValue WindowEdge(std::string key, int screen, int window, std::function<void(StoredSettings&, int16_t)> apply) {
    auto value = WholeNumber(std::move(key), 0, 0, std::move(apply));
    value.max = screen - window;
    value.maxText = std::to_string(screen) + " - " + std::to_string(window);
    return value;
}

std::vector<CheckedValue> CheckedValues(const ScreenGeometry& g) {
    std::vector<CheckedValue> values{
        WindowEdge("Top", g.screenHeight, g.windowHeight, [](auto& s, int16_t v) { s.Top = v; }),
        WindowEdge("Left", g.screenWidth, g.windowWidth, [](auto& s, int16_t v) { s.Left = v; }),
        WholeNumber("comport", 0, kHighestPort, [](auto& s, int16_t v) { s.comport = std::to_string(v); }),
        Threshold("cloudytemp", [](auto& s, double v) { s.cloudytemp = v; }),
        Threshold("vcloudytemp", [](auto& s, double v) { s.vcloudytemp = v; }),
        WholeNumber("loginterval", 0, 3, [](auto& s, int16_t v) { s.loginterval = v; }),
        Flag("tempunit", [](auto& s, int16_t v) { s.tempunit = v; }),
        Flag("ontopf", [](auto& s, int16_t v) { s.ontopf = v; }),
    };
    for (std::size_t i = 0; i < kAlertForKeys.size(); ++i)
        values.push_back(Flag(kAlertForKeys[i], [i](auto& s, int16_t v) { s.alertFor[i] = v; }));
    for (std::size_t i = 0; i < kAlertTypeKeys.size(); ++i)
        values.push_back(Flag(kAlertTypeKeys[i], [i](auto& s, int16_t v) { s.alertType[i] = v; }));
    return values;
}

std::optional<double> Convert(const CheckedValue& value, const std::string& text) {
    if (value.decimal) return ParseDecimal(text);
    const auto whole = ParseWholeNumber(text);
    return whole ? std::optional<double>(*whole) : std::nullopt;
}

std::string BadValueNote(const CheckedValue& value, const std::string& rawText) {
    return "  Regname " + value.key + ", bad value, " + rawText + ", min " + value.minText + ", max " +
           value.maxText + " - using defaults";
}

}  // namespace

std::string ValueName(const std::string& key) { return "frmOrvanta." + key; }

SettingsReading ReadSettings(SettingsStore& store, const ScreenGeometry& geometry) {
    SettingsReading reading;
    if (store.Names().empty()) {
        reading.firstRun = true;
        reading.note = std::string("Could not find any previous settings in registry - using defaults.") +
                       "  This is normal if Orvanta has never been run before";
        return reading;
    }
    for (const auto& value : CheckedValues(geometry)) {
        const std::string text = store.Read(ValueName(value.key)).value_or(kMissing);
        const auto number = Convert(value, text);
        if (number && *number >= value.min && *number <= value.max) {
            value.apply(reading.values, *number);
        } else if (!reading.note) {
            reading.note = BadValueNote(value, text);
        }
    }
    reading.values.logfile = store.Read(ValueName("logfile")).value_or("");
    reading.values.datafile = store.Read(ValueName("datafile")).value_or("");
    return reading;
}

void WriteSettings(SettingsStore& store, const StoredSettings& values) {
    const auto write = [&store](const std::string& key, const std::string& text) { store.Write(ValueName(key), text); };
    if (values.Top >= 0 && values.Left >= 0) {
        write("Top", std::to_string(values.Top));
        write("Left", std::to_string(values.Left));
    }
    write("cloudytemp", DecimalText(values.cloudytemp));
    write("vcloudytemp", DecimalText(values.vcloudytemp));
    write("comport", values.comport);
    write("loginterval", std::to_string(values.loginterval));
    write("tempunit", std::to_string(values.tempunit));
    write("ontopf", std::to_string(values.ontopf));
    for (std::size_t i = 0; i < kAlertForKeys.size(); ++i) write(kAlertForKeys[i], std::to_string(values.alertFor[i]));
    for (std::size_t i = 0; i < kAlertTypeKeys.size(); ++i) write(kAlertTypeKeys[i], std::to_string(values.alertType[i]));
    write("logfile", values.logfile);
    write("datafile", values.datafile);
    store.Flush();
}

}  // namespace orvanta
