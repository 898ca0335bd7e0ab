#pragma once
// A loaded window on fakes that takes sensor lines, and the lines built field by field.

#include <map>
#include <string>
#include <vector>

#include "decode/WireFormat.h"
#include "support/FakePlatform.h"
#include "support/SensorLines.h"
#include "support/TempConfigHome.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {

// The leading fields of a reading. The defaults put the sensor case at code 524
// (24.64 C) and the ambient at code 512 (2.02 C), with no block reading.
struct Head {
    int fvr = 48, sky = 300, tem = 500, amb = 512, blk = 999;
};

// A line of this length with the head and the other fields given by position; all else is 0.
inline std::string Line(std::size_t length, const Head& head = {}, const std::map<std::size_t, int>& others = {}) {
    std::vector<int> fields = {head.fvr, head.sky, head.tem, head.amb, head.blk};
    fields.resize(length / 3 - 1, 0);
    for (const auto& [position, value] : others) fields.at(position) = value;
    return EncodeSensorLine(fields);
}

// A layout-A line (firmware 48, 57 characters) with these flag bits.
inline std::string LayoutALine(const Head& head, int flags = 0) { return Line(57, head, {{5, flags}}); }

// A fresh empty folder for the files a test writes (the config home it also sets is unused).
using TempFolder = TempConfigHome;

// A first run on an empty settings store: thresholds -25 and -10, Celsius, no alerts,
// no log, port 0, and the start-up grace running.
struct StartedProcess : FakeProcess {
    std::vector<std::string> reports;  // every text handed to ShowMsgError, shown or held

    StartedProcess() {
        main.Main();
        form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); };
    }
    void Process(const std::string& line) {
        form().rx.CurrentMessage = line;
        form().ProcessMessage();
    }
};

}  // namespace orvanta::test
