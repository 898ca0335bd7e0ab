// sensor-sim: plays a cloud sensor on a serial line, for trying Orvanta without one.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "sensor-sim/Options.h"
#include "sensor-sim/Output.h"
#include "sensor-sim/ScenarioClock.h"
#include "sensor-sim/Simulation.h"

namespace orvanta::sim {
namespace {

using std::chrono::steady_clock;

std::chrono::sys_days Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
}

std::string Describe(const std::string& time, const Transmission& transmission) {
    const SkyState& state = transmission.state;
    char text[160];
    std::snprintf(text, sizeof text, "%s  ambient %5.1f  sky-ambient %5.1f  wet %d  heater %3d", time.c_str(),
                  state.ambientT, state.relSkyT, state.wet ? 1 : 0, state.heaterRaw);
    std::string description = text;
    if (transmission.fault != Fault::None) description += std::string("  fault: ") + FaultName(transmission.fault);
    return description;
}

class Player {
public:
    Player(const Options& options, Output& output, const StopSignals& signals)
        : options_(options),
          output_(output),
          signals_(signals),
          simulation_(options.scenario, options.layout, options.seed),
          clock_(options.start, options.intervalSeconds),
          pacing_(PacingFor(options)) {}

    int Play();

private:
    SendResult PlayReading(long reading, steady_clock::time_point first);

    const Options& options_;
    Output& output_;
    const StopSignals& signals_;
    Simulation simulation_;
    ScenarioClock clock_;
    Pacing pacing_;
};

int Player::Play() {
    std::cerr << "sensor-sim: layout " << LayoutName(options_.layout) << " (firmware "
              << FirmwareVersionOf(options_.layout) << "), scenario from " << clock_.Text(0) << '\n';
    if (!output_.AwaitListener(signals_)) return 0;
    const auto first = steady_clock::now();
    long reading = 0;
    SendResult result = SendResult::Sent;
    while (result == SendResult::Sent && (!options_.count || reading < *options_.count))
        result = PlayReading(reading++, first);
    if (result == SendResult::Sent) output_.Finish(signals_);
    std::cerr << "sensor-sim: " << reading << " readings played\n";
    return result == SendResult::Failed ? 1 : 0;
}

SendResult Player::PlayReading(long reading, steady_clock::time_point first) {
    const auto due = first + std::chrono::duration_cast<steady_clock::duration>(pacing_.readingGap * reading);
    if (!signals_.SleepUntil(due)) return SendResult::Stopped;
    const Transmission transmission = simulation_.Next(clock_.HoursSinceDusk(reading));
    if (options_.verbose) std::cerr << Describe(clock_.Text(reading), transmission) << '\n';
    return SendPaced(output_, transmission.bytes, pacing_, signals_);
}

int Main(const std::vector<std::string_view>& args) {
    const ParsedOptions parsed = ParseOptions(args, Today());
    if (!parsed.error.empty()) {
        std::cerr << "sensor-sim: " << parsed.error << "\n\n" << UsageText();
        return 2;
    }
    if (parsed.options.help) {
        std::cout << UsageText();
        return 0;
    }
    try {
        const StopSignals signals;
        const auto output = OpenOutput(parsed.options, std::cerr);
        return Player(parsed.options, *output, signals).Play();
    } catch (const std::exception& error) {
        std::cerr << "sensor-sim: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace
}  // namespace orvanta::sim

int main(int argc, char** argv) { return orvanta::sim::Main({argv + 1, argv + argc}); }
