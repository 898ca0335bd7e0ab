#pragma once
// Local date and time as text and as an OLE Automation date number.

#include <cstdint>
#include <string>

#include "runtime/Platform.h"

namespace orvanta {

// "yyyy-mm-dd hh:mm:ss", 24-hour clock.
std::string FormatDateTime(const LocalDateTime& time);

// Days since 1899-12-30 plus the time of day (milliseconds included) as a fraction.
double OleAutomationDate(const LocalDateTime& time);

// The same calendar time moved by some milliseconds, across days, months and years.
LocalDateTime AddMilliseconds(const LocalDateTime& time, int64_t milliseconds);

}  // namespace orvanta
