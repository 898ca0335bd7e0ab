#pragma once
// The window on fake platform parts, with real files in a fresh config home per test.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "runtime/CMain.h"
#include "runtime/ComPort.h"
#include "support/FakePlatform.h"
#include "support/TempConfigHome.h"
#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {

// What the system says about a path whose folder does not exist.
inline std::string MissingFolderError() { return std::strerror(ENOENT); }

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// True when someone holds COM n: a second open of a held port fails.
inline bool PortHeld(int n) { return !ComPort().OpenPort(static_cast<int16_t>(n), 300); }

class WindowTest : public testing::Test {
protected:
    // A complete stored set with these keys changed, then Main with its load step.
    void Start(const std::map<std::string, std::string>& changes = {}) {
        p.settings.StoreComplete(changes);
        p.main.Main();
    }

    frmOrvanta& form() { return p.form(); }
    std::string Stored(const std::string& key) { return p.settings.Read(ValueName(key)).value_or("<missing>"); }
    std::string FileIn(const std::string& name) const { return home.Path() + "/" + name; }
    // No open of this path can succeed, not even as root: its folder is missing.
    std::string Unopenable(const std::string& name) const { return home.Path() + "/missing/" + name; }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : p.dialogs.boxes) texts.push_back(box.text);
        return texts;
    }

    long SleepCalls() const { return std::count(p.system.calls.begin(), p.system.calls.end(), "sleep 100"); }

    TempConfigHome home;
    FakeProcess p;
};

}  // namespace orvanta::test
