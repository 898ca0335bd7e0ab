#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "decode/Conversions.h"
#include "decode/WireFormat.h"
#include "ui/FormatField.h"

namespace orvanta {
namespace {

void BM_SensorCaseTemp(benchmark::State& state) {
    int16_t code = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SensorCaseTemp(code));
        code = static_cast<int16_t>((code + 1) % 1024);
    }
}
BENCHMARK(BM_SensorCaseTemp);

void BM_AmbientTemp(benchmark::State& state) {
    int16_t code = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AmbientTemp(code));
        code = static_cast<int16_t>(code % 1023 + 1);
    }
}
BENCHMARK(BM_AmbientTemp);

void BM_ScanFields(benchmark::State& state) {
    std::vector<int> fields(28);
    std::iota(fields.begin(), fields.end(), 480);
    fields[0] = 60;
    const std::string line = EncodeSensorLine(fields);  // 29 fields, 87 characters
    for (auto _ : state) {
        benchmark::DoNotOptimize(ScanFields(line));
    }
}
BENCHMARK(BM_ScanFields);

void BM_FormatField(benchmark::State& state) {
    double value = -123.45;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatField(value, "##0.0;-##0.0", 6));
        value += 0.37;
    }
}
BENCHMARK(BM_FormatField);

}  // namespace
}  // namespace orvanta
