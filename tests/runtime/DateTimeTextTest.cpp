#include "runtime/DateTimeText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace orvanta {
namespace {

TEST(DateTimeText, ZeroPadsEveryPartAndCountsOleDaysWithTheTimeAsFraction) {
    EXPECT_EQ(FormatDateTime({2027, 3, 1, 9, 5, 0, 0}), "2027-03-01 09:05:00");
    EXPECT_EQ(FormatDateTime({987, 1, 2, 3, 4, 5, 999}), "0987-01-02 03:04:05");
    // Checked against an independent calendar library; 1900 is no leap year, but 2000 is.
    const std::vector<std::pair<LocalDateTime, double>> cases = {
        {{2005, 1, 31, 12, 0, 0, 0}, 38383.5},  {{1899, 12, 30, 0, 0, 0, 0}, 0.0},
        {{1900, 3, 1, 0, 0, 0, 0}, 61.0},       {{2000, 2, 29, 6, 0, 0, 0}, 36585.25},
        {{2100, 3, 1, 0, 0, 0, 0}, 73110.0},    {{2027, 3, 1, 9, 5, 0, 0}, 46447.378472222},
        {{2005, 1, 31, 0, 0, 0, 500}, 38383.0 + 0.5 / 86400.0},
    };
    for (const auto& [time, days] : cases) {
        EXPECT_NEAR(OleAutomationDate(time), days, 1e-9) << FormatDateTime(time);  // well below a millisecond
    }
}

}  // namespace
}  // namespace orvanta
