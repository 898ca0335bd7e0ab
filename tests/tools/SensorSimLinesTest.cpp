// Reading lines in every layout, read back by the product's field scan, checksum,
// layout table and decoder.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SensorSimHelpers.h"
#include "sensor-sim/LineBuilder.h"
#include "sensor-sim/Simulation.h"

namespace orvanta::sim {
namespace {

struct LayoutCase {
    LineLayout layout;
    std::size_t length;
    int firmware;
    Layout decodedAs;
};

const LayoutCase kLayoutCases[] = {
    {LineLayout::A57, 57, 48, Layout::A}, {LineLayout::A60, 60, 48, Layout::A}, {LineLayout::B, 81, 50, Layout::B},
    {LineLayout::C, 87, 52, Layout::C},   {LineLayout::D, 81, 55, Layout::D},
};

struct ReadingCase {
    const char* name;
    bool wet;
    int heaterRaw;
};

const ReadingCase kReadingCases[] = {
    {"dry, heater off", false, 0}, {"wet, heater hard on", true, 120}, {"dry, frost guard", false, 30}};

ReadingValues Values(const ReadingCase& reading) {
    ReadingValues values;
    values.codes = {300, 524, 512, 420};
    values.wet = reading.wet;
    values.heaterRaw = reading.heaterRaw;
    values.sequence = 17;
    return values;
}

class SimEveryLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(SimEveryLayout, BuildsALineOfItsLengthWithAGoodChecksum) {
    const LayoutCase& expected = GetParam();
    const std::string line = ReadingLine(expected.layout, Values(kReadingCases[0]));
    EXPECT_EQ(line.size(), expected.length);
    EXPECT_TRUE(test::ChecksumHolds(line)) << line;
    const FieldScan scan = ScanFields(line);
    EXPECT_EQ(scan.fields[0], expected.firmware);
    EXPECT_EQ(LayoutFor(scan.fields[0]), expected.decodedAs);
    EXPECT_EQ(scan.fields[kSkyField], 300);
    EXPECT_EQ(scan.fields[kTemField] + kCaseCodeOffset, 524);
    EXPECT_EQ(scan.fields[kAmbField], 512);
    EXPECT_EQ(scan.fields[kBlkField], 420);
}

TEST_P(SimEveryLayout, CarriesWetAndHeaterWhereTheDecoderLooks) {
    const LayoutCase& expected = GetParam();
    const bool layoutA = expected.decodedAs == Layout::A;
    for (const ReadingCase& reading : kReadingCases) {
        SCOPED_TRACE(reading.name);
        const LayoutFields decoded =
            DecodeLayout(ScanFields(ReadingLine(expected.layout, Values(reading))).fields, expected.decodedAs);
        EXPECT_EQ(decoded.Flg & 1, reading.wet ? 1 : 0);
        EXPECT_EQ(decoded.HeaterRaw, layoutA ? 0 : reading.heaterRaw);
        const int heating = reading.heaterRaw > 0 ? 1 : 0;
        EXPECT_EQ(decoded.HeatingF, layoutA ? heating : -heating);
        for (const CalibrationSet& set : decoded.sets) EXPECT_EQ(set.b, 0) << "no calibration data";
    }
}

TEST_P(SimEveryLayout, IsAGoodMessageForTheDecoder) {
    const LayoutCase& expected = GetParam();
    test::DecodingProcess decoder;
    for (const ReadingCase& reading : kReadingCases) {
        SCOPED_TRACE(reading.name);
        EXPECT_TRUE(decoder.Process(ReadingLine(expected.layout, Values(reading))));
        EXPECT_EQ(decoder.main.WetF, reading.wet ? 1 : 0);
        EXPECT_EQ(decoder.main.HeatingF != 0, reading.heaterRaw > 0);
        EXPECT_EQ(decoder.main.CalDataF, 0);
    }
    EXPECT_EQ(decoder.reports, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Table, SimEveryLayout, testing::ValuesIn(kLayoutCases),
                         [](const auto& info) { return std::string(LayoutName(info.param.layout)); });

TEST(SimLineLayouts, CountSeqUpPerReadingAndWrapAtAThousand) {
    struct SeqCase {
        LineLayout layout;
        std::size_t seqField;
    };
    for (const SeqCase& seqCase : {SeqCase{LineLayout::C, 27}, SeqCase{LineLayout::D, 25}}) {
        SCOPED_TRACE(LayoutName(seqCase.layout));
        Simulation simulation(ScenarioKind::Night, seqCase.layout, 1);
        std::vector<int> seq;
        for (int reading = 0; reading <= 1000; ++reading)
            seq.push_back(
                ScanFields(test::FramedLines(simulation.Next(reading / 720.0).bytes).at(0)).fields[seqCase.seqField]);
        EXPECT_EQ(seq[0], 0);
        EXPECT_EQ(seq[1], 1);
        EXPECT_EQ(seq[999], 999);
        EXPECT_EQ(seq[1000], 0);
    }
}

TEST(SimLineLayouts, A60KeepsVclWithinTheDecodersLimit) {
    const FieldScan scan = ScanFields(ReadingLine(LineLayout::A60, Values(kReadingCases[0])));
    EXPECT_LE(scan.fields[18], 255);
}

TEST(SimLineLayouts, AreFoundByTheirNames) {
    for (const LayoutCase& layoutCase : kLayoutCases)
        EXPECT_EQ(LineLayoutNamed(LayoutName(layoutCase.layout)), layoutCase.layout);
    EXPECT_EQ(LineLayoutNamed("A"), std::nullopt);
    EXPECT_EQ(LineLayoutNamed("d"), std::nullopt);
}

}  // namespace
}  // namespace orvanta::sim
