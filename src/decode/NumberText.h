#pragma once
// Numbers in the general form classic BASIC prints them, the form our log and
// diagnostic lines are written in.

#include <string>

namespace orvanta {

// Up to 7 significant digits, trailing zeros dropped, no "0" before the point
// (".32", "-.5"); exponent form "-5.47E-07" / "1.5E+10" below 1E-04 or from 1E+07 on.
std::string SingleText(float value);

// As SingleText with up to 15 significant digits.
std::string DoubleText(double value);

// SingleText between a leading space (or the minus sign) and a trailing space.
std::string PrintNumber(float value);

}  // namespace orvanta
