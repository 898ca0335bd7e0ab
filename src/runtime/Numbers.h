#pragma once
// Number text the way the settings and the sensor need it, whatever the user's locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// Nearest integer; a value exactly halfway goes to the even neighbour.
double RoundHalfEven(double value);

// Blanks around, an optional sign, digits with an optional fraction ('.' or ','), an
// optional exponent. Anything else, or a value beyond double range, is not a number.
std::optional<double> ParseDecimal(std::string_view text);

// ParseDecimal rounded half to even; it must fit int16.
std::optional<int16_t> ParseWholeNumber(std::string_view text);

// The shortest text that reads back as the same double, with a '.' point. Exponent form
// only for very large or very small magnitudes.
std::string DecimalText(double value);

}  // namespace orvanta
