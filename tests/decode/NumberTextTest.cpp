#include "decode/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace orvanta {
namespace {

TEST(SingleText, PrintsSevenSignificantDigitsInBasicStyle) {
    struct Case {
        float value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.32f, ".32"},          {-0.5f, "-.5"},           {-5.47e-7f, "-5.47E-07"},
        {1.5e10f, "1.5E+10"},    {2.0f, "2"},              {-1.0f, "-1"},
        {0.0f, "0"},             {-0.0f, "0"},             {24.64f, "24.64"},
        {0.1f, ".1"},            {100.0f, "100"},          {1.0f / 3.0f, ".3333333"},
        {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
        {-297.8f, "-297.8"},
        // These floats lie just below the power of ten, so rounding to seven digits
        // carries into a new leading digit; the style follows the rounded exponent.
        {0.01f, ".01"},          {0.0001f, ".0001"},       {0.00001f, "1E-05"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SingleText(c.value), c.text) << c.value;
    }
}

TEST(DoubleText, PrintsFifteenSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {-1.0, "-1"},          {2.0, "2"},          {297.8, "297.8"},
        {0.1, ".1"},           {1.0 / 3.0, ".333333333333333"},
        {123456789012345.0, "123456789012345"},     {1e15, "1E+15"},
        {-5.47e-7, "-5.47E-07"}, {1e100, "1E+100"}, {0.0, "0"},
        // Rounds up to 1E+15, which no longer fits fifteen plain digits.
        {999999999999999.9, "1E+15"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DoubleText(c.value), c.text) << c.value;
    }
}

TEST(PrintNumber, PadsWithASpaceOrTheSignAndATrailingSpace) {
    struct Case {
        float value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {0.32f, " .32 "}, {-5.47e-7f, "-5.47E-07 "}, {24.64f, " 24.64 "},
        {0.0f, " 0 "},    {-0.0f, " 0 "},            {-2.0f, "-2 "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintNumber(c.value), c.text) << c.value;
    }
}

TEST(NumberText, IgnoresACommaDecimalLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    const std::string single = SingleText(24.64f);
    const std::string dbl = DoubleText(-297.8);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(single, "24.64");
    EXPECT_EQ(dbl, "-297.8");
}

}  // namespace
}  // namespace orvanta
