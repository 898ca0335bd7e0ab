#pragma once
// The stored settings: one text value per key, read and checked once at start and
// written back whole after every change.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "runtime/Platform.h"

namespace orvanta {

struct StoredSettings {
    int Top = 0;  // twips
    int Left = 0;
    std::string comport = "0";  // the port box text, stored as typed
    double cloudytemp = -25.0;
    double vcloudytemp = -10.0;
    int16_t loginterval = 0;
    int16_t tempunit = 0;
    int16_t ontopf = 0;
    std::array<int16_t, 4> alertFor{};   // Clear, Cloudy, V.Cloudy, Wet
    std::array<int16_t, 3> alertType{};  // Visual, Beeper, Sound
    std::string logfile;
    std::string datafile;
};

// Sizes in twips that bound the stored window position.
struct ScreenGeometry {
    int screenWidth = 0;
    int screenHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
};

struct SettingsReading {
    StoredSettings values;
    bool firstRun = false;
    std::optional<std::string> note;  // for the status field
};

inline constexpr int16_t kHighestPort = 99;
inline constexpr double kLowestThreshold = -60.0;
inline constexpr double kHighestThreshold = 0.0;

// A missing, unparsable or out-of-range value takes its own default; the note names the
// first such key.
SettingsReading ReadSettings(SettingsStore& store, const ScreenGeometry& geometry);

// Writes every value; the window position only when neither edge is negative.
void WriteSettings(SettingsStore& store, const StoredSettings& values);

std::string ValueName(const std::string& key);

}  // namespace orvanta
