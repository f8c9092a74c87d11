#pragma once

#include <QString>

// A row of Special.db: a dial prefix and what it is for.
struct TSpecialRec
{
    QString Number;
    QString Description;
};
