#include "runtime/DateTimeText.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvanta {
namespace {

TEST(FormatDateTime, ZeroPadsEveryPart) {
    struct Case {
        LocalDateTime time;
        const char* text;
    };
    const std::vector<Case> cases = {
        {{2027, 3, 1, 9, 5, 0, 0}, "2027-03-01 09:05:00"},
        {{2026, 12, 31, 21, 0, 0, 0}, "2026-12-31 21:00:00"},
        {{987, 1, 2, 3, 4, 5, 999}, "0987-01-02 03:04:05"},
        {{2000, 10, 20, 23, 59, 59, 0}, "2000-10-20 23:59:59"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDateTime(c.time), c.text);
    }
}

TEST(OleAutomationDate, CountsDaysFromTheEpochWithTheTimeAsFraction) {
    struct Case {
        LocalDateTime time;
        double days;
    };
    // Checked against an independent calendar library.
    const std::vector<Case> cases = {
        {{2005, 1, 31, 12, 0, 0, 0}, 38383.5},
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1900, 2, 28, 0, 0, 0, 0}, 60.0},  // 1900 is no leap year ...
        {{1900, 3, 1, 0, 0, 0, 0}, 61.0},
        {{2000, 2, 29, 6, 0, 0, 0}, 36585.25},  // ... but 2000 is
        {{2100, 3, 1, 0, 0, 0, 0}, 73110.0},
        {{2027, 3, 1, 9, 5, 0, 0}, 46447.378472222},
        {{2026, 12, 31, 21, 0, 0, 0}, 46387.875},
        {{2005, 1, 31, 0, 0, 0, 500}, 38383.0 + 0.5 / 86400.0},
    };
    for (const Case& c : cases) {
        // Well below a millisecond (1.2e-8 days).
        EXPECT_NEAR(OleAutomationDate(c.time), c.days, 1e-9) << FormatDateTime(c.time);
    }
}

}  // namespace
}  // namespace orvanta
