#include "sensor-sim/ScenarioClock.h"

#include <cmath>
#include <cstdio>

namespace orvanta::sim {
namespace {

using namespace std::chrono;

constexpr std::string_view kDateTimePattern = "dddd-dd-dd dd:dd";
constexpr std::string_view kTimePattern = "dd:dd";
constexpr double kSecondsPerDay = 86400;
constexpr double kSecondsPerHour = 3600;

// 'd' in the pattern takes any digit, every other character itself.
bool Matches(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) return false;
    }
    return true;
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) value = value * 10 + (digit - '0');
    return value;
}

std::optional<CivilTime> At(sys_days day, int hour, int minute) {
    if (hour > 23 || minute > 59) return std::nullopt;
    return CivilTime{day} + hours{hour} + minutes{minute};
}

}  // namespace

std::optional<CivilTime> ParseStartTime(std::string_view text, sys_days today) {
    if (Matches(text, kTimePattern)) return At(today, Number(text.substr(0, 2)), Number(text.substr(3, 2)));
    if (!Matches(text, kDateTimePattern)) return std::nullopt;
    const year_month_day date{year{Number(text.substr(0, 4))}, month{static_cast<unsigned>(Number(text.substr(5, 2)))},
                              day{static_cast<unsigned>(Number(text.substr(8, 2)))}};
    if (!date.ok()) return std::nullopt;
    return At(sys_days{date}, Number(text.substr(11, 2)), Number(text.substr(14, 2)));
}

duration<double> ScenarioClock::Elapsed(long reading) const {
    return duration<double>(static_cast<double>(reading) * stepSeconds_);
}

double ScenarioClock::HoursSinceDusk(long reading) const {
    const double seconds = static_cast<double>(start_.time_since_epoch().count()) + Elapsed(reading).count();
    const double secondsOfDay = seconds - kSecondsPerDay * std::floor(seconds / kSecondsPerDay);
    const double hours = secondsOfDay / kSecondsPerHour - static_cast<double>(kDusk.count());
    return hours < 0 ? hours + 24 : hours;
}

std::string ScenarioClock::Text(long reading) const {
    const CivilTime time = start_ + floor<seconds>(Elapsed(reading));
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<long>(clock.hours().count()), static_cast<long>(clock.minutes().count()),
                  static_cast<long>(clock.seconds().count()));
    return text;
}

}  // namespace orvanta::sim
