#pragma once
// The per-user settings file as the plain text a user would edit: the seventeen values a
// first run stores, lines written by hand, and the lines read back.

#include <fstream>
#include <map>
#include <regex>
#include <string>

#include "support/SensorLines.h"

namespace orvanta::test {

inline const std::map<std::string, std::string> kDefaultSettings{
    {"Top", "0"}, {"Left", "0"}, {"comport", "0"}, {"tempunit", "0"}, {"cloudytemp", "-25"}, {"vcloudytemp", "-10"},
    {"loginterval", "0"}, {"ontopf", "0"}, {"cafc", "0"}, {"cafk", "0"}, {"cafv", "0"}, {"cafw", "0"}, {"catv", "0"},
    {"catb", "0"}, {"cats", "0"}, {"logfile", ""}, {"datafile", ""}};

inline std::string SettingsFileOf(const std::string& configHome) { return configHome + "/KerrwickSystems.conf"; }

// The defaults with these lines changed; a null text leaves the line out.
inline void WriteSettings(const std::string& configHome, const std::map<std::string, const char*>& changes) {
    std::ofstream file(SettingsFileOf(configHome));
    file << "[Orvanta]\n";
    for (const auto& [key, value] : kDefaultSettings)
        if (const char* text = changes.contains(key) ? changes.at(key) : value.c_str())
            file << "frmOrvanta." << key << "=" << text << "\n";
}

// Key to text, from the "frmOrvanta.<key>=<text>" lines of the file.
inline std::map<std::string, std::string> StoredSettings(const std::string& configHome) {
    static const std::regex kLine(R"(\nfrmOrvanta\.([^=\n]+)=([^\n]*))");
    const std::string text = ReadFile(SettingsFileOf(configHome));
    std::map<std::string, std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), kLine), end; it != end; ++it) found[(*it)[1]] = (*it)[2];
    return found;
}

}  // namespace orvanta::test
