// The recorded sensor lines of golden/ replayed through the real decoder binary and
// compared, line by line, with the checked-in expected output.

#include <filesystem>

#include <gtest/gtest.h>

#include "DecodeRunner.h"

namespace orvanta::test::decoder {
namespace {

TEST(DecodeGolden, ReplayMatchesExpectedOutputLineByLine) {
    const std::string golden = ORVANTA_GOLDEN_DIR;
    ASSERT_TRUE(std::filesystem::exists(golden + "/expected.jsonl")) << "missing " << golden << "/expected.jsonl";
    const std::vector<std::string> expected = ReadLines(golden + "/expected.jsonl");
    const DecodeRun run = RunDecoderOnFile({"--start", "2026-12-06 21:00:00"}, golden + "/lines.txt");
    ASSERT_EQ(run.exitCode, 0);
    for (std::size_t i = 0; i < std::min(expected.size(), run.output.size()); ++i)
        EXPECT_EQ(run.output[i], expected[i]) << "line " << i + 1 << " of lines.txt";
    EXPECT_EQ(run.output.size(), expected.size());
}

}  // namespace
}  // namespace orvanta::test::decoder
