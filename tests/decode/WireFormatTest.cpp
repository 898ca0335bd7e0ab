#include "decode/WireFormat.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

TEST(ParseFieldValue, AcceptsOnlyNonNegativeDecimalNumbers) {
    const std::vector<std::pair<const char*, std::optional<int16_t>>> cases = {
        {" 12", 12},           {"012", 12},           {"12 ", 12},           {"2.5", 2},
        {"3.5", 4},            {"999", 999},          {"-12", std::nullopt}, {"1A2", std::nullopt},
        {"   ", std::nullopt}, {"1 2", std::nullopt}, {"1,5", std::nullopt}, {"40000", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseFieldValue(text), value) << '"' << text << '"';
    }
}

TEST(EncodeSensorLine, AppendsTheChecksumThatAnyChangedFieldChanges) {
    std::vector<int> example = {48, 512, 500, 512, 999};
    example.resize(18, 0);
    const std::string checksum = "021";  // S = 2571, and (2571 + 2571 div 256) mod 256 = 21
    EXPECT_EQ(Checksum(2571), 21);
    EXPECT_EQ(EncodeSensorLine(example), "048512500512999000" + std::string(36, '0') + checksum);
    for (std::size_t i = 0; i < example.size(); ++i) {
        std::vector<int> changed = example;
        changed[i] += changed[i] < 999 ? 1 : -1;
        EXPECT_NE(EncodeSensorLine(changed).substr(54), checksum) << "field " << i;
    }
}

constexpr int kNone = -1;

// Field i holds 10 * i + 1, so each decoded value names the position it came from.
int Marker(int position) { return position == kNone ? 0 : 10 * position + 1; }

// 81-character lines, told apart by the firmware version in field 0 alone.
TEST(DecodeLayout, ReadsEachValueFromThePositionsOfTheFirmwaresLayout) {
    // heatingF and vCloudy follow from the markers' bit 1 of Flg, or HeaterRaw not 0.
    struct Case { int16_t firmware; int flg, heater, dit, firstSet, setCount, heatingF, vCloudy; };
    const std::vector<Case> cases = {
        {48, 5, kNone, kNone, 6, 3, 1, 0},   {49, 9, 5, kNone, 10, 4, -1, 1}, {51, 9, 5, kNone, 10, 4, -1, 1},
        {52, 6, 5, kNone, 7, 4, -1, 0},      {53, 6, 5, 23, 7, 3, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        std::vector<int> values = {c.firmware};
        for (int i = 1; i < 26; ++i) values.push_back(Marker(i));
        const LayoutFields got = DecodeLayout(ScanFields(EncodeSensorLine(values)).fields, LayoutFor(c.firmware));
        const std::tuple<int, int, int, int, int> scalars = {got.Flg, got.HeaterRaw, got.Dit, got.HeatingF,
                                                             got.VCloudyFlag};
        EXPECT_EQ(scalars, std::make_tuple(Marker(c.flg), Marker(c.heater), Marker(c.dit), c.heatingF, c.vCloudy));
        for (int n = 0; n < 4; ++n) {
            const CalibrationSet& set = got.sets[static_cast<std::size_t>(n)];
            const int f = c.firstSet + 4 * n;
            const std::array<int, 4> decoded = {set.s, set.t, set.a, set.b};
            const std::array<int, 4> carried = {Marker(f), Marker(f + 1) + 24, Marker(f + 2), Marker(f + 3)};
            EXPECT_EQ(decoded, n < c.setCount ? carried : decltype(carried){}) << "set " << n;
        }
    }
}

}  // namespace
}  // namespace orvanta
