#include "ui/FormatField.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace orvanta {

namespace {

struct Section {
    std::string prefix;  // literals before the first placeholder
    std::string suffix;  // literals after it
    int minIntegerDigits = 0;
    int decimals = 0;
};

Section ParseSection(std::string_view text) {
    Section section;
    bool started = false;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.') {
            afterPoint = true;
            started = true;
        } else if (c == '#' || c == '0') {
            if (afterPoint) {
                ++section.decimals;
            } else if (c == '0') {
                ++section.minIntegerDigits;
            }
            started = true;
        } else {
            (started ? section.suffix : section.prefix) += c;
        }
    }
    return section;
}

// Exactly halfway at `decimals` places means magnitude * 2^(decimals+1) is an odd
// integer; scaling by a power of two is exact, so this test is too.
bool IsTie(double magnitude, int decimals) {
    return std::fmod(std::ldexp(magnitude, decimals + 1), 2.0) == 1.0;
}

// Adds one unit in the last place of a digit string that may contain a '.'.
std::string IncrementLastDigit(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '.') continue;
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return '1' + digits;
}

// to_chars rounds exactly but breaks ties to even; the display rounds them away from zero.
std::string RoundedDigits(double magnitude, int decimals) {
    const bool tie = IsTie(magnitude, decimals);
    // The largest double has 309 integer digits.
    std::string buffer(330 + static_cast<std::size_t>(decimals), '\0');
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::fixed, decimals + (tie ? 1 : 0)).ptr;
    buffer.resize(static_cast<std::size_t>(end - buffer.data()));
    if (!tie) return buffer;
    buffer.pop_back();  // the exact trailing '5'
    if (decimals == 0) buffer.pop_back();  // and the '.' before it
    return IncrementLastDigit(std::move(buffer));
}

bool IsAllZero(const std::string& digits) {
    return digits.find_first_not_of("0.") == std::string::npos;
}

std::string Render(const Section& section, const std::string& digits) {
    const std::size_t point = digits.find('.');
    std::string integer = digits.substr(0, point);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    if (integer.size() < static_cast<std::size_t>(section.minIntegerDigits)) {
        integer.insert(0, static_cast<std::size_t>(section.minIntegerDigits) - integer.size(), '0');
    }
    const std::string fraction = point == std::string::npos ? "" : digits.substr(point);
    return section.prefix + integer + fraction + section.suffix;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
    const std::size_t split = pattern.find(';');
    const Section positive = ParseSection(pattern.substr(0, split));
    const double magnitude = std::fabs(value);
    if (value < 0) {
        const bool ownSection = split != std::string_view::npos;
        const Section negative = ownSection ? ParseSection(pattern.substr(split + 1)) : positive;
        const std::string digits = RoundedDigits(magnitude, negative.decimals);
        if (!IsAllZero(digits)) return (ownSection ? "" : "-") + Render(negative, digits);
    }
    return Render(positive, RoundedDigits(magnitude, positive.decimals));
}

std::string FormatField(double value, std::string_view format, int16_t width) {
    const std::size_t size = static_cast<std::size_t>(std::max<int16_t>(width, 0));
    const std::string text = FormatNumber(value, format);
    if (text.size() > size) return std::string(size, ' ');
    return std::string(size - text.size(), ' ') + text;
}

}  // namespace orvanta
