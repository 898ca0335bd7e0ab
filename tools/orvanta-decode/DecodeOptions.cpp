#include "DecodeOptions.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "ReplayClock.h"
#include "runtime/Numbers.h"
#include "ui/Settings.h"

namespace orvanta::decode {

namespace {

// An option's action: takes its value (empty for a switch) and returns an error text
// when the value is not acceptable.
using Apply = std::function<std::optional<std::string>(DecodeOptions&, const std::string&)>;

struct OptionRow {
    std::string_view name;
    std::string_view valueName;  // empty: a switch without a value
    std::string_view help;
    Apply apply;
};

// The same range the settings accept, so the window never falls back to its default.
Apply Threshold(double DecodeOptions::*field) {
    return [field](DecodeOptions& options, const std::string& value) -> std::optional<std::string> {
        const auto number = ParseDecimal(value);
        if (!number || *number < kLowestThreshold || *number > kHighestThreshold)
            return "a threshold from -60 to 0 degrees C, not '" + value + "'";
        options.*field = *number;
        return std::nullopt;
    };
}

Apply Switch(bool DecodeOptions::*field) {
    return [field](DecodeOptions& options, const std::string&) -> std::optional<std::string> {
        options.*field = true;
        return std::nullopt;
    };
}

std::optional<std::string> ApplyTicks(DecodeOptions& options, const std::string& value) {
    const auto number = ParseWholeNumber(value);
    if (!number || *number < 1 || value.find_first_not_of("0123456789") != std::string::npos)
        return "a tick count of at least 1, not '" + value + "'";
    options.ticks = *number;
    return std::nullopt;
}

std::optional<std::string> ApplyStart(DecodeOptions& options, const std::string& value) {
    options.start = ParseDateTime(value);
    if (!options.start) return "a time as \"YYYY-MM-DD hh:mm:ss\", not '" + value + "'";
    return std::nullopt;
}

std::optional<std::string> ApplyLog(DecodeOptions& options, const std::string& value) {
    if (value.empty()) return "a log file name";
    options.logFile = value;
    return std::nullopt;
}

const std::vector<OptionRow>& OptionTable() {
    static const std::vector<OptionRow> table{
        {"--cloudy", "T", "clear/cloudy threshold, degrees C (default -25)", Threshold(&DecodeOptions::cloudy)},
        {"--vcloudy", "T", "cloudy/very cloudy threshold, degrees C (default -10)",
         Threshold(&DecodeOptions::vcloudy)},
        {"--fahrenheit", "", "show the readings in degrees F", Switch(&DecodeOptions::fahrenheit)},
        {"--log", "FILE", "log every message to FILE (default: no log)", ApplyLog},
        {"--grace", "", "start inside the start-up grace", Switch(&DecodeOptions::grace)},
        {"--ticks", "N", "poll ticks between two lines (default 12)", ApplyTicks},
        {"--start", "\"YYYY-MM-DD hh:mm:ss\"", "replayed clock from this time, 250 ms per tick (default: real time)",
         ApplyStart},
    };
    return table;
}

const OptionRow* FindOption(std::string_view name) {
    for (const auto& row : OptionTable())
        if (row.name == name) return &row;
    return nullptr;
}

std::optional<std::string> ApplyOption(const std::vector<std::string>& arguments, std::size_t& i,
                                       DecodeOptions& options) {
    const std::string& name = arguments[i];
    const OptionRow* row = FindOption(name);
    if (!row) return "unknown option " + name;
    std::string value;
    if (!row->valueName.empty()) {
        if (++i == arguments.size()) return name + " needs " + std::string(row->valueName);
        value = arguments[i];
    }
    if (auto error = row->apply(options, value)) return name + " needs " + *error;
    return std::nullopt;
}

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& arguments) {
    DecodeOptions options;
    bool haveInput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") return ShowUsage{};
        if (argument.starts_with("--")) {
            if (auto error = ApplyOption(arguments, i, options)) return UsageError{*error};
        } else if (haveInput) {
            return UsageError{"only one input file, not also '" + argument + "'"};
        } else {
            options.input = argument;
            haveInput = true;
        }
    }
    return options;
}

std::string UsageText(const std::string& programName) {
    std::string text = "usage: " + programName + " [options] [FILE]\n" +
                       "Decodes sensor lines (one per line, from FILE or standard input) and prints one JSON\n" +
                       "object per line.\n\noptions:\n";
    for (const auto& row : OptionTable()) {
        std::string left = "  " + std::string(row.name);
        if (!row.valueName.empty()) left += " " + std::string(row.valueName);
        left.resize(std::max<std::size_t>(left.size() + 2, 36), ' ');
        text += left + std::string(row.help) + "\n";
    }
    return text;
}

}  // namespace orvanta::decode
