#include "ui/FormatField.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvanta {
namespace {

// The product shows readings as "##0.0;-##0.0" in 6 or "##0.0;-#0.0" in 5 characters and
// the heater as "##0" in 3. The pattern rows give a field exactly as wide as the text, so
// a text one character too long turns into blanks and fails.
TEST(FormatField, FollowsThePatternAndRightAlignsOrBlanksWhenTooWide) {
    struct Case { double value; const char* format; int16_t width; const char* text; };
    const std::vector<Case> cases = {
        {123.46, "##0.0;-#0.0", 5, "123.5"},   {-123.4, "##0.0;-#0.0", 5, "     "},
        {5, "##0", 3, "  5"},                  {-99.9, "##0.0;-#0.0", 5, "-99.9"},
        {1000, "##0", 3, "   "},               {-999.9, "##0.0;-##0.0", 6, "-999.9"},
        {1799.8, "##0.0;-##0.0", 6, "1799.8"}, {-1000, "##0.0;-##0.0", 6, "      "},
        {7, "##0", 0, ""},
        // Exact halves round away from zero, in both directions; the double of 9.95 lies just below.
        {0.25, "#0.0", 3, "0.3"}, {-2.5, "##0", 2, "-3"}, {-0.125, "##0.00;-#0.00", 5, "-0.13"},
        {9.95, "#0.0", 3, "9.9"}, {999.5, "##0", 4, "1000"},
        // Values that round to zero print unsigned.
        {-0.04, "#0.0;-#0.0", 3, "0.0"}, {-0.4, "##0", 1, "0"},
        // Only '0' forces integer digits; other characters are copied around the number.
        {0.5, "#.00", 3, ".50"}, {12, "0000", 4, "0012"}, {-3.0, "#0.0;(#0.0)", 5, "(3.0)"}, {42.0, "#0 C", 4, "42 C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatField(c.value, c.format, c.width), c.text) << c.value << " as " << c.format;
    }
}

}  // namespace
}  // namespace orvanta
