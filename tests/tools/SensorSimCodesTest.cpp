// The simulator's codes and reading lines, read back by the product's own conversions,
// checksum and decoder.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "SensorSimHelpers.h"
#include "decode/Conversions.h"
#include "decode/WireFormat.h"
#include "sensor-sim/LineBuilder.h"

namespace orvanta::sim {
namespace {

struct Thermistor {
    const char* name;
    int (*codeFor)(double);
    double (*decode)(int16_t);
};

constexpr Thermistor kAmbient{"ambient", AmbientCodeFor, AmbientTemp};
constexpr Thermistor kCase{"case", CaseCodeFor, SensorCaseTemp};

// Within quantisation: no neighbouring code decodes closer to the wanted temperature.
TEST(SimCodes, InvertTheThermistorsToTheClosestCode) {
    for (const auto& [thermistor, celsius] :
         {std::pair{kAmbient, -30.0}, {kAmbient, -0.2}, {kAmbient, 2.016}, {kAmbient, 24.9}, {kAmbient, 55.0},
          {kCase, -30.0}, {kCase, 0.4}, {kCase, 24.64}, {kCase, 79.0}}) {
        const int code = thermistor.codeFor(celsius);
        const auto miss = [&](int c) { return std::abs(thermistor.decode(static_cast<int16_t>(c)) - celsius); };
        EXPECT_LE(miss(code), 0.5) << thermistor.name << " " << celsius << " C: code " << code;
        EXPECT_LE(miss(code), std::min(miss(code - 1), miss(code + 1))) << thermistor.name << " " << celsius;
    }
}

TEST(SimCodes, InvertTheSkyModelWithinADegree) {
    test::DecodingProcess decoder;
    for (const auto& [sensorT, skyT] : {std::pair{15.0, -18.0}, {8.0, -1.0}, {0.0, -33.0}, {24.64, -62.31}}) {
        const int raw = SkyRawFor(skyT, sensorT);
        EXPECT_NEAR(decoder.form().SkyTemperature(static_cast<int16_t>(raw), sensorT), skyT, 1.0) << "raw " << raw;
    }
}

TEST(SimLines, EveryLayoutIsAGoodMessageCarryingWetAndHeater) {
    struct Reading {
        bool wet;
        int heaterRaw;
    };
    for (const auto& [layout, length] : {std::pair{LineLayout::A57, 57u}, {LineLayout::A60, 60u},
                                         {LineLayout::B, 81u}, {LineLayout::C, 87u}, {LineLayout::D, 81u}}) {
        test::DecodingProcess decoder;
        for (const auto& [wet, heaterRaw] : {Reading{false, 0}, Reading{true, 120}, Reading{false, 30}}) {
            SCOPED_TRACE(testing::Message() << LayoutName(layout) << " wet " << wet << " heater " << heaterRaw);
            const std::string line = ReadingLine(layout, {{300, 524, 512, 420}, wet, heaterRaw, 17});
            const FieldScan scan = ScanFields(line);
            EXPECT_EQ(line.size(), length);
            EXPECT_TRUE(!scan.badField && Checksum(scan.sumWithoutLast) == scan.last) << line;
            EXPECT_TRUE(decoder.Process(line)) << line;
            EXPECT_EQ(decoder.main.WetF, wet ? 1 : 0);
            EXPECT_EQ(decoder.main.HeatingF != 0, heaterRaw > 0);
        }
        EXPECT_EQ(decoder.reports, std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace orvanta::sim
