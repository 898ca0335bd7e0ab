#pragma once
// The product's own decoder, on fakes, for checking what the simulator sends.

#include <string>
#include <vector>

#include "runtime/CMain.h"
#include "runtime/Framing.h"
#include "support/FakePlatform.h"
#include "ui/frmOrvanta.h"

namespace orvanta::test {

// A first start on an empty settings store (thresholds -25 and -10, no log, no port)
// with the start-up grace over, so every fault is reported.
struct DecodingProcess : FakeProcess {
    std::vector<std::string> reports;

    DecodingProcess() {
        main.Main();
        form().msgErrorObserver = [this](const std::string& text) { reports.push_back(text); };
        form().msg.StartupGrace = 0;
    }

    // True when the line was taken as a good reading.
    bool Process(const std::string& line) {
        main.TicksSinceGoodData = 1;
        form().rx.CurrentMessage = line;
        form().ProcessMessage();
        return main.TicksSinceGoodData == 0;
    }
};

// The lines the product's framer cuts from these bytes, on a fresh receive buffer.
inline std::vector<std::string> FramedLines(const std::string& bytes) {
    std::string buffer;
    AppendReceived(buffer, bytes);
    std::vector<std::string> lines;
    for (;;) {
        if (auto line = TakeLine(buffer))
            lines.push_back(*line);
        else if (buffer.find('\n') == std::string::npos)
            return lines;
    }
}

}  // namespace orvanta::test
