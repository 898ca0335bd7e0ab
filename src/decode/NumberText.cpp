#include "decode/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace orvanta {

namespace {

std::string TrimTrailingZeros(std::string digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

// `exponentText` is to_chars' own "-07" / "+10": sign and at least two digits already.
std::string ExponentForm(const std::string& digits, std::string_view exponentText) {
    std::string text(1, digits[0]);
    const std::string fraction = TrimTrailingZeros(digits.substr(1));
    if (!fraction.empty()) text += '.' + fraction;
    return text + 'E' + std::string(exponentText);
}

std::string PlainForm(const std::string& digits, int exponent) {
    if (exponent < 0) {
        return '.' + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
               TrimTrailingZeros(digits);
    }
    const std::size_t pointAt = static_cast<std::size_t>(exponent) + 1;
    const std::string fraction = TrimTrailingZeros(digits.substr(pointAt));
    return digits.substr(0, pointAt) + (fraction.empty() ? "" : '.' + fraction);
}

// Like %G: the style follows the decimal exponent after rounding to `precision` digits.
std::string GeneralText(double value, int precision) {
    const std::string sign = value < 0 ? "-" : "";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, precision - 1).ptr;
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = scientific.find('e');
    if (e == std::string_view::npos) return sign + std::string(scientific);  // inf, nan
    std::string digits(scientific.substr(0, e));
    std::erase(digits, '.');
    const std::string_view exponentText = scientific.substr(e + 1);
    int exponent = 0;
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0), end, exponent);
    return sign + (exponent < -4 || exponent >= precision ? ExponentForm(digits, exponentText)
                                                          : PlainForm(digits, exponent));
}

}  // namespace

std::string SingleText(float value) { return GeneralText(value, 7); }

std::string DoubleText(double value) { return GeneralText(value, 15); }

std::string PrintNumber(float value) {
    return (value < 0 ? "" : " ") + SingleText(value) + ' ';
}

}  // namespace orvanta
