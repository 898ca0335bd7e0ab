#pragma once
// Local date and time as text and as an OLE Automation date number.

#include <string>

#include "runtime/Platform.h"

namespace orvanta {

// "yyyy-mm-dd hh:mm:ss", 24-hour clock.
std::string FormatDateTime(const LocalDateTime& time);

// Days since 1899-12-30 plus the time of day (milliseconds included) as a fraction.
double OleAutomationDate(const LocalDateTime& time);

}  // namespace orvanta
