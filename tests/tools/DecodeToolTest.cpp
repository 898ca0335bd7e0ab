// The real orvanta-decode binary run as a user runs it: the recorded lines of golden/
// against their checked-in output, then its options: the start-up grace, the display unit
// and the poll ticks between lines.

#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include <nlohmann/json.hpp>

#include "decode/WireFormat.h"
#include "support/SensorLines.h"

namespace orvanta::test {
namespace {

using nlohmann::json;

std::vector<std::string> SplitAtLineFeeds(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct DecodeRun { int exitCode = -1; std::vector<std::string> output; };

// The lines go in on standard input, each ended by LF.
DecodeRun RunDecoder(const std::vector<std::string>& arguments, const std::vector<std::string>& lines = {}) {
    std::string command = lines.empty() ? "true" : "printf '%s\\n'";
    for (const auto& line : lines) command += " " + ShellQuoted(line);
    command += " | " + ShellQuoted(ORVANTA_DECODE_BINARY);
    for (const auto& argument : arguments) command += " " + ShellQuoted(argument);
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, SplitAtLineFeeds(text)};
}

// The objects of a run that must succeed with one object per input line.
std::vector<json> Decoded(const std::vector<std::string>& arguments, const std::vector<std::string>& lines) {
    const DecodeRun run = RunDecoder(arguments, lines);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.size(), lines.size());
    std::vector<json> objects;
    for (const auto& line : run.output) objects.push_back(json::parse(line));
    return objects;
}

TEST(DecodeGolden, ReplayMatchesExpectedOutputLineByLine) {
    const std::string golden = ORVANTA_GOLDEN_DIR;
    ASSERT_TRUE(std::filesystem::exists(golden + "/expected.jsonl")) << "missing " << golden << "/expected.jsonl";
    const std::vector<std::string> expected = SplitAtLineFeeds(ReadFile(golden + "/expected.jsonl"));
    const DecodeRun run = RunDecoder({"--start", "2026-12-06 21:00:00", golden + "/lines.txt"});
    ASSERT_EQ(run.exitCode, 0);
    for (std::size_t i = 0; i < std::min(expected.size(), run.output.size()); ++i)
        EXPECT_EQ(run.output[i], expected[i]) << "line " << i + 1 << " of lines.txt";
    EXPECT_EQ(run.output.size(), expected.size());
}

TEST(DecodeGrace, OddLengthsPassOnlyInsideTheGrace) {
    // Firmware 48, a cloudy reading, zeros up to the checksum.
    const auto encoded = [](std::size_t fieldCount) {
        std::vector<int> fields{48, 300, 500, 512, 999};
        fields.resize(fieldCount - 1, 0);
        return EncodeSensorLine(fields);
    };
    // 23 whole fields; the 70th character belongs to none of them.
    const std::string seventy = encoded(23).substr(0, 69) + "X";
    for (const auto& [line, error] : {std::pair{encoded(24), "Message length is 72, which is illegal"},
                                      {seventy, "Message length is 70, which is illegal"}}) {
        const auto inGrace = Decoded({"--grace"}, {line});
        const auto after = Decoded({}, {line});
        ASSERT_TRUE(!inGrace.empty() && !after.empty()) << line;
        EXPECT_EQ(inGrace[0]["outcome"], "good") << line;
        EXPECT_EQ(inGrace[0]["state"]["FirmwareVersion"], 48) << line;
        EXPECT_EQ(after[0]["outcome"], "rejected") << line;
        EXPECT_EQ(after[0]["error"], error);
    }
}

// Reference values of the formulas: Amb 56 is 70.93 C (159.67 F), case code 524 (the Tem
// field 500) is 24.64 C (76.35 F); the sky marker 999.9 scales like a difference.
TEST(DecodeUnits, FahrenheitChangesTheBoxesButNotTheState) {
    const std::vector<std::string> lines{LayoutDLine(0, 500, 56)};
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
    struct Case { std::vector<std::string> arguments, lines; std::vector<int> counts; };
    for (const Case& c : {Case{{"--ticks", "5"}, {"A123", "A123", LayoutDLine(), "A123", ""}, {400, 405, 0, 5, 10}},
                          Case{{}, {LayoutDLine(), "A123"}, {0, 12}}}) {
        std::vector<int> counts;
        for (const json& object : Decoded(c.arguments, c.lines)) counts.push_back(object["state"]["TicksSinceGoodData"]);
        EXPECT_EQ(counts, c.counts) << testing::PrintToString(c.arguments);
    }
}

}  // namespace
}  // namespace orvanta::test
