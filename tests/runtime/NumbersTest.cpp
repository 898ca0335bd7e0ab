#include "runtime/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "decode/NumberText.h"
#include "decode/WireFormat.h"
#include "ui/FormatField.h"

namespace orvanta {
namespace {

TEST(RoundHalfEven, RoundsToNearestWithTiesToEven) {
    const std::vector<std::pair<double, double>> cases = {
        {2.5, 2.0}, {3.5, 4.0}, {0.5, 0.0}, {-2.5, -2.0}, {-3.5, -4.0}, {2.5000001, 3.0}, {-2.6, -3.0},
        {0.49999999999999994, 0.0},  // floor(x + 0.5) gets this one wrong: the addition rounds up to 1
        {4503599627370497.0, 4503599627370497.0},  // above 2^52 every double is an integer already
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(RoundHalfEven(in), out) << in;
    }
}

TEST(ParseDecimal, AcceptsBothSeparatorsSignsAndExponents) {
    const std::vector<std::pair<const char*, std::optional<double>>> cases = {
        {"1.5", 1.5},           {"1,5", 1.5},            {"\t-2 ", -2.0},         {"-1,25e+2", -125.0},
        {".5", 0.5},            {"", std::nullopt},      {"abc", std::nullopt},   {"1.2.3", std::nullopt},
        {"1,2.3", std::nullopt}, {"inf", std::nullopt},  {"1e", std::nullopt},    {"0x10", std::nullopt},
        {"1 2", std::nullopt},  {"1e999", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseDecimal(text), value) << '"' << text << '"';
    }
}

TEST(ParseWholeNumber, RoundsHalfToEvenAndMustFitInt16) {
    const std::vector<std::pair<const char*, std::optional<int16_t>>> cases = {
        {"2.5", 2},         {"3.5", 4},           {"1,6", 2},                {"32767", 32767},
        {"-32768", -32768}, {"-32768.5", -32768}, {"32767.5", std::nullopt}, {"-32769", std::nullopt},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseWholeNumber(text), value) << '"' << text << '"';
    }
}

TEST(DecimalText, WritesTheShortestTextThatReadsBackTheSame) {
    const std::vector<std::pair<double, const char*>> cases = {
        {-25.0, "-25"}, {-12.5, "-12.5"}, {0.1, "0.1"}, {1e6, "1000000"}, {0.30000000000000004, "0.30000000000000004"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(DecimalText(value), text) << value;
    }
    for (const double value : {1.0 / 3.0, -1e-300, 5e-324, 1.7976931348623157e308}) {
        EXPECT_EQ(ParseDecimal(DecimalText(value)), value) << DecimalText(value);
    }
}

// Every number text the product reads or writes, under a locale with a decimal comma.
TEST(Numbers, IgnoreACommaDecimalLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup.sh generates this locale";
    const auto read = std::make_tuple(ParseDecimal("1.5"), ParseDecimal("1,5"), ParseFieldValue("3.5"));
    const auto written = std::make_tuple(DecimalText(-12.5), SingleText(24.64f), FormatField(-12.5, "##0.0;-##0.0", 6));
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(read, std::make_tuple(std::optional(1.5), std::optional(1.5), std::optional<int16_t>(4)));
    EXPECT_EQ(written, std::make_tuple("-12.5", "24.64", " -12.5"));
}

}  // namespace
}  // namespace orvanta
