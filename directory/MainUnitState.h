#pragma once

#include <QString>

// The pages of the main window, by index.
namespace mainPage {

inline constexpr int employee = 0;
inline constexpr int department = 1;

} // namespace mainPage

// What the main window's handlers share with each other and with the program's other windows: the page shown,
// the incremental search, whether the next letter-tab press fills a letter list first, and the edit permission.
struct MainUnitState
{
    int CurrentPage = mainPage::employee;
    QString SearchText;
    bool FirstEmployeeLetterClick = true;
    bool FirstDepartmentLetterClick = true;
    bool EditAllowed = false; // granted once per run by the edit password, never withdrawn
};
