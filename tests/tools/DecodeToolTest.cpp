// The decoder's options, run through the real binary: the start-up grace, the display
// unit, the thresholds, the poll ticks between lines, the replayed clock, line ends,
// bytes that are not ASCII, and the usage errors.

#include <gtest/gtest.h>

#include "DecodeRunner.h"
#include "decode/WireFormat.h"

namespace orvanta::test::decoder {
namespace {

using nlohmann::json;

struct Reading {
    int fvr = 48;
    int sky = 300;  // with the case and ambient below: RelSkyT -19.76, cloudy
    int tem = 500;  // case code 524, 24.64 C
    int amb = 512;  // 2.02 C
    int blk = 999;  // no block reading
};

// A line of `fieldCount` fields, checksum included; fields past the head are 0.
std::string Encoded(std::size_t fieldCount, const Reading& r = {}) {
    std::vector<int> fields(fieldCount - 1, 0);
    const int head[] = {r.fvr, r.sky, r.tem, r.amb, r.blk};
    std::copy(std::begin(head), std::end(head), fields.begin());
    return EncodeSensorLine(fields);
}

std::string LayoutA(const Reading& r = {}) { return Encoded(19, r); }

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

// The objects of a run that must have succeeded with one object per input line.
std::vector<json> Decoded(const std::vector<std::string>& arguments, const std::vector<std::string>& lines) {
    const DecodeRun run = RunDecoder(arguments, Lines(lines));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.output.size(), lines.size());
    return run.Objects();
}

json DecodedOne(const std::vector<std::string>& arguments, const std::string& line) {
    const auto objects = Decoded(arguments, {line});
    return objects.empty() ? json() : objects[0];
}

struct GraceCase {
    std::string name;
    std::string line;
    std::string outcomeInGrace;
    std::string outcomeAfterGrace;
    json errorInGrace;  // null: none
    json errorAfterGrace;
};

std::vector<GraceCase> GraceCases() {
    const std::string seventy = Encoded(23).substr(0, 69) + "X";  // 23 fields; the 70th character is no field's
    std::string badField = LayoutA();
    badField.replace(3, 3, "1A2");
    // The head fields sum to 2359, whose checksum is 64.
    const std::string badSum = LayoutA().substr(0, 54) + "065";
    return {
        {"SeventyTwoCharactersWithGoodChecksum", Encoded(24), "good", "rejected", nullptr,
         "Message length is 72, which is illegal"},
        {"SeventyCharacters", seventy, "good", "rejected", nullptr, "Message length is 70, which is illegal"},
        {"IllegalField", badField, "ignored", "rejected", nullptr,
         "Message field ~1A2~ at columns 4 to 6 is illegal"},
        {"ChecksumFailure", badSum, "ignored", "rejected", nullptr, "Message checksum failure 2359 64<>65"},
        {"CaseTooHotIsReportedAlways", LayoutA({.tem = 91}), "rejected", "rejected",
         "Sensor case is too hot, above 80.4C", "Sensor case is too hot, above 80.4C"},
    };
}

class DecodeGrace : public testing::TestWithParam<GraceCase> {};

TEST_P(DecodeGrace, RelaxesLengthFieldAndChecksumChecksOnly) {
    const GraceCase& c = GetParam();
    const json inGrace = DecodedOne({"--grace"}, c.line);
    const json after = DecodedOne({}, c.line);
    EXPECT_EQ(inGrace["outcome"], c.outcomeInGrace);
    EXPECT_EQ(after["outcome"], c.outcomeAfterGrace);
    EXPECT_EQ(inGrace["error"], c.errorInGrace);
    EXPECT_EQ(after["error"], c.errorAfterGrace);
    if (c.outcomeInGrace == "good") {
        EXPECT_EQ(inGrace["state"]["FirmwareVersion"], 48);
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, DecodeGrace, testing::ValuesIn(GraceCases()),
                         [](const auto& info) { return info.param.name; });

// The grace lasts 40 poll ticks; status lines pass the time without ending it.
TEST(DecodeGraceTicks, GraceEndsAfterFortyTicks) {
    const std::string longLine = Encoded(24);
    const auto at39 = Decoded({"--grace", "--ticks", "13"}, {"A123", "A123", "A123", longLine});
    const auto at40 = Decoded({"--grace", "--ticks", "10"}, {"A123", "A123", "A123", "A123", longLine});
    ASSERT_EQ(at39.size(), 4u);
    ASSERT_EQ(at40.size(), 5u);
    EXPECT_EQ(at39[3]["outcome"], "good");
    EXPECT_EQ(at40[4]["outcome"], "rejected");
    EXPECT_EQ(at40[4]["error"], "Message length is 72, which is illegal");
}

// Reference values of the formulas: Amb 56 is 70.93 C (159.67 F), case code 524 is
// 24.64 C (76.35 F); the sky markers scale like differences.
TEST(DecodeUnits, FahrenheitChangesTheBoxesButNotTheState) {
    const std::vector<std::string> lines{LayoutA({.sky = 0, .amb = 56}), LayoutA({.sky = 999})};
    const auto celsius = Decoded({}, lines);
    const auto fahrenheit = Decoded({"--fahrenheit"}, lines);
    ASSERT_EQ(celsius.size(), 2u);
    ASSERT_EQ(fahrenheit.size(), 2u);
    struct Expected {
        const char* box;
        const char* celsius;
        const char* fahrenheit;
    };
    for (const auto& e : {Expected{"txtSkyTemp", " 999.9", "1799.8"}, Expected{"txtAmbientTemp", " 70.9", "159.7"},
                          Expected{"txtSensorTemp", " 24.6", " 76.4"}, Expected{"BlockTextField", "999.9", "999.9"},
                          Expected{"txtBlockTemp", "", ""}}) {
        EXPECT_EQ(celsius[0]["display"][e.box], e.celsius) << e.box;
        EXPECT_EQ(fahrenheit[0]["display"][e.box], e.fahrenheit) << e.box;
    }
    EXPECT_EQ(celsius[1]["display"]["txtSkyTemp"], "-999.9");
    EXPECT_EQ(fahrenheit[1]["display"]["txtSkyTemp"], "-999.9");
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(celsius[i]["state"], fahrenheit[i]["state"]);
}

struct ThresholdCase {
    std::vector<std::string> arguments;
    int skyCondition;
};

// RelSkyT of the default reading is -19.76.
TEST(DecodeThresholds, ThresholdOptionsDecideTheCondition) {
    for (const auto& c : {ThresholdCase{{}, 2}, ThresholdCase{{"--vcloudy", "-20"}, 3},
                          ThresholdCase{{"--cloudy", "-19"}, 1}, ThresholdCase{{"--cloudy", "-10", "--vcloudy", "-25"}, 3},
                          ThresholdCase{{"--cloudy", "-20", "--vcloudy", "-19.9"}, 3}}) {
        const json decoded = DecodedOne(c.arguments, LayoutA());
        EXPECT_EQ(decoded["state"]["SkyCondition"], c.skyCondition) << testing::PrintToString(c.arguments);
    }
}

TEST(DecodeTicks, TicksBetweenLinesCountSinceTheLastGoodLine) {
    const auto five = Decoded({"--ticks", "5"}, {"A123", "A123", LayoutA(), "A123", "", "A123"});
    std::vector<int> counts;
    for (const auto& object : five) counts.push_back(object["state"]["TicksSinceGoodData"]);
    EXPECT_EQ(counts, (std::vector<int>{400, 405, 0, 5, 10, 15}));
    const auto byDefault = Decoded({}, {LayoutA(), "A123"});
    ASSERT_EQ(byDefault.size(), 2u);
    EXPECT_EQ(byDefault[1]["state"]["TicksSinceGoodData"], 12);
    EXPECT_EQ(byDefault[1]["outcome"], "ignored");
}

// Status lines go to the log with the message time; four ticks are one second.
TEST(DecodeClock, StartTimeMovesWithTheTicks) {
    const ScratchDir scratch;
    const std::string log = scratch.File("log.txt");
    Decoded({"--log", log, "--start", "2026-12-31 23:59:58", "--ticks", "4"}, {"A123", "B123", "C123"});
    std::vector<std::string> logged;
    for (const auto& line : ReadLines(log))
        if (line.find("Start Up") != std::string::npos || line.find("123") != std::string::npos)
            logged.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    EXPECT_EQ(logged, (std::vector<std::string>{"2026-12-31 23:59:58   Orvanta Start Up", "2026-12-31 23:59:58 A123",
                                                "2026-12-31 23:59:59 B123", "2027-01-01 00:00:00 C123"}));
}

TEST(DecodeInput, CrLfAndLfLineEndsAndAMissingLastLineEndGiveTheSameLines) {
    const std::string good = LayoutA();
    for (const std::string& input : {good + "\r\n\r\nA123\r\n", good + "\n\nA123\n", good + "\n\nA123"}) {
        const auto objects = RunDecoder({}, input).Objects();
        ASSERT_EQ(objects.size(), 3u);
        EXPECT_EQ(objects[0]["message"], good);
        EXPECT_EQ(objects[0]["outcome"], "good");
        EXPECT_EQ(objects[1]["message"], "");
        EXPECT_EQ(objects[1]["outcome"], "ignored");
        EXPECT_EQ(objects[2]["message"], "A123");
    }
}

// The byte 0xFF stands for the character U+00FF, and the output stays plain ASCII.
TEST(DecodeInput, BytesAboveAsciiAreEscapedAsTheirLatin1Characters) {
    std::string line = LayoutA();
    line[4] = '\xFF';
    const DecodeRun run = RunDecoder({}, line + "\n");
    ASSERT_EQ(run.output.size(), 1u);
    for (const char c : run.output[0]) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_NE(run.output[0].find("\"message\":\"" + line.substr(0, 4) + "\\u00ff"), std::string::npos);
    EXPECT_NE(run.output[0].find("\"error\":\"Message field ~" + line.substr(3, 1) + "\\u00ff" + line.substr(5, 1) +
                                 "~ at columns 4 to 6 is illegal\""),
              std::string::npos);
}

TEST(DecodeInput, MessageBoxesGoToStandardErrorAnsweredOk) {
    const DecodeRun run = RunDecoder({"--log", "/nonexistent-orvanta-dir/log.txt"}, LayoutA() + "\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.errors.find("message box: For log file /nonexistent-orvanta-dir/log.txt error005: "),
              std::string::npos)
        << run.errors;
    ASSERT_EQ(run.output.size(), 1u);
    EXPECT_EQ(run.Objects()[0]["outcome"], "good");
}

TEST(DecodeUsage, BadOptionsAreUsageErrors) {
    const std::vector<std::vector<std::string>> bad{
        {"--ticks", "0"},   {"--ticks", "-3"},        {"--ticks", "2.5"},
        {"--cloudy", "5"},  {"--vcloudy", "-60.5"},   {"--cloudy", "cold"},
        {"--start", "2026-02-30 10:00:00"},           {"--start", "2026-12-06 24:00:00"},
        {"--start", "2026-12-06"},                    {"--log"},
        {"--bogus"},        {"first.txt", "second.txt"},
    };
    for (const auto& arguments : bad) {
        const DecodeRun run = RunDecoder(arguments, "A123\n");
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(arguments);
        EXPECT_TRUE(run.output.empty()) << testing::PrintToString(arguments);
        EXPECT_NE(run.errors.find("usage: orvanta-decode"), std::string::npos);
    }
}

TEST(DecodeUsage, MissingInputFileFailsAndHelpSucceeds) {
    const DecodeRun missing = RunDecoderOnFile({}, "/nonexistent-orvanta-dir/lines.txt");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.output.empty());
    const DecodeRun help = RunDecoderOnFile({"--help"}, "/nonexistent-orvanta-dir/lines.txt");
    EXPECT_EQ(help.exitCode, 0);
    ASSERT_FALSE(help.output.empty());
    EXPECT_TRUE(help.output[0].starts_with("usage: orvanta-decode"));
}

}  // namespace
}  // namespace orvanta::test::decoder
