#include "ui/ReadingsText.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvanta {
namespace {

const DisplayUnit kCelsius = DisplayUnitFor(0);
const DisplayUnit kFahrenheit = DisplayUnitFor(1);

struct TextCase {
    double celsius;
    const char* inCelsius;
    const char* inFahrenheit;
};

// The sky value is a difference: no offset, and the marker 999.9 is scaled like any value.
TEST(SkyText, ClampsToTheMarkersAfterScaling) {
    const std::vector<TextCase> cases = {
        {10.32, "  10.3", "  18.6"},   {999.9, " 999.9", "1799.8"},  {1000, " 999.9", " 999.9"},
        {-999.9, "-999.9", "-999.9"},  {-1000, "-999.9", "-999.9"}, {-600, "-600.0", "-999.9"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(SkyText(c.celsius, kCelsius), c.inCelsius) << c.celsius;
        EXPECT_EQ(SkyText(c.celsius, kFahrenheit), c.inFahrenheit) << c.celsius;
    }
}

// Above range shows the marker 999.9 whatever the unit; below range is clamped in the
// shown unit.
TEST(AbsoluteTemperatureText, ClampsInEitherUnit) {
    const std::vector<TextCase> cases = {
        {2.016, "  2.0", " 35.6"},  {99.9, " 99.9", "211.8"},  {100, "999.9", "999.9"},
        {-80, "-80.0", "-99.9"},    {-100, "-99.9", "-99.9"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(AbsoluteTemperatureText(c.celsius, kCelsius), c.inCelsius) << c.celsius;
        EXPECT_EQ(AbsoluteTemperatureText(c.celsius, kFahrenheit), c.inFahrenheit) << c.celsius;
    }
}

// The block clamp looks at Celsius only, so a cold block in Fahrenheit overflows its field.
TEST(BlockText, ClampsOnTheCelsiusValueOnly) {
    const std::vector<TextCase> cases = {
        {-4.746, " -4.7", " 23.5"},  {999.9, "999.9", "999.9"},  {-80, "-80.0", "     "},
        {-100, "-99.9", "-99.9"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(BlockText(c.celsius, kCelsius), c.inCelsius) << c.celsius;
        EXPECT_EQ(BlockText(c.celsius, kFahrenheit), c.inFahrenheit) << c.celsius;
    }
}

TEST(ThresholdText, ScalesWithoutOffsetAndNeverClamps) {
    const std::vector<TextCase> cases = {
        {-25, "-25.0", "-45.0"},  {-10, "-10.0", "-18.0"},  {-60, "-60.0", "     "},  {0, "  0.0", "  0.0"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(ThresholdText(c.celsius, 0), c.inCelsius) << c.celsius;
        EXPECT_EQ(ThresholdText(c.celsius, 1), c.inFahrenheit) << c.celsius;
    }
}

TEST(HeaterText, ShowsThePercentOfFullDriveUpTo999) {
    const std::vector<std::pair<int16_t, const char*>> cases = {
        {0, "  0"}, {75, " 50"}, {150, "100"}, {1500, "999"}, {999, "666"},
    };
    for (const auto& [raw, text] : cases) {
        EXPECT_EQ(HeaterText(HeaterPercentOf(raw)), text) << raw;
    }
    EXPECT_EQ(HeaterPercentOf(1500), 999.0);
}

}  // namespace
}  // namespace orvanta
