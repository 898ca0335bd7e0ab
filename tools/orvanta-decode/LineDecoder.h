#pragma once
// One headless Orvanta window, set up from the decoder's options, that takes sensor
// lines one at a time through its real message processing and describes the outcome.

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "DecodeOptions.h"
#include "ReplayClock.h"
#include "runtime/CMain.h"
#include "runtime/HeadlessPlatform.h"

namespace orvanta::decode {

class LineDecoder {
public:
    // Boxes and tones of the window are reported to `report`.
    LineDecoder(const DecodeOptions& options, std::ostream& report);

    // Runs the poll ticks due since the previous line, then the line itself.
    nlohmann::ordered_json Decode(const std::string& line);

    // The window ended the program (as a calibration that cannot start does).
    bool Ended() const { return headless_.host.EndRequested(); }

private:
    void RunTicks();
    std::string Outcome() const;
    nlohmann::ordered_json State();
    nlohmann::ordered_json Display();

    ReplayClock clock_;
    HeadlessPlatform headless_;
    CMain main_;
    int ticksBetweenLines_;
    bool firstLine_ = true;
    std::vector<std::string> errors_;  // handed to ShowMsgError during the current line
};

// JSON wants UTF-8, but a sensor line is bytes in a single-byte code page: every byte
// from 0x80 up is taken as the character of the same number (Latin-1), so no byte is
// lost and the original bytes can be recovered.
std::string BytesAsText(const std::string& bytes);

}  // namespace orvanta::decode
