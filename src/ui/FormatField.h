#pragma once
// Fixed-width numeric display fields driven by small format patterns such as
// "##0.0;-##0.0".

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// '#' is an optional and '0' a required integer digit; every placeholder after '.' is a
// decimal place. An optional section after ';' formats the magnitude of negative values
// (its other characters are copied); without one a negative value gets a leading '-'.
// Rounds half away from zero; a value that rounds to zero uses the first section.
std::string FormatNumber(double value, std::string_view pattern);

// FormatNumber right-aligned in `width` characters, or all blanks when it does not fit.
std::string FormatField(double value, std::string_view format, int16_t width);

}  // namespace orvanta
