#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

// The window's handlers run on the program's own changes too, but only on real ones;
// a text box raises LostFocus once when the focus leaves it, not when it stays.
TEST(Controls, RaiseEventsOnlyOnRealChanges) {
    std::vector<std::string> events;
    TextBox first("first"), second("second");
    first.Change = [&] { events.push_back("Change " + first.Text()); };
    first.LostFocus = [&] { events.push_back("first lost focus"); };
    second.LostFocus = [&] { events.push_back("second lost focus"); };
    CheckBox check("chk");
    check.Click = [&] { events.push_back("Click " + std::to_string(check.Value())); };
    OptionGroup group("opt", {{"a", ""}, {"b", ""}, {"c", ""}});
    group.Click = [&](int index) { events.push_back("option " + std::to_string(index)); };
    WindowModel window("frm");

    for (const char* text : {"5", "5", ""}) first.SetText(text);
    for (const int16_t value : {1, 1, 0}) check.SetValue(value);
    group.Select(2);
    group.UserClick(0);
    for (TextBox* box : {&first, &first, &second, static_cast<TextBox*>(nullptr)}) window.SetFocus(box);
    EXPECT_EQ(events, (std::vector<std::string>{"Change 5", "Change ", "Click 1", "Click 0", "option 2", "option 0",
                                                "first lost focus", "second lost focus"}));
    EXPECT_EQ(std::vector<bool>({group[0].Value(), group[1].Value(), group[2].Value()}),
              std::vector<bool>({true, false, false}));
}

}  // namespace
}  // namespace orvanta
