#include "runtime/Framing.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvanta {
namespace {

using namespace std::string_literals;

struct FramingCase {
    const char* name;
    std::string received;
    std::vector<std::string> lines;
    std::string left;
};

// Frames everything that arrives, taking lines until none is complete.
std::vector<std::string> FrameAll(std::string& buffer) {
    std::vector<std::string> lines;
    while (buffer.find('\n') != std::string::npos)
        if (auto line = TakeLine(buffer)) lines.push_back(*line);
    return lines;
}

const std::vector<FramingCase> kCases{
    {"NulDropsEverythingBeforeIt", "T1\0AB\r\n"s, {"AB"}, ""},
    {"LastNulWins", "x\0y\0AB\r\n"s, {"AB"}, ""},
    {"TwoLines", "AB\r\nCD\r\n", {"AB", "CD"}, ""},
    {"LineFeedAloneDropsTheCharacterBeforeIt", "AB\n", {"A"}, ""},
    {"OneCharacterLineIsEmpty", "A\n", {""}, ""},
    {"LeadingLineFeedGivesNoLine", "\nAB\r\n", {"AB"}, ""},
    {"PartialLineWaits", "AB\r\nCD", {"AB"}, "CD"},
    {"NoLineEnd", "ABCDE", {}, "ABCDE"},
};

class FramingTable : public testing::TestWithParam<FramingCase> {};

TEST_P(FramingTable, WholeChunk) {
    const auto& c = GetParam();
    std::string buffer;
    AppendReceived(buffer, c.received);
    EXPECT_EQ(FrameAll(buffer), c.lines);
    EXPECT_EQ(buffer, c.left);
}

TEST_P(FramingTable, ByteByByte) {
    const auto& c = GetParam();
    std::string buffer;
    std::vector<std::string> lines;
    for (char byte : c.received) {
        AppendReceived(buffer, std::string_view(&byte, 1));
        for (auto& line : FrameAll(buffer)) lines.push_back(line);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(buffer, c.left);
}

INSTANTIATE_TEST_SUITE_P(Framing, FramingTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, BufferKeepsTheNewestTextWhenNoLineEndComes) {
    std::string buffer;
    for (int i = 0; i < 1000; ++i) AppendReceived(buffer, "0123456789");
    AppendReceived(buffer, "tail");
    EXPECT_EQ(buffer.size(), kRxBufferLimit);
    EXPECT_EQ(buffer.substr(buffer.size() - 4), "tail");
    AppendReceived(buffer, "\r\n");
    const auto line = TakeLine(buffer);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->substr(line->size() - 4), "tail");
}

}  // namespace
}  // namespace orvanta
