#pragma once
// The decoder's command line: one table row per option, so a new option is one row.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "runtime/Platform.h"

namespace orvanta::decode {

struct DecodeOptions {
    double cloudy = -25.0;  // thresholds, relative degrees Celsius
    double vcloudy = -10.0;
    bool fahrenheit = false;
    std::string logFile;  // empty: no log
    bool grace = false;   // start inside the start-up grace
    int ticks = 12;       // poll ticks between two lines
    std::optional<LocalDateTime> start;  // empty: the machine's clock
    std::string input;    // empty or "-": standard input
};

struct ShowUsage {};
struct UsageError {
    std::string text;
};
using ParseResult = std::variant<DecodeOptions, ShowUsage, UsageError>;

ParseResult ParseArguments(const std::vector<std::string>& arguments);

std::string UsageText(const std::string& programName);

}  // namespace orvanta::decode
