#include "runtime/DateTimeText.h"

#include <chrono>
#include <cstdint>

namespace orvanta {

namespace {

void AppendPadded(std::string& text, int value, int width) {
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width)) {
        text.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    text += digits;
}

// Days from 1970-01-01 in the proleptic Gregorian calendar; years are shifted to start
// in March so the leap day falls at the end (Howard Hinnant's days_from_civil).
int64_t DaysFromCivil(int year, int month, int day) {
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr double kMillisecondsPerDay = 86400000.0;

}  // namespace

std::string FormatDateTime(const LocalDateTime& time) {
    std::string text;
    text.reserve(19);
    AppendPadded(text, time.year, 4);
    text += '-';
    AppendPadded(text, time.month, 2);
    text += '-';
    AppendPadded(text, time.day, 2);
    text += ' ';
    AppendPadded(text, time.hour, 2);
    text += ':';
    AppendPadded(text, time.minute, 2);
    text += ':';
    AppendPadded(text, time.second, 2);
    return text;
}

double OleAutomationDate(const LocalDateTime& time) {
    const int64_t days = DaysFromCivil(time.year, time.month, time.day) -
                         DaysFromCivil(1899, 12, 30);
    const int64_t milliseconds =
        ((static_cast<int64_t>(time.hour) * 60 + time.minute) * 60 + time.second) * 1000 +
        time.millisecond;
    return static_cast<double>(days) + static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

LocalDateTime AddMilliseconds(const LocalDateTime& time, int64_t milliseconds) {
    using namespace std::chrono;
    const sys_days date = year{time.year} / month{static_cast<unsigned>(time.month)} / day{static_cast<unsigned>(time.day)};
    const auto moved = date + hours{time.hour} + minutes{time.minute} + seconds{time.second} +
                       std::chrono::milliseconds{time.millisecond + milliseconds};
    const sys_days midnight = floor<days>(moved);
    const year_month_day movedDate{midnight};
    const hh_mm_ss timeOfDay{moved - midnight};
    return {int(movedDate.year()),          int(unsigned(movedDate.month())), int(unsigned(movedDate.day())),
            int(timeOfDay.hours().count()), int(timeOfDay.minutes().count()), int(timeOfDay.seconds().count()),
            int(timeOfDay.subseconds().count())};
}

}  // namespace orvanta
