#include "runtime/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {
namespace {

TEST(RoundHalfEven, RoundsToNearestWithTiesToEven) {
    struct Case {
        double in;
        double out;
    };
    const std::vector<Case> cases = {
        {2.5, 2.0},   {3.5, 4.0},   {0.5, 0.0},   {1.5, 2.0},
        {-2.5, -2.0}, {-3.5, -4.0}, {-0.5, 0.0},  {2.4999, 2.0},
        {2.5000001, 3.0}, {-2.6, -3.0}, {7.0, 7.0},
        // floor(x + 0.5) gets this one wrong: the addition rounds up to 1.
        {0.49999999999999994, 0.0},
        // Above 2^52 every double is an integer already.
        {4503599627370497.0, 4503599627370497.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.in), c.out) << c.in;
    }
}

TEST(ParseDecimal, AcceptsBothSeparatorsSignsAndExponents) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const std::vector<Case> cases = {
        {"1.5", 1.5},     {"1,5", 1.5},      {" -2 ", -2.0},   {"\t+3\t", 3.0},
        {"1e3", 1000.0},  {"2.5E-1", 0.25},  {"-1,25e+2", -125.0},
        {".5", 0.5},      {"5.", 5.0},       {"007", 7.0},
        {"", std::nullopt},     {"   ", std::nullopt},   {"abc", std::nullopt},
        {"1.2.3", std::nullopt}, {"1,2.3", std::nullopt}, {"inf", std::nullopt},
        {"nan", std::nullopt},   {"-inf", std::nullopt},  {"1e", std::nullopt},
        {"e5", std::nullopt},    {"--1", std::nullopt},   {"+-1", std::nullopt},
        {"0x10", std::nullopt},  {"1 2", std::nullopt},   {".", std::nullopt},
        {"-", std::nullopt},     {"1e+", std::nullopt},   {"12a", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(ParseWholeNumber, RoundsHalfToEvenAndMustFitInt16) {
    struct Case {
        const char* text;
        std::optional<int16_t> value;
    };
    const std::vector<Case> cases = {
        {"2.5", 2},         {"3.5", 4},           {"-2.5", -2},
        {"12", 12},         {"1,6", 2},           {"32767", 32767},
        {"-32768", -32768}, {"-32768.5", -32768}, {"32767.5", std::nullopt},
        {"40000", std::nullopt}, {"-32769", std::nullopt}, {"x", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(DecimalText, WritesShortestPlainText) {
    struct Case {
        double value;
        const char* text;
    };
    const std::vector<Case> cases = {
        {-25.0, "-25"},   {-12.5, "-12.5"}, {0.1, "0.1"},          {0.0, "0"},
        {1e6, "1000000"}, {0.001, "0.001"}, {123456.789, "123456.789"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecimalText(c.value), c.text) << c.value;
    }
}

TEST(DecimalText, ReadsBackAsTheSameDouble) {
    const std::vector<double> values = {
        1.0 / 3.0, -2.0 / 3.0, 1e-7, 123456789.125, 1e300, -1e-300,
        5e-324,    std::numeric_limits<double>::max(), 0.30000000000000004,
    };
    for (const double value : values) {
        const std::string text = DecimalText(value);
        EXPECT_EQ(ParseDecimal(text), value) << text;
    }
}

// Restores the C locale when a test that switched it ends.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) : active_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~ScopedLocale() { std::setlocale(LC_ALL, "C"); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool active() const { return active_; }

private:
    bool active_;
};

TEST(Numbers, IgnoreACommaDecimalLocale) {
    const ScopedLocale locale("de_DE.UTF-8");
    if (!locale.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(ParseDecimal("1.5"), 1.5);
    EXPECT_EQ(ParseDecimal("1,5"), 1.5);
    EXPECT_EQ(DecimalText(-12.5), "-12.5");
}

}  // namespace
}  // namespace orvanta
