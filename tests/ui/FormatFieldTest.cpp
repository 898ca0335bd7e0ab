#include "ui/FormatField.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace orvanta {
namespace {

struct FieldCase {
    double value;
    const char* format;
    int16_t width;
    const char* text;
};

TEST(FormatField, RightAlignsOrBlanksWhenTooWide) {
    const std::vector<FieldCase> cases = {
        {123.46, "##0.0;-#0.0", 5, "123.5"},
        {-123.4, "##0.0;-#0.0", 5, "     "},
        {5, "##0", 3, "  5"},
        {999.9, "##0.0;-##0.0", 6, " 999.9"},
        {1799.8, "##0.0;-##0.0", 6, "1799.8"},
        {-999.9, "##0.0;-##0.0", 6, "-999.9"},
        {-108, "##0.0;-#0.0", 5, "     "},
        {0.3, "##0.000;-#0.000", 7, "  0.300"},
        {5, "00000", 5, "00005"},
        {123456, "00000", 5, "     "},
        {38383.5, "000000.00000", 12, "038383.50000"},
        {-0.5, "#0.0;-#0.0", 5, " -0.5"},
        {-1.25, "##0.00;-#0.00", 6, " -1.25"},
        {7, "##0", 0, ""},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(FormatField(c.value, c.format, c.width), c.text)
            << c.value << " as " << c.format;
    }
}

TEST(FormatNumber, FollowsThePattern) {
    struct Case {
        double value;
        const char* pattern;
        const char* text;
    };
    const std::vector<Case> cases = {
        // Exact halves round away from zero, in both directions.
        {0.25, "#0.0", "0.3"},
        {2.5, "##0", "3"},
        {-2.5, "##0", "-3"},
        {0.125, "##0.00;-#0.00", "0.13"},
        {-0.125, "##0.00;-#0.00", "-0.13"},
        {9.95, "#0.0", "9.9"},  // the double lies just below 9.95
        {99.95000000000002, "#0.0", "100.0"},
        {999.5, "##0", "1000"},
        // Values that round to zero print unsigned.
        {-0.04, "#0.0;-#0.0", "0.0"},
        {-0.4, "##0", "0"},
        {0.0, "##0.0;-##0.0", "0.0"},
        // Only '0' forces integer digits.
        {0.5, "#.00", ".50"},
        {12, "0000", "0012"},
        {12345.678, "#0.0", "12345.7"},
        // Literals are copied around the number.
        {-3.0, "#0.0;(#0.0)", "(3.0)"},
        {42.0, "#0 C", "42 C"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.pattern), c.text) << c.value << " as " << c.pattern;
    }
}

TEST(FormatField, IgnoresACommaDecimalLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    const std::string text = FormatField(-1.25, "##0.00;-#0.00", 6);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, " -1.25");
}

}  // namespace
}  // namespace orvanta
