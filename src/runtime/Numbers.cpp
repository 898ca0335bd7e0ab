#include "runtime/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

std::size_t SkipSign(std::string_view text, std::size_t pos) {
    return pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? pos + 1 : pos;
}

// from_chars would also take "inf", "nan" and hex digits, so the shape is checked here;
// missing digits, in the number or its exponent, are left for from_chars to refuse.
bool IsDecimalSyntax(std::string_view text) {
    std::size_t pos = SkipDigits(text, SkipSign(text, 0));
    if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
        pos = SkipDigits(text, pos + 1);
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        pos = SkipDigits(text, SkipSign(text, pos + 1));
    }
    return pos == text.size();
}

}  // namespace

double RoundHalfEven(double value) {
    // x - floor(x) is exact, so the tie test below is too (unlike floor(x + 0.5)).
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || !IsDecimalSyntax(text)) return std::nullopt;
    // from_chars wants a '.' point and no leading '+'.
    std::string normal(text.front() == '+' ? text.substr(1) : text);
    for (char& c : normal) {
        if (c == ',') c = '.';
    }
    double value = 0.0;
    const char* end = normal.data() + normal.size();
    const auto [ptr, ec] = std::from_chars(normal.data(), end, value);
    if (ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

std::optional<int16_t> ParseWholeNumber(std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    if (!value) return std::nullopt;
    const double rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<int16_t>::min() ||
        rounded > std::numeric_limits<int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int16_t>(rounded);
}

std::string DecimalText(double value) {
    // Plain shortest form would write 1000000 as "1e+06"; settings files read better
    // in fixed notation, which is still the shortest round-tripping digits.
    const double magnitude = std::fabs(value);
    const bool fixed = magnitude == 0.0 || (magnitude >= 1e-5 && magnitude < 1e16);
    char buffer[64];
    const auto result = fixed
        ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
        : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace orvanta
