#include "ui/focus_order.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> names_in_focus_order(std::span<ui::ControlRecord const> controls)
{
    std::vector<std::string_view> names;
    for (std::size_t index : ui::focus_order(controls))
        names.push_back(controls[index].name);
    return names;
}

TEST(FocusOrder, OfTheMainWindowFollowsCreationOrderAmongEqualNumbers)
{
    EXPECT_EQ(names_in_focus_order(ui::MainWindowControls),
              (std::vector<std::string_view>{"编辑框1", "按钮1", "按钮2", "编辑框2", "组合框1", "编辑框3", "按钮3",
                                             "按钮4", "编辑框4"}));
}

TEST(FocusOrder, LeavesOutWhatCannotTakeTheFocusAndSortsByNumberStably)
{
    using ui::ControlKind;
    constexpr auto Controls = std::array{
        ui::ControlRecord{.name = "late", .kind = ControlKind::EditBox, .tab_order = 2},
        ui::ControlRecord{.name = "label", .kind = ControlKind::Label},
        ui::ControlRecord{.name = "hidden", .kind = ControlKind::Button, .visible = false},
        ui::ControlRecord{.name = "disabled", .kind = ControlKind::Button, .enabled = false},
        ui::ControlRecord{.name = "no tab stop", .kind = ControlKind::EditBox, .tab_stop = false},
        ui::ControlRecord{.name = "dialog", .kind = ControlKind::FileDialog},
        ui::ControlRecord{.name = "first of 1", .kind = ControlKind::Button, .tab_order = 1},
        ui::ControlRecord{.name = "zero", .kind = ControlKind::ComboBox},
        ui::ControlRecord{.name = "second of 1", .kind = ControlKind::EditBox, .tab_order = 1},
    };
    EXPECT_EQ(names_in_focus_order(Controls),
              (std::vector<std::string_view>{"zero", "first of 1", "second of 1", "late"}));
}

} // namespace
