#include "ui/Controls.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(Controls, EventsFireOnRealChangesWhetherTypedOrSetByTheProgram) {
    int changes = 0;
    int observed = 0;
    TextBox box("txt");
    box.Change = [&] { ++changes; };
    box.SetObserver([&] { ++observed; });
    box.SetText("5");
    box.SetText("5");
    box.SetText("");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(observed, 2);

    int clicks = 0;
    CheckBox check("chk");
    check.Click = [&] { ++clicks; };
    check.SetValue(1);
    check.SetValue(1);
    check.UserClick();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(check.Value(), 0);
}

TEST(Controls, OptionButtonsOfAGroupExcludeEachOtherAndReportTheirIndex) {
    OptionGroup group("opt", {{"a", ""}, {"b", ""}, {"c", ""}});
    std::vector<int> clicks;
    group.Click = [&](int index) { clicks.push_back(index); };
    EXPECT_EQ(group.Selected(), -1);
    group.Select(2);
    group.UserClick(0);
    group.Select(7);
    EXPECT_EQ(clicks, (std::vector<int>{2, 0}));
    EXPECT_EQ(group.Selected(), 0);
    EXPECT_FALSE(group[2].Value());
    group.SetEnabled(false);
    EXPECT_FALSE(group[1].Enabled());
}

TEST(Controls, MovingTheFocusAwayFromATextBoxRaisesItsLostFocusOnce) {
    WindowModel window("frm");
    TextBox first("first");
    TextBox second("second");
    std::vector<std::string> lost;
    first.LostFocus = [&] { lost.push_back("first"); };
    second.LostFocus = [&] { lost.push_back("second"); };
    window.SetFocus(&first);
    window.SetFocus(&first);
    window.SetFocus(&second);
    window.SetFocus(nullptr);
    EXPECT_EQ(lost, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(window.Focus(), nullptr);
}

TEST(Controls, KeyPressHandlerMaySwallowTheKey) {
    TextBox box("txt");
    box.KeyPress = [](int16_t& key) {
        if (key == 13) key = 0;
    };
    EXPECT_EQ(box.UserKeyPress(13), 0);
    EXPECT_EQ(box.UserKeyPress('5'), '5');
}

}  // namespace
}  // namespace orvanta
