// ProcessMessage of one good line per layout, on a headless window without log or data
// file, so the figure is the decoding, conversion, classification and display alone.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "decode/WireFormat.h"
#include "runtime/CMain.h"
#include "runtime/HeadlessPlatform.h"
#include "runtime/SystemClock.h"
#include "ui/Settings.h"
#include "ui/frmOrvanta.h"

namespace orvanta {
namespace {

// The fields of a line before its checksum: the leading fields, empty calibration sets
// (C3b is 0, so no calibration fit runs) and the trailing fields of the layout.
std::vector<int> Fields(std::vector<int> head, int calibrationSets, const std::vector<int>& tail) {
    head.resize(head.size() + 4 * static_cast<std::size_t>(calibrationSets), 0);
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

const std::vector<int> kA57 = Fields({48, 300, 500, 512, 600, 1}, 3, {});
const std::vector<int> kA60 = Fields({48, 350, 500, 512, 999, 2}, 3, {255});
const std::vector<int> kB = Fields({50, 300, 480, 520, 650, 75, 111, 222, 33, 2}, 4, {});
const std::vector<int> kC = Fields({52, 200, 450, 500, 700, 150, 128}, 4, {123, 234, 45, 67, 8});
const std::vector<int> kD = Fields({53, 250, 510, 530, 999, 300, 66}, 3, {101, 202, 3, 4, 55, 66, 7});

void BM_ProcessMessage(benchmark::State& state, const std::vector<int>& fields) {
    SystemClock clock;
    HeadlessPlatform headless(clock, {nullptr, false});
    WriteSettings(headless.settings, StoredSettings{});
    CMain main(headless.platform);
    main.Main();
    frmOrvanta& form = main.Form();
    form.msg.StartupGrace = 0;
    const std::string line = EncodeSensorLine(fields);
    for (auto _ : state) {
        form.rx.CurrentMessage = line;
        form.ProcessMessage();
        benchmark::DoNotOptimize(main.RelSkyT);
    }
    if (main.TicksSinceGoodData != 0) state.SkipWithError("the line was not accepted");
}

void PerLine(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
}

BENCHMARK_CAPTURE(BM_ProcessMessage, A57, kA57)->Apply(PerLine);
BENCHMARK_CAPTURE(BM_ProcessMessage, A60, kA60)->Apply(PerLine);
BENCHMARK_CAPTURE(BM_ProcessMessage, B, kB)->Apply(PerLine);
BENCHMARK_CAPTURE(BM_ProcessMessage, C, kC)->Apply(PerLine);
BENCHMARK_CAPTURE(BM_ProcessMessage, D, kD)->Apply(PerLine);

}  // namespace
}  // namespace orvanta
