#include "ReplayClock.h"

#include <chrono>

#include "runtime/CMain.h"
#include "runtime/DateTimeText.h"

namespace orvanta::decode {

namespace {

using namespace std::chrono;

// The shape has been checked, so these are all digits.
int NumberAt(std::string_view text, std::size_t position, std::size_t digits) {
    int value = 0;
    for (const char c : text.substr(position, digits)) value = value * 10 + (c - '0');
    return value;
}

bool HasShape(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00 00:00:00";
    if (text.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i]) return false;
    }
    return true;
}

}  // namespace

void ReplayClock::AdvanceTick() {
    if (replayed_) replayed_ = AddMilliseconds(*replayed_, kPollPeriodMs);
}

std::optional<LocalDateTime> ParseDateTime(std::string_view text) {
    if (!HasShape(text)) return std::nullopt;
    const LocalDateTime t{NumberAt(text, 0, 4),  NumberAt(text, 5, 2),  NumberAt(text, 8, 2),
                          NumberAt(text, 11, 2), NumberAt(text, 14, 2), NumberAt(text, 17, 2), 0};
    const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)}, day{static_cast<unsigned>(t.day)}};
    if (!date.ok() || t.hour > 23 || t.minute > 59 || t.second > 59) return std::nullopt;
    return t;
}

}  // namespace orvanta::decode
