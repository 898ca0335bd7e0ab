// The decoder's options, run through the real binary: the start-up grace, the display
// unit and the poll ticks between lines.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "DecodeRunner.h"
#include "decode/WireFormat.h"

namespace orvanta::test::decoder {
namespace {

using nlohmann::json;

// Firmware 48, zeros past the head, checksum included. Amb 512 is 2.02 C and the Tem
// field 500 is case code 524, 24.64 C; with them Sky 300 is RelSkyT -19.76, cloudy.
std::string Encoded(std::size_t fieldCount, int sky = 300, int amb = 512) {
    std::vector<int> fields(fieldCount - 1, 0);
    const int head[] = {48, sky, 500, amb, 999};
    std::copy(std::begin(head), std::end(head), fields.begin());
    return EncodeSensorLine(fields);
}

std::string LayoutA(int sky = 300, int amb = 512) { return Encoded(19, sky, amb); }

// The objects of a run that must succeed with one object per input line.
std::vector<json> Decoded(const std::vector<std::string>& arguments, const std::vector<std::string>& lines) {
    const DecodeRun run = RunDecoder(arguments, lines);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.size(), lines.size());
    std::vector<json> objects;
    for (const auto& line : run.output) objects.push_back(json::parse(line));
    return objects;
}

TEST(DecodeGrace, OddLengthsPassOnlyInsideTheGrace) {
    struct Case {
        std::string line;
        std::string error;
    };
    // 23 whole fields; the 70th character belongs to none of them.
    const std::string seventy = Encoded(23).substr(0, 69) + "X";
    for (const Case& c : {Case{Encoded(24), "Message length is 72, which is illegal"},
                          Case{seventy, "Message length is 70, which is illegal"}}) {
        const auto inGrace = Decoded({"--grace"}, {c.line});
        const auto after = Decoded({}, {c.line});
        ASSERT_TRUE(!inGrace.empty() && !after.empty()) << c.line;
        EXPECT_EQ(inGrace[0]["outcome"], "good") << c.line;
        EXPECT_EQ(inGrace[0]["state"]["FirmwareVersion"], 48) << c.line;
        EXPECT_EQ(after[0]["outcome"], "rejected") << c.line;
        EXPECT_EQ(after[0]["error"], c.error);
    }
}

// Reference values of the formulas: Amb 56 is 70.93 C (159.67 F), case code 524 is
// 24.64 C (76.35 F); the sky marker 999.9 scales like a difference.
TEST(DecodeUnits, FahrenheitChangesTheBoxesButNotTheState) {
    const std::vector<std::string> lines{LayoutA(0, 56)};
    const auto celsius = Decoded({}, lines);
    const auto fahrenheit = Decoded({"--fahrenheit"}, lines);
    ASSERT_TRUE(!celsius.empty() && !fahrenheit.empty());
    for (const auto& [box, inC, inF] : {std::tuple{"txtSkyTemp", " 999.9", "1799.8"},
                                        std::tuple{"txtAmbientTemp", " 70.9", "159.7"},
                                        std::tuple{"txtSensorTemp", " 24.6", " 76.4"}}) {
        EXPECT_EQ(celsius[0]["display"][box], inC) << box;
        EXPECT_EQ(fahrenheit[0]["display"][box], inF) << box;
    }
    EXPECT_EQ(celsius[0]["state"], fahrenheit[0]["state"]);
}

// Before the first good line the count starts at the 400 of a fresh start.
TEST(DecodeTicks, TicksBetweenLinesCountSinceTheLastGoodLine) {
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> lines;
        std::vector<int> counts;
    };
    for (const Case& c : {Case{{"--ticks", "5"}, {"A123", "A123", LayoutA(), "A123", ""}, {400, 405, 0, 5, 10}},
                          Case{{}, {LayoutA(), "A123"}, {0, 12}}}) {
        std::vector<int> counts;
        for (const json& object : Decoded(c.arguments, c.lines)) counts.push_back(object["state"]["TicksSinceGoodData"]);
        EXPECT_EQ(counts, c.counts) << testing::PrintToString(c.arguments);
    }
}

}  // namespace
}  // namespace orvanta::test::decoder
