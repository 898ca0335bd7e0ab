#include "runtime/Numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

#include "decode/NumberText.h"
#include "decode/WireFormat.h"
#include "ui/FormatField.h"

namespace orvanta {
namespace {

// Every number text the product reads or writes, under a locale with a decimal comma.
// Whole numbers are the decimal rounded half to even and must fit int16; written: the
// text is the shortest that DecimalText writes for the decimal.
TEST(Numbers, ReadAndWriteTheSameTextsWhateverTheLocale) {
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup.sh generates this locale";
    using Decimal = std::optional<double>;
    struct Case { const char* text; Decimal decimal = {}; std::optional<int16_t> whole = {}; bool written = false; };
    const std::vector<Case> cases = {
        {"2.5", 2.5, 2, true},   {"3.5", 3.5, 4, true},   {"-2.5", -2.5, -2, true}, {"-3.5", -3.5, -4, true},
        {"-2.6", -2.6, -3, true}, {"2.5000001", 2.5000001, 3, true}, {"0.5", 0.5, 0, true}, {"-25", -25.0, -25, true},
        // floor(x + 0.5) gets this one wrong: the addition rounds up to 1.
        {"0.49999999999999994", 0.49999999999999994, 0, true}, {"0.30000000000000004", 0.30000000000000004, 0, true},
        {"32767", 32767.0, 32767, true},  {"-32768.5", -32768.5, -32768, true}, {"32767.5", 32767.5, {}, true},
        {"-32769", -32769.0, {}, true},   {"1000000", 1e6, {}, true}, {"0.1", 0.1, 0, true}, {"1,6", 1.6, 2},
        {"\t-2 ", -2.0, -2}, {"-1,25e+2", -125.0, -125}, {".5", 0.5, 0}, {"1e999"}, {""}, {"abc"}, {"1.2.3"},
        {"1,2.3"}, {"inf"}, {"1e"}, {"0x10"}, {"1 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE('"' + std::string(c.text) + '"');
        EXPECT_EQ(ParseDecimal(c.text), c.decimal);
        EXPECT_EQ(ParseWholeNumber(c.text), c.whole);
        if (c.whole) { EXPECT_EQ(RoundHalfEven(*c.decimal), *c.whole); }
        if (c.written) { EXPECT_EQ(DecimalText(*c.decimal), c.text); }
    }
    for (const double value : {1.0 / 3.0, -1e-300, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(ParseDecimal(DecimalText(value)), value) << DecimalText(value);
    EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // above 2^52 every double is whole
    EXPECT_EQ(ParseFieldValue("3.5"), 4);
    EXPECT_EQ(SingleText(24.64f), "24.64");
    EXPECT_EQ(FormatField(-12.5, "##0.0;-##0.0", 6), " -12.5");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace orvanta
