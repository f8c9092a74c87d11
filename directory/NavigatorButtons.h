#pragma once

#include "platform/ui/DBNavigator.h"

#include <initializer_list>

// The navigator button sets the program's windows show (bit i for the i-th button), and the width the main window
// gives its navigator for each set.
namespace navigatorButtons {

using Button = ui::DBNavigator::Button;

constexpr int setOf(std::initializer_list<Button> buttons)
{
    int set = 0;
    for (const Button button : buttons)
        set |= 1 << static_cast<int>(button);
    return set;
}

// The main window while editing is not allowed.
inline constexpr int browse = setOf({ Button::First, Button::Prior, Button::Next, Button::Last });
inline constexpr int browseWidth = 124;
// The employee page while editing is allowed.
inline constexpr int employeeEdit = ui::DBNavigator::allButtons;
inline constexpr int employeeEditWidth = 250;
// The department page while editing is allowed.
inline constexpr int departmentEdit = setOf(
    { Button::First, Button::Prior, Button::Next, Button::Last, Button::Insert, Button::Edit, Button::Refresh });
inline constexpr int departmentEditWidth = 182;
// The editing windows (departments, the import, the special numbers).
inline constexpr int allButRefresh = ui::DBNavigator::allButtons & ~setOf({ Button::Refresh });

} // namespace navigatorButtons
