#include "decode/NumberText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace orvanta {
namespace {

// Single precision keeps 7 significant digits, double precision 15; both switch to the
// exponent form below 1E-04 and beyond the digits they keep.
TEST(NumberText, PrintsTheGeneralForm) {
    const std::vector<std::pair<std::string, const char*>> cases = {
        {SingleText(-0.0f), "0"},
        {SingleText(1.0f / 3.0f), ".3333333"},
        {SingleText(12345678.0f), "1.234568E+07"},
        // Just below the power of ten: rounding to seven digits carries into a new
        // leading digit, and the form follows the rounded exponent.
        {SingleText(0.0001f), ".0001"},
        {SingleText(0.00001f), "1E-05"},
        {DoubleText(1.0 / 3.0), ".333333333333333"},
        {DoubleText(999999999999999.9), "1E+15"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(text, expected);
    }
}

}  // namespace
}  // namespace orvanta
