#include "sensor-sim/Options.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace orvanta::sim {
namespace {

using std::chrono::duration;

constexpr double kFastFactor = 50;

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

std::string SetTarget(Options& options, Target target, std::string_view path) {
    if (options.target) return "choose only one of --link, --device and --stdout";
    options.target = target;
    options.path = path;
    return {};
}

std::string SetLayout(Options& options, std::string_view name) {
    const auto layout = LineLayoutNamed(name);
    if (!layout) return "unknown layout \"" + std::string(name) + "\" (A57, A60, B, C or D)";
    options.layout = *layout;
    return {};
}

std::string SetScenario(Options& options, std::string_view name) {
    const auto scenario = ScenarioNamed(name);
    if (!scenario) return "unknown scenario \"" + std::string(name) + "\" (night or noise)";
    options.scenario = *scenario;
    return {};
}

std::string SetInterval(Options& options, std::string_view text) {
    const auto seconds = ParseNumber<double>(text);
    if (!seconds || !std::isfinite(*seconds) || *seconds <= 0) return "--interval needs a number of seconds above 0";
    options.intervalSeconds = *seconds;
    return {};
}

std::string SetCount(Options& options, std::string_view text) {
    const auto count = ParseNumber<long>(text);
    if (!count || *count < 1) return "--count needs a whole number of readings, 1 or more";
    options.count = count;
    return {};
}

// A bare time means that time on the default start's day.
std::string SetStart(Options& options, std::string_view text) {
    const auto start = ParseStartTime(text, std::chrono::floor<std::chrono::days>(options.start));
    if (!start) return "--start needs \"YYYY-MM-DD hh:mm\" or \"hh:mm\"";
    options.start = *start;
    return {};
}

std::string SetSeed(Options& options, std::string_view text) {
    const auto seed = ParseNumber<uint32_t>(text);
    if (!seed) return "--seed needs a whole number from 0 to " + std::to_string(std::numeric_limits<uint32_t>::max());
    options.seed = *seed;
    return {};
}

template <bool Options::*Flag>
std::string SetFlag(Options& options, std::string_view) {
    options.*Flag = true;
    return {};
}

struct KnownOption {
    std::string_view name;
    bool takesValue;
    std::string (*apply)(Options&, std::string_view value);
};

constexpr std::array<KnownOption, 14> kOptions{{
    {"--link", true, [](Options& o, std::string_view v) { return SetTarget(o, Target::Link, v); }},
    {"--device", true, [](Options& o, std::string_view v) { return SetTarget(o, Target::Device, v); }},
    {"--stdout", false, [](Options& o, std::string_view) { return SetTarget(o, Target::Stdout, ""); }},
    {"--layout", true, SetLayout},
    {"--scenario", true, SetScenario},
    {"--interval", true, SetInterval},
    {"--fast", false, SetFlag<&Options::fast>},
    {"--paced", false, SetFlag<&Options::paced>},
    {"--count", true, SetCount},
    {"--start", true, SetStart},
    {"--seed", true, SetSeed},
    {"--verbose", false, SetFlag<&Options::verbose>},
    {"--help", false, SetFlag<&Options::help>},
    {"-h", false, SetFlag<&Options::help>},
}};

const KnownOption* Find(std::string_view name) {
    for (const KnownOption& known : kOptions)
        if (known.name == name) return &known;
    return nullptr;
}

}  // namespace

ParsedOptions ParseOptions(std::span<const std::string_view> args, std::chrono::sys_days today) {
    ParsedOptions parsed;
    parsed.options.start = CivilTime{today} + kDusk;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        const KnownOption* known = Find(args[i]);
        if (known == nullptr) {
            parsed.error = "unknown option \"" + std::string(args[i]) + "\"";
        } else if (known->takesValue && i + 1 == args.size()) {
            parsed.error = std::string(args[i]) + " needs a value";
        } else {
            parsed.error = known->apply(parsed.options, known->takesValue ? args[++i] : std::string_view{});
        }
    }
    if (parsed.error.empty() && !parsed.options.help && !parsed.options.target)
        parsed.error = "say where the lines go: --link PATH, --device PATH or --stdout";
    return parsed;
}

Pacing PacingFor(const Options& options) {
    if (options.target == Target::Stdout && !options.paced) return {duration<double>::zero(), false};
    const double gap = options.fast ? options.intervalSeconds / kFastFactor : options.intervalSeconds;
    return {duration<double>(gap), !options.fast};
}

std::string UsageText() {
    return R"(Usage: sensor-sim (--link PATH | --device PATH | --stdout) [options]
Plays a cloud sensor on a serial line: one reading line per interval, each character
taking as long as it would at 300 baud.

Where the lines go (one of):
  --link PATH         create a pseudo-terminal and link its device at PATH, such as
                      ~/.config/KerrwickSystems/dosdevices/com1 for COM port 1;
                      readings start once a program opens the port
  --device PATH       write to a serial device, set to raw 300 baud 8N1
  --stdout            write to standard output, as fast as it takes them

What is sent:
  --layout L          A57, A60, B, C or D (firmware 48, 48, 50, 52, 55); default D
  --scenario S        night: dusk to dawn with clouds, a rain spell and late snow
                      (default); noise: the same night with a fault on about one
                      line in three
  --seed N            the same seed plays the same night (default 1)
  --start TIME        the scenario's start, "YYYY-MM-DD hh:mm" or "hh:mm"
                      (default 18:00 today)

Timing:
  --interval SECONDS  between readings, and the scenario clock's step (default 5)
  --fast              no character pacing and readings 50 times as often; the
                      scenario clock still moves on by the interval per reading
  --paced             pace standard output as the serial line would be paced
  --count N           stop after N readings (default: until interrupted)

  --verbose           one line per reading on standard error
  --help              this text
)";
}

}  // namespace orvanta::sim
