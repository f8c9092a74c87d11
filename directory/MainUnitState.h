#pragma once

#include <QString>

// What the main window's handlers share with each other and with the program's other windows: the page shown,
// the incremental search, whether the next letter-tab press fills a letter list first, and the edit permission.
struct MainUnitState
{
    int CurrentPage = 0; // 0 the employee page, 1 the department page
    QString SearchText;
    bool FirstEmployeeLetterClick = true;
    bool FirstDepartmentLetterClick = true;
    bool EditAllowed = false; // granted once per run by the edit password, never withdrawn
};
